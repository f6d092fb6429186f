#include "model/KeyCodes.h"

#include <array>
#include <stdexcept>

namespace pad {
namespace {

// Usages outside the contiguous 0x04-0x65 block, in DeviceKeyCode order from 0x63.
constexpr std::array<std::uint32_t, 16> kHighUsages = {
    0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, // Left Ctrl ... Right GUI -> 0x63-0x6A
    0x85,                                           // Keypad Comma -> 0x6B
    0x87, 0x88, 0x89, 0x8A, 0x8B,                   // International 1-5 -> 0x6C-0x70
    0x91,                                           // LANG2 -> 0x71
    0x90,                                           // LANG1 -> 0x72
};
constexpr DeviceKeyCode kFirstHighCode = 0x63;

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
    if (usage >= 0x04 && usage <= 0x65)
        return DeviceKeyCode(usage - 3);
    for (std::size_t i = 0; i < kHighUsages.size(); ++i)
        if (kHighUsages[i] == usage)
            return DeviceKeyCode(kFirstHighCode + i);
    return 0;
}

std::uint32_t DeviceCodeToUsage(DeviceKeyCode code) {
    if (code >= 0x01 && code <= 0x62)
        return code + 3u;
    if (code >= kFirstHighCode && code < kFirstHighCode + kHighUsages.size())
        return kHighUsages[code - kFirstHighCode];
    return 0;
}

const NativeKey& nativeKey(int key) {
    if (key < 0 || key >= KeysPerMode)
        throw std::out_of_range("key index out of range");
    return kNativeKeyTable[std::size_t(key)];
}

} // namespace pad
