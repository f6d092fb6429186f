#include "keypad/KeypadSessionCore.h"

#include <cstdio>

namespace pad {
namespace {

std::filesystem::path DefaultLockFile() {
    std::string error;
    std::filesystem::path path = KeypadLock::DefaultPath(&error);
    if (path.empty())
        std::fprintf(stderr, "Keypad lock not used: %s\n", error.c_str());
    return path;
}

} // namespace

KeypadSessionCore::KeypadSessionCore(DeviceLinkPort link,
                                     std::optional<std::filesystem::path> lockFile)
    : link_(std::move(link)), lock_(lockFile ? std::move(*lockFile) : DefaultLockFile()) {}

void KeypadSessionCore::StartLink(HostWindow host) {
    if (link_.initDriver)
        link_.initDriver(host, HostMessage, KEYPAD_USAGE_PAGE);
}

bool KeypadSessionCore::TakeLinkMessage(std::uint32_t message, std::intptr_t lParam) {
    switch (message) {
    case MSG_KEYPAD_NO_ACCESS:
        accessError_ = int(lParam);
        [[fallthrough]];
    case MSG_KEYPAD_PRESENT:
    case MSG_KEYPAD_ABSENT:
        presence_ = message;
        return true;
    default:
        return false; // the host message: no reader is ever started
    }
}

std::optional<KeypadMode> KeypadSessionCore::LastSelectedMode() {
    return lock_.RecordedMode();
}

bool KeypadSessionCore::Write(const Report& report) {
    if (link_.writeReport)
        return link_.writeReport(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data()) > 0;
    if (link_.setKbdFeatures)
        link_.setKbdFeatures(KEYPAD_USAGE_PAGE, KEYPAD_USAGE, report.data());
    return true;
}

bool KeypadSessionCore::Send(KeypadMode mode) {
    const bool taken = Write(ModeSelectReport(mode));
    // A mode no keypad took is not the keypad's mode: the next select of it is sent.
    if (taken)
        lock_.RecordMode(mode);
    return taken;
}

KeypadSessionCore::SelectResult KeypadSessionCore::TrySelectMode(KeypadMode mode) {
    if (downloading_ || !lock_.TryAcquire()) {
        LockBusy();
        return SelectResult::Busy;
    }
    const bool taken = Send(mode);
    lock_.Release();
    return taken ? SelectResult::Sent : SelectResult::NotTaken;
}

void KeypadSessionCore::WaitUntilFree() {
    AcquireWaiting();
    lock_.Release();
}

bool KeypadSessionCore::HeldElsewhere() {
    if (lock_.Held())
        return false;
    const bool free = lock_.TryAcquire();
    lock_.Release();
    return !free;
}

DownloadResult KeypadSessionCore::Download(const DownloadImage& image,
                                           std::chrono::milliseconds pause, DownloadHooks hooks) {
    AcquireWaiting();
    downloading_ = true;
    hooks.sendReport = [this](const Report& report) { return Write(report); };
    // PadLink's presence messages are handled during the pauses.
    hooks.keypadGone = [this] { return presence_ != MSG_KEYPAD_PRESENT; };
    if (!hooks.pauseUntil)
        hooks.pauseUntil = [this](std::chrono::steady_clock::time_point deadline) {
            PauseUntil(deadline);
        };
    const DownloadResult result = RunDownload(image, hooks, pause);
    downloading_ = false;
    lock_.Release();
    DownloadEnded();
    return result;
}

} // namespace pad
