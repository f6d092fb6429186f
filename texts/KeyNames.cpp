#include "texts/KeyNames.h"

#include "model/KeyCodes.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace pad {
namespace {

std::string hexByte(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFF);
    return text;
}

// Names of DeviceKeyCode 0x00-0x75, indexed by code.
constexpr std::array<std::string_view, 0x76> kNames = {
    "", // 0x00 no key
    "A",
    "B",
    "C",
    "D",
    "E",
    "F",
    "G",
    "H",
    "I",
    "J",
    "K",
    "L",
    "M", // 0x01-0x0D
    "N",
    "O",
    "P",
    "Q",
    "R",
    "S",
    "T",
    "U",
    "V",
    "W",
    "X",
    "Y",
    "Z", // 0x0E-0x1A
    "1",
    "2",
    "3",
    "4",
    "5",
    "6",
    "7",
    "8",
    "9",
    "0", // 0x1B-0x24
    "Enter",
    "Esc",
    "Backspace",
    "Tab",
    "Space", // 0x25-0x29
    "-",
    "=",
    "[",
    "]",
    "\\",
    "Non-US #",
    ";",
    "'",
    "`",
    ",",
    ".",
    "/",         // 0x2A-0x35
    "Caps Lock", // 0x36
    "F1",
    "F2",
    "F3",
    "F4",
    "F5",
    "F6",
    "F7",
    "F8",
    "F9",
    "F10",
    "F11",
    "F12", // 0x37-0x42
    "Print Screen",
    "Scroll Lock",
    "Pause", // 0x43-0x45
    "Insert",
    "Home",
    "Page Up",
    "Delete",
    "End",
    "Page Down", // 0x46-0x4B
    "R-Arrow",
    "L-Arrow",
    "D-Arrow",
    "U-Arrow", // 0x4C-0x4F
    "Num Lock",
    "KP /",
    "KP *",
    "KP -",
    "KP +",
    "KP Enter", // 0x50-0x55
    "KP 1",
    "KP 2",
    "KP 3",
    "KP 4",
    "KP 5",
    "KP 6",
    "KP 7",
    "KP 8",
    "KP 9",
    "KP 0", // 0x56-0x5F
    "KP .",
    "Non-US \\",
    "Application", // 0x60-0x62
    "L-Ctrl",
    "L-Shift",
    "L-Alt",
    "L-GUI", // 0x63-0x66
    "R-Ctrl",
    "R-Shift",
    "R-Alt",
    "R-GUI", // 0x67-0x6A
    "KP ,",  // 0x6B
    "Intl 1",
    "Intl 2",
    "Intl 3",
    "Intl 4",
    "Intl 5", // 0x6C-0x70
    "LANG2",
    "LANG1", // 0x71-0x72
    "L-Mouse",
    "M-Mouse",
    "R-Mouse", // 0x73-0x75
};

} // namespace

bool IsNamedDeviceKey(DeviceKeyCode code) {
    return code > 0 && code < kNames.size();
}

std::string DeviceKeyName(DeviceKeyCode code) {
    if (IsNamedDeviceKey(code))
        return std::string(kNames[code]);
    return hexByte(code);
}

std::string KeyEventName(KeyEvent event) {
    if (event == 0)
        return "(none)";
    return DeviceKeyName(codeOf(event)) + (isRelease(event) ? " release" : " press");
}

std::string PlayModeName(std::uint8_t playMode) {
    switch (playMode) {
    case PlayOnce:
        return "PlayOnce";
    case RepeatWhileHeld:
        return "RepeatWhileHeld";
    case RepeatUntilPressedAgain:
        return "RepeatUntilPressedAgain";
    case DirectKey:
        return "DirectKey";
    default:
        return hexByte(playMode);
    }
}

} // namespace pad
