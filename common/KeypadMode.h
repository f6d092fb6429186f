#pragma once
// The keypad's four modes and the one mapping between them and their other forms: the
// main window's view index (-1 Normal, 0-2 Mode A-C), the code a mode-select report
// carries (0-3) and the names the command line and the rules use ("normal", "a", "b",
// "c").

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace pad {

enum class KeypadMode { Normal, A, B, C };

inline constexpr std::array<KeypadMode, 4> KeypadModes = {KeypadMode::Normal, KeypadMode::A,
                                                          KeypadMode::B, KeypadMode::C};

constexpr int ModeCode(KeypadMode mode) {
    return int(mode);
}
constexpr int ViewIndex(KeypadMode mode) {
    return int(mode) - 1;
}
// The mode of a view index -1..2 or a mode code 0..3; nullopt outside them.
constexpr std::optional<KeypadMode> ModeOfViewIndex(int view) {
    if (view < -1 || view > 2)
        return std::nullopt;
    return KeypadMode(view + 1);
}
constexpr std::optional<KeypadMode> ModeOfCode(int code) {
    return ModeOfViewIndex(code - 1);
}

constexpr std::string_view ModeName(KeypadMode mode) {
    constexpr std::array<std::string_view, 4> names = {"normal", "a", "b", "c"};
    return names[std::size_t(mode)];
}

// True when a and b are the same but for the case of ASCII letters.
constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

// The mode a name gives, in any letter case; nullopt for anything else.
constexpr std::optional<KeypadMode> ModeOfName(std::string_view name) {
    for (KeypadMode mode : KeypadModes)
        if (EqualIgnoringAsciiCase(ModeName(mode), name))
            return mode;
    return std::nullopt;
}

} // namespace pad
