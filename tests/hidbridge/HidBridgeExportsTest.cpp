// libhidbridge.so as a host links it, with the simulator selected by the environment.

#include "hidbridge/HidBridge.h"
#include "tests/support/LinkTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace pad;
using namespace pad::test;

namespace {

TEST(HidBridgeExports, SimulatorFromEnvironment) {
    test::TempDir dir;
    std::string log = (dir / "k.log").string();
    setEnvironment("PADLINK_SIMULATOR", log.c_str());

    std::uint8_t buffer[8] = {7, 7, 7, 7, 7, 7, 7, 7};
    EXPECT_EQ(GetIndexStr(0xFF00, 0xFF00, 1, buffer, 7), 0);

    RecordingHost host;
    EXPECT_EQ(InitDriver(host.window(), HostMessage, KeypadPage), 1);
    drainEvents();
    EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT});

    // The simulated keypad's product id is not the one strings are asked of.
    EXPECT_EQ(GetIndexStr(0xFF00, 0xFF00, 1, buffer, 7), 1);
    EXPECT_EQ(buffer[0], 7);

    // Written through the reader's handle, which HidBridge opened by itself.
    const std::uint8_t modeC[8] = {0x03, 0xFF, 0xFF, 0x03, 0, 0, 0, 0};
    EXPECT_EQ(SetKbdFeatures(0xFF00, 0xFF00, modeC), 1);
    std::ifstream in(log);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "03 ff ff 03 00 00 00 00");
}

} // namespace
