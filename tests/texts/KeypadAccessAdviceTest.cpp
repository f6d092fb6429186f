#include "texts/KeypadAccessAdvice.h"

#include "common/KeypadProtocol.h"
#include "common/Utf16.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace pad {
namespace {

#ifndef _WIN32 // Windows has no rule to add: KeypadAccessAdviceWin32.cpp
std::vector<std::string> LinesOf(const std::u16string& text) {
    std::vector<std::string> lines;
    std::istringstream in(ToUtf8(text));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

Texts LanguageTexts(const std::string& file) {
    return Texts(LanguageFile::fromBytes(
        std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size())));
}

// The advice a user copies from: the rule's line stands alone, ready for the file it
// names, and the words around it, in the language in force, have their file and command
// filled in.
TEST(KeypadAccessAdvice, GivesTheRuleLineToCopyInTheLanguageInForce) {
    const std::string file(UdevRuleFile);
    const std::string command(UdevReloadCommand);
    const struct {
        Texts texts;
        std::string first, last; // the words around the rule, filled in
    } cases[] = {
        {Texts(), "The udev rule " + file + " gives access to the keypad: put this line into",
         "then run '" + command + "', unplug the keypad and plug it in again."},
        {LanguageTexts("[LNG]\n69=Die Regel %1:\n70=Dann '%1'.\n"), "Die Regel " + file + ":",
         "Dann '" + command + "'."},
    };
    for (const auto& c : cases) {
        const auto lines = LinesOf(NoAccessAdvice(0x1C4F, c.texts));
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0], c.first);
        EXPECT_EQ(lines[1], "/etc/udev/rules.d/" + file + ",");
        EXPECT_EQ(lines[2], "  " + UdevRuleLine(0x1C4F));
        EXPECT_EQ(lines[3], c.last);
    }
    // A keypad under another vendor id: the id as PADLINK_VENDOR_ID reads it, and its rule.
    const std::string other = OtherVendorAdvice(0x1C4F);
    EXPECT_NE(other.find("PADLINK_VENDOR_ID=0x1c4f "), std::string::npos) << other;
    EXPECT_NE(other.find(ToUtf8(NoAccessAdvice(0x1C4F))), std::string::npos);
}
#endif

} // namespace
} // namespace pad
