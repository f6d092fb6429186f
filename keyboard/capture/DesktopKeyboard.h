#pragma once
// What the window system tells of the keyboard besides key events: the names the
// active layout gives the keys, and which keys are down at a given moment, so that a
// capture knows the keys held since before it began. The capture takes them from
// outside; keyboard/layout makes them for the window system the program runs on.

#include "keyboard/capture/KeyLayout.h"

#include <memory>
#include <vector>

namespace pad {

class KeyboardState {
  public:
    virtual ~KeyboardState() = default;
    // The evdev codes of the keys down right now.
    virtual std::vector<unsigned> KeysDown() = 0;
};

// Either part may be null: no layout gives the US table's key names, no state means
// the keys down at a capture's start are not known (Wayland reports a held key's
// repeats as such, so nothing is needed there).
struct DesktopKeyboard {
    std::unique_ptr<KeyboardState> state;
    std::unique_ptr<KeyLayout> layout;
};

} // namespace pad
