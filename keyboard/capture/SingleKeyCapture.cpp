#include "keyboard/capture/SingleKeyCapture.h"

namespace pad {

void ApplySingleKey(CapturedKey& captured, const KeystrokeInfo& keystroke) {
    captured.lastKeystroke = keystroke;
    const KeystrokeInfo key = captured.held.Note(keystroke);
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
