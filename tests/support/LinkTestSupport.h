#pragma once
// What the device-link tests share: a host window that records the window messages it
// receives, the fixture that starts a link (PadLink's or HidBridge's driver) on the
// simulated HID system, and helpers to build simulated interfaces and to run the
// message loop, on Linux and on Windows alike.

#include "devicelink/DeviceNotifier.h"
#include "devicelink/HostWindow.h"
#include "devicelink/SimulatedHidSystem.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

namespace pad::test {

constexpr std::uint16_t TestVendor = 0x1234;
constexpr std::uint32_t KeypadPage = KEYPAD_USAGE_PAGE;

struct Received {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
    InputReport buffer{}; // a copy of lParam's 32 bytes for the report messages
};

// A host window that records the messages a link sends it: a QObject on Linux, a
// message-only window on Windows (LinkTestHostQt.cpp, LinkTestHostWin32.cpp), on the
// test's thread.
class RecordingHost {
  public:
    RecordingHost();
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    // What the link is given as its host.
    HostWindow window() const;

    std::vector<Received> messages;
    // Messages whose lParam is a 32-byte buffer, copied while the handler runs.
    std::vector<std::uint32_t> bufferMessages;
    // Runs inside the handler of every message, after it was recorded.
    std::function<void(const Received&)> onMessage;

    // Called by the platform's window for every message it receives.
    void record(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
        Received r{message, wParam, lParam};
        for (std::uint32_t withBuffer : bufferMessages) {
            if (message == withBuffer && lParam != 0)
                std::memcpy(r.buffer.data(), reinterpret_cast<const void*>(lParam), 32);
        }
        messages.push_back(r);
        if (onMessage)
            onMessage(r);
    }

    std::vector<std::uint32_t> numbers() const {
        std::vector<std::uint32_t> list;
        for (const auto& m : messages)
            list.push_back(m.message);
        return list;
    }
    int count(std::uint32_t message) const {
        int n = 0;
        for (const auto& m : messages)
            n += m.message == message ? 1 : 0;
        return n;
    }

  private:
    struct Window;
    std::unique_ptr<Window> window_;
};

// Delivers every posted message of the test's thread.
void drainEvents();

// Runs the thread's message loop until done() or about two seconds passed; returns done().
bool runUntil(const std::function<bool()>& done, int milliseconds = 2000);

// Sets or (value null) removes an environment variable of the test process.
void setEnvironment(const char* name, const char* value);

// A link driver on the simulated HID system, with device events delivered by hand. The
// host copies the 32-byte buffers of the report messages the test names.
template <typename Driver> class LinkTest : public ::testing::Test {
  protected:
    std::shared_ptr<SimulatedHidSystem> hid = std::make_shared<SimulatedHidSystem>();
    RecordingHost host;
    ManualNotifier* notifier = nullptr;
    std::unique_ptr<Driver> link;

    explicit LinkTest(std::vector<std::uint32_t> bufferMessages) {
        host.bufferMessages = std::move(bufferMessages);
    }

    // Creates the driver (extra constructor arguments after the notifier), binds it to
    // the host as the keypad's link and delivers what its first scan posted.
    template <typename... Extra> void start(Extra... extra) {
        auto manual = std::make_unique<ManualNotifier>();
        notifier = manual.get();
        link = std::make_unique<Driver>(hid, std::move(manual), extra...);
        EXPECT_EQ(link->initDriver(host.window(), HostMessage, KeypadPage), 1);
        drainEvents();
    }

    void deliver(DeviceEvent::Kind kind, const std::string& path, bool interfaceEvent = true) {
        notifier->deliver({kind, interfaceEvent, path});
        drainEvents();
    }

    void TearDown() override {
        link.reset();
        drainEvents();
    }
};

inline SimulatedInterface interfaceOf(const std::string& path, std::uint16_t vendor,
                                      std::uint16_t product, std::uint16_t page,
                                      std::uint16_t usage) {
    SimulatedInterface i;
    i.info = {path, vendor, product, page, usage, true};
    return i;
}

inline SimulatedInterface keypadInterface(const std::string& path,
                                          std::uint16_t usage = KEYPAD_USAGE) {
    return interfaceOf(path, TestVendor, KEYPAD_PRODUCT_ID, KEYPAD_USAGE_PAGE, usage);
}

inline SimulatedInterface mouseInterface(const std::string& path) {
    return interfaceOf(path, 0x046D, 0xC077, 0x0001, 0x0002);
}

inline InputReport inputReport(std::uint8_t first) {
    InputReport r{};
    for (std::size_t i = 0; i < r.size(); ++i)
        r[i] = std::uint8_t(first + i);
    return r;
}

} // namespace pad::test
