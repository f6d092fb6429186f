#pragma once
// Translation between PC scan codes (set 1) and USB HID keyboard-page usages, read
// from the table of physical keys (model/PhysicalKeys.h).

#include <cstdint>

namespace pad {

// The HID usage of a scan code, from the extended or the plain half of the
// table; 0 when the key is not known.
std::uint32_t ScanToUsage(std::uint8_t scan, bool extended);

// The scan code of a usage, used to name the keys of a stored macro. A value
// above 0xFF (0xE0xx) marks an extended key whose low byte is the scan code; 0 = none.
std::uint16_t UsageToScan(std::uint8_t usage);

} // namespace pad
