#include "keyboard/capture/PcKeys.h"

namespace pad {
namespace {

struct EvdevEntry {
    std::uint16_t evdev;
    std::uint8_t scan;
    bool extended;
    std::uint8_t virtualKey;
};

// evdev code -> set-1 scan code, E0 mark, virtual-key code (US layout).
constexpr EvdevEntry kEvdevTable[] = {
    {1, 0x01, false, 0x1B},   // Esc
    {2, 0x02, false, 0x31},   // 1
    {3, 0x03, false, 0x32},   // 2
    {4, 0x04, false, 0x33},   // 3
    {5, 0x05, false, 0x34},   // 4
    {6, 0x06, false, 0x35},   // 5
    {7, 0x07, false, 0x36},   // 6
    {8, 0x08, false, 0x37},   // 7
    {9, 0x09, false, 0x38},   // 8
    {10, 0x0A, false, 0x39},  // 9
    {11, 0x0B, false, 0x30},  // 0
    {12, 0x0C, false, 0xBD},  // -
    {13, 0x0D, false, 0xBB},  // =
    {14, 0x0E, false, 0x08},  // Backspace
    {15, 0x0F, false, 0x09},  // Tab
    {16, 0x10, false, 'Q'},   //
    {17, 0x11, false, 'W'},   //
    {18, 0x12, false, 'E'},   //
    {19, 0x13, false, 'R'},   //
    {20, 0x14, false, 'T'},   //
    {21, 0x15, false, 'Y'},   //
    {22, 0x16, false, 'U'},   //
    {23, 0x17, false, 'I'},   //
    {24, 0x18, false, 'O'},   //
    {25, 0x19, false, 'P'},   //
    {26, 0x1A, false, 0xDB},  // [
    {27, 0x1B, false, 0xDD},  // ]
    {28, 0x1C, false, 0x0D},  // Enter
    {29, 0x1D, false, 0x11},  // Left Ctrl
    {30, 0x1E, false, 'A'},   //
    {31, 0x1F, false, 'S'},   //
    {32, 0x20, false, 'D'},   //
    {33, 0x21, false, 'F'},   //
    {34, 0x22, false, 'G'},   //
    {35, 0x23, false, 'H'},   //
    {36, 0x24, false, 'J'},   //
    {37, 0x25, false, 'K'},   //
    {38, 0x26, false, 'L'},   //
    {39, 0x27, false, 0xBA},  // ;
    {40, 0x28, false, 0xDE},  // '
    {41, 0x29, false, 0xC0},  // `
    {42, 0x2A, false, 0x10},  // Left Shift
    {43, 0x2B, false, 0xDC},  // backslash
    {44, 0x2C, false, 'Z'},   //
    {45, 0x2D, false, 'X'},   //
    {46, 0x2E, false, 'C'},   //
    {47, 0x2F, false, 'V'},   //
    {48, 0x30, false, 'B'},   //
    {49, 0x31, false, 'N'},   //
    {50, 0x32, false, 'M'},   //
    {51, 0x33, false, 0xBC},  // ,
    {52, 0x34, false, 0xBE},  // .
    {53, 0x35, false, 0xBF},  // /
    {54, 0x36, false, 0x10},  // Right Shift
    {55, 0x37, false, 0x6A},  // Keypad *
    {56, 0x38, false, 0x12},  // Left Alt
    {57, 0x39, false, 0x20},  // Space
    {58, 0x3A, false, 0x14},  // Caps Lock
    {59, 0x3B, false, 0x70},  // F1
    {60, 0x3C, false, 0x71},  // F2
    {61, 0x3D, false, 0x72},  // F3
    {62, 0x3E, false, 0x73},  // F4
    {63, 0x3F, false, 0x74},  // F5
    {64, 0x40, false, 0x75},  // F6
    {65, 0x41, false, 0x76},  // F7
    {66, 0x42, false, 0x77},  // F8
    {67, 0x43, false, 0x78},  // F9
    {68, 0x44, false, 0x79},  // F10
    {69, 0x45, true, 0x90},   // Num Lock
    {70, 0x46, false, 0x91},  // Scroll Lock
    {71, 0x47, false, 0x67},  // Keypad 7
    {72, 0x48, false, 0x68},  // Keypad 8
    {73, 0x49, false, 0x69},  // Keypad 9
    {74, 0x4A, false, 0x6D},  // Keypad -
    {75, 0x4B, false, 0x64},  // Keypad 4
    {76, 0x4C, false, 0x65},  // Keypad 5
    {77, 0x4D, false, 0x66},  // Keypad 6
    {78, 0x4E, false, 0x6B},  // Keypad +
    {79, 0x4F, false, 0x61},  // Keypad 1
    {80, 0x50, false, 0x62},  // Keypad 2
    {81, 0x51, false, 0x63},  // Keypad 3
    {82, 0x52, false, 0x60},  // Keypad 0
    {83, 0x53, false, 0x6E},  // Keypad .
    {85, 0x76, false, 0xF3},  // Zenkaku/Hankaku
    {86, 0x56, false, 0xE2},  // Non-US backslash
    {87, 0x57, false, 0x7A},  // F11
    {88, 0x58, false, 0x7B},  // F12
    {89, 0x73, false, 0xC1},  // Ro
    {90, 0x78, false, 0},     // Katakana
    {91, 0x77, false, 0},     // Hiragana
    {92, 0x79, false, 0x1C},  // Henkan
    {93, 0x70, false, 0x15},  // Katakana/Hiragana
    {94, 0x7B, false, 0x1D},  // Muhenkan
    {95, 0x5C, false, 0},     // Keypad Japanese comma
    {96, 0x1C, true, 0x0D},   // Keypad Enter
    {97, 0x1D, true, 0x11},   // Right Ctrl
    {98, 0x35, true, 0x6F},   // Keypad /
    {99, 0x37, true, 0x2C},   // Print Screen
    {100, 0x38, true, 0x12},  // Right Alt
    {102, 0x47, true, 0x24},  // Home
    {103, 0x48, true, 0x26},  // Up
    {104, 0x49, true, 0x21},  // Page Up
    {105, 0x4B, true, 0x25},  // Left
    {106, 0x4D, true, 0x27},  // Right
    {107, 0x4F, true, 0x23},  // End
    {108, 0x50, true, 0x28},  // Down
    {109, 0x51, true, 0x22},  // Page Down
    {110, 0x52, true, 0x2D},  // Insert
    {111, 0x53, true, 0x2E},  // Delete
    {117, 0x59, false, 0x92}, // Keypad =
    {119, 0x45, false, 0x13}, // Pause
    {121, 0x7E, false, 0xC2}, // Keypad ,
    {122, 0xF2, false, 0x15}, // Hangul
    {123, 0xF1, false, 0x19}, // Hanja
    {124, 0x7D, false, 0},    // Yen
    {125, 0x5B, true, 0x5B},  // Left Windows
    {126, 0x5C, true, 0x5C},  // Right Windows
    {127, 0x5D, true, 0x5D},  // Application
    {183, 0x5D, false, 0x7C}, // F13
    {184, 0x5E, false, 0x7D}, // F14
    {185, 0x5F, false, 0x7E}, // F15
};

} // namespace

std::optional<PcKey> PcKeyFromEvdev(unsigned evdevCode) {
    for (const auto& e : kEvdevTable)
        if (e.evdev == evdevCode)
            return PcKey{e.scan, e.extended, e.virtualKey};
    return std::nullopt;
}

std::optional<unsigned> EvdevFromPcKey(std::uint8_t scan, bool extended) {
    for (const auto& e : kEvdevTable)
        if (e.scan == scan && e.extended == extended)
            return e.evdev;
    return std::nullopt;
}

std::uint32_t KeystrokeFlags(const PcKey& key, KeyTransition transition, bool altHeld) {
    std::uint32_t flags = 1; // repeat count
    flags |= std::uint32_t(key.scan) << 16;
    if (key.extended)
        flags |= 1u << 24;
    if (altHeld)
        flags |= 1u << 29;
    if (transition != KeyTransition::Down)
        flags |= 1u << 30;
    if (transition == KeyTransition::Up)
        flags |= 1u << 31;
    return flags;
}

} // namespace pad
