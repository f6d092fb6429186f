#pragma once
// The physical keys: one row per key of a PC keyboard, and the three mouse buttons
// the keypad can send, with every code the key is known by and its names. The
// conversions between evdev codes, PC scan codes, virtual keys, HID usages and
// DeviceKeyCodes, and the key names, are all read from this one table.

#include "model/KeyAction.h"
#include "model/KeyCodes.h"

#include <cstdint>
#include <string_view>

namespace pad {

enum KeyTrait : std::uint8_t {
    // The key types a character, so the active keyboard layout names it: the digit
    // row, the letter rows with their punctuation, the key beside left Shift and the
    // Japanese Ro and Yen keys.
    Character = 1,
    // A usage no key sends: the row only gives the scan code that names the usage
    // (backslash's names Non-US #), and that scan code leads to its own row.
    UsageOnly = 2,
};

struct PhysicalKey {
    // HID keyboard-page usage; 0 for the mouse buttons. Several rows may share one
    // usage when a keyboard sends it under several scan codes (Pause and Break).
    std::uint8_t usage;
    // The keypad's code of the usage, given on the one row whose scan code names the
    // usage; 0 on the usage's other rows and for usages without a code.
    DeviceKeyCode code;
    // PC scan code (set 1), 0xE0xx for a key sent with the E0 prefix (extended); 0 = none.
    std::uint16_t scan;
    // evdev key code (linux/input-event-codes.h); 0 = none.
    std::uint16_t evdev;
    // Virtual-key code (US layout); 0 where none is needed.
    std::uint8_t virtualKey;
    // The name a user of a US keyboard knows ("Num 7", "Right Ctrl"); "" = none.
    std::string_view name;
    // The name of the code in the keypad's listings ("KP 7", "R-Ctrl"); "" = none.
    std::string_view codeName;
    std::uint8_t traits = 0;

