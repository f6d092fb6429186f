#pragma once
// The narrow view of the machine's HID interfaces that the device links use. One
// implementation per platform, hidapi's hidraw backend on Linux (HidrawSystem) and
// SetupAPI and the HID class driver on Windows (SetupApiHidSystem), and an in-memory
// simulation (SimulatedHidSystem) for tests and for trying the suite without a keypad.

#include "common/KeypadProtocol.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pad {

// One HID interface (on hidraw: one top-level collection of a device node) as the
// enumeration reports it. readable is false when its identifiers could not be read.
struct HidInterfaceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    bool readable = true;
};

enum class HidAccess {
    Query,     // enough to send feature reports and read strings
    ReadWrite, // also for reading input reports
};

using FeatureReport = Report;
using InputReport = std::array<std::uint8_t, InputReportSize>;

// An open interface. Closed when destroyed. sendFeatureReport and getIndexedString
// may run while another thread is blocked in read; wake may be called from any thread.
class HidHandle {
  public:
    virtual ~HidHandle() = default;

    // Sends the 8 bytes; byte 0 is the report id. Returns false when the device refused.
    virtual bool sendFeatureReport(const FeatureReport& report) = 0;

    // Blocks until an input report arrives (true, report filled, zero-padded) or the
    // read fails or wake() was called (false). After wake() every read returns false.
    virtual bool read(InputReport& report) = 0;

    // Makes a blocked read (and every later one) return false.
    virtual void wake() = 0;

    // Fills buffer with the UTF-16LE string of the given index, NUL-terminated, at
    // most bufferBytes bytes. Returns false when the device gave no string.
    virtual bool getIndexedString(int index, std::uint8_t* buffer, std::size_t bufferBytes) = 0;

    // The platform's own handle of the open interface (a Windows HANDLE), for device
    // notifications about it; null where there is none.
    virtual void* systemHandle() const { return nullptr; }
};

// Result of an open: a handle, or the errno of the failure.
struct HidOpenResult {
    std::unique_ptr<HidHandle> handle;
    int error = 0;
};

class HidSystem {
  public:
    virtual ~HidSystem() = default;

    // Every present interface, in the platform's order; nullopt when the set of
    // interfaces could not be obtained at all.
    virtual std::optional<std::vector<HidInterfaceInfo>> enumerate() = 0;

    virtual HidOpenResult open(const std::string& path, HidAccess access) = 0;
};

} // namespace pad
