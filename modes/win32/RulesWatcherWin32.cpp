#include "modes/win32/RulesWatcherWin32.h"

#include <windows.h>

namespace pad {
namespace {

constexpr auto ReloadDelay = std::chrono::milliseconds(200);

} // namespace

Win32RulesWatcher::Win32RulesWatcher(std::filesystem::path path,
                                     std::function<void(const RulesFileContents&)> changed)
    : path_(std::move(path)), changed_(std::move(changed)) {
    watch();
}

Win32RulesWatcher::~Win32RulesWatcher() {
    if (notification_)
        ::FindCloseChangeNotification(notification_);
}

void Win32RulesWatcher::watch() {
    const std::filesystem::path folder = NearestExistingFolder(path_);
    if (notification_ && folder == watched_)
        return;
    if (notification_)
        ::FindCloseChangeNotification(notification_);
    watched_ = folder;
    // Names made, removed or renamed (an editor's save by rename, the folder made),
    // and writes to the file.
    const HANDLE handle =
        ::FindFirstChangeNotificationW(folder.c_str(), FALSE,
                                       FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                           FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
    notification_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

RulesFileContents Win32RulesWatcher::read() {
    RulesFileContents contents = ReadRulesFile(path_);
    lastSeen_ = RulesFingerprint(contents);
    return contents;
}

unsigned long Win32RulesWatcher::waitMs() const {
    if (!readAt_)
        return INFINITE;
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(*readAt_ - std::chrono::steady_clock::now());
    return left.count() > 0 ? DWORD(left.count()) : 0;
}

void Win32RulesWatcher::notified() {
    ::FindNextChangeNotification(notification_);
    readAt_ = std::chrono::steady_clock::now() + ReloadDelay;
}

void Win32RulesWatcher::idle() {
    if (!readAt_ || std::chrono::steady_clock::now() < *readAt_)
        return;
    readAt_.reset();
    // The folder may have been made or removed meanwhile.
    watch();
    RulesFileContents contents = ReadRulesFile(path_);
    std::string fingerprint = RulesFingerprint(contents);
    if (fingerprint == lastSeen_)
        return;
    lastSeen_ = std::move(fingerprint);
    changed_(contents);
}

} // namespace pad
