#include "keyboard/capture/Keystroke.h"

#include "keyboard/capture/KeyNames.h"
#include "model/KeyCodes.h"

namespace pad {

KeystrokeInfo DecodeKeystroke(const Keystroke& stroke, KeyLayout* layout) {
    KeystrokeInfo info;
    if (!stroke.key)
        return info;
    info.usage = stroke.key->usage;
    info.deviceCode = UsageToDeviceCode(info.usage);
    info.keyName = keyNameOf(*stroke.key, layout);
    info.transition = info.usage == PrintScreenUsage ? KeyTransition::Up : stroke.transition;
    return info;
}

} // namespace pad
