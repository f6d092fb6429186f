#pragma once
// The keyboard of the window system the program runs on, for the key names of the
// capture and the Macro Editor and the keys held as a capture starts. Which window
// systems are known is chosen when the program is built.

#include "keyboard/capture/DesktopKeyboard.h"

namespace pad {

// The layout is null where no keymap can be had (another platform, no connection, a
// build without the keymap libraries): the key names then come from the US table.
// The state is made on X11 only; it also asks the server, for the whole program, to
// send a held key's repeats as presses alone, without the made-up releases between
// them that would look like the key being let go.
DesktopKeyboard MakeDesktopKeyboard();

} // namespace pad
