#pragma once
// The program entry of PadConfig, in a library so that the tests start the same way.

#include "keypad/DeviceLinkPort.h"

namespace pad {

// Creates the main window and the dialogs, hands the command line to the window
// by a queued call and runs the event loop. Returns 0. --help and
// --version print their text and return 0 before any window exists; an option that
// neither PadConfig nor Qt knows is reported on standard error and returns 2, also
// without a display. Without a display it says so and returns 1.
int RunPadConfig(int argc, char** argv, const DeviceLinkPort& deviceLink);

} // namespace pad
