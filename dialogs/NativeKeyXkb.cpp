#include "dialogs/NativeKey.h"

#include <QKeyEvent>

namespace pad {

const PhysicalKey* PhysicalKeyOf(const QKeyEvent& key) {
    return keyOfXkbKeycode(key.nativeScanCode());
}

} // namespace pad
