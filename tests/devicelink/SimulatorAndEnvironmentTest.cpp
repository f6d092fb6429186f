// The simulated keypad, the environment the exports read, and a link on the machine's
// own HID interfaces.

#include "devicelink/LinkEnvironment.h"
#include "devicelink/PadLink.h"
#include "devicelink/PadLinkDriver.h"
#include "tests/support/LinkTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace pad;
using namespace pad::test;

namespace {

std::vector<std::string> linesOf(const std::string& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(SimulatedKeypad, KeepsMemoryAndModeAndLogsEveryReport) {
    test::TempDir dir;
    std::string log = (dir / "k.log").string();
    { std::ofstream(log) << "earlier line\n"; }
    SimulatedKeypad keypad(log);
    ASSERT_TRUE(keypad.logging());
    keypad.receive({0x03, 0x04, 0x00, 0x11, 0x22, 0x33, 0x44, 0x00});
    keypad.receive({0x03, 0x33, 0x03, 0xA0, 0xBB, 0xCC, 0xDD, 0x00}); // address 819
    keypad.receive({0x03, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 0x00});
    keypad.receive({0x05, 0x08, 0x00, 0x99, 0x99, 0x99, 0x99, 0x00}); // other report id

    EXPECT_EQ(keypad.memory()[4], 0x11);
    EXPECT_EQ(keypad.memory()[7], 0x44);
    EXPECT_EQ(keypad.memory()[8], 0x00);
    EXPECT_EQ(keypad.memory()[819], 0xA0);
    EXPECT_EQ(keypad.mode(), 2);
    // Appended, one line per report, flushed as it arrives.
    EXPECT_EQ(linesOf(log),
              (std::vector<std::string>{"earlier line", "03 04 00 11 22 33 44 00",
                                        "03 33 03 a0 bb cc dd 00", "03 ff ff 02 00 00 00 00",
                                        "05 08 00 99 99 99 99 00"}));
}

TEST(SimulatedKeypad, UnwritableLogMakesAKeypadThatCannotBeOpened) {
    SimulatedKeypad keypad("/nonexistent-dir/k.log");
    EXPECT_FALSE(keypad.logging());
    EXPECT_EQ(keypad.logError(), ENOENT);
    keypad.receive({0x03, 0xFF, 0xFF, 0x03, 0, 0, 0, 0});
    EXPECT_EQ(keypad.mode(), 3);

    // Something that is not a file (a FIFO without a reader, a device) is refused at
    // once, never opened and waited on.
    test::TempDir dir;
#ifdef _WIN32
    const std::string device = (dir / "NUL").string();
#else
    const std::string device = (dir / "k.fifo").string();
    ASSERT_EQ(::mkfifo(device.c_str(), 0600), 0);
#endif
    for (const auto& [log, error] :
         {std::pair<std::string, int>{"/nonexistent-dir/k.log", ENOENT}, {device, EINVAL}}) {
        setEnvironment("PADLINK_SIMULATOR", log.c_str());
        RecordingHost host;
        PadLinkDriver link(backendFromEnvironment(0x1234).hid, nullptr, 0x1234);
        link.initDriver(host.window(), HostMessage, KeypadPage);
        drainEvents();
        ASSERT_EQ(host.numbers(),
                  (std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT, MSG_KEYPAD_NO_ACCESS}))
            << log;
        EXPECT_EQ(host.messages[1].lParam, error) << log;
    }
    setEnvironment("PADLINK_SIMULATOR", nullptr);
}

TEST(LinkEnvironment, VendorIdFromEnvironment) {
    struct Case {
        const char* text;
        std::uint16_t expected;
    };
    constexpr std::uint16_t Fallback = 0x0ABC;
    for (Case c : {Case{"0x1234", 0x1234}, Case{"1c4F", 0x1C4F}, Case{"0XFFFF", 0xFFFF},
                   Case{"", Fallback}, Case{"0x10000", Fallback}, Case{"zz", Fallback},
                   Case{"12 34", Fallback}, Case{"-1", Fallback}}) {
        setEnvironment("PADLINK_VENDOR_ID", c.text);
        EXPECT_EQ(vendorIdFromEnvironment(Fallback), c.expected) << c.text;
    }
    setEnvironment("PADLINK_VENDOR_ID", nullptr);
    EXPECT_EQ(vendorIdFromEnvironment(Fallback), Fallback);
}

TEST(LinkEnvironment, SimulatorHoldsOneKeypadThatLinkFinds) {
    test::TempDir dir;
    std::string log = (dir / "k.log").string();
    auto hid = makeSimulatedKeypadSystem(0x1234, log);
    auto interfaces = hid->enumerate();
    ASSERT_TRUE(interfaces && interfaces->size() == 1);
    EXPECT_EQ((*interfaces)[0].path, "sim:keypad0");
    EXPECT_EQ((*interfaces)[0].productId, KEYPAD_PRODUCT_ID);

    RecordingHost host;
    PadLinkDriver link(hid, nullptr, 0x1234);
    link.initDriver(host.window(), HostMessage, KeypadPage);
    drainEvents();
    EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT});
    link.setKbdFeatures(0xFF00, 0xFF00, {0x03, 0xFF, 0xFF, 0x01, 0, 0, 0, 0});
    EXPECT_EQ(linesOf(log), std::vector<std::string>{"03 ff ff 01 00 00 00 00"});
}

