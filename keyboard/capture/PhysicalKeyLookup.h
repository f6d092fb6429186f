#pragma once
// The row of the table of physical keys (model/PhysicalKeys.h) that a window system's
// key code names: an evdev code on Linux, a PC scan code and virtual key on Windows,
// or a DeviceKeyCode of a stored macro.

#include "model/PhysicalKeys.h"

#include <cstdint>

namespace pad {

// The key with this evdev code (linux/input-event-codes.h); null for codes with no key.
const PhysicalKey* keyOfEvdev(unsigned evdevCode);

// Qt's native scan code on X11 and Wayland: the X keycode, the evdev code + 8.
const PhysicalKey* keyOfXkbKeycode(unsigned nativeScanCode);

// Qt's native scan code and virtual key on Windows: bits 0-7 hold the set-1 scan code
// and bit 8 the extended (E0) mark. Print Screen (virtual key 0x2C) is the key of E0 37
// whatever its scan code, which Alt changes. Null for codes with no key.
const PhysicalKey* keyOfWindowsKey(std::uint32_t nativeScanCode, std::uint32_t nativeVirtualKey);

// The key that sends this set-1 scan code, with or without the E0 prefix; null for none.
const PhysicalKey* keyOfScan(std::uint8_t scan, bool extended);

// The key that names a DeviceKeyCode: the row carrying the code, or for a usage no key
// sends (Non-US #) the key whose scan code it borrows. Null for codes without a key.
const PhysicalKey* keyOfDeviceCode(DeviceKeyCode code);

} // namespace pad
