#include "keypad/Win32KeypadSession.h"

#include <thread>

#include <windows.h>

namespace pad {
namespace {

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

} // namespace

Win32KeypadSession::Win32KeypadSession(DeviceLinkPort link,
                                       std::optional<std::filesystem::path> lockFile)
    : KeypadSessionCore(std::move(link), std::move(lockFile)),
      window_([this](std::uint32_t message, std::intptr_t lParam) {
          return TakeLinkMessage(message, lParam);
      }) {}

Win32KeypadSession::~Win32KeypadSession() = default;

void Win32KeypadSession::Start() {
    StartLink(window_.handle());
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
