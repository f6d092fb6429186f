#include "keyboard/capture/PhysicalKeyLookup.h"

#include "model/KeyCodes.h"

namespace pad {

const PhysicalKey* KeyOfEvdev(unsigned evdevCode) {
    for (const auto& k : PhysicalKeys)
        if (k.evdev != 0 && k.evdev == evdevCode)
            return &k;
    return nullptr;
}

const PhysicalKey* KeyOfXkbKeycode(unsigned nativeScanCode) {
    return nativeScanCode >= 8 ? KeyOfEvdev(nativeScanCode - 8) : nullptr;
}

const PhysicalKey* KeyOfWindowsKey(std::uint32_t nativeScanCode, std::uint32_t nativeVirtualKey) {
    constexpr std::uint32_t VkPrintScreen = 0x2C;
    if (nativeVirtualKey == VkPrintScreen)
        return KeyOfScan(0x37, true);
    return KeyOfScan(std::uint8_t(nativeScanCode & 0xFF), (nativeScanCode & 0x100) != 0);
}

const PhysicalKey* KeyOfScan(std::uint8_t scan, bool extended) {
    for (const auto& k : PhysicalKeys)
        if (k.sendsScan() && k.scanByte() == scan && k.extended() == extended)
            return &k;
    return nullptr;
}

const PhysicalKey* KeyOfDeviceCode(DeviceKeyCode code) {
    if (code == 0 || DeviceCodeToUsage(code) == 0)
        return nullptr;
    for (const auto& k : PhysicalKeys)
        if (k.code == code)
            return k.sendsScan() ? &k : KeyOfScan(k.scanByte(), k.extended());
    return nullptr;
}

} // namespace pad
