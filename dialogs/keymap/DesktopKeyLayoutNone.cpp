#include "dialogs/keymap/DesktopKeyLayout.h"

namespace pad {

std::unique_ptr<KeyLayout> MakeDesktopKeyLayout() {
    return nullptr;
}

} // namespace pad
