// A window for the mode service's checks under wine:
//   foreground_window show CLASS TITLE SECONDS   a window of that class and title takes
//                                                the foreground until it is closed, at
//                                                most SECONDS
//   foreground_window close CLASS                posts WM_CLOSE to the window of that
//                                                class (also the service's, as PadConfig
//                                                ends it)
// Copied under another name (PadConfig.exe, Factorio.exe) it shows windows of that program.

#include <cstdlib>
#include <string>

#include <windows.h>

#include <shellapi.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY || message == WM_TIMER) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (count == 3 && std::wstring(arguments[1]) == L"close") {
        HWND window = ::FindWindowW(arguments[2], nullptr);
        if (!window) // the service's window is message-only
            window = ::FindWindowExW(HWND_MESSAGE, nullptr, arguments[2], nullptr);
        return window && ::PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (count != 5 || std::wstring(arguments[1]) != L"show")
        return 2;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = arguments[2];
    ::RegisterClassW(&windowClass);
    const HWND window =
        ::CreateWindowExW(0, arguments[2], arguments[3], WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                          nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return 1;
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    // Windows raises the event itself; wine 8 does not, so the window does it for wine.
    ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
    ::SetTimer(window, 1, UINT(std::wcstoul(arguments[4], nullptr, 10) * 1000), nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&message);
    return 0;
}
