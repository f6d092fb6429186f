#pragma once
// The keyboard layout of the window system the program runs on, for the key
// names of the capture and the Macro Editor. Which window systems are known is
// chosen when the program is built.

#include "keyboard/capture/KeyLayout.h"

#include <memory>

namespace pad {

// Null where no keymap can be had (another platform, no connection, a build
// without the keymap libraries): the key names then come from the US table.
std::unique_ptr<KeyLayout> MakeDesktopKeyLayout();

} // namespace pad
