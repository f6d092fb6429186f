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
    if (deadline.hasExpired())
        return;
    QEventLoop loop;
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
    wake.start(std::chrono::ceil<std::chrono::milliseconds>(deadline.remainingTimeAsDuration()));
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    // The loop returns early when the application is quitting; the keypad still
    // gets its full pause.
    while (!deadline.hasExpired())
        std::this_thread::sleep_for(deadline.remainingTimeAsDuration());
}

int RunDownloadReports(const std::vector<Report>& reports, bool realWrite,
                       const DownloadHooks& hooks, std::chrono::milliseconds pause) {
    int sent = 0;
    for (const Report& report : reports) {
        if (!realWrite)
            continue;
        hooks.sendReport(report);
        // The pause counts from the moment the report has gone out, on the steady
        // clock, so time spent processing events while waiting does not add to it.
        PauseWithoutInput(QDeadlineTimer(pause, Qt::PreciseTimer));
        ++sent;
        if (hooks.reportDone)
            hooks.reportDone(sent);
    }
    return sent;
}

} // namespace pad
