#include "common/LittleEndian.h"
#include "keypad/DownloadImage.h"
#include "tests/support/SampleProfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace pad {
namespace {

TEST(Download, ImageHoldsTheActionsOneAfterTheOtherFromAddress4) {
    Profile p = test::ExampleProfile();
    p.slot(1, 4).action.events[15] = 0x42;
    const DownloadImage image = BuildDownloadImage(p);
    // The 48 actions laid end to end, Mode A keys 0-15, then B, then C.
    std::vector<std::uint8_t> expected(4, 0);
    for (int m = 0; m < 3; ++m)
        for (int k = 0; k < 16; ++k) {
            const auto bytes = p.slot(m, k).action.bytes();
            expected.insert(expected.end(), bytes.begin(), bytes.end());
        }
    ASSERT_EQ(expected.size(), image.size());
    EXPECT_TRUE(std::equal(image.begin(), image.end(), expected.begin()));
    EXPECT_EQ(image[359], 0x42); // Mode B key 4 starts at address 344
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

TEST(Download, ReportsCarryEveryImageByteFromTheirOwnAddress) {
    Profile p;
    for (int s = 0; s < SlotCount; ++s)
        for (int j = 0; j < 16; ++j)
            p.slotAt(s).action.events[std::size_t(j)] = std::uint8_t(s + j + 1);
    const DownloadImage image = BuildDownloadImage(p);
    const auto reports = DownloadReports(image);
    ASSERT_EQ(reports.size(), 240u);
    std::vector<int> addresses;
    std::vector<bool> delivered(image.size(), false);
    for (const Report& report : reports) {
        const int address = DecodeFixed16(&report[1]);
        addresses.push_back(address);
        ASSERT_EQ(report[0], 0x03);
        for (int i = 0; i < 4 && address + i < 820; ++i) {
            ASSERT_EQ(report[std::size_t(3 + i)], image[std::size_t(address + i)]) << address;
            delivered[std::size_t(address + i)] = true;
        }
        ASSERT_EQ(report[7], 0) << address;
    }
    // Nothing below address 4 is sent; every byte from there on reaches the keypad.
    EXPECT_EQ(std::count(delivered.begin(), delivered.begin() + 4, true), 0);
    EXPECT_EQ(std::count(delivered.begin() + 4, delivered.end(), false), 0);
    // Each slot is sent from its own first address, and the slots in order.
    const std::vector<int> first = {4, 8, 12, 16, 20, 21, 25, 29, 33, 37, 38};
    EXPECT_TRUE(std::equal(first.begin(), first.end(), addresses.begin()));
    const std::vector<int> last = {803, 807, 811, 815, 819};
    EXPECT_TRUE(std::equal(last.begin(), last.end(), addresses.end() - 5));
    EXPECT_TRUE(std::is_sorted(addresses.begin(), addresses.end()));
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
    EXPECT_EQ(ModeSelectReport(KeypadMode::Normal), (Report{0x03, 0xFF, 0xFF, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ModeSelectReport(KeypadMode::B), (Report{0x03, 0xFF, 0xFF, 0x02, 0, 0, 0, 0}));
    EXPECT_EQ(ModeSelectReport(KeypadMode::C)[3], 3);
}

} // namespace
} // namespace pad
