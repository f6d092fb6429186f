#include "keypad/DownloadRunner.h"

#include <QEventLoop>
#include <QTimer>

#include <thread>

namespace pad {

void PauseWithoutInput(const QDeadlineTimer& deadline) {
    // The event loop wakes on whole milliseconds and may be busy painting when
    // its timer is due, so it hands over shortly before the deadline and a plain
    // sleep ends the pause on time. The window is blocked for at most that margin.
    constexpr auto SleepMargin = std::chrono::milliseconds(2);
    const auto loopTime = std::chrono::floor<std::chrono::milliseconds>(
        deadline.remainingTimeAsDuration() - SleepMargin);
    if (loopTime.count() > 0) {
        QEventLoop loop;
        QTimer wake;
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
        wake.start(loopTime);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    // Also the whole pause when the application is quitting, which makes every
    // event loop return at once: the keypad still gets its full pause.
    while (!deadline.hasExpired())
        std::this_thread::sleep_for(deadline.remainingTimeAsDuration());
}

void PauseWithoutInputUntil(std::chrono::steady_clock::time_point deadline) {
    PauseWithoutInput(QDeadlineTimer(deadline, Qt::PreciseTimer));
}

} // namespace pad
