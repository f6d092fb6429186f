#pragma once
// How the libraries' exports pick their HID system: the machine's (MachineBackend),
// or, when PADLINK_SIMULATOR names a file, one simulated keypad that logs to it and,
// with PADLINK_SIMULATOR_UNPLUG_AFTER=N, is unplugged after N reports. With
// PADLINK_SIMULATOR_PLUG naming a file, the keypad is plugged in while that file
// exists: making or removing it plugs the keypad in or pulls it out.

#include "devicelink/DeviceNotifier.h"
#include "devicelink/SimulatedHidSystem.h"

namespace pad {

// The vendor id from PADLINK_VENDOR_ID (hex, "0x" optional), else fallback. A value
// that is not a 16-bit hex number is ignored with a warning on stderr.
std::uint16_t vendorIdFromEnvironment(std::uint16_t fallback);

struct LinkBackend {
    std::shared_ptr<HidSystem> hid;
    std::unique_ptr<DeviceNotifier> notifier;
    bool simulated = false;
};

// The report count from PADLINK_SIMULATOR_UNPLUG_AFTER (a positive decimal number),
// else 0. Anything else is ignored with a warning on stderr.
std::size_t unplugAfterFromEnvironment();

LinkBackend backendFromEnvironment(std::uint16_t vendorId);

// The machine's HID interfaces and notifications: hidapi and udev on Linux
// (MachineBackendLinux.cpp), SetupAPI and RegisterDeviceNotificationA on Windows
// (MachineBackendWin32.cpp).
LinkBackend MachineBackend();

// The simulator's path of its one keypad.
inline constexpr const char* SimulatedKeypadPath = "sim:keypad0";

// A simulated system holding one keypad (vendorId, the keypad's product id, usage page
// and usage) that appends the reports it receives to logPath. When logPath cannot
// be opened for appending, every open of the keypad fails with that error. With
// unplugAfter > 0 the keypad disappears once it has received that many reports.
std::shared_ptr<SimulatedHidSystem> makeSimulatedKeypadSystem(std::uint16_t vendorId,
                                                              const std::string& logPath,
                                                              std::size_t unplugAfter = 0);

// The notifier of a simulated system: it tells the link of every interface that
// unplugs itself as the machine's notifier tells of a removal, through the link
// window's event loop.
std::unique_ptr<DeviceNotifier> makeSimulatedUnplugNotifier(SimulatedHidSystem& system);

} // namespace pad
