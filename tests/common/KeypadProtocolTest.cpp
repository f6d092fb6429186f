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
}

} // namespace
} // namespace pad
