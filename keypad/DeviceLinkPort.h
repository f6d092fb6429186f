#pragma once
// The device-link calls a keypad session makes, as replaceable functions: the programs
// bind them to PadLink's exports (PadLinkPort), tests to a recorder. The numbers PadConfig passes
// and receives are the keypad's (common/KeypadProtocol.h).

#include "common/KeypadProtocol.h"
#include "devicelink/HostWindow.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pad {

struct DeviceLinkPort {
    // InitDriver(host, hostMessage, usagePage)
    std::function<std::int32_t(HostWindow, std::uint32_t, std::uint32_t)> initDriver;
    // SetKbdFeatures(usagePage, usage, 8-byte report)
    std::function<void(std::uint32_t, std::uint32_t, const std::uint8_t*)> setKbdFeatures;
    // PadLinkWriteReport(usagePage, usage, 8-byte report): the download's write, which
    // tells how many keypad interfaces took the report. Unset: the download writes
    // with setKbdFeatures and counts every report as taken.
    std::function<std::int32_t(std::uint32_t, std::uint32_t, const std::uint8_t*)> writeReport;
    // DeviceArrival(): rescans and posts the presence message again. Unset: nothing.
    std::function<std::int32_t()> deviceArrival;
    // The device nodes of the keypad interfaces of the last scan (PadLinkListKeypads).
    std::function<std::vector<std::string>()> keypadNodes;
};

} // namespace pad
