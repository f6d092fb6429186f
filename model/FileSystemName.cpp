#include "model/FileSystemName.h"

#include "common/Utf16.h"

#include <cstdint>
#include <span>

namespace pad {
namespace {

constexpr char16_t kEscapeBase = 0xDC00; // byte b >= 0x80 stands as U+DC00 + b

bool isEscape(char16_t unit) {
    return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

} // namespace

std::u16string DecodeFileName(std::string_view bytes) {
    auto rest = std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    std::u16string name;
    while (!rest.empty()) {
        if (const auto sequence = DecodeUtf8Sequence(rest)) {
            AppendUtf16(name, sequence->codePoint);
            rest = rest.subspan(sequence->length);
        } else {
            name.push_back(char16_t(kEscapeBase + rest[0]));
            rest = rest.subspan(1);
        }
    }
    return name;
}

std::string EncodeFileName(std::u16string_view name) {
    std::string bytes;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (IsHighSurrogate(name[i]) && i + 1 < name.size() && IsLowSurrogate(name[i + 1])) {
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
