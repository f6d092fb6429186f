// PadLink's behaviour on the simulated HID system: matching, presence messages,
// writes, readers and device notifications.

#include "devicelink/PadLinkDriver.h"
#include "devicelink/PadLink.h"
#include "tests/support/LinkTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace pad;
using namespace pad::test;
using namespace std::chrono_literals;

namespace {

const FeatureReport ModeB = {0x03, 0xFF, 0xFF, 0x02, 0, 0, 0, 0};

class PadLinkTest : public LinkTest<PadLinkDriver> {
  protected:
    PadLinkTest() : LinkTest({HostMessage}) {}
    void start() { LinkTest::start(TestVendor); }
};

TEST_F(PadLinkTest, NoKeypadPostsAbsent) {
    hid->addInterface(mouseInterface("/dev/hidraw0"));
    hid->addInterface(interfaceOf("/dev/hidraw1", TestVendor, 0x4003, 0xFF00, 0xFF00));
    hid->addInterface(interfaceOf("/dev/hidraw2", 0x0001, KEYPAD_PRODUCT_ID, 0xFF00, 0xFF00));
    hid->addInterface(interfaceOf("/dev/hidraw3", 0x0001, KEYPAD_PRODUCT_ID, 0x0001, 0x0006));
    start();
    EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_ABSENT});
    EXPECT_EQ(host.messages[0].wParam, 0u);
    EXPECT_EQ(host.messages[0].lParam, 0);
    EXPECT_EQ(link->entries().size(), 4u);
    EXPECT_TRUE(link->matchedKeypads().empty());
    // The keypad's product id and usage page under another vendor id is named apart,
    // without being opened.
    const auto others = link->listOtherVendorKeypads();
    ASSERT_EQ(others.size(), 1u);
    EXPECT_EQ(others[0].path, "/dev/hidraw2");
    EXPECT_EQ(others[0].vendorId, 0x0001);
    EXPECT_EQ(hid->openCount("/dev/hidraw2"), 0);
}

TEST_F(PadLinkTest, FailedEnumerationAndUnreadableInterfacesGiveNoKeypad) {
    auto unreadable = keypadInterface("/dev/hidraw0");
    unreadable.info.readable = false;
    hid->addInterface(unreadable);
    start();
    ASSERT_EQ(link->entries().size(), 1u);
    EXPECT_TRUE(link->entries()[0].path.empty());
    EXPECT_EQ(link->entries()[0].vendorId, 0);
    link->setKbdFeatures(0xFF00, 0xFF00, ModeB);
    link->readDevice(0xFF00, 0xFF00);
    EXPECT_EQ(hid->openCount("/dev/hidraw0"), 0);

    hid->setEnumerationFails(true);
    EXPECT_EQ(link->deviceArrival(), 1);
    drainEvents();
    EXPECT_TRUE(link->entries().empty());
    EXPECT_EQ(host.numbers(), (std::vector<std::uint32_t>{MSG_KEYPAD_ABSENT, MSG_KEYPAD_ABSENT}));
}

TEST_F(PadLinkTest, MoreThanTenKeypadsMatchTenButAllAreWritten) {
    for (int i = 0; i < 12; ++i)
        hid->addInterface(keypadInterface("/dev/hidraw" + std::to_string(i)));
    start();
    EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT});
    EXPECT_EQ(link->matchedKeypads(), (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    link->readDevice(0xFF00, 0xFF00);
    EXPECT_EQ(link->runningReaderCount(), 10u);
    EXPECT_FALSE(link->readerRunning(10));

    std::vector<int> opensBefore;
    for (int i = 0; i < 12; ++i)
        opensBefore.push_back(hid->openCount("/dev/hidraw" + std::to_string(i)));
    EXPECT_EQ(link->setKbdFeatures(0xFF00, 0xFF00, ModeB), 1);
    for (int i = 0; i < 12; ++i) {
        std::string path = "/dev/hidraw" + std::to_string(i);
        EXPECT_EQ(hid->reportsReceived(path), std::vector<FeatureReport>{ModeB}) << path;
        // Interfaces with a reader are written through the reader's handle.
        EXPECT_EQ(hid->openCount(path) - opensBefore[i], i < 10 ? 0 : 1) << path;
        EXPECT_EQ(hid->openHandleCount(path), i < 10 ? 1 : 0) << path;
    }
}

TEST_F(PadLinkTest, MatchingUsagePageWithOtherUsageIsPresentButNotWritten) {
    hid->addInterface(keypadInterface("/dev/hidraw0", 0x0001));
    start();
    EXPECT_EQ(host.numbers(), std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT});
    link->setKbdFeatures(0xFF00, 0xFF00, ModeB);
    EXPECT_TRUE(hid->reportsReceived("/dev/hidraw0").empty());
    link->setKbdFeatures(0xFF00, 0x0001, ModeB);
    EXPECT_EQ(hid->reportsReceived("/dev/hidraw0").size(), 1u);
}

