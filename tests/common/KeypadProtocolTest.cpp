#include "common/KeypadProtocol.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

TEST(KeypadProtocol, UdevRuleLineCarriesTheIdsAsUdevShowsThem) {
    EXPECT_EQ(UdevRuleLine(0x1C4F), "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"1c4f\", "
                                    "ATTRS{idProduct}==\"4002\", TAG+=\"uaccess\"");
    EXPECT_NE(UdevRuleLine(0x000A).find("{idVendor}==\"000a\""), std::string::npos);
    const std::string advice = NoAccessAdvice(0x1C4F);
    EXPECT_NE(advice.find("/etc/udev/rules.d/70-corvask12-keypad.rules"), std::string::npos);
    EXPECT_NE(advice.find(UdevRuleLine(0x1C4F)), std::string::npos);
    EXPECT_NE(advice.find("udevadm control --reload-rules"), std::string::npos);
    EXPECT_NE(advice.find("udevadm trigger"), std::string::npos);
    // A keypad under another vendor id: the id as PADLINK_VENDOR_ID reads it, and its rule.
    const std::string other = OtherVendorAdvice(0x1C4F);
    EXPECT_NE(other.find("PADLINK_VENDOR_ID=0x1c4f "), std::string::npos) << other;
    EXPECT_EQ(ParseVendorId("0x1c4f"), 0x1C4F);
    EXPECT_NE(other.find(advice), std::string::npos);
}

} // namespace
} // namespace pad
