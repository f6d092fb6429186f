// HidBridge's behaviour on the simulated HID system: loose matching, readers that
// start by themselves, both report messages, device events and GetIndexStr.

#include "hidbridge/HidBridgeDriver.h"
#include "devicelink/LinkEnvironment.h"
#include "devicelink/PadLink.h"
#include "tests/support/LinkTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace pad;
using namespace pad::test;
using namespace std::chrono_literals;

namespace {

const FeatureReport ModeA = {0x03, 0xFF, 0xFF, 0x01, 0, 0, 0, 0};

// HidBridge hands input reports to the host with the message after the host's own.
class HidBridgeTest : public LinkTest<HidBridgeDriver> {
  protected:
    HidBridgeTest() : LinkTest({HostMessage + 1}) {}
};

TEST_F(HidBridgeTest, AnyInterfaceWithTheUsagePageIsAKeypadAndGetsAReader) {
    hid->addInterface(mouseInterface("/dev/hidraw0"));
    hid->addInterface(interfaceOf("/dev/hidraw1", 0x0BDA, 0x0001, 0xFF00, 0x0003));
    start();
    EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT});
    EXPECT_EQ(link->matchedKeypads(), std::vector<std::size_t>{1});
    EXPECT_FALSE(link->readerRunning(0));
    EXPECT_TRUE(link->readerRunning(1));
    EXPECT_TRUE(hid->waitForBlockedReaders("/dev/hidraw1", 1, 2s));
}

TEST_F(HidBridgeTest, ReadersStopAtTenMatches) {
    for (int i = 0; i < 12; ++i)
        hid->addInterface(
            interfaceOf("/dev/hidraw" + std::to_string(i), 0x1111, 0x2222, 0xFF00, 0xFF00));
    start();
    EXPECT_EQ(link->matchedKeypads().size(), 10u);
    EXPECT_EQ(link->runningReaderCount(), 10u);
}

TEST_F(HidBridgeTest, ArrivalPostsAbsentThenTheRescansResult) {
    hid->addInterface(keypadInterface("/dev/hidraw0"));
    start();
    hid->addInterface(mouseInterface("/dev/hidraw1"));
    deliver(DeviceEvent::Kind::Arrival, "/dev/hidraw1");
    EXPECT_EQ(host.numbers(), (std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT, MSG_KEYPAD_ABSENT,
                                                          MSG_KEYPAD_PRESENT}));
    EXPECT_TRUE(link->readerRunning(0));
    EXPECT_EQ(hid->openHandleCount("/dev/hidraw0"), 1);
}

TEST_F(HidBridgeTest, RemovalOfAMatchStopsItsReaderAndPostsAbsentOnlyWhenNoneIsLeft) {
    hid->addInterface(keypadInterface("/dev/hidraw0"));
    // Another vendor's device on the same usage page matches as well.
    hid->addInterface(interfaceOf("/dev/hidraw1", 0x0BDA, 0x0001, 0xFF00, 0x0003));
    hid->addInterface(mouseInterface("/dev/hidraw2"));
    start();
    ASSERT_EQ(link->runningReaderCount(), 2u);

    // Query-remove and the removal of a non-match change nothing.
    deliver(DeviceEvent::Kind::QueryRemove, "/dev/hidraw0");
    deliver(DeviceEvent::Kind::RemoveComplete, "/dev/hidraw2");
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(link->runningReaderCount(), 2u);

    // The other device goes: the keypad is still there and keeps its reader.
    hid->removeInterface("/dev/hidraw1");
    deliver(DeviceEvent::Kind::RemoveComplete, "/DEV/HIDRAW1");
    EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT});
    EXPECT_FALSE(link->readerRunning(1));
    EXPECT_TRUE(link->readerRunning(0));
    ASSERT_TRUE(hid->waitForBlockedReaders("/dev/hidraw0", 1, 2s));
    hid->pushInputReport("/dev/hidraw0", inputReport(0x20));
    EXPECT_TRUE(runUntil([&] { return host.count(HostMessage) == 1; }));

    // The last match goes: absent, no reader left, no rescan.
    hid->removeInterface("/dev/hidraw0");
    deliver(DeviceEvent::Kind::RemoveComplete, "/dev/hidraw0");
    EXPECT_EQ(host.count(MSG_KEYPAD_ABSENT), 1);
    EXPECT_EQ(host.messages.back().message, MSG_KEYPAD_ABSENT);
    EXPECT_EQ(link->runningReaderCount(), 0u);
    EXPECT_EQ(hid->openHandleCount("/dev/hidraw0"), 0);
    // The rows stay until the next arrival, and writes still walk them.
    EXPECT_EQ(link->entries().size(), 3u);
    hid->addInterface(keypadInterface("/dev/hidraw0"));
    link->setKbdFeatures(0xFF00, 0xFF00, ModeA);
    EXPECT_EQ(hid->reportsReceived("/dev/hidraw0").size(), 1u);
}

