// libpadlink.so as a host links it, with the simulator selected by the environment.

#include "devicelink/PadLink.h"
#include "tests/support/LinkTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace pad;
using namespace pad::test;

namespace {

struct Listed {
    std::string path;
    std::uint16_t vendor, product;
    std::uint32_t page, usage;
    int writable;
};

void collect(void* context, const char* path, std::uint16_t vendor, std::uint16_t product,
             std::uint32_t page, std::uint32_t usage, std::int32_t writable, std::int32_t) {
    static_cast<std::vector<Listed>*>(context)->push_back(
        {path, vendor, product, page, usage, writable});
}

TEST(PadLinkExports, SimulatorFromEnvironment) {
    test::TempDir dir;
    std::string log = (dir / "k.log").string();
    setEnvironment("PADLINK_SIMULATOR", log.c_str());
    setEnvironment("PADLINK_VENDOR_ID", "0x2468");

    // Exports before InitDriver do nothing and do not crash.
    const std::uint8_t modeA[8] = {0x03, 0xFF, 0xFF, 0x01, 0, 0, 0, 0};
    EXPECT_EQ(SetKbdFeatures(0xFF00, 0xFF00, modeA), 1);
    EXPECT_EQ(DeviceArrival(), 0);
    EXPECT_EQ(PadLinkWriteReport(0xFF00, 0xFF00, modeA), 0);

    RecordingHost host;
    EXPECT_EQ(InitDriver(host.window(), HostMessage, KeypadPage), 1);
    drainEvents();
    EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT});

    std::vector<Listed> listed;
    EXPECT_EQ(PadLinkListKeypads(collect, &listed), 1);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].path, "sim:keypad0");
    EXPECT_EQ(listed[0].vendor, 0x2468);
    EXPECT_EQ(listed[0].product, KEYPAD_PRODUCT_ID);
    EXPECT_EQ(listed[0].page, 0xFF00u);
    EXPECT_EQ(listed[0].usage, 0xFF00u);
    EXPECT_EQ(listed[0].writable, 1);

    EXPECT_EQ(SetKbdFeatures(0xFF00, 0xFF00, modeA), 1);
    EXPECT_EQ(SetKbdFeatures(0xFF00, 0xFF00, nullptr), 1);
    // The counting write: one keypad interface takes it, none has another usage.
    const std::uint8_t modeB[8] = {0x03, 0xFF, 0xFF, 0x02, 0, 0, 0, 0};
    EXPECT_EQ(PadLinkWriteReport(0xFF00, 0xFF00, modeB), 1);
    EXPECT_EQ(PadLinkWriteReport(0xFF00, 0x0001, modeB), 0);
    EXPECT_EQ(PadLinkWriteReport(0xFF00, 0xFF00, nullptr), 0);
    EXPECT_EQ(ReadDevice(0xFF00, 0xFF00), 1);
    EXPECT_EQ(RemoveDevice(), 1);
    EXPECT_NE(DeviceArrival(), 0);
    drainEvents();
    EXPECT_EQ(host.count(MSG_KEYPAD_PRESENT), 2);

    std::ifstream in(log);
    std::string line, rest;
    std::getline(in, line);
    EXPECT_EQ(line, "03 ff ff 01 00 00 00 00");
    std::getline(in, line);
    EXPECT_EQ(line, "03 ff ff 02 00 00 00 00");
    EXPECT_FALSE(std::getline(in, rest));
}

} // namespace
