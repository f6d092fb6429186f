#include "keyboard/capture/PhysicalKeyLookup.h"

#include "model/KeyCodes.h"

namespace pad {

const PhysicalKey* keyOfEvdev(unsigned evdevCode) {
    for (const auto& k : PhysicalKeys)
        if (k.evdev != 0 && k.evdev == evdevCode)
            return &k;
    return nullptr;
}

const PhysicalKey* keyOfXkbKeycode(unsigned nativeScanCode) {
    return nativeScanCode >= 8 ? keyOfEvdev(nativeScanCode - 8) : nullptr;
}

const PhysicalKey* keyOfWindowsKey(std::uint32_t nativeScanCode, std::uint32_t nativeVirtualKey) {
    constexpr std::uint32_t VkPrintScreen = 0x2C;
    if (nativeVirtualKey == VkPrintScreen)
        return keyOfScan(0x37, true);
    return keyOfScan(std::uint8_t(nativeScanCode & 0xFF), (nativeScanCode & 0x100) != 0);
}

const PhysicalKey* keyOfScan(std::uint8_t scan, bool extended) {
    for (const auto& k : PhysicalKeys)
        if (k.sendsScan() && k.scanByte() == scan && k.extended() == extended)
            return &k;
    return nullptr;
}

const PhysicalKey* keyOfDeviceCode(DeviceKeyCode code) {
    if (code == 0 || DeviceCodeToUsage(code) == 0)
        return nullptr;
    for (const auto& k : PhysicalKeys)
        if (k.code == code)
            return k.sendsScan() ? &k : keyOfScan(k.scanByte(), k.extended());
    return nullptr;
}

} // namespace pad
