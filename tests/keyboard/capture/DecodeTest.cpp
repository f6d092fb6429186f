#include "keyboard/capture/KeyNames.h"
#include "keyboard/capture/Keystroke.h"
#include "keyboard/capture/PcKeys.h"
#include "keyboard/capture/ScanTables.h"
#include "model/KeyCodes.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

constexpr unsigned EvdevA = 30, EvdevRightShift = 54, EvdevNumLock = 69, EvdevSysRq = 99,
                   EvdevRightCtrl = 97, EvdevKeypadEqual = 117, EvdevPause = 119, EvdevUp = 103;

std::uint32_t flagsOf(unsigned evdev, KeyTransition t, bool alt = false) {
    return KeystrokeFlags(*PcKeyFromEvdev(evdev), t, alt);
}

TEST(KeystrokeFlags, CarryScanExtendedAndTransitionBits) {
    EXPECT_EQ(flagsOf(EvdevA, KeyTransition::Down), 0x001E0001u);
    EXPECT_EQ(flagsOf(EvdevA, KeyTransition::AutoRepeat), 0x401E0001u);
    EXPECT_EQ(flagsOf(EvdevA, KeyTransition::Up), 0xC01E0001u);
    EXPECT_EQ(flagsOf(EvdevA, KeyTransition::Down, true), 0x201E0001u);
    EXPECT_EQ(flagsOf(EvdevRightCtrl, KeyTransition::Down), 0x011D0001u);
    EXPECT_EQ(flagsOf(EvdevUp, KeyTransition::Up), 0xC1480001u);
    EXPECT_EQ(EvdevFromNativeScanCode(38), EvdevA); // X11 keycode of A
}

TEST(PcKeys, NumLockPauseAndPrintScreenFollowTheTablesConventions) {
    EXPECT_EQ(PcKeyFromEvdev(EvdevNumLock)->scan, 0x45);
    EXPECT_TRUE(PcKeyFromEvdev(EvdevNumLock)->extended);
    EXPECT_EQ(PcKeyFromEvdev(EvdevPause)->scan, 0x45);
    EXPECT_FALSE(PcKeyFromEvdev(EvdevPause)->extended);
    EXPECT_EQ(PcKeyFromEvdev(EvdevSysRq)->virtualKey, VkPrintScreen);
    EXPECT_FALSE(PcKeyFromEvdev(0).has_value());
    EXPECT_FALSE(PcKeyFromEvdev(240).has_value());
}

TEST(PcKeys, EveryMappedKeyHasAUsageAndAName) {
    int mapped = 0;
    for (unsigned evdev = 0; evdev < 256; ++evdev) {
        const auto key = PcKeyFromEvdev(evdev);
        if (!key)
            continue;
        ++mapped;
        EXPECT_NE(ScanToUsage(key->scan, key->extended), 0u) << "evdev " << evdev;
        const auto flags = KeystrokeFlags(*key, KeyTransition::Down, false);
        EXPECT_FALSE(KeyNameText(flags).empty()) << "evdev " << evdev;
    }
    EXPECT_GT(mapped, 100);
}

TEST(ScanTables, UsageToScanLeadsBackToTheSameUsage) {
    for (unsigned code = 1; code <= 0x72; ++code) {
        const auto usage = DeviceCodeToUsage(DeviceKeyCode(code));
        if (usage == 0x32) // Non-US # shares the scan code of backslash
            continue;
        const auto scan = UsageToScan(std::uint8_t(usage));
        ASSERT_NE(scan, 0) << "usage " << usage;
        EXPECT_EQ(ScanToUsage(std::uint8_t(scan & 0xFF), scan > 0xFF), usage) << "usage " << usage;
    }
    EXPECT_EQ(UsageToScan(0x32), UsageToScan(0x31));
    EXPECT_EQ(UsageToScan(0x67), 0); // Keypad = has no DeviceKeyCode
}

TEST(DecodeKeystroke, LetterDownRepeatUp) {
    const auto down = DecodeKeystroke('A', 0x001E0001u);
    EXPECT_EQ(down.transition, TransitionDown);
    EXPECT_EQ(down.scanCode, 0x1Eu);
    EXPECT_EQ(down.extended, 0);
    EXPECT_EQ(down.usage, 0x04u);
    EXPECT_EQ(down.deviceCode, 0x01);
    EXPECT_EQ(down.keyName, "A");
    EXPECT_TRUE(DecodeKeystroke('A', 0x401E0001u).isRepeat());
    EXPECT_TRUE(DecodeKeystroke('A', 0xC01E0001u).isUp());
    // Key up without a previous down state counts as a key down.
    const auto odd = DecodeKeystroke('A', 0x801E0001u);
    EXPECT_FALSE(odd.isUp());
    EXPECT_FALSE(odd.isRepeat());
}

TEST(DecodeKeystroke, PrintScreenAlwaysArrivesAsAKeyUp) {
    for (std::uint32_t flags : {0x01370001u, 0xC1370001u, 0x41370001u, 0x00540001u}) {
        const auto key = DecodeKeystroke(VkPrintScreen, flags);
        EXPECT_EQ(key.flags, 0xC1370001u);
        EXPECT_TRUE(key.isUp());
        EXPECT_EQ(key.usage, PrintScreenUsage);
        EXPECT_EQ(key.deviceCode, 0x43);
        EXPECT_EQ(key.keyName, "Prnt Scrn");
    }
    // Only a repeat count of 0 keeps the flags as they came.
    EXPECT_EQ(DecodeKeystroke(VkPrintScreen, 0x01370000u).transition, TransitionDown);
}

TEST(DecodeKeystroke, ExtendedRightShiftIsNamedPlainly) {
    const auto key = DecodeKeystroke(0x10, 0x01360000u);
    EXPECT_EQ(key.keyName, "Right Shift");
    EXPECT_EQ(key.usage, 0xE5u);
    EXPECT_EQ(key.deviceCode, 0x68);
}

TEST(DecodeKeystroke, NamesAndCodesOfSpecialKeys) {
    EXPECT_EQ(DecodeKeystroke(0x90, flagsOf(EvdevNumLock, KeyTransition::Down)).keyName,
              "Num Lock");
    EXPECT_EQ(DecodeKeystroke(0x90, flagsOf(EvdevNumLock, KeyTransition::Down)).usage, 0x53u);
    EXPECT_EQ(DecodeKeystroke(0x13, flagsOf(EvdevPause, KeyTransition::Down)).keyName, "Pause");
    EXPECT_EQ(DecodeKeystroke(0x11, flagsOf(EvdevRightCtrl, KeyTransition::Down)).keyName,
              "Right Ctrl");
    EXPECT_EQ(DecodeKeystroke(0x10, flagsOf(EvdevRightShift, KeyTransition::Down)).keyName,
              "Right Shift");
    const auto equal = DecodeKeystroke(0x92, flagsOf(EvdevKeypadEqual, KeyTransition::Down));
    EXPECT_EQ(equal.usage, 0x67u);
    EXPECT_EQ(equal.deviceCode, 0);
    EXPECT_EQ(equal.keyName, "Num =");
    EXPECT_EQ(DecodeKeystroke(0, 0x00000001u).usage, 0u); // scan 0: not a key
}

} // namespace
} // namespace pad
