#include "common/Utf16.h"

#include <gtest/gtest.h>

#include <string_view>

namespace pad {
namespace {

std::optional<std::u16string> decode(std::string_view utf8) {
    return DecodeUtf8(std::span(reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size()));
}

TEST(Utf16, Utf8RoundTripWithPairsBeyondTheBasicPlane) {
    const std::string utf8 = "A\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x8E\xAE"; // A, e acute, CJK, game pad
    const std::u16string utf16 = u"A\u00E9\u4E2D\U0001F3AE";
    EXPECT_EQ(decode(utf8), utf16);
    EXPECT_EQ(ToUtf8(utf16), utf8);
    EXPECT_EQ(utf16.size(), 5u);
    EXPECT_EQ(Utf8CharacterCount(utf8), 4u);
}

TEST(Utf16, InvalidUtf8AndLoneSurrogates) {
    for (std::string_view bad :
         {"\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\xE2\x82", "\x80"})
        EXPECT_EQ(decode(bad), std::nullopt) << bad;
    EXPECT_EQ(ToUtf8(u"a\xD800"
                     u"b\xDC00"),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
}

TEST(Utf16, ClampNeverSplitsAPair) {
    const std::u16string text = u"ab\U0001F3AE";
    EXPECT_EQ(ClampUtf16(text, 3), u"ab");
    EXPECT_EQ(ClampUtf16(text, 4), text);
    EXPECT_EQ(ClampUtf16(text, 9), text);
}

} // namespace
} // namespace pad
