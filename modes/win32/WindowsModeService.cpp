#include "modes/win32/WindowsModeService.h"

#include "modes/win32/ServiceWindow.h"

#include <windows.h>

namespace pad {
namespace {

// From the keypad lock's watcher thread: a download has ended.
constexpr UINT LockFreedMessage = WM_APP + 1;

LRESULT CALLBACK ServiceProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    if (auto* service =
            reinterpret_cast<WindowsModeService*>(::GetWindowLongPtrW(window, GWLP_USERDATA)))
        return LRESULT(service->windowMessage(window, message, wParam, lParam));
    return ::DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeServiceWindow(WindowsModeService* service) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ServiceProcedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = ServiceWindowClass;
    ::RegisterClassW(&windowClass);
    return ::CreateWindowExW(0, ServiceWindowClass, ServiceWindowTitle, 0, 0, 0, 0, 0, HWND_MESSAGE,
                             nullptr, windowClass.hInstance, service);
}

} // namespace

WindowsModeService::WindowsModeService(ServiceOptions options) : core_(std::move(options)) {}

WindowsModeService::~WindowsModeService() {
    port_.reset();
    focus_.reset();
    if (window_) {
        ::SetWindowLongPtrW(static_cast<HWND>(window_), GWLP_USERDATA, 0);
        ::DestroyWindow(static_cast<HWND>(window_));
    }
}

long long WindowsModeService::windowMessage(void* window, unsigned message,
                                            unsigned long long wParam, long long lParam) {
    switch (message) {
    case WM_CLOSE:
        ::PostQuitMessage(0);
        return 0;
    case LockFreedMessage:
        if (port_)
            port_->lockFreed();
        return 0;
    default:
        return ::DefWindowProcW(static_cast<HWND>(window), message, WPARAM(wParam), LPARAM(lParam));
    }
}

bool WindowsModeService::start() {
    watcher_ = std::make_unique<Win32RulesWatcher>(
        core_.options().rulesPath,
        [this](const RulesFileContents& contents) { core_.rulesChanged(contents, true); });
    core_.rulesChanged(watcher_->read(), false);

    FocusSource::Events events;
    events.focusChanged = [this](const std::optional<WindowInfo>& window) {
        core_.decideFocus(window);
    };
    focus_ = std::make_unique<Win32FocusSource>(std::move(events));
    if (!focus_->hooked()) {
        SayOnStderr("cannot follow the foreground window: the system refused the event hook");
        return false;
    }
    core_.printLine("following the focus on " + focus_->description());

    if (const auto& other = core_.options().runningInstance) {
        core_.printLine("another padconfig-modes runs (pid " + std::to_string(*other) +
                        ") and sets the modes; this one only prints what each window wants");
    } else {
        window_ = MakeServiceWindow(this);
        if (!window_) {
            SayOnStderr("cannot make the service's window");
            return false;
        }
        KeypadPortEvents keypad;
        keypad.appeared = [this] { core_.keypadAppeared(); };
        keypad.gone = [this] { core_.keypadGone(); };
        keypad.downloadEnded = [this] { core_.downloadEnded(); };
        port_ = std::make_unique<Win32KeypadModePort>(window_, LockFreedMessage, std::move(keypad));
        core_.useKeypad(*port_);
    }
    core_.decideFocus(focus_->focusedWindow());
    return true;
}

int WindowsModeService::run() {
    if (!start())
        return 1;
    for (;;) {
        HANDLE notification = watcher_->handle();
        const DWORD woken =
            ::MsgWaitForMultipleObjectsEx(notification ? 1 : 0, &notification, watcher_->waitMs(),
                                          QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (notification && woken == WAIT_OBJECT_0)
            watcher_->notified();
        watcher_->idle();
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return int(message.wParam);
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (port_)
            port_->presenceMayHaveChanged();
    }
}

} // namespace pad
