#pragma once
// What PadLink and HidBridge share: the device table, the scan, the hidden link
// window that receives device notifications and reader messages, the reader threads
// and the feature-report writes. Each library derives its own driver and decides
// what matches and what happens on device events and reader messages. Portable: the
// platform's window and its way to the host are behind devicelink/LinkWindow.h.
//
// Everything but the reader threads runs on the thread that called init (the host's
// thread, which must run the platform's message loop); only that thread touches the
// table.

#include "common/KeypadProtocol.h"
#include "devicelink/DeviceNotifier.h"
#include "devicelink/HidSystem.h"
#include "devicelink/LinkWindow.h"

#include <array>
#include <functional>
#include <thread>

namespace pad {

// One row of the device table: what the scan copied from one interface, and the
// handle while a reader holds the interface open. A row whose interface could not be
// read has an empty path and zero identifiers; it never matches and is never opened.
struct HidDeviceEntry {
    std::unique_ptr<HidHandle> handle;
    // While a reader holds it open: the link window's registration for its removal.
    std::shared_ptr<void> removalWatch;
    std::string path;
    std::uint32_t usagePage = 0;
    std::uint32_t usage = 0;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;

    bool isOpen() const { return handle != nullptr; }
};

class LinkCore : private LinkWindow::Receiver {
  public:
    static constexpr std::size_t MatchLimit = 10;  // most entries in matchedKeypads
    static constexpr std::size_t ReaderSlots = 30; // readers exist for indexes 0-29

    LinkCore(std::shared_ptr<HidSystem> hid, std::unique_ptr<DeviceNotifier> notifier);
    virtual ~LinkCore();
    LinkCore(const LinkCore&) = delete;
    LinkCore& operator=(const LinkCore&) = delete;

    const std::vector<HidDeviceEntry>& entries() const { return entries_; }
    const std::vector<std::size_t>& matchedKeypads() const { return matched_; }
    bool readerRunning(std::size_t index) const;
    std::size_t runningReaderCount() const;
    std::uint32_t hostMessage() const { return hostMessage_; }
    std::uint32_t keypadUsagePage() const { return usagePage_; }

  protected:
    // Stores the host, creates the link window (of class windowClass, titled
    // windowTitle) on the calling thread and starts the device notifications; a second
    // call only updates the host.
    void attach(HostWindow host, std::uint32_t hostMessage, std::uint32_t usagePage,
                const char* windowClass, const char* windowTitle);

    // Discards the table and fills it from the enumeration; readers must be stopped.
    void scan();
    void addMatch(std::size_t index) { matched_.push_back(index); }
    void removeMatch(std::size_t index) { std::erase(matched_, index); }

    void startReader(std::size_t index);
    void stopReader(std::size_t index);
    void stopAllReaders();
    void closeEntry(std::size_t index);

    // Writes report to every entry that qualifies, through the reader's handle when
    // one holds the entry, else through a handle opened for this write alone; each
    // send is followed by a 1 ms pause. Returns how many entries took the report.
    std::size_t writeFeature(const std::function<bool(const HidDeviceEntry&)>& qualifies,
                             const FeatureReport& report);

    HidOpenResult openEntry(std::size_t index, HidAccess access);

    bool postToHost(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    bool sendToHost(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    // What the library does on a device notification and on a reader's messages,
    // all on the link window's thread.
    void onDeviceEvent(const DeviceEvent& event) override = 0;
    virtual void onReaderReport(std::size_t index, const std::uint8_t* buffer) = 0;
    virtual void onReaderHead(std::size_t index, std::uint32_t head) = 0;

  private:
    void onReaderMessage(std::uint32_t message, std::uintptr_t wParam,
                         std::intptr_t lParam) override;

    struct ReaderSlot {
        std::shared_ptr<SendChannel> channel; // doubles as the stop flag
        std::thread thread;
    };

    std::shared_ptr<HidSystem> hid_;
    std::unique_ptr<LinkWindow> window_; // made by the first attach
    std::unique_ptr<DeviceNotifier> notifier_;
    std::uint32_t hostMessage_ = 0;
    std::uint32_t usagePage_ = 0;
    std::vector<HidDeviceEntry> entries_;
    std::vector<std::size_t> matched_;
    std::array<ReaderSlot, ReaderSlots> readers_;
};

// ASCII case-insensitive equality of two interface paths.
bool samePath(const std::string& a, const std::string& b);

} // namespace pad
