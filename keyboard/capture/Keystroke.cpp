#include "keyboard/capture/Keystroke.h"

#include "keyboard/capture/KeyNames.h"
#include "keyboard/capture/PcKeys.h"
#include "keyboard/capture/ScanTables.h"
#include "model/KeyCodes.h"

namespace pad {

KeystrokeInfo DecodeKeystroke(std::uintptr_t virtualKey, std::uint32_t flags, KeyLayout* layout) {
    const bool printScreen = virtualKey == VkPrintScreen;
    // Print Screen only ever counts as a release of extended scan 0x37.
    if (printScreen && flags != 0x01370000u && flags != 0x41370000u)
        flags = 0xC1370001u;

    KeystrokeInfo info;
    info.flags = flags;
    info.transition = std::uint8_t((flags >> 28) & 0x0C);
    info.extended = std::uint8_t((flags >> 24) & 1);
    info.scanCode = (flags >> 16) & 0xFF;
    info.usage = ScanToUsage(std::uint8_t(info.scanCode), info.extended != 0);

    // Right Shift is named without the extended mark some keyboards give it.
    std::uint32_t nameFlags = flags;
    if (nameFlags == 0x01360000u)
        nameFlags = 0x00360000u;
    else if (nameFlags == 0xC1360000u)
        nameFlags = 0xC0360000u;
    info.keyName = KeyNameText(nameFlags, layout);
    info.deviceCode = UsageToDeviceCode(info.usage);

    if (printScreen)
        info.keyName = "Prnt Scrn";
    return info;
}

} // namespace pad
