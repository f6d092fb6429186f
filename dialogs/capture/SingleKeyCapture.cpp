#include "dialogs/capture/SingleKeyCapture.h"

namespace pad {

void ApplySingleKey(CapturedKey& captured, const KeystrokeInfo& key) {
    captured.lastKeystroke = key;
    if (key.isRepeat())
        return;
    if (key.isUp()) {
        captured.releaseCode = releaseOf(key.deviceCode);
        if (key.usage == PrintScreenUsage)
            captured.pressCode = releaseOf(key.deviceCode);
        return;
    }
    captured.pressCode = key.deviceCode;
}

} // namespace pad
