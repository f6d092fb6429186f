#pragma once
// The byte encodings of language files, decoded to the UTF-16 text the profile works
// in. UTF-8 and code points: common/Utf16.h.

#include <cstdint>
#include <span>
#include <string>

namespace pad {

// UTF-16 in the given byte order; an odd last byte is dropped. Units are taken as
// they are, paired or not.
std::u16string DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian);

// Bytes in a code page known to iconv (e.g. "CP950", "GB18030", "CP1252"). A byte
// sequence the code page does not define becomes U+FFFD and decoding goes on.
std::u16string DecodeCodePage(std::span<const std::uint8_t> bytes, const char* codePage);

// Whether the system decodes the code page fully; DecodeCodePage does its best either way.
bool DecodeCodePageKnows(const char* codePage);

} // namespace pad
