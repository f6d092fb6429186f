#include "keyboard/capture/HeldKeys.h"

#include "keyboard/capture/PhysicalKeyLookup.h"

namespace pad {

void HeldKeys::Reset(std::span<const unsigned> evdevCodesDown) {
    down_.reset();
    for (unsigned evdev : evdevCodesDown)
        if (const PhysicalKey* key = keyOfEvdev(evdev); key && key->usage != 0)
            down_.set(key->usage);
}

KeystrokeInfo HeldKeys::Note(KeystrokeInfo key) {
    if (key.usage == 0 || key.usage >= down_.size())
        return key;
    if (key.isUp()) {
        down_.reset(key.usage);
        return key;
    }
    if (down_.test(key.usage))
        key.transition = KeyTransition::AutoRepeat;
    down_.set(key.usage);
    return key;
}

} // namespace pad
