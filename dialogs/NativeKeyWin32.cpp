#include "dialogs/NativeKey.h"

#include <QKeyEvent>

namespace pad {

const PhysicalKey* PhysicalKeyOf(const QKeyEvent& key) {
    return keyOfWindowsKey(key.nativeScanCode(), key.nativeVirtualKey());
}

} // namespace pad