TEST(LinkEnvironment, SimulatedKeypadUnpluggedAfterNReports) {
    test::TempDir dir;
    std::string log = (dir / "k.log").string();
    setEnvironment("PADLINK_SIMULATOR", log.c_str());
    for (const char* ignored : {"0", "-3", "3x", "x"}) {
        setEnvironment("PADLINK_SIMULATOR_UNPLUG_AFTER", ignored);
        EXPECT_EQ(unplugAfterFromEnvironment(), 0u) << ignored;
    }
    setEnvironment("PADLINK_SIMULATOR_UNPLUG_AFTER", "3");
    LinkBackend backend = backendFromEnvironment(0x1234);
    setEnvironment("PADLINK_SIMULATOR", nullptr);
    setEnvironment("PADLINK_SIMULATOR_UNPLUG_AFTER", nullptr);

    RecordingHost host;
    PadLinkDriver link(backend.hid, std::move(backend.notifier), 0x1234);
    link.initDriver(host.window(), HostMessage, KeypadPage);
    drainEvents();
    const FeatureReport report = {0x03, 0x04, 0x00, 1, 2, 3, 4, 0};
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(link.writeReport(0xFF00, 0xFF00, report), 1u) << n;
    // The removal reaches PadLink through the event loop, not inside the write.
    EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT});
    drainEvents();
    EXPECT_EQ(host.numbers(), (std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT, MSG_KEYPAD_ABSENT}));
    EXPECT_TRUE(link.matchedKeypads().empty());

    EXPECT_EQ(link.writeReport(0xFF00, 0xFF00, report), 0u);
    EXPECT_EQ(link.setKbdFeatures(0xFF00, 0xFF00, report), 1);
    EXPECT_EQ(linesOf(log).size(), 3u);
}

// The machine's own backend (hidapi and udev; SetupAPI, which finds wine's virtual HID
// devices) must scan, report a missing keypad absent and take every call without harm.
TEST(MachineLink, RealEnumerationReportsAbsentKeypad) {
    RecordingHost host;
    host.bufferMessages = {HostMessage};
    {
        LinkBackend machine = MachineBackend();
        PadLinkDriver link(machine.hid, std::move(machine.notifier), KEYPAD_DEFAULT_VENDOR_ID);
        EXPECT_EQ(link.initDriver(host.window(), HostMessage, KeypadPage), 1);
        ASSERT_TRUE(runUntil([&] { return !host.messages.empty(); }));
        if (link.listKeypads().empty()) { // unless a keypad is plugged in after all
            EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_ABSENT});
        }
        EXPECT_EQ(link.readDevice(0xFF00, 0xFF00), 1);
        EXPECT_EQ(link.setKbdFeatures(0xFF00, 0xFF00, {0x03, 0xFF, 0xFF, 0, 0, 0, 0, 0}), 1);
        EXPECT_EQ(link.deviceArrival(), 1);
        EXPECT_EQ(link.removeDevice(), 1);
        link.listKeypads();
        drainEvents();
    }
    EXPECT_EQ(host.count(MSG_KEYPAD_PRESENT) + host.count(MSG_KEYPAD_ABSENT), 2);
}

} // namespace
