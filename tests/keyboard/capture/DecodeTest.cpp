#include "keyboard/capture/Keystroke.h"
#include "keyboard/capture/PhysicalKeyLookup.h"
#include "model/KeyCodes.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

constexpr unsigned EvdevA = 30, EvdevRightShift = 54, EvdevNumLock = 69, EvdevSysRq = 99,
                   EvdevRightCtrl = 97, EvdevKeypadEqual = 117, EvdevPause = 119;

KeystrokeInfo decode(unsigned evdev, KeyTransition t = KeyTransition::Down) {
    return DecodeKeystroke({keyOfEvdev(evdev), t});
}

// The same physical key whichever window system reports it: by its X keycode, or by
// the scan code and virtual key Qt gives on Windows.
TEST(KeyLookup, WindowSystemsCodesNameTheSameKeys) {
    int keys = 0;
    for (unsigned evdev = 1; evdev < 256; ++evdev) {
        const PhysicalKey* key = keyOfEvdev(evdev);
        if (!key)
            continue;
        ++keys;
        EXPECT_EQ(keyOfXkbKeycode(evdev + 8), key) << evdev;
        EXPECT_EQ(keyOfWindowsKey(key->scanByte() | (key->extended() ? 0x100u : 0u), 0), key)
            << evdev;
        EXPECT_NE(decode(evdev).usage, 0u) << evdev;
        EXPECT_FALSE(decode(evdev).keyName.empty()) << evdev;
    }
    EXPECT_GT(keys, 100);
    // Print Screen by its virtual key, also as Alt changes its scan code to 0x54.
    EXPECT_EQ(keyOfWindowsKey(0x54, 0x2C), keyOfEvdev(EvdevSysRq));
    EXPECT_EQ(keyOfWindowsKey(0x137, 0x2C), keyOfEvdev(EvdevSysRq));
    // Num Lock is extended 0x45 and Pause plain 0x45, as the decoding tables have them.
    EXPECT_EQ(keyOfWindowsKey(0x145, 0x90), keyOfEvdev(EvdevNumLock));
    EXPECT_EQ(keyOfWindowsKey(0x045, 0x13), keyOfEvdev(EvdevPause));
    EXPECT_EQ(keyOfEvdev(0), nullptr);
    EXPECT_EQ(keyOfEvdev(240), nullptr);
    EXPECT_EQ(keyOfXkbKeycode(7), nullptr);
    EXPECT_EQ(keyOfWindowsKey(0x100, 0), nullptr);
}

// Every code a stored macro can hold is named by a key that leads back to its usage;
// Non-US # borrows the name of backslash, whose scan code it shares.
TEST(KeyLookup, EveryKeyboardCodeHasAKeyToNameIt) {
    for (unsigned code = 1; code <= 0x72; ++code) {
        const PhysicalKey* key = keyOfDeviceCode(DeviceKeyCode(code));
        ASSERT_NE(key, nullptr) << code;
        EXPECT_FALSE(key->name.empty()) << code;
        const std::uint32_t usage = DeviceCodeToUsage(DeviceKeyCode(code));
        EXPECT_EQ(key->usage, usage == 0x32 ? 0x31u : usage) << code;
    }
    for (DeviceKeyCode code : {0x00, 0x73, 0x75, 0x80})
        EXPECT_EQ(keyOfDeviceCode(code), nullptr) << int(code);
}

TEST(DecodeKeystroke, TransitionsUsageCodeAndName) {
    const struct {
        unsigned evdev;
        KeyTransition sent, decoded;
        std::uint32_t usage;
        DeviceKeyCode code;
        const char* name;
    } cases[] = {
        {EvdevA, KeyTransition::Down, KeyTransition::Down, 0x04, 0x01, "A"},
        {EvdevA, KeyTransition::AutoRepeat, KeyTransition::AutoRepeat, 0x04, 0x01, "A"},
        {EvdevA, KeyTransition::Up, KeyTransition::Up, 0x04, 0x01, "A"},
        // Print Screen only ever counts as a release.
        {EvdevSysRq, KeyTransition::Down, KeyTransition::Up, PrintScreenUsage, 0x43, "Prnt Scrn"},
        {EvdevSysRq, KeyTransition::AutoRepeat, KeyTransition::Up, PrintScreenUsage, 0x43,
         "Prnt Scrn"},
        {EvdevNumLock, KeyTransition::Down, KeyTransition::Down, 0x53, 0x50, "Num Lock"},
        {EvdevPause, KeyTransition::Down, KeyTransition::Down, 0x48, 0x45, "Pause"},
        {EvdevRightCtrl, KeyTransition::Down, KeyTransition::Down, 0xE4, 0x67, "Right Ctrl"},
        {EvdevRightShift, KeyTransition::Down, KeyTransition::Down, 0xE5, 0x68, "Right Shift"},
        // A usage without a DeviceKeyCode.
        {EvdevKeypadEqual, KeyTransition::Down, KeyTransition::Down, 0x67, 0x00, "Num ="},
    };
    for (const auto& c : cases) {
        const KeystrokeInfo key = decode(c.evdev, c.sent);
        EXPECT_EQ(key.transition, c.decoded) << c.name;
        EXPECT_EQ(key.usage, c.usage) << c.name;
        EXPECT_EQ(key.deviceCode, c.code) << c.name;
        EXPECT_EQ(key.keyName, c.name);
    }
    EXPECT_EQ(DecodeKeystroke({}).usage, 0u); // no key
}

} // namespace
} // namespace pad
