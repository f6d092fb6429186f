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

DownloadResult RunDownload(const DownloadImage& image, const DownloadHooks& hooks,
                           std::chrono::milliseconds pause) {
    DownloadResult result;
    for (const Report& report : DownloadReports(image)) {
        // PadLink's absent message arrives during a pause; a keypad pulled out since
        // takes no report. Either way the rest of the download would reach nothing.
        if ((hooks.keypadGone && hooks.keypadGone()) || !hooks.sendReport(report)) {
            result.keypadLost = true;
            break;
        }
        // The pause runs on the steady clock from the moment the report was handed
        // over, so what happens during it does not lengthen it.
        const auto deadline = std::chrono::steady_clock::now() + pause;
        if (hooks.pauseUntil)
            hooks.pauseUntil(deadline);
        else
            PauseWithoutInput(QDeadlineTimer(deadline, Qt::PreciseTimer));
        ++result.sent;
        if (hooks.reportDone)
            hooks.reportDone(result.sent);
    }
    return result;
}

} // namespace pad
