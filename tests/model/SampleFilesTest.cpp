#include "model/ProfileFile.h"
#include "tests/support/SampleProfiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

const std::filesystem::path kSamples = PADCONFIG_SAMPLES_DIR;

TEST(SampleFiles, ExampleMatchesItsDefinition) {
    EXPECT_EQ(test::readBytes(kSamples / "example.qd6"), EncodeProfileFile(test::ExampleProfile()))
        << "the profile file writer no longer writes the bytes of the shipped "
           "resources/samples/example.qd6: profiles saved by earlier versions would differ";
    Profile p;
    ASSERT_EQ(LoadProfileFile(p, kSamples / "example.qd6"), FileResult::Ok);
    EXPECT_EQ(p, test::ExampleProfile());
}

TEST(SampleFiles, LegacyFileLoads) {
    EXPECT_EQ(test::readBytes(kSamples / "legacy.qd5"), test::LegacyQd5Sample());
    Profile p;
    std::string magic;
    ASSERT_EQ(LoadProfileFile(p, kSamples / "legacy.qd5", u"Normal", &magic), FileResult::Ok);
    EXPECT_EQ(magic, ".QD5");
    EXPECT_EQ(p.slot(0, 0).action, KeyAction::direct(0x37));
    EXPECT_EQ(p.slot(0, 0).label, u"F1");
    EXPECT_EQ(p.kindOf(1, 11), 10);
    EXPECT_EQ(p.slot(1, 11).label, u"Jump");
    EXPECT_EQ(p.kindOf(2, 5), KindMacroOff);
    EXPECT_EQ(p.slot(2, 12).label, u"Normal");
    ASSERT_EQ(p.macros().count(), 1u);
    EXPECT_EQ(p.macros().macroAt(0).action.playMode, RepeatWhileHeld);
}

} // namespace
} // namespace pad
