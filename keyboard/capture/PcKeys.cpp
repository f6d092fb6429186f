#include "keyboard/capture/PcKeys.h"

#include "model/PhysicalKeys.h"

namespace pad {
std::optional<PcKey> PcKeyFromEvdev(unsigned evdevCode) {
    for (const auto& k : PhysicalKeys)
        if (k.evdev != 0 && k.evdev == evdevCode)
            return PcKey{k.scanByte(), k.extended(), k.virtualKey};
    return std::nullopt;
}

std::uint32_t KeystrokeFlags(const PcKey& key, KeyTransition transition, bool altHeld) {
    std::uint32_t flags = 1; // repeat count
    flags |= std::uint32_t(key.scan) << 16;
    if (key.extended)
        flags |= 1u << 24;
    if (altHeld)
        flags |= 1u << 29;
    if (transition != KeyTransition::Down)
        flags |= 1u << 30;
    if (transition == KeyTransition::Up)
        flags |= 1u << 31;
    return flags;
}

} // namespace pad
