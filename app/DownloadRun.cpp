#include "app/DownloadRun.h"

#include <QEventLoop>
#include <QTimer>

#include <thread>

namespace pad {

void ProgressPanelState::reset() {
    frame.setWidth(FrameWidth);
    barShape = QRect(frame.left() + 1, frame.top(), 0, barShape.height());
    barPanel = QRect(frame.left() + 1, frame.top() + 2, 0, barPanel.height());
    percentPanel.moveTop(frame.top() + 19);
}

void ProgressPanelState::advance() {
    barShape.setWidth(barShape.width() + 1);
    barPanel.setWidth(barPanel.width() + 1);
    percentText = QString::number(barPanel.width() * 100 / FullBar) + " %";
}

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

DownloadResult RunDownloadReports(const std::vector<Report>& reports, bool realWrite,
                                  const DownloadHooks& hooks, std::chrono::milliseconds pause) {
    DownloadResult result;
    for (const Report& report : reports) {
        if (!realWrite)
            continue;
        // PadLink's absent message arrives during a pause; a keypad pulled out since
        // takes no report. Either way the rest of the download would reach nothing.
        if ((hooks.keypadGone && hooks.keypadGone()) || !hooks.sendReport(report)) {
            result.keypadLost = true;
            break;
        }
        // The keypad gets the whole pause after each report has been written; the
        // pause runs on the steady clock, so event processing during it does not
        // lengthen it.
        PauseWithoutInput(QDeadlineTimer(pause, Qt::PreciseTimer));
        ++result.sent;
        if (hooks.reportDone)
            hooks.reportDone(result.sent);
    }
    return result;
}

} // namespace pad
