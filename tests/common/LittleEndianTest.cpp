#include "common/LittleEndian.h"

#include <gtest/gtest.h>

#include <array>

namespace pad {
namespace {

TEST(LittleEndian, LowByteFirst) {
    std::array<std::uint8_t, 6> bytes{};
    EncodeFixed16(bytes.data(), 0x0333);
    EncodeFixed32(bytes.data() + 2, 0x6A33'0012u);
    EXPECT_EQ(bytes, (std::array<std::uint8_t, 6>{0x33, 0x03, 0x12, 0x00, 0x33, 0x6A}));
    EXPECT_EQ(DecodeFixed16(bytes.data()), 0x0333);
    EXPECT_EQ(DecodeFixed32(bytes.data() + 2), 0x6A33'0012u);
}

TEST(LittleEndian, RoundTripsEveryByteValue) {
    std::array<std::uint8_t, 4> bytes{};
    for (std::uint32_t value : {0u, 1u, 0xFFu, 0x100u, 0x8000'0000u, 0xFFFF'FFFFu, 0x1234'5678u}) {
        EncodeFixed32(bytes.data(), value);
        EXPECT_EQ(DecodeFixed32(bytes.data()), value);
        EncodeFixed16(bytes.data(), std::uint16_t(value));
        EXPECT_EQ(DecodeFixed16(bytes.data()), std::uint16_t(value));
    }
}

} // namespace
} // namespace pad
