// A window for the mode service's checks under wine:
//   foreground_window show CLASS TITLE SECONDS   a window of that class and title takes
//                                                the foreground for SECONDS
//   foreground_window close CLASS                posts WM_CLOSE to the window of that
//                                                class, as PadConfig ends the service
// Copied under another name (PadConfig.exe, Factorio.exe) it shows windows of that program.

#include <cstdlib>
#include <string>

#include <windows.h>

#include <shellapi.h>

int main() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (count == 3 && std::wstring(arguments[1]) == L"close") {
        const HWND window = ::FindWindowW(arguments[2], nullptr);
        return window && ::PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    if (count != 5 || std::wstring(arguments[1]) != L"show")
        return 2;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
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
    const DWORD end = ::GetTickCount() + DWORD(std::wcstoul(arguments[4], nullptr, 10) * 1000);
    for (DWORD now = ::GetTickCount(); now < end; now = ::GetTickCount()) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
    }
    return 0;
}
