#include "profile/FileSystemName.h"

#include "profile/TextEncoding.h"

#include <cstdint>
#include <span>

namespace pad {
namespace {

constexpr char16_t kEscapeBase = 0xDC00; // byte b >= 0x80 stands as U+DC00 + b

// The length of the UTF-8 sequence a lead byte starts; 0 for a byte that starts none.
std::size_t sequenceLength(std::uint8_t lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC0 && lead < 0xE0)
        return 2;
    if (lead >= 0xE0 && lead < 0xF0)
        return 3;
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    return 0;
}

bool isEscape(char16_t unit) {
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

bool startsPair(std::u16string_view text, std::size_t i) {
    return text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
           text[i + 1] <= 0xDFFF;
}

} // namespace

std::u16string DecodeFileName(std::string_view bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    std::u16string name;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = sequenceLength(data[i]);
        if (length > 0 && i + length <= bytes.size()) {
            if (const auto text = DecodeUtf8(std::span(data + i, length))) {
                name += *text;
                i += length;
                continue;
            }
        }
        name.push_back(char16_t(kEscapeBase + data[i]));
        ++i;
    }
    return name;
}

std::string EncodeFileName(std::u16string_view name) {
    std::string bytes;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (startsPair(name, i)) {
            ++i;
        } else if (isEscape(name[i])) {
            bytes += ToUtf8(name.substr(runStart, i - runStart));
            bytes.push_back(char(name[i] - kEscapeBase));
            runStart = i + 1;
        }
    }
    bytes += ToUtf8(name.substr(runStart));
    return bytes;
}

} // namespace pad
