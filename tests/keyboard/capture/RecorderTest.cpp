#include "KeyFeed.h"
#include "keyboard/capture/MacroRecorder.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

using namespace testkeys;

class RecorderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        action.events.fill(0x55); // stale events from an earlier use
        action.playMode = RepeatWhileHeld;
        recorder.StartRecording(action);
    }
    bool feed(const KeystrokeInfo& key) { return recorder.Record(key, action, words); }
    void tap(unsigned evdev) {
        feed(Down(evdev));
        feed(Up(evdev));
    }
    std::vector<std::u16string> lines() const { return recorder.Lines(); }

    MacroRecorder recorder;
    KeyAction action;
    EventWords words;
};

TEST_F(RecorderTest, StartClearsEventsButKeepsThePlayMode) {
    for (auto e : action.events)
        EXPECT_EQ(e, 0);
    EXPECT_EQ(action.playMode, RepeatWhileHeld);
    EXPECT_EQ(recorder.RecordedCount(), 0);
}

TEST_F(RecorderTest, PressAndReleaseGiveBytesAndLines) {
    feed(Down(LeftShift));
    tap(A);
    feed(Up(LeftShift));
    const std::array<KeyEvent, 4> expected = {0x64, 0x01, 0x81, 0xE4};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), action.events.begin()));
    EXPECT_EQ(action.events[4], 0);
    EXPECT_EQ(lines(), (std::vector<std::u16string>{u"Shift  press", u"A  press", u"A  release",
                                                    u"Shift  release"}));
    EXPECT_EQ(recorder.HeldKeyCount(), 0);
}

TEST_F(RecorderTest, LanguageWordsFollowTwoBlanks) {
    words.press = u"  drücken";
    words.release = u"  loslassen";
    tap(A);
    EXPECT_EQ(lines(), (std::vector<std::u16string>{u"A  drücken", u"A  loslassen"}));
}

TEST_F(RecorderTest, SeventeenthEventAndItsReleaseAreIgnored) {
    for (unsigned k : {A, B, C, D, E, F, G, H})
        tap(k);
    ASSERT_EQ(recorder.RecordedCount(), 16);
    EXPECT_FALSE(feed(Down(I)));
    EXPECT_FALSE(feed(Up(I)));
    EXPECT_EQ(recorder.RecordedCount(), 16);
    EXPECT_EQ(lines().size(), 16u);
    EXPECT_EQ(action.events[15], 0x80 | 0x08); // H released
}

TEST_F(RecorderTest, SeventhHeldKeyIsNotRecordedNorItsRelease) {
    const unsigned keys[] = {A, B, C, D, E, F, G};
    for (unsigned k : keys)
        feed(Down(k));
    EXPECT_EQ(recorder.RecordedCount(), 6);
    EXPECT_EQ(recorder.HeldKeyCount(), 7);
    for (unsigned k : keys)
        feed(Up(k));
    EXPECT_EQ(recorder.RecordedCount(), 12);
    EXPECT_EQ(recorder.HeldKeyCount(), 0);
    const KeyEvent g = 0x07; // G
    EXPECT_EQ(std::count(action.events.begin(), action.events.end(), g), 0);
    EXPECT_EQ(std::count(action.events.begin(), action.events.end(), g | 0x80), 0);
}

TEST_F(RecorderTest, ReleaseWithoutPressRecordsNothingAndAllowsOneMoreHeldKey) {
    EXPECT_FALSE(feed(Up(J)));
    EXPECT_EQ(recorder.HeldKeyCount(), -1);
    EXPECT_TRUE(lines().empty());
    for (unsigned k : {A, B, C, D, E, F, G})
        feed(Down(k));
    EXPECT_EQ(recorder.RecordedCount(), 7);
}

TEST_F(RecorderTest, PrintScreenRecordsAReleaseEveryTime) {
    feed(Down(SysRq));
    feed(Up(SysRq));
    feed(Down(SysRq));
    EXPECT_EQ(lines(), std::vector<std::u16string>(3, u"Prnt Scrn  release"));
    EXPECT_EQ(action.events[0], 0xC3);
    EXPECT_EQ(action.events[2], 0xC3);
    EXPECT_EQ(recorder.HeldKeyCount(), -3);
}

TEST_F(RecorderTest, AutoRepeatIsDropped) {
    feed(Down(A));
    for (int i = 0; i < 40; ++i)
        EXPECT_FALSE(feed(Repeat(A)));
    feed(Up(A));
    EXPECT_EQ(lines().size(), 2u);
    EXPECT_EQ(recorder.HeldKeyCount(), 0);
}

// X11 repeats a held key as presses; a key held since before Rec sends only those.
TEST_F(RecorderTest, PressesOfAKeyAlreadyDownAreRepeats) {
    using Lines = std::vector<std::u16string>;
    const std::tuple<std::vector<unsigned>, std::vector<KeystrokeInfo>, Lines> cases[] = {
        {{}, {Down(A), Down(A), Up(A), Down(A)}, {u"A  press", u"A  release", u"A  press"}},
        {{A}, {Down(A), Down(A), Up(A)}, {}},
    };
    for (const auto& [downAtStart, keys, expected] : cases) {
        recorder.StartRecording(action, downAtStart);
        for (const KeystrokeInfo& key : keys)
            feed(key);
        EXPECT_EQ(lines(), expected);
    }
}

