// qd6's keypad session on Windows: a Win32 session whose message-only window is
// PadLink.dll's host.

#include "tools/qd6/KeypadConnection.h"

#include "keypad/PadLinkPort.h"
#include "keypad/Win32KeypadSession.h"

#include <cstdlib>

#include <windows.h>

#include <timeapi.h>

namespace pad {

int WithKeypad(const std::function<int(KeypadSessionCore&)>& work) {
    Win32KeypadSession keypad(PadLinkPort());
    keypad.Start();
    keypad.WaitForPresence(std::chrono::seconds(5));
    return work(keypad);
}

void UsePreciseTimers() {
    // The system's timer ticks every 15.6 ms by default; a download's 70 ms pauses would
    // each end up to a tick late.
    static const bool precise = [] {
        const bool set = ::timeBeginPeriod(1) == TIMERR_NOERROR;
        if (set)
            std::atexit([] { ::timeEndPeriod(1); });
        return set;
    }();
    (void)precise;
}

} // namespace pad
