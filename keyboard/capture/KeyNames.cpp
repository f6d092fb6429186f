#include "keyboard/capture/KeyNames.h"

#include "keyboard/capture/PcKeys.h"

#include <array>
#include <string_view>

namespace pad {
namespace {

using NameTable = std::array<std::string_view, 256>;

struct NameEntry {
    std::uint8_t scan;
    std::string_view name;
};

template <std::size_t N> constexpr NameTable makeNames(const NameEntry (&entries)[N]) {
    NameTable t{};
    for (const auto& e : entries)
        t[e.scan] = e.name;
    return t;
}

constexpr NameEntry kPlainNames[] = {
    {0x01, "Esc"},
    {0x02, "1"},
    {0x03, "2"},
    {0x04, "3"},
    {0x05, "4"},
    {0x06, "5"},
    {0x07, "6"},
    {0x08, "7"},
    {0x09, "8"},
    {0x0A, "9"},
    {0x0B, "0"},
    {0x0C, "-"},
    {0x0D, "="},
    {0x0E, "Backspace"},
    {0x0F, "Tab"},
    {0x10, "Q"},
    {0x11, "W"},
    {0x12, "E"},
    {0x13, "R"},
    {0x14, "T"},
    {0x15, "Y"},
    {0x16, "U"},
    {0x17, "I"},
    {0x18, "O"},
    {0x19, "P"},
    {0x1A, "["},
    {0x1B, "]"},
    {0x1C, "Enter"},
    {0x1D, "Ctrl"},
    {0x1E, "A"},
    {0x1F, "S"},
    {0x20, "D"},
    {0x21, "F"},
    {0x22, "G"},
    {0x23, "H"},
    {0x24, "J"},
    {0x25, "K"},
    {0x26, "L"},
    {0x27, ";"},
    {0x28, "'"},
    {0x29, "`"},
    {0x2A, "Shift"},
    {0x2B, "\\"},
    {0x2C, "Z"},
    {0x2D, "X"},
    {0x2E, "C"},
    {0x2F, "V"},
    {0x30, "B"},
    {0x31, "N"},
    {0x32, "M"},
    {0x33, ","},
    {0x34, "."},
    {0x35, "/"},
    {0x36, "Right Shift"},
    {0x37, "Num *"},
    {0x38, "Alt"},
    {0x39, "Space"},
    {0x3A, "Caps Lock"},
    {0x3B, "F1"},
    {0x3C, "F2"},
    {0x3D, "F3"},
    {0x3E, "F4"},
    {0x3F, "F5"},
    {0x40, "F6"},
    {0x41, "F7"},
    {0x42, "F8"},
    {0x43, "F9"},
    {0x44, "F10"},
    {0x45, "Pause"},
    {0x46, "Scroll Lock"},
    {0x47, "Num 7"},
    {0x48, "Num 8"},
    {0x49, "Num 9"},
    {0x4A, "Num -"},
    {0x4B, "Num 4"},
    {0x4C, "Num 5"},
    {0x4D, "Num 6"},
    {0x4E, "Num +"},
    {0x4F, "Num 1"},
    {0x50, "Num 2"},
    {0x51, "Num 3"},
    {0x52, "Num 0"},
    {0x53, "Num Del"},
    {0x54, "Sys Req"},
    {0x56, "\\"},
    {0x57, "F11"},
    {0x58, "F12"},
    {0x59, "Num ="},
    {0x5C, "Num ,"},
    {0x5D, "F13"},
    {0x5E, "F14"},
    {0x5F, "F15"},
    {0x70, "Katakana Hiragana"},
    {0x73, "Ro"},
    {0x76, "Zenkaku Hankaku"},
    {0x77, "Hiragana"},
    {0x78, "Katakana"},
    {0x79, "Henkan"},
    {0x7B, "Muhenkan"},
    {0x7D, "Yen"},
    {0x7E, "Num ,"},
    {0xF1, "Hanja"},
    {0xF2, "Hangul"},
};

constexpr NameEntry kExtendedNames[] = {
    {0x1C, "Num Enter"},   {0x1D, "Right Ctrl"}, {0x35, "Num /"},        {0x36, "Right Shift"},
    {0x37, "Prnt Scrn"},   {0x38, "Right Alt"},  {0x45, "Num Lock"},     {0x46, "Break"},
    {0x47, "Home"},        {0x48, "Up"},         {0x49, "Page Up"},      {0x4B, "Left"},
    {0x4D, "Right"},       {0x4F, "End"},        {0x50, "Down"},         {0x51, "Page Down"},
    {0x52, "Insert"},      {0x53, "Delete"},     {0x5B, "Left Windows"}, {0x5C, "Right Windows"},
    {0x5D, "Application"}, {0xF1, "Hanja"},      {0xF2, "Hangul"},
};

constexpr NameTable kPlainNameTable = makeNames(kPlainNames);
constexpr NameTable kExtendedNameTable = makeNames(kExtendedNames);

// The keys of the main block that type a character, whose names follow the
// layout: the digit row, the three letter rows with their punctuation, the key
// beside left Shift (102-key boards) and the Japanese Ro and Yen keys. Space,
// the keypad and the keys that type nothing keep their fixed names.
bool IsCharacterKey(unsigned evdev) {
    return (evdev >= 2 && evdev <= 13) || (evdev >= 16 && evdev <= 27) ||
           (evdev >= 30 && evdev <= 41) || (evdev >= 43 && evdev <= 53) || evdev == 86 ||
           evdev == 89 || evdev == 124;
}

} // namespace

std::string KeyNameText(std::uint32_t flags, KeyLayout* layout) {
    const auto scan = std::uint8_t((flags >> 16) & 0xFF);
    const bool extended = (flags >> 24) & 1;
    if (layout) {
        const auto evdev = EvdevFromPcKey(scan, extended);
        if (evdev && IsCharacterKey(*evdev)) {
            std::string name = layout->CharacterKeyName(*evdev);
            if (!name.empty())
                return name;
        }
    }
    return std::string(extended ? kExtendedNameTable[scan] : kPlainNameTable[scan]);
}

} // namespace pad
