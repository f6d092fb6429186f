#include "app/DownloadRun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

using namespace pad;
using namespace std::chrono_literals;

namespace {

std::vector<Report> numberedReports(int count) {
    std::vector<Report> reports(std::size_t(count), Report{});
    for (int i = 0; i < count; ++i)
        reports[std::size_t(i)][1] = std::uint8_t(i + 1);
    return reports;
}

} // namespace

TEST(ProgressPanel, ResetPlacesTheBarsAtTheFrame) {
    ProgressPanelState panel;
    panel.frame = QRect(30, 40, 250, 16);
    panel.barShape = QRect(0, 0, 77, 14);
    panel.barPanel = QRect(5, 5, 66, 12);
    panel.percentPanel = QRect(90, 0, 40, 15);
    panel.reset();
    EXPECT_EQ(panel.frame, QRect(30, 40, 181, 16));
    EXPECT_EQ(panel.barShape, QRect(31, 40, 0, 14));
    EXPECT_EQ(panel.barPanel, QRect(31, 42, 0, 12));
    EXPECT_EQ(panel.percentPanel, QRect(90, 59, 40, 15));
}

TEST(ProgressPanel, AdvanceWidensBothBarsAndShowsWholePercentOf180) {
    ProgressPanelState panel;
    panel.frame = QRect(10, 10, 181, 16);
    panel.reset();
    std::vector<std::string> texts;
    for (int n = 1; n <= 240; ++n) {
        panel.advance();
        texts.push_back(panel.percentText.toStdString());
    }
    EXPECT_EQ(panel.barShape.width(), 240);
    EXPECT_EQ(panel.barPanel.width(), 240);
    EXPECT_EQ(panel.barShape.left(), 11);
    EXPECT_EQ(texts[0], "0 %"); // 1 * 100 / 180
    EXPECT_EQ(texts[1], "1 %"); // 2 * 100 / 180
    EXPECT_EQ(texts[179], "100 %");
    EXPECT_EQ(texts[239], "133 %"); // the bar runs past its frame, as it always did
    panel.reset();
    EXPECT_EQ(panel.barPanel.width(), 0);
}

TEST(RunDownloadReports, SendsEachReportThenWaitsThenReportsTheCount) {
    const std::vector<Report> reports = numberedReports(6);
    std::vector<std::string> calls;
    QElapsedTimer clock;
    std::vector<qint64> sentAt, doneAt;
    clock.start();
    DownloadHooks hooks;
    hooks.sendReport = [&](const Report& r) {
        calls.push_back("send " + std::to_string(r[1]));
        // A write that takes its time, as the device link's open, send and close do:
        // the pause must only start once the write has returned.
        std::this_thread::sleep_for(5ms);
        sentAt.push_back(clock.nsecsElapsed());
        return true;
    };
    hooks.reportDone = [&](int n) {
        calls.push_back("done " + std::to_string(n));
        doneAt.push_back(clock.nsecsElapsed());
    };

    const DownloadResult result = RunDownloadReports(reports, true, hooks, 20ms);
    EXPECT_EQ(result.sent, 6);
    EXPECT_FALSE(result.keypadLost);
    const std::vector<std::string> expected = {"send 1", "done 1", "send 2", "done 2",
                                               "send 3", "done 3", "send 4", "done 4",
                                               "send 5", "done 5", "send 6", "done 6"};
    EXPECT_EQ(calls, expected);
    // The whole pause lies between the end of one write and the next, and each
    // report's pause has passed before it counts as done.
    for (std::size_t i = 0; i + 1 < sentAt.size(); ++i)
        EXPECT_GE(sentAt[i + 1] - sentAt[i], 25'000'000) << "after report " << i + 1;
    for (std::size_t i = 0; i < sentAt.size(); ++i)
        EXPECT_GE(doneAt[i] - sentAt[i], 19'000'000) << "report " << i + 1;
}

TEST(RunDownloadReports, WithoutRealWriteSendsNothingAndWaitsNot) {
    int sends = 0, dones = 0;
    DownloadHooks hooks;
    hooks.sendReport = [&](const Report&) { return ++sends > 0; };
    hooks.reportDone = [&](int) { ++dones; };
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(RunDownloadReports(numberedReports(240), false, hooks).sent, 0);
    EXPECT_EQ(sends, 0);
    EXPECT_EQ(dones, 0);
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST(PauseWithoutInput, RunsTimersAndPostedEventsWhileWaiting) {
    bool timerRan = false;
    bool queuedRan = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] { timerRan = true; });
    timer.start(5);
    QMetaObject::invokeMethod(
        &timer, [&] { queuedRan = true; }, Qt::QueuedConnection);

    QElapsedTimer clock;
    clock.start();
    PauseWithoutInput(QDeadlineTimer(40ms, Qt::PreciseTimer));
    EXPECT_GE(clock.elapsed(), 40);
    EXPECT_TRUE(timerRan);
    EXPECT_TRUE(queuedRan);
}

TEST(PauseWithoutInput, StillWaitsWhenTheApplicationIsQuitting) {
    // A quitting application makes every event loop return at once; the keypad
    // must still get its pause.
    QCoreApplication::exit(0);
    QElapsedTimer clock;
    clock.start();
    PauseWithoutInput(QDeadlineTimer(30ms, Qt::PreciseTimer));
    EXPECT_GE(clock.elapsed(), 30);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