    constexpr std::uint8_t scanByte() const { return std::uint8_t(scan & 0xFF); }
    constexpr bool extended() const { return scan > 0xFF; }
    constexpr bool is(KeyTrait trait) const { return (traits & trait) != 0; }
    // The scan code and extended mark lead to this row.
    constexpr bool sendsScan() const { return scan != 0 && !is(UsageOnly); }
};

inline constexpr PhysicalKey PhysicalKeys[] = {
    // usage, code, scan, evdev, virtual key, name, code name, traits
    // keyboard error reports
    {0x01, 0, 0xFF, 0, 0, "", ""},
    {0x02, 0, 0xFC, 0, 0, "", ""},
    // letters
    {0x04, 0x01, 0x1E, 30, 'A', "A", "A", Character},
    {0x05, 0x02, 0x30, 48, 'B', "B", "B", Character},
    {0x06, 0x03, 0x2E, 46, 'C', "C", "C", Character},
    {0x07, 0x04, 0x20, 32, 'D', "D", "D", Character},
    {0x08, 0x05, 0x12, 18, 'E', "E", "E", Character},
    {0x09, 0x06, 0x21, 33, 'F', "F", "F", Character},
    {0x0A, 0x07, 0x22, 34, 'G', "G", "G", Character},
    {0x0B, 0x08, 0x23, 35, 'H', "H", "H", Character},
    {0x0C, 0x09, 0x17, 23, 'I', "I", "I", Character},
    {0x0D, 0x0A, 0x24, 36, 'J', "J", "J", Character},
    {0x0E, 0x0B, 0x25, 37, 'K', "K", "K", Character},
    {0x0F, 0x0C, 0x26, 38, 'L', "L", "L", Character},
    {0x10, 0x0D, 0x32, 50, 'M', "M", "M", Character},
    {0x11, 0x0E, 0x31, 49, 'N', "N", "N", Character},
    {0x12, 0x0F, 0x18, 24, 'O', "O", "O", Character},
    {0x13, 0x10, 0x19, 25, 'P', "P", "P", Character},
    {0x14, 0x11, 0x10, 16, 'Q', "Q", "Q", Character},
    {0x15, 0x12, 0x13, 19, 'R', "R", "R", Character},
    {0x16, 0x13, 0x1F, 31, 'S', "S", "S", Character},
    {0x17, 0x14, 0x14, 20, 'T', "T", "T", Character},
    {0x18, 0x15, 0x16, 22, 'U', "U", "U", Character},
    {0x19, 0x16, 0x2F, 47, 'V', "V", "V", Character},
    {0x1A, 0x17, 0x11, 17, 'W', "W", "W", Character},
    {0x1B, 0x18, 0x2D, 45, 'X', "X", "X", Character},
    {0x1C, 0x19, 0x15, 21, 'Y', "Y", "Y", Character},
    {0x1D, 0x1A, 0x2C, 44, 'Z', "Z", "Z", Character},
    // digits
    {0x1E, 0x1B, 0x02, 2, 0x31, "1", "1", Character},
    {0x1F, 0x1C, 0x03, 3, 0x32, "2", "2", Character},
    {0x20, 0x1D, 0x04, 4, 0x33, "3", "3", Character},
    {0x21, 0x1E, 0x05, 5, 0x34, "4", "4", Character},
    {0x22, 0x1F, 0x06, 6, 0x35, "5", "5", Character},
    {0x23, 0x20, 0x07, 7, 0x36, "6", "6", Character},
    {0x24, 0x21, 0x08, 8, 0x37, "7", "7", Character},
    {0x25, 0x22, 0x09, 9, 0x38, "8", "8", Character},
    {0x26, 0x23, 0x0A, 10, 0x39, "9", "9", Character},
    {0x27, 0x24, 0x0B, 11, 0x30, "0", "0", Character},
    // Enter, Esc, Backspace, Tab, Space
    {0x28, 0x25, 0x1C, 28, 0x0D, "Enter", "Enter"},
    {0x29, 0x26, 0x01, 1, 0x1B, "Esc", "Esc"},
    {0x2A, 0x27, 0x0E, 14, 0x08, "Backspace", "Backspace"},
    {0x2B, 0x28, 0x0F, 15, 0x09, "Tab", "Tab"},
    {0x2C, 0x29, 0x39, 57, 0x20, "Space", "Space"},
    // punctuation
    {0x2D, 0x2A, 0x0C, 12, 0xBD, "-", "-", Character},
    {0x2E, 0x2B, 0x0D, 13, 0xBB, "=", "=", Character},
    {0x2F, 0x2C, 0x1A, 26, 0xDB, "[", "[", Character},
    {0x30, 0x2D, 0x1B, 27, 0xDD, "]", "]", Character},
    {0x31, 0x2E, 0x2B, 43, 0xDC, "\\", "\\", Character},
    {0x32, 0x2F, 0x2B, 0, 0, "", "Non-US #", UsageOnly}, // named by backslash
    {0x33, 0x30, 0x27, 39, 0xBA, ";", ";", Character},
    {0x34, 0x31, 0x28, 40, 0xDE, "'", "'", Character},
    {0x35, 0x32, 0x29, 41, 0xC0, "`", "`", Character},
    {0x36, 0x33, 0x33, 51, 0xBC, ",", ",", Character},
    {0x37, 0x34, 0x34, 52, 0xBE, ".", ".", Character},
    {0x38, 0x35, 0x35, 53, 0xBF, "/", "/", Character},
    // Caps Lock and the function keys
    {0x39, 0x36, 0x3A, 58, 0x14, "Caps Lock", "Caps Lock"},
    {0x3A, 0x37, 0x3B, 59, 0x70, "F1", "F1"},
    {0x3B, 0x38, 0x3C, 60, 0x71, "F2", "F2"},
    {0x3C, 0x39, 0x3D, 61, 0x72, "F3", "F3"},
    {0x3D, 0x3A, 0x3E, 62, 0x73, "F4", "F4"},
    {0x3E, 0x3B, 0x3F, 63, 0x74, "F5", "F5"},
    {0x3F, 0x3C, 0x40, 64, 0x75, "F6", "F6"},
    {0x40, 0x3D, 0x41, 65, 0x76, "F7", "F7"},
    {0x41, 0x3E, 0x42, 66, 0x77, "F8", "F8"},
    {0x42, 0x3F, 0x43, 67, 0x78, "F9", "F9"},
    {0x43, 0x40, 0x44, 68, 0x79, "F10", "F10"},
    {0x44, 0x41, 0x57, 87, 0x7A, "F11", "F11"},
    {0x45, 0x42, 0x58, 88, 0x7B, "F12", "F12"},
    // Print Screen, Scroll Lock, Pause
    {0x46, 0x43, 0xE037, 99, 0x2C, "Prnt Scrn", "Print Screen"},
    {0x46, 0, 0x54, 0, 0, "Sys Req", ""}, // Alt+Print Screen
    {0x47, 0x44, 0x46, 70, 0x91, "Scroll Lock", "Scroll Lock"},
    {0x48, 0x45, 0xE046, 0, 0, "Break", "Pause"}, // Ctrl+Pause
    {0x48, 0, 0x45, 119, 0x13, "Pause", ""},      // Break names the usage
    // editing and arrow keys
    {0x49, 0x46, 0xE052, 110, 0x2D, "Insert", "Insert"},
    {0x4A, 0x47, 0xE047, 102, 0x24, "Home", "Home"},
    {0x4B, 0x48, 0xE049, 104, 0x21, "Page Up", "Page Up"},
    {0x4C, 0x49, 0xE053, 111, 0x2E, "Delete", "Delete"},
    {0x4D, 0x4A, 0xE04F, 107, 0x23, "End", "End"},
    {0x4E, 0x4B, 0xE051, 109, 0x22, "Page Down", "Page Down"},
    {0x4F, 0x4C, 0xE04D, 106, 0x27, "Right", "R-Arrow"},
    {0x50, 0x4D, 0xE04B, 105, 0x25, "Left", "L-Arrow"},
    {0x51, 0x4E, 0xE050, 108, 0x28, "Down", "D-Arrow"},
    {0x52, 0x4F, 0xE048, 103, 0x26, "Up", "U-Arrow"},
    // Num Lock and the keypad
    {0x53, 0x50, 0xE045, 69, 0x90, "Num Lock", "Num Lock"},
    {0x54, 0x51, 0xE035, 98, 0x6F, "Num /", "KP /"},
    {0x55, 0x52, 0x37, 55, 0x6A, "Num *", "KP *"},
    {0x56, 0x53, 0x4A, 74, 0x6D, "Num -", "KP -"},
    {0x57, 0x54, 0x4E, 78, 0x6B, "Num +", "KP +"},
    {0x58, 0x55, 0xE01C, 96, 0x0D, "Num Enter", "KP Enter"},
    {0x59, 0x56, 0x4F, 79, 0x61, "Num 1", "KP 1"},
    {0x5A, 0x57, 0x50, 80, 0x62, "Num 2", "KP 2"},
    {0x5B, 0x58, 0x51, 81, 0x63, "Num 3", "KP 3"},
    {0x5C, 0x59, 0x4B, 75, 0x64, "Num 4", "KP 4"},
    {0x5D, 0x5A, 0x4C, 76, 0x65, "Num 5", "KP 5"},
    {0x5E, 0x5B, 0x4D, 77, 0x66, "Num 6", "KP 6"},
    {0x5F, 0x5C, 0x47, 71, 0x67, "Num 7", "KP 7"},
    {0x60, 0x5D, 0x48, 72, 0x68, "Num 8", "KP 8"},
    {0x61, 0x5E, 0x49, 73, 0x69, "Num 9", "KP 9"},
    {0x62, 0x5F, 0x52, 82, 0x60, "Num 0", "KP 0"},
    {0x63, 0x60, 0x53, 83, 0x6E, "Num Del", "KP ."},
    // the key beside left Shift, Application
    {0x64, 0x61, 0x56, 86, 0xE2, "\\", "Non-US \\", Character},
    {0x65, 0x62, 0xE05D, 127, 0x5D, "Application", "Application"},
    // keypad =, F13 to F15
    {0x67, 0, 0x59, 117, 0x92, "Num =", ""},
    {0x68, 0, 0x5D, 183, 0x7C, "F13", ""},
    {0x69, 0, 0x5E, 184, 0x7D, "F14", ""},
    {0x6A, 0, 0x5F, 185, 0x7E, "F15", ""},
    // keypad comma and the Japanese keys
    {0x85, 0x6B, 0x7E, 121, 0xC2, "Num ,", "KP ,"},
    {0x87, 0x6C, 0x73, 89, 0xC1, "Ro", "Intl 1", Character},
    {0x88, 0x6D, 0x70, 93, 0x15, "Katakana Hiragana", "Intl 2"},
    {0x89, 0x6E, 0x7D, 124, 0, "Yen", "Intl 3", Character},
    {0x8A, 0x6F, 0x79, 92, 0x1C, "Henkan", "Intl 4"},
    {0x8B, 0x70, 0x7B, 94, 0x1D, "Muhenkan", "Intl 5"},
    {0x8C, 0, 0x5C, 95, 0, "Num ,", ""},
    // Korean and Japanese input keys
    {0x90, 0x72, 0xF2, 122, 0x15, "Hangul", "LANG1"},
    {0x90, 0, 0xE0F2, 0, 0, "Hangul", ""},
    {0x91, 0x71, 0xF1, 123, 0x19, "Hanja", "LANG2"},
    {0x91, 0, 0xE0F1, 0, 0, "Hanja", ""},
    {0x92, 0, 0x78, 90, 0, "Katakana", ""},
    {0x93, 0, 0x77, 91, 0, "Hiragana", ""},
    {0x94, 0, 0x76, 85, 0xF3, "Zenkaku Hankaku", ""},
    // modifiers
    {0xE0, 0x63, 0x1D, 29, 0x11, "Ctrl", "L-Ctrl"},
    {0xE1, 0x64, 0x2A, 42, 0x10, "Shift", "L-Shift"},
    {0xE2, 0x65, 0x38, 56, 0x12, "Alt", "L-Alt"},
    {0xE3, 0x66, 0xE05B, 125, 0x5B, "Left Windows", "L-GUI"},
    {0xE4, 0x67, 0xE01D, 97, 0x11, "Right Ctrl", "R-Ctrl"},
    {0xE5, 0x68, 0x36, 54, 0x10, "Right Shift", "R-Shift"},
    {0xE5, 0, 0xE036, 0, 0, "Right Shift", ""}, // sent with some extended keys
    {0xE6, 0x69, 0xE038, 100, 0x12, "Right Alt", "R-Alt"},
    {0xE7, 0x6A, 0xE05C, 126, 0x5C, "Right Windows", "R-GUI"},
    // the mouse buttons
    {0, MouseLeftCode, 0, 0, 0, "", "L-Mouse"},
    {0, MouseMiddleCode, 0, 0, 0, "", "M-Mouse"},
    {0, MouseRightCode, 0, 0, 0, "", "R-Mouse"},
};

} // namespace pad
