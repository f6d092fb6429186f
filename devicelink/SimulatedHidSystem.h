#pragma once
// An in-memory HID system described as plain data: a list of interfaces with their
// identifiers, switches that make things fail, and a memory of what each interface
// received. Tests add and remove interfaces and inject input reports; the simulator
// mode of the libraries runs one virtual keypad on it. Thread-safe.

#include "devicelink/HidSystem.h"
#include "devicelink/SimulatedKeypad.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

namespace pad {

struct SimulatedInterface {
    HidInterfaceInfo info;
    int openError = 0;          // errno every open fails with; 0 = opens
    int readWriteOpenError = 0; // errno only read/write opens fail with (no permission)
    bool rejectsFeatureReports = false;
    // > 0: the interface unplugs itself once it has received this many feature
    // reports (the unplug listener hears of it).
    std::size_t unplugAfterReports = 0;
    bool answersStrings = true;
    std::u16string indexedString = u"Corvask 12";
    std::shared_ptr<SimulatedKeypad> keypad; // receives the feature reports, if set
};

class SimulatedHidSystem : public HidSystem {
  public:
    SimulatedHidSystem();
    ~SimulatedHidSystem() override;

    std::optional<std::vector<HidInterfaceInfo>> enumerate() override;
    HidOpenResult open(const std::string& path, HidAccess access) override;

    void addInterface(SimulatedInterface interface);
    // Removes every interface with this path; its open handles fail from now on.
    void removeInterface(const std::string& path);
    void setEnumerationFails(bool fails);
    // Called with the path of an interface that unplugged itself, on the thread that
    // sent its last report, after the removal.
    void setUnplugListener(std::function<void(const std::string& path)> listener);

    // Queues a copy of report for every read/write handle open on path; returns how
    // many handles received it.
    int pushInputReport(const std::string& path, const InputReport& report);

    // What happened to the interfaces with this path (kept across removal).
    std::vector<FeatureReport> reportsReceived(const std::string& path) const;
    int openCount(const std::string& path) const;       // successful opens so far
    int openHandleCount(const std::string& path) const; // handles open right now
    int stringRequestCount(const std::string& path) const;
    // Readers blocked in read on this path right now.
    int blockedReaderCount(const std::string& path) const;
    // Waits until blockedReaderCount(path) == count; false on time-out.
    bool waitForBlockedReaders(const std::string& path, int count,
                               std::chrono::milliseconds timeout) const;

    struct Core;

  private:
    std::shared_ptr<Core> core_;
};

} // namespace pad
