// The simulated keypad, the environment the exports read, and a real hidapi/udev link
// on this machine.

#include "devicelink/HidrawSystem.h"
#include "devicelink/LinkEnvironment.h"
#include "devicelink/PadLink.h"
#include "devicelink/PadLinkDriver.h"
#include "devicelink/UdevNotifier.h"
#include "tests/support/LinkTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <glob.h>
#include <sys/stat.h>

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
    QTemporaryDir dir;
    std::string log = dir.filePath("k.log").toStdString();
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

    // A FIFO without a reader is refused at once, never opened and waited on.
    QTemporaryDir dir;
    const std::string fifo = dir.filePath("k.fifo").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& [log, error] :
         {std::pair<std::string, int>{"/nonexistent-dir/k.log", ENOENT}, {fifo, EINVAL}}) {
        setenv("PADLINK_SIMULATOR", log.c_str(), 1);
        RecordingHost host;
        PadLinkDriver link(backendFromEnvironment(0x1234).hid, nullptr, 0x1234);
        link.initDriver(&host, HostMessage, KeypadPage);
        drainEvents();
        ASSERT_EQ(host.numbers(),
                  (std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT, MSG_KEYPAD_NO_ACCESS}))
            << log;
        EXPECT_EQ(host.messages[1].lParam, error) << log;
    }
    unsetenv("PADLINK_SIMULATOR");
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
        setenv("PADLINK_VENDOR_ID", c.text, 1);
        EXPECT_EQ(vendorIdFromEnvironment(Fallback), c.expected) << c.text;
    }
    unsetenv("PADLINK_VENDOR_ID");
    EXPECT_EQ(vendorIdFromEnvironment(Fallback), Fallback);
}

TEST(LinkEnvironment, SimulatorHoldsOneKeypadThatLinkFinds) {
    QTemporaryDir dir;
    std::string log = dir.filePath("k.log").toStdString();
    auto hid = makeSimulatedKeypadSystem(0x1234, log);
    auto interfaces = hid->enumerate();
    ASSERT_TRUE(interfaces && interfaces->size() == 1);
    EXPECT_EQ((*interfaces)[0].path, "sim:keypad0");
    EXPECT_EQ((*interfaces)[0].productId, KEYPAD_PRODUCT_ID);

    RecordingHost host;
    PadLinkDriver link(hid, nullptr, 0x1234);
    link.initDriver(&host, HostMessage, KeypadPage);
    drainEvents();
    EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT});
    link.setKbdFeatures(0xFF00, 0xFF00, {0x03, 0xFF, 0xFF, 0x01, 0, 0, 0, 0});
    EXPECT_EQ(linesOf(log), std::vector<std::string>{"03 ff ff 01 00 00 00 00"});
}

TEST(LinkEnvironment, SimulatedKeypadUnpluggedAfterNReports) {
    QTemporaryDir dir;
    std::string log = dir.filePath("k.log").toStdString();
    setenv("PADLINK_SIMULATOR", log.c_str(), 1);
    for (const char* ignored : {"0", "-3", "3x", "x"}) {
        setenv("PADLINK_SIMULATOR_UNPLUG_AFTER", ignored, 1);
        EXPECT_EQ(unplugAfterFromEnvironment(), 0u) << ignored;
    }
    setenv("PADLINK_SIMULATOR_UNPLUG_AFTER", "3", 1);
    LinkBackend backend = backendFromEnvironment(0x1234);
    unsetenv("PADLINK_SIMULATOR");
    unsetenv("PADLINK_SIMULATOR_UNPLUG_AFTER");

    RecordingHost host;
    PadLinkDriver link(backend.hid, std::move(backend.notifier), 0x1234);
    link.initDriver(&host, HostMessage, KeypadPage);
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

// No keypad is attached to a build machine: the real backend must scan, report the
// keypad absent and take every call without harm.
TEST(HidrawLink, RealEnumerationReportsAbsentKeypad) {
    glob_t nodes{};
    bool anyHidraw = glob("/dev/hidraw*", 0, nullptr, &nodes) == 0 && nodes.gl_pathc > 0;
    globfree(&nodes);

    RecordingHost host;
    host.bufferMessages = {HostMessage};
    {
        PadLinkDriver link(std::make_shared<HidrawSystem>(), std::make_unique<UdevNotifier>(),
                           KEYPAD_DEFAULT_VENDOR_ID);
        EXPECT_EQ(link.initDriver(&host, HostMessage, KeypadPage), 1);
        ASSERT_TRUE(runUntil([&] { return !host.messages.empty(); }));
        if (!anyHidraw) {
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
