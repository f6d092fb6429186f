// Code pages through the system's MultiByteToWideChar (texts/TextEncoding.h), on
// Windows. The code pages are named as iconv names them ("CP950", "GB18030", "UTF-8")
// and decoded as the iconv decoder does: a byte sequence the code page does not define
// becomes U+FFFD and decoding goes on with the next byte.
//
// GB18030 (code page 54936) is missing from some systems, wine among them: there its
// two-byte part, GBK (936), decodes the texts, and its four-byte sequences become U+FFFD.

#include "texts/TextEncoding.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <windows.h>

namespace pad {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr UINT kGb18030 = 54936;
constexpr UINT kGbk = 936;

// The code page number of an iconv name; 0 for a name without one.
UINT CodePageNumber(const char* name) {
    if (std::strcmp(name, "UTF-8") == 0)
        return CP_UTF8;
    if (std::strcmp(name, "GB18030") == 0)
        return kGb18030;
    if (std::strncmp(name, "CP", 2) != 0)
        return 0;
    char* end = nullptr;
    const unsigned long number = std::strtoul(name + 2, &end, 10);
    return *end == '\0' && number > 0 && number < 65536 ? UINT(number) : 0;
}

// Decodes bytes exactly, or fails (false) on the first byte sequence the code page
// does not define, or one cut off at the end.
bool DecodeExactly(UINT codePage, const std::uint8_t* bytes, std::size_t size,
                   std::u16string& out) {
    if (size == 0)
        return true;
    const auto* in = reinterpret_cast<const char*>(bytes);
    const int length =
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in, int(size), nullptr, 0);
    if (length <= 0)
        return false;
    const std::size_t start = out.size();
    out.resize(start + std::size_t(length));
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in, int(size),
                          reinterpret_cast<wchar_t*>(out.data() + start), length);
    return true;
}

} // namespace

std::u16string DecodeCodePage(std::span<const std::uint8_t> bytes, const char* codePage) {
    std::u16string out;
    UINT number = CodePageNumber(codePage);
    if (number == kGb18030 && !::IsValidCodePage(number))
        number = kGbk;
    CPINFO info{};
    if (number == 0 || !::GetCPInfo(number, &info)) {
        // Without the code page, keep ASCII and mark everything else as unknown.
        for (std::uint8_t b : bytes)
            out.push_back(b < 0x80 ? char16_t(b) : kReplacement);
        return out;
    }
    // Whole texts in one call; damaged ones character by character: at each byte the
    // shortest sequence that decodes, else U+FFFD for the byte.
    if (bytes.size() < std::size_t(INT_MAX) &&
        DecodeExactly(number, bytes.data(), bytes.size(), out))
        return out;
    const std::size_t longest = info.MaxCharSize > 0 ? info.MaxCharSize : 1;
    for (std::size_t at = 0; at < bytes.size();) {
        std::size_t length = 1;
        while (length <= longest && at + length <= bytes.size() &&
               !DecodeExactly(number, bytes.data() + at, length, out))
            ++length;
        if (length <= longest && at + length <= bytes.size()) {
            at += length;
        } else {
            out.push_back(kReplacement);
            ++at;
        }
    }
    return out;
}

bool DecodeCodePageKnows(const char* codePage) {
    const UINT number = CodePageNumber(codePage);
    return number != 0 && ::IsValidCodePage(number);
}

} // namespace pad
