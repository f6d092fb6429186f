#include "modes/focus/Win32FocusSource.h"

#include "common/Utf16.h"
#include "modes/focus/ProcessInfo.h"

#include <algorithm>
#include <iterator>

#include <windows.h>

namespace pad {
namespace {

// The hook procedure has no context of its own: the thread's source.
thread_local Win32FocusSource* threadSource = nullptr;

std::string Utf8Of(const wchar_t* text, std::size_t length) {
    return ToUtf8(std::u16string(text, text + length));
}

void CALLBACK WinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                       DWORD) {
    // Only the window itself, not one of its controls or parts.
    if (!threadSource || !window || object != OBJID_WINDOW || child != CHILDID_SELF)
        return;
    threadSource->windowEvent(window, event == EVENT_SYSTEM_FOREGROUND);
}

HWINEVENTHOOK Hook(DWORD event) {
    // Out of context: the system posts the events to this thread's message queue.
    return ::SetWinEventHook(event, event, nullptr, WinEvent, 0, 0,
                             WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
}

BOOL CALLBACK AddWindow(HWND window, LPARAM windows) {
    if (::IsWindowVisible(window) && !::GetWindow(window, GW_OWNER) &&
        ::GetWindowTextLengthW(window) > 0)
        reinterpret_cast<std::vector<WindowInfo>*>(windows)->push_back(
            DescribeNativeWindow(window));
    return TRUE;
}

} // namespace

WindowInfo DescribeNativeWindow(void* handle) {
    const HWND window = static_cast<HWND>(handle);
    WindowInfo info;
    wchar_t className[256];
    const int classLength = ::GetClassNameW(window, className, int(std::size(className)));
    info.appId = Utf8Of(className, std::size_t(std::max(classLength, 0)));
    // Another process's title is read without a message to it, so a hung program
    // cannot hold the service up.
    std::wstring title(std::size_t(::GetWindowTextLengthW(window)) + 1, L'\0');
    const int titleLength = ::GetWindowTextW(window, title.data(), int(title.size()));
    info.title = Utf8Of(title.data(), std::size_t(std::max(titleLength, 0)));
    DWORD pid = 0;
    if (::GetWindowThreadProcessId(window, &pid) && pid != 0)
        info.pid = pid;
    AddExecutable(info);
    return info;
}

Win32FocusSource::Win32FocusSource(Events events) : events_(std::move(events)) {
    threadSource = this;
    foregroundHook_ = Hook(EVENT_SYSTEM_FOREGROUND);
    titleHook_ = Hook(EVENT_OBJECT_NAMECHANGE);
    last_ = focusedWindow();
}

Win32FocusSource::~Win32FocusSource() {
    for (void* hook : {foregroundHook_, titleHook_})
        if (hook)
            ::UnhookWinEvent(static_cast<HWINEVENTHOOK>(hook));
    if (threadSource == this)
        threadSource = nullptr;
}

std::optional<WindowInfo> Win32FocusSource::focusedWindow() const {
    const HWND window = ::GetForegroundWindow();
    if (!window)
        return std::nullopt;
    return DescribeNativeWindow(window);
}

std::vector<WindowInfo> Win32FocusSource::openWindows() {
    std::vector<WindowInfo> windows;
    ::EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

void Win32FocusSource::windowEvent(void* window, bool foreground) {
    // A title changes in many windows; only the foreground window's counts.
    if (!foreground && static_cast<HWND>(window) != ::GetForegroundWindow())
        return;
    WindowInfo info = DescribeNativeWindow(window);
    if (last_ == info)
        return;
    last_ = info;
    if (events_.focusChanged)
        events_.focusChanged(info);
}

} // namespace pad
