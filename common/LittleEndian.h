#pragma once
// Fixed-width numbers in byte buffers. Every number the suite stores or sends (the
// profile file, the keypad's reports, the loader's records, HID strings) is
// little-endian: the least significant byte comes first.

#include <cstdint>

namespace pad {

constexpr void EncodeFixed16(std::uint8_t* dst, std::uint16_t value) {
    dst[0] = std::uint8_t(value);
    dst[1] = std::uint8_t(value >> 8);
}

constexpr void EncodeFixed32(std::uint8_t* dst, std::uint32_t value) {
    EncodeFixed16(dst, std::uint16_t(value));
    EncodeFixed16(dst + 2, std::uint16_t(value >> 16));
}

constexpr std::uint16_t DecodeFixed16(const std::uint8_t* src) {
    return std::uint16_t(src[0] | src[1] << 8);
}

constexpr std::uint32_t DecodeFixed32(const std::uint8_t* src) {
    return std::uint32_t(DecodeFixed16(src)) | std::uint32_t(DecodeFixed16(src + 2)) << 16;
}

} // namespace pad
