#pragma once
// The active keyboard layout, as far as key names need it. The codes the program
// stores name physical keys; what the user calls a key depends on the layout the
// computer uses, which the window system's keymap tells.

#include <string>

namespace pad {

class KeyLayout {
  public:
    virtual ~KeyLayout() = default;

    // The name of the key with this evdev code in the active layout, in UTF-8: the
    // character it types without modifiers, in upper case. Empty when the layout
    // gives the key no character or no keymap is known.
    virtual std::string CharacterKeyName(unsigned evdevCode) = 0;
};

} // namespace pad
