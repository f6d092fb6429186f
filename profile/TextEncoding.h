#pragma once
// Conversions between byte encodings and the UTF-16 text the profile works in.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace pad {

// UTF-8 to UTF-16; nullopt when the bytes are not valid UTF-8 (overlong forms,
// surrogates and values past U+10FFFF are invalid).
std::optional<std::u16string> DecodeUtf8(std::span<const std::uint8_t> bytes);

// UTF-16 in the given byte order; an odd last byte is dropped. Units are taken as
// they are, paired or not.
std::u16string DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian);

// Bytes in a code page known to iconv (e.g. "CP950", "GB18030", "CP1252"). A byte
// sequence the code page does not define becomes U+FFFD and decoding goes on.
std::u16string DecodeCodePage(std::span<const std::uint8_t> bytes, const char* codePage);

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);

} // namespace pad
