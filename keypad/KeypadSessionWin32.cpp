// The keypad session's own host on Windows: a message-only window of the session's
// thread, whose messages Qt's event loop delivers.

#include "keypad/KeypadSession.h"
#include "keypad/Win32HostWindow.h"

namespace pad {

struct KeypadSessionHost {
    Win32HostWindow window;
};

void KeypadSession::Start() {
    if (!ownHost_)
        ownHost_.reset(new KeypadSessionHost{
            Win32HostWindow([this](std::uint32_t message, std::intptr_t lParam) {
                return TakeHostMessage(message, lParam);
            })});
    StartOn(ownHost_->window.handle());
}

} // namespace pad
