#pragma once
// UTF-16, the text of the whole suite (labels, macro names, paths, language texts),
// and its conversions to and from UTF-8 and code points. Qt-free; Qt code converts
// with texts/qt/QtUtf16.h.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pad {

constexpr bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
constexpr bool IsSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

// Appends a code point: one unit, or a surrogate pair beyond U+FFFF.
void AppendUtf16(std::u16string& out, char32_t codePoint);

// At most maxUnits units of text, without the first half of a pair cut off from its
// second.
std::u16string_view ClampUtf16(std::u16string_view text, std::size_t maxUnits);

// The UTF-8 sequence that bytes start with; nullopt when they start with none (a
// stray or cut sequence, an overlong form, a surrogate, a value past U+10FFFF).
struct Utf8Sequence {
    char32_t codePoint;
    std::size_t length; // bytes
};
std::optional<Utf8Sequence> DecodeUtf8Sequence(std::span<const std::uint8_t> bytes);

// UTF-8 to UTF-16; nullopt when the bytes are not valid UTF-8.
std::optional<std::u16string> DecodeUtf8(std::span<const std::uint8_t> bytes);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

// The number of characters (code points) of UTF-8 text.
std::size_t Utf8CharacterCount(std::string_view text);

} // namespace pad
