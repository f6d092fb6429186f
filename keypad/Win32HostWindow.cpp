#include "keypad/Win32HostWindow.h"

#include <windows.h>

namespace pad {
namespace {

constexpr wchar_t WindowClass[] = L"PadConfigKeypadSession";

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    const auto* handler = reinterpret_cast<const Win32HostWindow::Handler*>(
        ::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (handler && *handler && (*handler)(message, lParam))
        return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

Win32HostWindow::Win32HostWindow(Handler handler) : handler_(std::move(handler)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = WindowClass;
    ::RegisterClassW(&windowClass); // fails harmlessly when a window registered it before
    window_ = ::CreateWindowExW(0, WindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, &handler_);
}

Win32HostWindow::~Win32HostWindow() {
    if (window_) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

} // namespace pad
