// The device-link tests' host on Windows: a message-only window that records the
// messages of the user range (the links' presence and report messages), and the
// thread's Win32 message loop.

#include "tests/support/LinkTestSupport.h"

#include <chrono>
#include <cstdlib>

#include <windows.h>

namespace pad::test {
namespace {

constexpr wchar_t HostClass[] = L"PadConfigTestHost";

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* host = reinterpret_cast<RecordingHost*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host && message >= WM_USER) {
        host->record(message, wParam, lParam);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

struct RecordingHost::Window {
    HWND handle = nullptr;
};

RecordingHost::RecordingHost() : window_(std::make_unique<Window>()) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HostProcedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = HostClass;
    ::RegisterClassW(&windowClass);
    window_->handle = ::CreateWindowExW(0, HostClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        windowClass.hInstance, this);
}

RecordingHost::~RecordingHost() {
    ::SetWindowLongPtrW(window_->handle, GWLP_USERDATA, 0);
    ::DestroyWindow(window_->handle);
}

HostWindow RecordingHost::window() const {
    return window_->handle;
}

void drainEvents() {
    for (int i = 0; i < 3; ++i) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            // A link that closes its own window must not end the host's message loop.
            if (message.message == WM_QUIT)
                ADD_FAILURE() << "WM_QUIT was posted to the host's thread";
            ::DispatchMessageW(&message);
        }
    }
}

bool runUntil(const std::function<bool()>& done, int milliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        drainEvents();
    }
    return done();
}

void setEnvironment(const char* name, const char* value) {
    ::_putenv_s(name, value ? value : "");
}

} // namespace pad::test
