#include "keyboard/capture/HeldKeys.h"

#include "keyboard/capture/PcKeys.h"
#include "keyboard/capture/ScanTables.h"

namespace pad {

void HeldKeys::Reset(std::span<const unsigned> evdevCodesDown) {
    down_.reset();
    for (unsigned evdev : evdevCodesDown)
        if (const auto pc = PcKeyFromEvdev(evdev))
            if (const std::uint32_t usage = ScanToUsage(pc->scan, pc->extended))
                down_.set(usage);
}

KeystrokeInfo HeldKeys::Note(KeystrokeInfo key) {
    if (key.usage == 0 || key.usage >= down_.size())
        return key;
    if (key.isUp()) {
        down_.reset(key.usage);
        return key;
    }
    if (down_.test(key.usage))
        key.transition = TransitionRepeat;
    down_.set(key.usage);
    return key;
}

} // namespace pad
