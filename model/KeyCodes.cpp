#include "model/KeyCodes.h"

#include "model/PhysicalKeys.h"

#include <array>
#include <stdexcept>

namespace pad {
namespace {

constexpr auto kUsageToCode = [] {
    std::array<DeviceKeyCode, 256> table{};
    for (const auto& k : PhysicalKeys)
        if (k.usage != 0 && k.code != 0)
            table[k.usage] = k.code;
    return table;
}();

constexpr auto kCodeToUsage = [] {
    std::array<std::uint8_t, 128> table{};
    for (const auto& k : PhysicalKeys)
        if (k.code != 0)
            table[k.code] = k.usage;
    return table;
}();

constexpr std::array<NativeKey, KeysPerMode> kNativeKeyTable = {{
    {u"Q", 0x11},
    {u"W", 0x17},
    {u"E", 0x05},
    {u"L-Ctrl", 0x63},
    {u"A", 0x01},
    {u"S", 0x13},
    {u"D", 0x04},
    {u"L-Shift", 0x64},
    {u"L-Alt", 0x65},
    {u"Tab", 0x28},
    {u"Space", 0x29},
    {u"M-Mouse", 0x74},
    {u"U-Arrow", 0x4F},
    {u"D-Arrow", 0x4E},
    {u"L-Arrow", 0x4D},
    {u"R-Arrow", 0x4C},
}};

} // namespace

DeviceKeyCode UsageToDeviceCode(std::uint32_t usage) {
    return usage < kUsageToCode.size() ? kUsageToCode[usage] : 0;
}

std::uint32_t DeviceCodeToUsage(DeviceKeyCode code) {
    return code < kCodeToUsage.size() ? kCodeToUsage[code] : 0;
}

const NativeKey& nativeKey(int key) {
    if (key < 0 || key >= KeysPerMode)
        throw std::out_of_range("key index out of range");
    return kNativeKeyTable[std::size_t(key)];
}

} // namespace pad
