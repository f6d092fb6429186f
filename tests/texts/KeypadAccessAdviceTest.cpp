#include "texts/KeypadAccessAdvice.h"

#include "common/KeypadProtocol.h"
#include "common/Utf16.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

#ifndef _WIN32 // Windows has no rule to add: KeypadAccessAdviceWin32.cpp
TEST(KeypadAccessAdvice, NamesTheRuleItsLineAndTheReloadInTheLanguageInForce) {
    const std::string advice = ToUtf8(NoAccessAdvice(0x1C4F));
    EXPECT_EQ(advice, "The udev rule 70-corvask12-keypad.rules gives access to the keypad: put "
                      "this line into\n/etc/udev/rules.d/70-corvask12-keypad.rules,\n  " +
                          UdevRuleLine(0x1C4F) +
                          "\nthen run 'sudo udevadm control --reload-rules && sudo udevadm "
                          "trigger', unplug the keypad and plug it in again.");
    const std::u16string german = NoAccessAdvice(0x1C4F, [](const UiText& text) {
        return text.number == UdevRuleAdvice.number ? u"Die Regel %1:" : u"Dann '%1'.";
    });
    EXPECT_EQ(ToUtf8(german), "Die Regel 70-corvask12-keypad.rules:\n/etc/udev/rules.d/"
                              "70-corvask12-keypad.rules,\n  " +
                                  UdevRuleLine(0x1C4F) +
                                  "\nDann 'sudo udevadm control --reload-rules && sudo udevadm "
                                  "trigger'.");
    // A keypad under another vendor id: the id as PADLINK_VENDOR_ID reads it, and its rule.
    const std::string other = OtherVendorAdvice(0x1C4F);
    EXPECT_NE(other.find("PADLINK_VENDOR_ID=0x1c4f "), std::string::npos) << other;
    EXPECT_NE(other.find(advice), std::string::npos);
}
#endif

} // namespace
} // namespace pad
