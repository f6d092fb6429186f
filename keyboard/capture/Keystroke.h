#pragma once
// One captured keystroke: the value the capture reports for each key transition, and
// its decoding into what the recording and single-key rules read (HID usage,
// DeviceKeyCode and the key's name), all taken from the table of physical keys.

#include "keyboard/capture/KeyLayout.h"
#include "model/KeyAction.h"
#include "model/PhysicalKeys.h"

#include <cstdint>
#include <string>

namespace pad {

enum class KeyTransition : std::uint8_t {
    Down,       // the key went down
    AutoRepeat, // the key was already down
    Up,         // the key went up
};

// One key transition: which physical key, how it moved, and whether Alt was held.
struct Keystroke {
    const PhysicalKey* key = nullptr; // a row of PhysicalKeys
    KeyTransition transition = KeyTransition::Down;
    bool altHeld = false;

    friend bool operator==(const Keystroke&, const Keystroke&) = default;
};

inline constexpr std::uint32_t PrintScreenUsage = 0x46;

// A keystroke as the rules read it (KeystrokeInfo).
struct KeystrokeInfo {
    KeyTransition transition = KeyTransition::Down;
    std::uint32_t usage = 0;      // HID usage; 0 = not a known key
    DeviceKeyCode deviceCode = 0; // 0 where the usage has none
    std::string keyName;          // UTF-8

    bool isRepeat() const { return transition == KeyTransition::AutoRepeat; }
    bool isUp() const { return transition == KeyTransition::Up; }
};

// Decodes one keystroke. Print Screen always counts as a key up. layout, when given,
// names the character keys (see keyNameOf).
KeystrokeInfo DecodeKeystroke(const Keystroke& stroke, KeyLayout* layout = nullptr);

} // namespace pad
