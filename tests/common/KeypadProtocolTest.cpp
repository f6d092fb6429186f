#include "common/KeypadProtocol.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

TEST(KeypadProtocol, UdevRuleLineCarriesTheIdsAsUdevShowsThem) {
    EXPECT_EQ(UdevRuleLine(0x1C4F), "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"1c4f\", "
                                    "ATTRS{idProduct}==\"4002\", TAG+=\"uaccess\"");
    EXPECT_NE(UdevRuleLine(0x000A).find("{idVendor}==\"000a\""), std::string::npos);
    EXPECT_EQ(ParseVendorId("0x1c4f"), 0x1C4F);
}

} // namespace
} // namespace pad
