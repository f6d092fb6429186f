#include "KeyFeed.h"
#include "keyboard/capture/SingleKeyCapture.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

using namespace testkeys;

TEST(SingleKeyRules, PressAndReleaseOfOneKey) {
    CapturedKey captured;
    ApplySingleKey(captured, Down(A));
    ApplySingleKey(captured, Up(A));
    EXPECT_EQ(captured.pressCode, 0x01);
    EXPECT_EQ(captured.releaseCode, 0x81);
    EXPECT_EQ(captured.lastKeystroke.keyName, "A");
}

TEST(SingleKeyRules, LastDownAndLastUpWinEvenFromDifferentKeys) {
    CapturedKey captured;
    ApplySingleKey(captured, Down(A));
    ApplySingleKey(captured, Down(B));
    ApplySingleKey(captured, Up(A));
    EXPECT_EQ(captured.pressCode, 0x02);
    EXPECT_EQ(captured.releaseCode, 0x81);
}

TEST(SingleKeyRules, PrintScreenSetsBothCodesToItsRelease) {
    CapturedKey captured;
    ApplySingleKey(captured, Down(SysRq));
    EXPECT_EQ(captured.pressCode, 0xC3);
    EXPECT_EQ(captured.releaseCode, 0xC3);
    EXPECT_EQ(captured.lastKeystroke.keyName, "Prnt Scrn");
}

TEST(SingleKeyRules, RepeatsKeepTheCodesButUpdateTheLastKeystroke) {
    CapturedKey captured;
    ApplySingleKey(captured, Down(A));
    ApplySingleKey(captured, Repeat(B));
    EXPECT_EQ(captured.pressCode, 0x01);
    EXPECT_EQ(captured.releaseCode, 0);
    EXPECT_EQ(captured.lastKeystroke.keyName, "B");
}

// The key held across Rec leaves the press code 0, and a held key's repeats do not
// take the press code back from a later key.
TEST(SingleKeyRules, PressesOfAKeyAlreadyDownKeepThePressCode) {
    const std::tuple<std::vector<unsigned>, std::vector<KeystrokeInfo>, int> cases[] = {
        {{A}, {Down(A), Down(A), Up(A)}, 0},
        {{}, {Down(A), Down(B), Down(A)}, 0x02},
    };
    for (const auto& [downAtStart, keys, pressCode] : cases) {
        CapturedKey captured;
        captured.held.Reset(downAtStart);
        for (const KeystrokeInfo& key : keys)
            ApplySingleKey(captured, key);
        EXPECT_EQ(captured.pressCode, pressCode);
    }
}

TEST(SingleKeyRules, ReleaseWithoutPressLeavesPressCodeZero) {
    CapturedKey captured;
    ApplySingleKey(captured, Up(A));
    EXPECT_EQ(captured.pressCode, 0);
    EXPECT_EQ(captured.releaseCode, 0x81);
}

TEST(SingleKeyRules, KeyWithoutDeviceCodeGivesCodeZero) {
    CapturedKey captured;
    ApplySingleKey(captured, Down(KeypadEqual));
    EXPECT_EQ(captured.pressCode, 0);
    EXPECT_EQ(captured.lastKeystroke.keyName, "Num =");
}

} // namespace
} // namespace pad
