// Code pages through iconv (texts/TextEncoding.h), on POSIX systems.

#include "texts/TextEncoding.h"

#include <cerrno>
#include <iconv.h>
#include <vector>

namespace pad {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

} // namespace

std::u16string DecodeCodePage(std::span<const std::uint8_t> bytes, const char* codePage) {
    std::u16string out;
    iconv_t converter = ::iconv_open("UTF-16LE", codePage);
    if (converter == iconv_t(-1)) {
        // Without the converter, keep ASCII and mark everything else as unknown.
        for (std::uint8_t b : bytes)
            out.push_back(b < 0x80 ? char16_t(b) : kReplacement);
        return out;
    }
    std::vector<char> input(bytes.begin(), bytes.end());
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::vector<char> buffer(4096);
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t rc = ::iconv(converter, &in, &inLeft, &outPtr, &outLeft);
        const int error = rc == std::size_t(-1) ? errno : 0;
        const auto produced = std::span<const std::uint8_t>(
            reinterpret_cast<const std::uint8_t*>(buffer.data()), buffer.size() - outLeft);
        out += DecodeUtf16(produced, false);
        if (error == EILSEQ || error == EINVAL) {
            // An undefined or cut-off sequence: replace one byte and go on.
            out.push_back(kReplacement);
            ++in;
            --inLeft;
            ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
        } else if (error != 0 && error != E2BIG) {
            break;
        }
    }
    ::iconv_close(converter);
    return out;
}

bool DecodeCodePageKnows(const char* codePage) {
    iconv_t converter = ::iconv_open("UTF-16LE", codePage);
    if (converter == iconv_t(-1))
        return false;
    ::iconv_close(converter);
    return true;
}

} // namespace pad
