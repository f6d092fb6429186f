#pragma once
// The two device-link calls PadConfig makes, as replaceable functions: the program
// binds them to PadLink's exports, tests to a recorder.

#include <QObject>

#include <cstdint>
#include <functional>

namespace pad {

struct DeviceLinkPort {
    // InitDriver(host, hostMessage, usagePage)
    std::function<std::int32_t(QObject*, std::uint32_t, std::uint32_t)> initDriver;
    // SetKbdFeatures(usagePage, usage, 8-byte report)
    std::function<void(std::uint32_t, std::uint32_t, const std::uint8_t*)> setKbdFeatures;
    // PadLinkWriteReport(usagePage, usage, 8-byte report): the download's write, which
    // tells how many keypad interfaces took the report. Unset: the download writes
    // with setKbdFeatures and counts every report as taken.
    std::function<std::int32_t(std::uint32_t, std::uint32_t, const std::uint8_t*)> writeReport;
};

// PadLink's messages to its host window.
inline constexpr std::uint32_t HostMessage = 1124;
inline constexpr std::uint32_t MsgKeypadPresent = 0x0600;
inline constexpr std::uint32_t MsgKeypadNoAccess = 0x0601;
inline constexpr std::uint32_t MsgKeypadAbsent = 0x0700;

} // namespace pad
