#include "keypad/Win32KeypadSession.h"

#include <thread>

#include <windows.h>

namespace pad {
namespace {

constexpr wchar_t WindowClass[] = L"PadConfigKeypadSession";
// How often a session that waits for the keypad lock tries it.
constexpr auto LockPollInterval = std::chrono::milliseconds(50);
// The message wait wakes on whole milliseconds; a plain sleep keeps the deadline.
constexpr auto SleepMargin = std::chrono::milliseconds(2);

void HandlePendingMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

// Waits at most timeout for a message to this thread, then handles what came.
void HandleMessagesFor(std::chrono::milliseconds timeout) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(std::max<long long>(timeout.count(), 0)),
                                  QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    HandlePendingMessages();
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* session =
        reinterpret_cast<KeypadSessionCore*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (session && session->TakeLinkMessage(message, lParam))
        return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

Win32KeypadSession::Win32KeypadSession(DeviceLinkPort link,
                                       std::optional<std::filesystem::path> lockFile)
    : KeypadSessionCore(std::move(link), std::move(lockFile)) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = WindowClass;
    ::RegisterClassW(&windowClass); // fails harmlessly when a session registered it before
    window_ = ::CreateWindowExW(0, WindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, static_cast<KeypadSessionCore*>(this));
}

Win32KeypadSession::~Win32KeypadSession() {
    if (window_) {
        ::SetWindowLongPtrW(static_cast<HWND>(window_), GWLP_USERDATA, 0);
        ::DestroyWindow(static_cast<HWND>(window_));
    }
}

void Win32KeypadSession::Start() {
    StartLink(static_cast<HWND>(window_));
}

bool Win32KeypadSession::WaitForPresence(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    HandlePendingMessages();
    while (PresenceMessage() == 0 && std::chrono::steady_clock::now() < deadline)
        HandleMessagesFor(std::chrono::ceil<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now()));
    // The no-access notice is posted right behind the presence message.
    HandlePendingMessages();
    return PresenceMessage() != 0;
}

void Win32KeypadSession::PauseUntil(std::chrono::steady_clock::time_point deadline) {
    using namespace std::chrono;
    for (auto left = deadline - steady_clock::now(); left > SleepMargin;
         left = deadline - steady_clock::now())
        HandleMessagesFor(floor<milliseconds>(left - SleepMargin));
    std::this_thread::sleep_until(deadline);
}

void Win32KeypadSession::AcquireWaiting() {
    while (!Lock().TryAcquire())
        PauseUntil(std::chrono::steady_clock::now() + LockPollInterval);
}

} // namespace pad