TEST_F(PadLinkTest, SetKbdFeaturesWithNothingPresentSendsNothing) {
    hid->addInterface(mouseInterface("/dev/hidraw0"));
    start();
    EXPECT_EQ(link->setKbdFeatures(0xFF00, 0xFF00, ModeB), 1);
    EXPECT_EQ(link->setKbdFeatures(0x0001, 0x0002, ModeB), 1);
    EXPECT_TRUE(hid->reportsReceived("/dev/hidraw0").empty());
    EXPECT_EQ(hid->openCount("/dev/hidraw0"), 0);
}

TEST_F(PadLinkTest, UnpluggedOrRefusingKeypadDropsWritesSilently) {
    hid->addInterface(keypadInterface("/dev/hidraw0"));
    auto refusing = keypadInterface("/dev/hidraw1");
    refusing.rejectsFeatureReports = true;
    hid->addInterface(refusing);
    hid->addInterface(keypadInterface("/dev/hidraw2"));
    start();
    hid->removeInterface("/dev/hidraw0");
    EXPECT_EQ(link->setKbdFeatures(0xFF00, 0xFF00, ModeB), 1);
    EXPECT_TRUE(hid->reportsReceived("/dev/hidraw0").empty());
    EXPECT_TRUE(hid->reportsReceived("/dev/hidraw1").empty());
    // The interfaces after them still get the report.
    EXPECT_EQ(hid->reportsReceived("/dev/hidraw2"), std::vector<FeatureReport>{ModeB});
    EXPECT_EQ(hid->openHandleCount("/dev/hidraw1"), 0);
}

TEST_F(PadLinkTest, KeypadThatCannotBeOpenedForWritingAddsNoAccess) {
    auto keypad = keypadInterface("/dev/hidraw0");
    keypad.readWriteOpenError = EACCES;
    hid->addInterface(keypad);
    start();
    ASSERT_EQ(host.numbers(),
              (std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT, MSG_KEYPAD_NO_ACCESS}));
    EXPECT_EQ(host.messages[1].wParam, 0u);
    EXPECT_EQ(host.messages[1].lParam, EACCES);

    // One writable keypad among several is enough.
    hid->addInterface(keypadInterface("/dev/hidraw1"));
    deliver(DeviceEvent::Kind::Arrival, "/dev/hidraw1");
    EXPECT_EQ(host.messages.back().message, MSG_KEYPAD_PRESENT);
    EXPECT_EQ(hid->openHandleCount("/dev/hidraw1"), 0);
}

TEST_F(PadLinkTest, ArrivalOfAnyInterfaceRescansButRemovalOfOthersIsIgnored) {
    hid->addInterface(keypadInterface("/dev/hidraw0"));
    start();
    link->readDevice(0xFF00, 0xFF00);
    ASSERT_TRUE(link->readerRunning(0));

    hid->addInterface(mouseInterface("/dev/hidraw1"));
    deliver(DeviceEvent::Kind::Arrival, "/dev/hidraw1");
    EXPECT_EQ(host.numbers(), (std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT, MSG_KEYPAD_PRESENT}));
    EXPECT_EQ(link->entries().size(), 2u);
    // A rescan stops the readers; they are not restarted by themselves.
    EXPECT_EQ(link->runningReaderCount(), 0u);

    link->readDevice(0xFF00, 0xFF00);
    hid->removeInterface("/dev/hidraw1");
    deliver(DeviceEvent::Kind::RemoveComplete, "/dev/hidraw1");
    deliver(DeviceEvent::Kind::Other, "/dev/hidraw0");
    deliver(DeviceEvent::Kind::Arrival, "/dev/hidraw5", false);
    EXPECT_EQ(host.messages.size(), 2u);
    EXPECT_TRUE(link->readerRunning(0));
}

