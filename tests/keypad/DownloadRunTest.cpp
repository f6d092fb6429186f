#include "keypad/DownloadRunner.h"
#include "keypad/ReportPause.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

using namespace pad;
using namespace std::chrono_literals;

TEST(RunDownload, SendsEachReportOfTheImageThenPausesFromTheHandOverThenReportsProgress) {
    DownloadImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = std::uint8_t(i * 7);
    using Clock = std::chrono::steady_clock;
    std::vector<std::string> calls;
    std::vector<Report> sent;
    Clock::time_point handedOver;
    DownloadHooks hooks;
    hooks.sendReport = [&](const Report& report) {
        calls.push_back("send");
        sent.push_back(report);
        handedOver = Clock::now();
        return true;
    };
    hooks.pauseUntil = [&](Clock::time_point deadline) {
        calls.push_back("pause");
        // The whole pause lies after the write has returned.
        EXPECT_GE(deadline - handedOver, 30ms);
        EXPECT_LE(deadline - Clock::now(), 30ms);
    };
    hooks.reportDone = [&](int n) { calls.push_back("done " + std::to_string(n)); };

    const DownloadResult result = RunDownload(image, hooks, 30ms);
    EXPECT_EQ(result.sent, 240);
    EXPECT_FALSE(result.keypadLost);
    EXPECT_EQ(sent, DownloadReports(image));
    ASSERT_EQ(calls.size(), 3u * 240);
    for (std::size_t i = 0; i < 240; ++i) {
        ASSERT_EQ(calls[3 * i], "send");
        ASSERT_EQ(calls[3 * i + 1], "pause");
        ASSERT_EQ(calls[3 * i + 2], "done " + std::to_string(i + 1));
    }
}

TEST(RunDownload, StopsOnceTheKeypadIsGoneOrTookNoReport) {
    for (bool byMessage : {true, false}) {
        int sends = 0, pauses = 0;
        DownloadHooks hooks;
        hooks.sendReport = [&](const Report&) { return byMessage || ++sends <= 10; };
        hooks.keypadGone = [&] { return byMessage && pauses == 10; };
        hooks.pauseUntil = [&](std::chrono::steady_clock::time_point) { ++pauses; };
        const DownloadResult result = RunDownload(DownloadImage{}, hooks);
        EXPECT_EQ(result.sent, 10) << byMessage;
        EXPECT_TRUE(result.keypadLost) << byMessage;
        EXPECT_EQ(pauses, 10) << byMessage; // a report nobody took gets no pause
    }
}

TEST(RunDownload, WaitsTheRealPauseAfterEachReport) {
    QElapsedTimer clock;
    clock.start();
    DownloadHooks hooks;
    hooks.sendReport = [](const Report&) { return true; };
    EXPECT_EQ(RunDownload(DownloadImage{}, hooks, 3ms).sent, 240);
    EXPECT_GE(clock.elapsed(), 240 * 3);
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

TEST(ReportPauseFromEnvironment, ShortensThePauseOnlyForTheSimulatedKeypad) {
    unsetenv("PADLINK_SIMULATOR");
    setenv("PADLINK_SIMULATOR_PAUSE_MS", "1", 1);
    EXPECT_EQ(ReportPauseFromEnvironment(), 70ms); // a real keypad gets its pause

    setenv("PADLINK_SIMULATOR", "/tmp/keypad.log", 1);
    EXPECT_EQ(ReportPauseFromEnvironment(), 1ms);
    setenv("PADLINK_SIMULATOR_PAUSE_MS", "0", 1);
    EXPECT_EQ(ReportPauseFromEnvironment(), 0ms);
    for (const char* ignored : {"71", "-1", "+5", " 5", "5ms", "abc", "99999999999999999999"}) {
        setenv("PADLINK_SIMULATOR_PAUSE_MS", ignored, 1);
        EXPECT_EQ(ReportPauseFromEnvironment(), 70ms) << ignored;
    }
    unsetenv("PADLINK_SIMULATOR_PAUSE_MS");
    EXPECT_EQ(ReportPauseFromEnvironment(), 70ms);
    unsetenv("PADLINK_SIMULATOR");
}
