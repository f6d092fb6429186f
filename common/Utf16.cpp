#include "common/Utf16.h"

namespace pad {
namespace {

constexpr char32_t Replacement = 0xFFFD;

bool IsContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(char(cp));
    } else if (cp < 0x800) {
        out.push_back(char(0xC0 | (cp >> 6)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(char(0xE0 | (cp >> 12)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (cp >> 18)));
        out.push_back(char(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(char(0x80 | (cp & 0x3F)));
    }
}

} // namespace

void AppendUtf16(std::u16string& out, char32_t codePoint) {
    if (codePoint < 0x10000) {
        out.push_back(char16_t(codePoint));
    } else {
        codePoint -= 0x10000;
        out.push_back(char16_t(0xD800 + (codePoint >> 10)));
        out.push_back(char16_t(0xDC00 + (codePoint & 0x3FF)));
    }
}

std::u16string_view ClampUtf16(std::u16string_view text, std::size_t maxUnits) {
    if (text.size() <= maxUnits)
        return text;
    std::size_t n = maxUnits;
    if (n > 0 && IsHighSurrogate(text[n - 1]))
        --n;
    return text.substr(0, n);
}

std::optional<Utf8Sequence> DecodeUtf8Sequence(std::span<const std::uint8_t> bytes) {
    if (bytes.empty())
        return std::nullopt;
    const std::uint8_t lead = bytes[0];
    if (lead < 0x80)
        return Utf8Sequence{lead, 1};
    std::size_t length;
    char32_t cp;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (length > bytes.size())
        return std::nullopt;
    for (std::size_t k = 1; k < length; ++k) {
        if (!IsContinuation(bytes[k]))
            return std::nullopt;
        cp = (cp << 6) | (bytes[k] & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || IsSurrogate(cp))
        return std::nullopt;
    return Utf8Sequence{cp, length};
}

std::optional<std::u16string> DecodeUtf8(std::span<const std::uint8_t> bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto sequence = DecodeUtf8Sequence(bytes);
        if (!sequence)
            return std::nullopt;
        AppendUtf16(out, sequence->codePoint);
        bytes = bytes.subspan(sequence->length);
    }
    return out;
}

std::string ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            AppendUtf8(out, IsSurrogate(unit) ? Replacement : unit);
        }
    }
    return out;
}

std::size_t Utf8CharacterCount(std::string_view text) {
    std::size_t characters = 0;
    for (unsigned char byte : text)
        characters += !IsContinuation(byte);
    return characters;
}

} // namespace pad