TEST_F(PadLinkTest, RemovalOfKeypadMatchesPathIgnoringAsciiCase) {
    hid->addInterface(keypadInterface("sim:keypad-a"));
    hid->addInterface(keypadInterface("sim:keypad-b"));
    start();
    link->readDevice(0xFF00, 0xFF00);

    // Only ASCII letters fold: a path that differs otherwise is another interface.
    deliver(DeviceEvent::Kind::RemoveComplete, "SIM;KEYPAD-A");
    EXPECT_EQ(host.messages.size(), 1u);

    hid->removeInterface("sim:keypad-a");
    deliver(DeviceEvent::Kind::RemoveComplete, "SIM:KEYPAD-A");
    EXPECT_EQ(host.numbers(), (std::vector<std::uint32_t>{MSG_KEYPAD_PRESENT, MSG_KEYPAD_PRESENT}));
    ASSERT_EQ(link->entries().size(), 1u);
    EXPECT_EQ(link->entries()[0].path, "sim:keypad-b");

    hid->removeInterface("sim:keypad-b");
    deliver(DeviceEvent::Kind::RemoveComplete, "sim:keypad-B");
    EXPECT_EQ(host.messages.back().message, MSG_KEYPAD_ABSENT);
    EXPECT_EQ(host.messages.size(), 3u);
}

TEST_F(PadLinkTest, QueryRemoveClosesEverythingWithoutRescan) {
    hid->addInterface(keypadInterface("/dev/hidraw0"));
    hid->addInterface(keypadInterface("/dev/hidraw1"));
    start();
    link->readDevice(0xFF00, 0xFF00);
    ASSERT_EQ(link->runningReaderCount(), 2u);
    ASSERT_EQ(hid->openHandleCount("/dev/hidraw0"), 1);

    deliver(DeviceEvent::Kind::QueryRemove, "/dev/hidraw0", false);
    EXPECT_EQ(link->runningReaderCount(), 0u);
    EXPECT_EQ(hid->openHandleCount("/dev/hidraw0"), 0);
    EXPECT_EQ(hid->openHandleCount("/dev/hidraw1"), 0);
    EXPECT_EQ(link->entries().size(), 2u);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(PadLinkTest, ReadDeviceTwiceStartsOneReader) {
    hid->addInterface(keypadInterface("/dev/hidraw0"));
    start();
    int opensBefore = hid->openCount("/dev/hidraw0");
    link->readDevice(0xFF00, 0xFF00);
    link->readDevice(0xFF00, 0xFF00);
    EXPECT_EQ(link->runningReaderCount(), 1u);
    EXPECT_EQ(hid->openCount("/dev/hidraw0") - opensBefore, 1);
    EXPECT_TRUE(hid->waitForBlockedReaders("/dev/hidraw0", 1, 2s));
}

TEST_F(PadLinkTest, InputReportIsSentToHostWhileReaderWaits) {
    hid->addInterface(mouseInterface("/dev/hidraw0"));
    hid->addInterface(keypadInterface("/dev/hidraw1"));
    start();
    link->readDevice(0xFF00, 0xFF00);
    ASSERT_TRUE(hid->waitForBlockedReaders("/dev/hidraw1", 1, 2s));

    int readersBlockedDuringHandler = -1;
    host.onMessage = [&](const Received& r) {
        if (r.message == HostMessage)
            readersBlockedDuringHandler = hid->blockedReaderCount("/dev/hidraw1");
    };
    ASSERT_EQ(hid->pushInputReport("/dev/hidraw1", inputReport(0x40)), 1);
    ASSERT_TRUE(runUntil([&] { return host.count(HostMessage) == 1; }));
    const Received& report = host.messages.back();
    EXPECT_EQ(report.wParam, 1u);
    EXPECT_EQ(report.buffer, inputReport(0x40));
    // The reader does not read on while the host handles the report.
    EXPECT_EQ(readersBlockedDuringHandler, 0);
    EXPECT_TRUE(hid->waitForBlockedReaders("/dev/hidraw1", 1, 2s));

    hid->pushInputReport("/dev/hidraw1", inputReport(0x80));
    ASSERT_TRUE(runUntil([&] { return host.count(HostMessage) == 2; }));
    EXPECT_EQ(host.messages.back().buffer, inputReport(0x80));
}

TEST_F(PadLinkTest, HostMayRescanWhileHandlingAReport) {
    hid->addInterface(keypadInterface("/dev/hidraw0"));
    start();
    link->readDevice(0xFF00, 0xFF00);
    ASSERT_TRUE(hid->waitForBlockedReaders("/dev/hidraw0", 1, 2s));
    // Stopping the reader that waits for this very handler must not hang.
    host.onMessage = [&](const Received& r) {
        if (r.message == HostMessage)
            link->deviceArrival();
    };
    hid->pushInputReport("/dev/hidraw0", inputReport(1));
    ASSERT_TRUE(runUntil([&] { return host.count(MSG_KEYPAD_PRESENT) == 2; }));
    EXPECT_EQ(link->runningReaderCount(), 0u);
    EXPECT_EQ(hid->openHandleCount("/dev/hidraw0"), 0);
}

TEST_F(PadLinkTest, DeviceArrivalWithoutHostReportsFailedPost) {
    hid->addInterface(keypadInterface("/dev/hidraw0"));
    start();
    EXPECT_EQ(link->deviceArrival(), 1);
    link->initDriver(nullptr, HostMessage, KeypadPage);
    EXPECT_EQ(link->deviceArrival(), 0);
}

TEST_F(PadLinkTest, ListsKeypadInterfacesWithWriteAccess) {
    auto locked = keypadInterface("/dev/hidraw1", 0x0001);
    locked.readWriteOpenError = EACCES;
    hid->addInterface(keypadInterface("/dev/hidraw0"));
    hid->addInterface(locked);
    hid->addInterface(mouseInterface("/dev/hidraw2"));
    start();
    auto list = link->listKeypads();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].path, "/dev/hidraw0");
    EXPECT_TRUE(list[0].writable);
    EXPECT_EQ(list[1].usage, 0x0001u);
    EXPECT_FALSE(list[1].writable);
    EXPECT_EQ(list[1].openError, EACCES);
    EXPECT_EQ(hid->openHandleCount("/dev/hidraw0"), 0);
}

