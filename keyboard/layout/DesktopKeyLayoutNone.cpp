#include "keyboard/layout/DesktopKeyLayout.h"
#include "keyboard/layout/KeyboardState.h"

namespace pad {

std::unique_ptr<KeyLayout> MakeDesktopKeyLayout() {
    return nullptr;
}

std::unique_ptr<KeyboardState> MakeKeyboardState() {
    return nullptr;
}

} // namespace pad
