#include "texts/LanguageFile.h"
#include "tests/support/TempDir.h"
#include "texts/TextEncoding.h"
#include "texts/Texts.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

std::vector<std::uint8_t> ascii(std::string_view text) {
    return {text.begin(), text.end()};
}

// Plain text with raw bytes spliced in where the test needs a legacy encoding.
std::vector<std::uint8_t> withBytes(std::string_view before, std::vector<std::uint8_t> raw,
                                    std::string_view after = "\r\n") {
    auto out = ascii(before);
    out.insert(out.end(), raw.begin(), raw.end());
    const auto tail = ascii(after);
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

std::vector<std::uint8_t> utf16(std::u16string_view text, bool bigEndian) {
    std::vector<std::uint8_t> out =
        bigEndian ? std::vector<std::uint8_t>{0xFE, 0xFF} : std::vector<std::uint8_t>{0xFF, 0xFE};
    for (char16_t c : text) {
        out.push_back(std::uint8_t(bigEndian ? c >> 8 : c & 0xFF));
        out.push_back(std::uint8_t(bigEndian ? c & 0xFF : c >> 8));
    }
    return out;
}

std::u16string text(const LanguageFile& file, int n) {
    std::u16string out = u"stale";
    file.ReadLanguageText(n, out);
    return out;
}

TEST(LanguageFile, ReadsTheLngSectionLikeThePrivateProfileReader) {
    const auto file = LanguageFile::fromBytes(ascii("; translated texts\r\n"
                                                    "1=Outside any section\r\n"
                                                    "[Other]\r\n"
                                                    "2=Wrong section\r\n"
                                                    "  [ lng ]  \r\n"
                                                    "  5 =  &Nieuw  \r\n"
                                                    "  ; 6=commented out\r\n"
                                                    "7=&Opslaan\n"
                                                    "7=second seven\r"
                                                    "8=\"  quoted  \"\n"
                                                    "9=\n"
                                                    "10=a=b\n"
                                                    "no equals sign\n"
                                                    "012=leading zero\n"
                                                    "59=beyond 58\n"
                                                    "[other]\n"
                                                    "11=after the section\n"));
    EXPECT_EQ(text(file, 1), u"");
    EXPECT_EQ(text(file, 2), u"");
    EXPECT_EQ(text(file, 5), u"&Nieuw");
    EXPECT_EQ(text(file, 6), u"");
    EXPECT_EQ(text(file, 7), u"&Opslaan");
    EXPECT_EQ(text(file, 8), u"  quoted  ");
    EXPECT_EQ(text(file, 10), u"a=b");
    EXPECT_EQ(text(file, 11), u"");
    EXPECT_EQ(text(file, 12), u""); // written "012"
    EXPECT_EQ(text(file, 59), u"beyond 58");
    std::u16string out;
    EXPECT_FALSE(file.ReadLanguageText(9, out)); // present but empty
    EXPECT_FALSE(file.ReadLanguageText(3, out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(file.ReadLanguageText(5, out));
}

TEST(LanguageFile, ValuesAreCutTo511Units) {
    const auto file = LanguageFile::fromBytes(ascii("[LNG]\n12=" + std::string(600, 'x') + "\n"));
    EXPECT_EQ(text(file, 12), std::u16string(511, u'x'));
}

TEST(LanguageFile, ByteOrderMarksSelectTheEncoding) {
    const std::u16string source = u"[LNG]\r\n0=2052\r\n5=\u65B0\u5EFA\r\n6=\U0001F600\r\n";
    for (bool bigEndian : {false, true}) {
        const auto file = LanguageFile::fromBytes(utf16(source, bigEndian));
        EXPECT_EQ(text(file, 5), u"\u65B0\u5EFA") << bigEndian;
        EXPECT_EQ(text(file, 6), u"\U0001F600") << bigEndian;
        EXPECT_EQ(file.languageId(), 2052);
    }
    const auto utf8Bom = LanguageFile::fromBytes(
        withBytes("", {0xEF, 0xBB, 0xBF, '[', 'L', 'N', 'G', ']', '\n', '5', '=', 0xC3, 0xA9}));
    EXPECT_EQ(text(utf8Bom, 5), u"\u00E9");
}

TEST(LanguageFile, UnmarkedTextIsUtf8WhenValid) {
    // 0xE6 0x96 0xB0 is valid UTF-8 and must not be read as Big5 despite text 0.
    const auto file = LanguageFile::fromBytes(withBytes("[LNG]\n0=1028\n5=", {0xE6, 0x96, 0xB0}));
    EXPECT_EQ(text(file, 5), u"\u65B0");
}

TEST(LanguageFile, OtherTextUsesTheCodePageOfItsLanguage) {
    struct Case {
        const char* id;
        std::vector<std::uint8_t> raw;
        std::u16string expected;
    };
    const Case cases[] = {
        {"1028", {0xA4, 0xA4, 0xA4, 0xE5}, u"\u4E2D\u6587"}, // Big5
        {"3076", {0xA4, 0xA4, 0xA4, 0xE5}, u"\u4E2D\u6587"}, // Big5 (Hong Kong)
        {"2052", {0xD6, 0xD0, 0xCE, 0xC4}, u"\u4E2D\u6587"}, // GB18030
        {"4100", {0xD6, 0xD0, 0xCE, 0xC4}, u"\u4E2D\u6587"}, // GB18030 (Singapore)
        {"1041", {0x83, 0x5C, 0x93, 0xFA, 0x96, 0x7B}, u"\u30BD\u65E5\u672C"}, // Shift-JIS
        {"1042", {0xC7, 0xD1, 0xB1, 0xB9, 0xBE, 0xEE}, u"\uD55C\uAD6D\uC5B4"}, // Korean
        {"1031", {0x43, 0x61, 0x66, 0xE9, 0x80}, u"Caf\u00E9\u20AC"},          // Windows-1252
    };
    for (const Case& c : cases) {
        const auto file =
            LanguageFile::fromBytes(withBytes(std::string("[LNG]\r\n0=") + c.id + "\r\n5=", c.raw));
        EXPECT_EQ(text(file, 5), c.expected) << c.id;
    }
    // Without text 0 the language is 1033, read as Windows-1252.
    const auto plain = LanguageFile::fromBytes(withBytes("[LNG]\n5=", {0xE9}));
    EXPECT_EQ(text(plain, 5), u"\u00E9");
    EXPECT_EQ(plain.languageId(), 1033);
}

// GB18030's four-byte sequences reach every character; a system that lacks GB18030
// (wine has no code page 54936) reads its two-byte part only, and the case is skipped.
TEST(LanguageFile, Gb18030FourByteSequences) {
    if (!DecodeCodePageKnows("GB18030"))
        GTEST_SKIP() << "the system has no GB18030 decoder (wine lacks code page 54936)";
    const auto file = LanguageFile::fromBytes(withBytes(
        "[LNG]\r\n0=2052\r\n5=", {0x81, 0x30, 0x86, 0x38, 0x95, 0x32, 0x82, 0x36, 0xD6, 0xD0}));
    EXPECT_EQ(text(file, 5), u"\u00C0\U00020000\u4E2D");
}

TEST(LanguageFile, LanguageIdParsing) {
    EXPECT_EQ(ParseLanguageId(u"1041"), 1041);
    EXPECT_EQ(ParseLanguageId(u"  \t1042xyz"), 1042);
    EXPECT_EQ(ParseLanguageId(u"+2052"), 2052);
    EXPECT_EQ(ParseLanguageId(u"-5"), -5);
    EXPECT_EQ(ParseLanguageId(u"Japanese"), 0);
    EXPECT_EQ(ParseLanguageId(u"- 5"), 0);
    EXPECT_EQ(ParseLanguageId(u""), 0);
    EXPECT_EQ(ParseLanguageId(u"99999999999999"), 2147483647);

    EXPECT_EQ(LanguageFile::fromBytes(ascii("[LNG]\n0=abc\n")).languageId(), 0);
    EXPECT_EQ(LanguageFile::fromBytes(ascii("[LNG]\n0=\n")).languageId(), 1033);
    EXPECT_EQ(LanguageFile::fromBytes(ascii("[LNG]\n0= 1041 \n")).languageId(), 1041);
}

TEST(LanguageFile, FontRows) {
    const auto big5 = FontRowFor(1028);
    EXPECT_EQ(big5.name, u"\u65B0\u7D30\u660E\u9AD4");
    EXPECT_EQ(big5.charset, 136);
    EXPECT_EQ(big5.pointSize, 10);
    for (int id : {3076, 4100, 5124})
        EXPECT_EQ(FontRowFor(id).charset, 136) << id;
    EXPECT_EQ(FontRowFor(1041).name, u"MS PGothic");
    EXPECT_EQ(FontRowFor(1041).charset, 128);
    EXPECT_EQ(FontRowFor(1041).pointSize, 9);
    EXPECT_EQ(FontRowFor(1042).name, u"Dotum");
    EXPECT_EQ(FontRowFor(1042).charset, 129);
    EXPECT_EQ(FontRowFor(2052).name, u"SimSun-18030");
    EXPECT_EQ(FontRowFor(2052).charset, 134);
    for (int id : {0, 1033, 1031, -1}) {
        EXPECT_EQ(FontRowFor(id).name, u"Arial");
        EXPECT_EQ(FontRowFor(id).charset, 1);
        EXPECT_EQ(FontRowFor(id).pointSize, 8);
    }
}

// The texts of the language in force: the file's where it holds them, the built-in
// English otherwise, so no message, question or label is ever shown empty.
TEST(Texts, TheLanguagesWordsWhereTheFileHoldsThemElseEnglish) {
    const Texts dutch(LanguageFile::fromBytes(
        ascii("[LNG]\n0=1043\n41=Weg\n49=Normaal\n5=&&Nieuw && &schoon\n84=Toets %1\n"
              "53=\n-1=never\n")));
    const Texts english;
    const struct {
        UiText text;
        std::u16string dutch, english;
    } cases[] = {
        {MacroDisappearText, u"Weg", u"Macro Disappear"},
        {NormalLabelText, u"Normaal", u"Normal"},
        {WarningCaptionText, u"Warning", u"Warning"}, // present but empty: English
        {NoKeypadWarning, std::u16string(NoKeypadWarning.english),
         std::u16string(NoKeypadWarning.english)},
        {RealWriteText, u"Real Write", u"Real Write"}, // no number: never replaced
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dutch.text(c.text), c.dutch) << c.text.number;
        EXPECT_EQ(english.text(c.text), c.english) << c.text.number;
    }
    EXPECT_TRUE(dutch.languageActive());
    EXPECT_FALSE(english.languageActive());
    EXPECT_EQ(dutch.plainText(NewText), u"&Nieuw & schoon");
    EXPECT_EQ(english.plainText(NewText), u"New");
    EXPECT_EQ(dutch.keyLabelName(4, u"Herladen"), u"Toets 5: Herladen");
    EXPECT_EQ(english.keyLabelName(15, u""), u"Key 16");
    // The overwrite question: the language's where the program carries it, else English.
    EXPECT_EQ(dutch.overwriteQuestion(), OverwriteQuestionText);
    const Texts german(LanguageFile::fromBytes(ascii("[LNG]\n0=1031\n")));
    EXPECT_EQ(german.overwriteQuestion().substr(0, 10), u"Eine Datei");
    EXPECT_EQ(FontRowFor(german.languageId()).name, u"Arial");
}

TEST(LanguageFile, LoadReadsAFileAndRefusesWhatCannotBeRead) {
    test::TempDir dir;
    test::writeBytes(dir / "UILANG.lng", ascii("[LNG]\n5=&Neu\n"));
    const auto file = LanguageFile::load(dir / "UILANG.lng");
    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(text(*file, 5), u"&Neu");
    EXPECT_FALSE(LanguageFile::load(dir / "missing.lng").has_value());
    EXPECT_FALSE(LanguageFile::load(dir.path()).has_value());
}

} // namespace
} // namespace pad
