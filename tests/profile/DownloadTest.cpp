#include "profile/Download.h"
#include "common/LittleEndian.h"
#include "tests/profile/SampleProfiles.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

TEST(Download, ImageHoldsTheActionsAtTheirAddresses) {
    Profile p = test::ExampleProfile();
    p.slot(1, 4).action.events[15] = 0x42;
    const DownloadImage image = BuildDownloadImage(p);
    EXPECT_EQ(image[0] | image[1] | image[2] | image[3], 0);
    for (int m = 0; m < 3; ++m)
        for (int k = 0; k < 16; ++k) {
            const auto bytes = p.slot(m, k).action.bytes();
            for (std::size_t j = 0; j < 17; ++j)
                ASSERT_EQ(image[4 + 17 * (16 * m + k) + j], bytes[j]) << m << ' ' << k << ' ' << j;
        }
    EXPECT_EQ(image[4 + 17 * 20 + 15], 0x42);
}

TEST(Download, FreshProfileReportsOfTheFirstSlot) {
    const auto reports = DownloadReports(BuildDownloadImage(Profile{}));
    ASSERT_EQ(reports.size(), 240u);
    EXPECT_EQ(reports[0], (Report{0x03, 4, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(reports[1], (Report{0x03, 8, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(reports[3], (Report{0x03, 16, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(reports[4], (Report{0x03, 20, 0, 0xA0, 0, 0, 0, 0}));
    EXPECT_EQ(reports[5], (Report{0x03, 21, 0, 0, 0, 0, 0, 0}));
}

TEST(Download, ReportsFollowTheAddressSequence) {
    Profile p;
    for (int s = 0; s < SlotCount; ++s)
        for (int j = 0; j < 16; ++j)
            p.slotAt(s).action.events[std::size_t(j)] = std::uint8_t(s + j + 1);
    const DownloadImage image = BuildDownloadImage(p);
    const auto reports = DownloadReports(image);
    for (int r = 0; r < 240; ++r) {
        const int address = 4 + 17 * (r / 5) + 4 * (r % 5);
        const Report& report = reports[std::size_t(r)];
        ASSERT_EQ(report[0], 0x03);
        ASSERT_EQ(DecodeFixed16(&report[1]), address) << r;
        ASSERT_EQ(report[3], image[std::size_t(address)]) << r;
        if (address + 3 < 820) {
            ASSERT_EQ(report[6], image[std::size_t(address + 3)]) << r;
        }
        ASSERT_EQ(report[7], 0) << r;
    }
    // The fifth report of a slot carries its play mode, then the next slot's first bytes.
    EXPECT_EQ(reports[4][3], 0xA0);
    EXPECT_EQ(reports[4][4], p.slotAt(1).action.events[0]);
}

TEST(Download, LastReportCarriesOnlyTheLastPlayMode) {
    Profile p;
    for (int s = 0; s < SlotCount; ++s)
        p.slotAt(s).action = KeyAction::direct(0x33);
    p.slotAt(47).action.playMode = RepeatUntilPressedAgain;
    const auto reports = DownloadReports(BuildDownloadImage(p));
    EXPECT_EQ(reports.back(), (Report{0x03, 0x33, 0x03, 0xA2, 0, 0, 0, 0}));
    EXPECT_EQ(DownloadReportAddress(239), 819);
}

TEST(Download, ModeSelectReports) {
    EXPECT_EQ(ModeSelectReport(ModeCodeNormal), (Report{0x03, 0xFF, 0xFF, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ModeSelectReport(ModeCodeB), (Report{0x03, 0xFF, 0xFF, 0x02, 0, 0, 0, 0}));
    EXPECT_EQ(ModeSelectReport(ModeCodeC)[3], 3);
    EXPECT_EQ(KEYPAD_USAGE_PAGE, 0xFF00);
    EXPECT_EQ(KEYPAD_USAGE, 0xFF00);
    EXPECT_EQ(ReportPause.count() * ReportsPerDownload, 16800);
}

} // namespace
} // namespace pad
