#include "modes/win32/KeypadPortWin32.h"

#include "keypad/PadLinkPort.h"

#include <thread>

#include <windows.h>

namespace pad {

Win32KeypadModePort::Win32KeypadModePort(void* window, unsigned lockFreedMessage,
                                         KeypadPortEvents events)
    : session_(PadLinkPort()), window_(window), lockFreedMessage_(lockFreedMessage),
      events_(std::move(events)) {
    session_.Start();
}

std::optional<KeypadMode> Win32KeypadModePort::lastSetMode() const {
    return session_.LastSelectedMode();
}

KeypadModePort::Send Win32KeypadModePort::sendMode(KeypadMode mode) {
    switch (session_.TrySelectMode(mode)) {
    case KeypadSessionCore::SelectResult::Sent:
        return Send::Sent;
    case KeypadSessionCore::SelectResult::Busy:
        watchLock();
        return Send::Busy;
    case KeypadSessionCore::SelectResult::NotTaken:
        break;
    }
    return Send::Failed;
}

void Win32KeypadModePort::presenceMayHaveChanged() {
    const bool writable = session_.Writable();
    if (writable == writable_)
        return;
    writable_ = writable;
    if (writable && events_.appeared)
        events_.appeared();
    else if (!writable && events_.gone)
        events_.gone();
}

void Win32KeypadModePort::watchLock() {
    if (watchingLock_)
        return;
    watchingLock_ = true;
    // The thread takes the lock as soon as the download lets it go and gives it back
    // at once; it owns what it uses, so the service may end meanwhile.
    std::thread([file = KeypadLock::DefaultPath(), window = window_, message = lockFreedMessage_] {
        KeypadLock watcher(file);
        watcher.Acquire();
        watcher.Release();
        ::PostMessageW(static_cast<HWND>(window), message, 0, 0);
    }).detach();
}

void Win32KeypadModePort::lockFreed() {
    watchingLock_ = false;
    if (events_.downloadEnded)
        events_.downloadEnded();
}

} // namespace pad
