#pragma once
// Readable names of the keypad's key codes, for listings such as the qd6 tool's.

#include "model/KeyAction.h"

#include <string>

namespace pad {

// "A", "1", "Enter", "F5", "L-Shift", "KP 7", "L-Mouse", ...; "0xNN" for a code
// without a key.
std::string DeviceKeyName(DeviceKeyCode code);

// Whether the code stands for a key or mouse button: 0x01 to 0x75.
bool IsNamedDeviceKey(DeviceKeyCode code);

// The name of one event: the key name followed by " press" or " release";
// "(none)" for 0.
std::string KeyEventName(KeyEvent event);

// The name of a play mode ("PlayOnce", ..., "DirectKey"), or "0xNN".
std::string PlayModeName(std::uint8_t playMode);

} // namespace pad
