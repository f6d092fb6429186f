// qd6's keypad session on Linux: KeypadSession in a Qt core application.

#include "tools/qd6/KeypadConnection.h"

#include "keypad/KeypadSession.h"
#include "keypad/PadLinkPort.h"

#include <QCoreApplication>

#include <sys/prctl.h>

namespace pad {

int WithKeypad(const std::function<int(KeypadSessionCore&)>& work) {
    int argc = 1;
    char name[] = "qd6";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    KeypadSession keypad(PadLinkPort());
    keypad.Start();
    keypad.WaitForPresence(std::chrono::seconds(5));
    return work(keypad);
}

void UsePreciseTimers() {
    // Wake from each pause on time rather than up to the default 50 us late.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

} // namespace pad
