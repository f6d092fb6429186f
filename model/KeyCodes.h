#pragma once
// Conversions between USB HID keyboard-page usages and the keypad's DeviceKeyCode,
// and the keypad's native key functions (what each key does in Normal mode).

#include "model/KeyAction.h"

#include <cstdint>
#include <string_view>

namespace pad {

inline constexpr DeviceKeyCode MouseLeftCode = 0x73;
inline constexpr DeviceKeyCode MouseMiddleCode = 0x74;
inline constexpr DeviceKeyCode MouseRightCode = 0x75;

// The DeviceKeyCode of a HID keyboard usage; 0 when the usage has none.
DeviceKeyCode UsageToDeviceCode(std::uint32_t usage);
// The HID usage of a DeviceKeyCode 0x01-0x72; 0 for 0, the mouse buttons and anything else.
std::uint32_t DeviceCodeToUsage(DeviceKeyCode code);

struct NativeKey {
    std::u16string_view label;
    DeviceKeyCode code;
};

// NativeKeyTable: the label and code of key 0-15 in Normal mode.
const NativeKey& nativeKey(int key);

} // namespace pad
