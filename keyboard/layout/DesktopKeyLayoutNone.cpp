#include "keyboard/layout/DesktopKeyLayout.h"

namespace pad {

DesktopKeyboard MakeDesktopKeyboard() {
    return {};
}

} // namespace pad
