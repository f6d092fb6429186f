#pragma once
// One captured keystroke: the message that carries it to the Macro Editor and
// its decoding into scan code, transition, HID usage, DeviceKeyCode and name.

#include "keyboard/capture/KeyLayout.h"
#include "model/KeyAction.h"

#include <cstdint>
#include <string>

namespace pad {

// The private message posted to the Macro Editor for each captured keystroke:
// wParam = virtual-key code, lParam = keystroke flags word (see PcKeys.h).
inline constexpr std::uint32_t KeyCaptureMessage = 0x6A66;

// Transition values: (flags >> 28) & 0x0C.
inline constexpr std::uint8_t TransitionDown = 0;
inline constexpr std::uint8_t TransitionRepeat = 4;
inline constexpr std::uint8_t TransitionUp = 12;

inline constexpr std::uint32_t PrintScreenUsage = 0x46;

struct KeystrokeInfo {
    std::uint32_t flags = 0;
    std::uint32_t scanCode = 0;
    std::uint8_t extended = 0;
    std::uint8_t transition = 0; // 0 down, 4 auto-repeat, 12 up; 8 counts as down
    std::uint32_t usage = 0;     // HID usage; 0 = not a known key
    DeviceKeyCode deviceCode = 0;
    std::string keyName; // UTF-8, at most 255 characters

    bool isRepeat() const { return transition == TransitionRepeat; }
    bool isUp() const { return transition == TransitionUp; }
};

// Decodes one KeyCaptureMessage. Print Screen (virtual key 0x2C) is always
// treated as a key up and named "Prnt Scrn". layout, when given, names the
// character keys (see KeyNameText).
KeystrokeInfo DecodeKeystroke(std::uintptr_t virtualKey, std::uint32_t flags,
                              KeyLayout* layout = nullptr);

} // namespace pad
