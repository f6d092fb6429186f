// The keypad session: presence from PadLink's messages, mode selects kept out of
// another program's download by the keypad lock and sent once it ends, the recorded
// mode shared between sessions.
#include "keypad/KeypadSession.h"
#include "devicelink/WindowMessage.h"
#include "tests/support/TempDir.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

using namespace pad;

namespace {

// A session whose mode-select and download reports are recorded as their 4th byte
// ("m2" for Mode B) or address ("w4", "w8", ...).
struct RecordingSession {
    explicit RecordingSession(const std::filesystem::path& lock) : session(Port(), lock) {}
    // The session's port calls through to link, which a test may fill in.
    DeviceLinkPort Port() {
        DeviceLinkPort port;
        port.setKbdFeatures = [this](std::uint32_t, std::uint32_t, const std::uint8_t* r) {
            sent.push_back(r[1] == 0xFF ? "m" + std::to_string(r[3]) : "w" + std::to_string(r[1]));
        };
        port.deviceArrival = [this] { return link.deviceArrival ? link.deviceArrival() : 0; };
        port.keypadNodes = [this] {
            return link.keypadNodes ? link.keypadNodes() : std::vector<std::string>{};
        };
        return port;
    }
    void Presence(std::uint32_t message, std::intptr_t lParam = 0) {
        WindowMessage::post(&session, message, 0, lParam);
    }
    DeviceLinkPort link;
    std::vector<std::string> sent;
    KeypadSession session;
};

TEST(KeypadSession, PresenceFollowsPadLinksMessagesAndReadyOnlyWhenWritable) {
    test::TempDir dir;
    RecordingSession s(dir / "lock");
    // The keypad's node: a change of its permissions makes the session scan again.
    const std::filesystem::path node = dir / "hidraw0";
    test::writeBytes(node, {});
    int scans = 0;
    s.link.keypadNodes = [&] { return std::vector<std::string>{node.string()}; };
    s.link.deviceArrival = [&] { return ++scans; };
    s.session.FollowAccessChanges();
    int ready = 0;
    QObject::connect(&s.session, &KeypadSession::keypadReady, [&] { ++ready; });
    s.Presence(MSG_KEYPAD_PRESENT);
    s.Presence(MSG_KEYPAD_NO_ACCESS, EACCES);
    EXPECT_TRUE(s.session.WaitForPresence(std::chrono::seconds(1)));
    QCoreApplication::processEvents();
    EXPECT_FALSE(s.session.Writable());
    EXPECT_EQ(s.session.AccessError(), EACCES);
    EXPECT_EQ(ready, 0); // present, but not open to this user
    ::chmod(node.c_str(), 0666);
    for (int i = 0; i < 100 && scans == 0; ++i) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    EXPECT_EQ(scans, 1);
    s.Presence(MSG_KEYPAD_PRESENT);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.session.Writable());
    EXPECT_EQ(ready, 1);
}

TEST(KeypadSession, ModeSelectWaitsForAnotherProgramsDownloadAndIsRecordedForAll) {
    test::TempDir dir;
    RecordingSession s(dir / "lock");
    KeypadLock otherDownload(dir / "lock");
    ASSERT_TRUE(otherDownload.TryAcquire());

    EXPECT_EQ(s.session.TrySelectMode(KeypadMode::A), KeypadSession::SelectResult::Busy);
    s.session.SelectMode(KeypadMode::C);
    s.session.SelectMode(KeypadMode::B); // replaces C, which never goes out
    EXPECT_TRUE(s.sent.empty());

    bool freed = false;
    QObject::connect(&s.session, &KeypadSession::lockFreed, [&] { freed = true; });
    QTimer::singleShot(50, [&] { otherDownload.Release(); });
    s.session.WaitUntilFree();
    QCoreApplication::processEvents();
    EXPECT_TRUE(freed);
    EXPECT_EQ(s.sent, std::vector<std::string>({"m2"}));

    RecordingSession other(dir / "lock");
    EXPECT_EQ(other.session.LastSelectedMode(), KeypadMode::B);
    other.session.SelectMode(KeypadMode::Normal);
    EXPECT_EQ(s.session.LastSelectedMode(), KeypadMode::Normal);
}

// A select no keypad took leaves the record alone, so the same mode is sent again.
TEST(KeypadSession, ModeSelectNoKeypadTookIsNotRecorded) {
    test::TempDir dir;
    int taken = 0;
    DeviceLinkPort port;
    port.writeReport = [&](std::uint32_t, std::uint32_t, const std::uint8_t*) { return taken; };
    KeypadSession session(port, dir / "lock");
    session.SelectMode(KeypadMode::A);
    EXPECT_EQ(session.TrySelectMode(KeypadMode::B), KeypadSession::SelectResult::NotTaken);
    EXPECT_EQ(session.LastSelectedMode(), std::nullopt);
    taken = 1;
    EXPECT_EQ(session.TrySelectMode(KeypadMode::B), KeypadSession::SelectResult::Sent);
    EXPECT_EQ(session.LastSelectedMode(), KeypadMode::B);
}

TEST(KeypadSession, DownloadHoldsTheLockFromFirstReportToLast) {
    test::TempDir dir;
    RecordingSession s(dir / "lock");
    s.Presence(MSG_KEYPAD_PRESENT);
    s.session.WaitForPresence(std::chrono::seconds(1));
    KeypadLock other(dir / "lock");
    DownloadHooks hooks;
    bool heldThroughout = true;
    hooks.pauseUntil = [&](auto) { heldThroughout = heldThroughout && !other.TryAcquire(); };
    const DownloadResult result =
        s.session.Download(DownloadImage{}, std::chrono::milliseconds(0), hooks);
    EXPECT_EQ(result.sent, ReportsPerDownload);
    EXPECT_TRUE(heldThroughout);
    EXPECT_TRUE(other.TryAcquire()); // free once it has ended
}

} // namespace