// Readers started and stopped over and over while reports flow (run under
// ThreadSanitizer in the dev-tsan preset).
TEST_F(PadLinkTest, ReadersStartAndStopCleanly) {
    hid->addInterface(keypadInterface("/dev/hidraw0"));
    hid->addInterface(keypadInterface("/dev/hidraw1"));
    start();
    int delivered = 0;
    for (int cycle = 0; cycle < 100; ++cycle) {
        link->readDevice(0xFF00, 0xFF00);
        hid->pushInputReport("/dev/hidraw0", inputReport(std::uint8_t(cycle)));
        hid->pushInputReport("/dev/hidraw1", inputReport(std::uint8_t(cycle)));
        if (cycle % 2 == 0) {
            runUntil([&] { return host.count(HostMessage) >= delivered + 2; });
            delivered = host.count(HostMessage);
        }
        if (cycle % 3 == 0)
            link->setKbdFeatures(0xFF00, 0xFF00, ModeB);
        if (cycle % 2 == 0)
            link->deviceArrival();
        else
            link->removeDevice();
    }
    EXPECT_EQ(link->runningReaderCount(), 0u);
    EXPECT_EQ(hid->openHandleCount("/dev/hidraw0"), 0);
    EXPECT_GE(host.count(HostMessage), 100);
}

// Plugging and unplugging a keypad with a running reader 1,000 times (run under
// AddressSanitizer's leak check in the dev-asan preset).
TEST_F(PadLinkTest, ThousandArrivalsAndRemovals) {
    hid->addInterface(mouseInterface("/dev/hidraw0"));
    start();
    for (int cycle = 0; cycle < 1000; ++cycle) {
        hid->addInterface(keypadInterface("/dev/hidraw1"));
        deliver(DeviceEvent::Kind::Arrival, "/dev/hidraw1");
        link->readDevice(0xFF00, 0xFF00);
        hid->removeInterface("/dev/hidraw1");
        deliver(DeviceEvent::Kind::RemoveComplete, "/dev/hidraw1");
    }
    EXPECT_EQ(host.count(MSG_KEYPAD_PRESENT), 1000);
    EXPECT_EQ(host.count(MSG_KEYPAD_ABSENT), 1001);
    EXPECT_EQ(hid->openHandleCount("/dev/hidraw1"), 0);
    EXPECT_EQ(link->runningReaderCount(), 0u);
}

} // namespace
