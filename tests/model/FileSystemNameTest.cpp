#include "model/FileSystemName.h"

#include <gtest/gtest.h>
#include <random>

namespace pad {
namespace {

TEST(FileSystemName, ValidUtf8IsText) {
    EXPECT_EQ(DecodeFileName("/keys/caf\xC3\xA9 \xF0\x9F\x8E\xAE.qd6"),
              u"/keys/caf\u00E9 \U0001F3AE.qd6");
    EXPECT_EQ(EncodeFileName(u"/keys/caf\u00E9 \U0001F3AE.qd6"),
              "/keys/caf\xC3\xA9 \xF0\x9F\x8E\xAE.qd6");
}

TEST(FileSystemName, BytesThatAreNotUtf8SurviveTheRoundTrip) {
    EXPECT_EQ(DecodeFileName("\xFFgame.qd6"), u"\xDCFFgame.qd6");
    EXPECT_EQ(EncodeFileName(u"\xDCFFgame.qd6"), "\xFFgame.qd6");
    // A cut sequence, an encoded surrogate, an overlong form, a value past U+10FFFF.
    for (std::string bytes : {"a\xE2\x82", "\xED\xA0\x80", "\xC0\xAF", "\xF4\x90\x80\x80"})
        EXPECT_EQ(EncodeFileName(DecodeFileName(bytes)), bytes);
    EXPECT_EQ(DecodeFileName("\xE2\x82\xE2\x82\xAC"), u"\xDCE2\xDC82\u20AC");

    std::mt19937 random(7);
    for (int n = 0; n < 2000; ++n) {
        std::string bytes(random() % 12, '\0');
        for (char& b : bytes)
            b = char(1 + random() % 255);
        ASSERT_EQ(EncodeFileName(DecodeFileName(bytes)), bytes);
    }
}

TEST(FileSystemName, OtherLoneSurrogatesBecomeReplacementCharacters) {
    EXPECT_EQ(EncodeFileName(u"a\xD800"
                             u"b"),
              "a\xEF\xBF\xBD"
              "b");
}

} // namespace
} // namespace pad