TEST_F(RecorderTest, KeyWithoutDeviceCodeRecordsZeroAndRelease) {
    tap(KeypadEqual);
    EXPECT_EQ(action.events[0], 0x00);
    EXPECT_EQ(action.events[1], 0x80);
    EXPECT_EQ(lines(), (std::vector<std::u16string>{u"Num =  press", u"Num =  release"}));
}

TEST_F(RecorderTest, UpAndDownSwapLinesAndBytesAndStopAtTheEnds) {
    tap(A);
    feed(Down(B));
    EXPECT_FALSE(recorder.MoveUp(0, action));
    EXPECT_FALSE(recorder.MoveDown(2, action));
    EXPECT_EQ(recorder.MoveDown(0, action), 1);
    EXPECT_EQ(action.events[0], 0x81);
    EXPECT_EQ(action.events[1], 0x01);
    EXPECT_EQ(lines()[0], u"A  release");
    EXPECT_EQ(recorder.MoveUp(2, action), 1);
    EXPECT_EQ(action.events[1], 0x02);
    EXPECT_EQ(action.events[2], 0x01);
    EXPECT_EQ(lines()[1], u"B  press");
}

TEST_F(RecorderTest, DeleteShiftsLaterBytesDown) {
    tap(A);
    tap(B);
    EXPECT_TRUE(recorder.Delete(1, action));
    const std::array<KeyEvent, 4> expected = {0x01, 0x02, 0x82, 0x00};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), action.events.begin()));
    EXPECT_EQ(lines().size(), 3u);
    EXPECT_FALSE(recorder.Delete(3, action));
}

TEST_F(RecorderTest, InsertPutsAPairBeforeTheSelectedLine) {
    tap(A);
    EXPECT_EQ(recorder.Insert(1, 0x02, 0x82, "B", action, words), InsertResult::Inserted);
    const std::array<KeyEvent, 5> expected = {0x01, 0x02, 0x82, 0x81, 0x00};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), action.events.begin()));
    EXPECT_EQ(lines(), (std::vector<std::u16string>{u"A  press", u"B  press", u"B  release",
                                                    u"A  release"}));
    EXPECT_EQ(recorder.Insert(std::nullopt, 0x03, 0x83, "C", action, words),
              InsertResult::NoLineSelected);
    EXPECT_EQ(lines().size(), 4u);
}

TEST_F(RecorderTest, InsertRefusesBeyondSixteenEvents) {
    for (unsigned k : {A, B, C, D, E, F, G})
        tap(k);
    feed(Down(H)); // 15 lines
    const auto before = action;
    EXPECT_EQ(recorder.Insert(0, 0x09, 0x89, "I", action, words), InsertResult::TooManyEvents);
    EXPECT_EQ(action, before);
    EXPECT_EQ(lines().size(), 15u);
    recorder.Delete(14, action); // 14 lines: exactly room for one more pair
    EXPECT_EQ(recorder.Insert(14, 0x09, 0x89, "I", action, words), InsertResult::Inserted);
    EXPECT_EQ(lines().size(), 16u);
    EXPECT_EQ(action.events[14], 0x09);
    EXPECT_EQ(action.events[15], 0x89);
}

TEST(NameStoredEvents, GivesEveryByteUpToTheLastEventOneLine) {
    KeyAction action;
    const std::array<KeyEvent, 9> events = {0x01, 0x81, 0xC3, 0x50, 0xD0, 0x00, 0x80, 0x2F, 0x69};
    std::copy(events.begin(), events.end(), action.events.begin());
    EXPECT_EQ(NameStoredEvents(action, {}),
              (std::vector<std::u16string>{u"A  press", u"A  release", u"Prnt Scrn  release",
                                           u"Num Lock  press", u"Num Lock  release",
                                           u"Unknown key  press", u"Unknown key  release",
                                           u"\\  press", u"Right Alt  press"}));
    EXPECT_TRUE(NameStoredEvents(KeyAction::empty(), {}).empty());
}

// A stored macro with Keypad = (0x00, 0x80) in it, reopened: the selected line is
// the byte that Delete removes, and its 16 full bytes refuse an Insert.
TEST(NameStoredEvents, ReopenedMacroKeepsLinesAndBytesTogether) {
    KeyAction action;
    const std::array<KeyEvent, 16> events = {0x01, 0x00, 0x80, 0x81, 0x02, 0x82, 0x03, 0x83,
                                             0x04, 0x84, 0x05, 0x85, 0x06, 0x86, 0x07, 0x87};
    std::copy(events.begin(), events.end(), action.events.begin());
    MacroRecorder recorder;
    recorder.SetLines(NameStoredEvents(action, {}));
    ASSERT_EQ(recorder.Lines().size(), 16u);

    const auto full = action;
    EXPECT_EQ(recorder.Insert(4, 0x09, 0x89, "I", action, {}), InsertResult::TooManyEvents);
    EXPECT_EQ(action, full);
    EXPECT_EQ(recorder.Lines().size(), 16u);

    EXPECT_EQ(recorder.Lines()[3], u"A  release");
    EXPECT_TRUE(recorder.Delete(3, action));
    EXPECT_EQ(action.events[0], 0x01);
    EXPECT_EQ(action.events[1], 0x00);
    EXPECT_EQ(action.events[2], 0x80);
    EXPECT_EQ(action.events[3], 0x02);
    EXPECT_EQ(recorder.Lines()[3], u"B  press");
}

} // namespace
} // namespace pad
