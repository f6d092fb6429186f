// The byte encodings every platform decodes alike. Code pages: CodePageIconv.cpp,
// CodePageWin32.cpp.

#include "texts/TextEncoding.h"

#include "common/LittleEndian.h"

namespace pad {

std::u16string DecodeUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        // The unit's low byte first, as DecodeFixed16 reads it.
        const std::size_t low = bigEndian ? i + 1 : i;
        const std::size_t high = bigEndian ? i : i + 1;
        const std::uint8_t unit[2] = {bytes[low], bytes[high]};
        out.push_back(char16_t(DecodeFixed16(unit)));
    }
    return out;
}

} // namespace pad
