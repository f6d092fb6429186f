#pragma once
// How qd6 reaches the keypad on each platform: a keypad session on Qt's event loop on
// Linux (KeypadConnectionQt.cpp), a Win32 session on Windows (KeypadConnectionWin32.cpp).

#include "keypad/KeypadSessionCore.h"

#include <functional>

namespace pad {

// Starts a keypad session, runs the thread's message loop until PadLink has told
// whether a keypad is present (at most 5 s), then runs work on the same thread and
// returns its exit status. PadLink ends with the session.
int WithKeypad(const std::function<int(KeypadSessionCore&)>& work);

// Makes waits end on time, to the millisecond, for the rest of the run: the pauses of
// a download.
void UsePreciseTimers();

} // namespace pad
