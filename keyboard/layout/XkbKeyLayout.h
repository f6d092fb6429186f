#pragma once
// Key names from an xkb keymap and a state whose active group (layout) says
// which of the keymap's layouts is in use.

#include "keyboard/capture/KeyLayout.h"

#include <cstdint>
#include <string>

struct xkb_keymap;
struct xkb_state;

namespace pad {

// The name of the key that types keysym: the character in upper case ("ö" gives
// "Ö"), a dead key's own mark ("^" for dead_circumflex). Empty for a keysym that
// types no visible character.
std::string CharacterKeysymName(std::uint32_t keysym);

class XkbKeyLayout : public KeyLayout {
  public:
    // Takes over one reference of each.
    XkbKeyLayout(xkb_keymap* keymap, xkb_state* state);
    ~XkbKeyLayout() override;
    XkbKeyLayout(const XkbKeyLayout&) = delete;
    XkbKeyLayout& operator=(const XkbKeyLayout&) = delete;

    std::string CharacterKeyName(unsigned evdevCode) override;

    // The state, for following the window system's group and modifier changes.
    xkb_state* State() const { return state_; }

  private:
    xkb_keymap* keymap_;
    xkb_state* state_;
};

} // namespace pad
