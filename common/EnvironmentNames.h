#pragma once
// The environment variables of the suite's own, each name spelled once here. The
// device links read them; PadConfig and qd6 name them in their advice and warnings.

namespace pad {

// Another vendor id for the keypad (hex, "0x" optional).
inline constexpr const char* VendorIdVariable = "PADLINK_VENDOR_ID";
// A file name: the device links use one simulated keypad that logs its reports there.
inline constexpr const char* SimulatorVariable = "PADLINK_SIMULATOR";
// A number N: the simulated keypad is unplugged after N reports.
inline constexpr const char* SimulatorUnplugAfterVariable = "PADLINK_SIMULATOR_UNPLUG_AFTER";
// A file name: the simulated keypad is plugged in while that file exists.
inline constexpr const char* SimulatorPlugVariable = "PADLINK_SIMULATOR_PLUG";
// Milliseconds: a shorter pause between a download's reports to the simulated keypad.
inline constexpr const char* SimulatorPauseVariable = "PADLINK_SIMULATOR_PAUSE_MS";

} // namespace pad