TEST_F(HidBridgeTest, ReportIsSentAsHostMessagePlusOneThenPostedAsHostMessage) {
    hid->addInterface(mouseInterface("/dev/hidraw0"));
    hid->addInterface(keypadInterface("/dev/hidraw1"));
    start();
    ASSERT_TRUE(hid->waitForBlockedReaders("/dev/hidraw1", 1, 2s));
    hid->pushInputReport("/dev/hidraw1", inputReport(0x10));
    ASSERT_TRUE(runUntil([&] { return host.count(HostMessage) == 1; }));
    ASSERT_EQ(host.numbers(),
              (std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT, HostMessage + 1, HostMessage}));
    EXPECT_EQ(host.messages[1].wParam, 1u);
    EXPECT_EQ(host.messages[1].buffer, inputReport(0x10));
    EXPECT_EQ(host.messages[2].wParam, 1u);
    EXPECT_EQ(host.messages[2].lParam, 0x13121110);
}

TEST_F(HidBridgeTest, WritesIgnoreVendorAndProduct) {
    hid->addInterface(interfaceOf("/dev/hidraw0", 0x0001, 0x0002, 0xFF00, 0xFF00));
    hid->addInterface(interfaceOf("/dev/hidraw1", 0x0001, 0x0002, 0xFF00, 0x0001));
    auto locked = interfaceOf("/dev/hidraw2", 0x0001, 0x0002, 0xFF00, 0xFF00);
    locked.openError = EACCES;
    hid->addInterface(locked);
    start();
    EXPECT_EQ(link->setKbdFeatures(0xFF00, 0xFF00, ModeA), 1);
    EXPECT_EQ(hid->reportsReceived("/dev/hidraw0"), std::vector<FeatureReport>{ModeA});
    EXPECT_TRUE(hid->reportsReceived("/dev/hidraw1").empty());
    EXPECT_TRUE(hid->reportsReceived("/dev/hidraw2").empty());
}

TEST_F(HidBridgeTest, GetIndexStrTriesThirteenTimesThenLeavesAZeroByte) {
    auto silent = interfaceOf("/dev/hidraw0", 0x0001, 0x015D, 0x0001, 0x0006);
    silent.answersStrings = false;
    hid->addInterface(silent);
    hid->addInterface(mouseInterface("/dev/hidraw1"));
    start();
    std::uint8_t buffer[16];
    std::memset(buffer, 0x55, sizeof buffer);
    EXPECT_EQ(link->getIndexStr(0x0001, 0x0006, 2, buffer, 15), 2);
    EXPECT_EQ(hid->stringRequestCount("/dev/hidraw0"), 13);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0x55);
    EXPECT_EQ(hid->openHandleCount("/dev/hidraw0"), 0);
}

TEST_F(HidBridgeTest, GetIndexStrReadsTheStringOrLeavesTheBufferAlone) {
    auto answering = interfaceOf("/dev/hidraw0", 0x0001, 0x015D, 0x0001, 0x0006);
    answering.indexedString = u"Pad";
    hid->addInterface(answering);
    auto locked = interfaceOf("/dev/hidraw1", 0x0001, 0x015D, 0x0001, 0x0007);
    locked.openError = EACCES;
    hid->addInterface(locked);
    start();

    std::uint8_t buffer[16];
    std::memset(buffer, 0x55, sizeof buffer);
    EXPECT_EQ(link->getIndexStr(0x0001, 0x0006, 1, buffer, 15), 2);
    EXPECT_EQ(hid->stringRequestCount("/dev/hidraw0"), 1);
    const std::uint8_t expected[8] = {'P', 0, 'a', 0, 'd', 0, 0, 0};
    EXPECT_EQ(std::memcmp(buffer, expected, 8), 0);

    // No qualifying entry: the buffer is untouched.
    std::memset(buffer, 0x55, sizeof buffer);
    EXPECT_EQ(link->getIndexStr(0x0001, 0x0009, 1, buffer, 15), 2);
    EXPECT_EQ(buffer[0], 0x55);

    // An entry that cannot be opened counts as one that never answers.
    EXPECT_EQ(link->getIndexStr(0x0001, 0x0007, 1, buffer, 15), 2);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0x55);
}

TEST_F(HidBridgeTest, GetIndexStrOnEmptyTableReturnsZero) {
    start();
    std::uint8_t buffer[4] = {1, 2, 3, 4};
    EXPECT_EQ(link->getIndexStr(0x0001, 0x0006, 1, buffer, 3), 0);
    EXPECT_EQ(buffer[0], 1);
    EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_ABSENT});
}

} // namespace

namespace {

// The machine's own interfaces (wine has virtual ones): HidBridge starts a reader on
// every interface of the usage page it is given, and ends them all again, the pending
// reads of real devices included.
TEST(HidBridgeMachine, ReadersOnTheMachinesInterfacesStartAndEnd) {
    LinkBackend machine = MachineBackend();
    const auto interfaces = machine.hid->enumerate();
    ASSERT_TRUE(interfaces.has_value());
    if (interfaces->empty() || !interfaces->front().readable)
        GTEST_SKIP() << "no readable HID interface on this machine";
    const std::uint32_t page = interfaces->front().usagePage;
    RecordingHost host;
    {
        HidBridgeDriver bridge(machine.hid, std::move(machine.notifier));
        bridge.initDriver(host.window(), HostMessage, page);
        EXPECT_GE(bridge.runningReaderCount(), 1u);
        EXPECT_EQ(bridge.matchedKeypads().size(), bridge.runningReaderCount());
        drainEvents();
    }
    EXPECT_EQ(host.numbers().front(), MSG_KEYPAD_PRESENT);
}

} // namespace
