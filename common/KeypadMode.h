#pragma once
// The keypad's four modes and the one mapping between them and the numbers and names
// the suite uses for them: the keypad view's index (-1 Normal mode, 0 to 2 Mode A to
// C), the mode code of the mode-select report (0 to 3), the names of the command line
// and the rules file ("normal", "a", "b", "c") and the names shown to the user
// ("Normal mode", "Mode A" ...). Qt-free.

#include "common/KeypadProtocol.h"

#include <array>
#include <optional>
#include <string_view>

namespace pad {

enum class KeypadMode { Normal, A, B, C };

inline constexpr std::array<KeypadMode, 4> AllKeypadModes{KeypadMode::Normal, KeypadMode::A,
                                                          KeypadMode::B, KeypadMode::C};

namespace detail {
struct KeypadModeNames {
    KeypadMode mode;
    int viewIndex;
    int code;
    std::string_view name;
    std::string_view displayName;
};
inline constexpr std::array<KeypadModeNames, 4> KeypadModeTable{{
    {KeypadMode::Normal, -1, ModeCodeNormal, "normal", "Normal mode"},
    {KeypadMode::A, 0, ModeCodeA, "a", "Mode A"},
    {KeypadMode::B, 1, ModeCodeB, "b", "Mode B"},
    {KeypadMode::C, 2, ModeCodeC, "c", "Mode C"},
}};
constexpr const KeypadModeNames& NamesOf(KeypadMode mode) {
    return KeypadModeTable[static_cast<std::size_t>(mode)];
}
constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}
constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}
} // namespace detail

// -1 for Normal mode, 0, 1, 2 for Mode A, B, C.
constexpr int ViewIndexOf(KeypadMode mode) {
    return detail::NamesOf(mode).viewIndex;
}
// 0 for Normal mode, 1, 2, 3 for Mode A, B, C: the mode-select report's data byte.
constexpr int ModeCodeOf(KeypadMode mode) {
    return detail::NamesOf(mode).code;
}
// "normal", "a", "b", "c".
constexpr std::string_view NameOf(KeypadMode mode) {
    return detail::NamesOf(mode).name;
}
// "Normal mode", "Mode A", "Mode B", "Mode C".
constexpr std::string_view DisplayNameOf(KeypadMode mode) {
    return detail::NamesOf(mode).displayName;
}

constexpr std::optional<KeypadMode> KeypadModeFromViewIndex(int viewIndex) {
    for (const auto& entry : detail::KeypadModeTable)
        if (entry.viewIndex == viewIndex)
            return entry.mode;
    return std::nullopt;
}
constexpr std::optional<KeypadMode> KeypadModeFromCode(int code) {
    for (const auto& entry : detail::KeypadModeTable)
        if (entry.code == code)
            return entry.mode;
    return std::nullopt;
}
// The mode a name stands for, in any case ("B" is Mode B too).
constexpr std::optional<KeypadMode> KeypadModeFromName(std::string_view name) {
    for (const auto& entry : detail::KeypadModeTable)
        if (detail::EqualIgnoringAsciiCase(entry.name, name))
            return entry.mode;
    return std::nullopt;
}

} // namespace pad
