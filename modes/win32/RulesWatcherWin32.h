#pragma once
// Reads the rules file again whenever it changes, on Windows: a change notification
// on the file's folder (FindFirstChangeNotificationW), or on the nearest existing
// folder above it while that does not exist yet, waited for beside the thread's
// messages. A save is several changes in a row, so the file is read once they have
// stopped for a moment.

#include "modes/rules/RulesFile.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace pad {

class Win32RulesWatcher {
  public:
    // changed gets the file's new contents, once per change of its bytes (or of
    // whether it can be read).
    Win32RulesWatcher(std::filesystem::path path,
                      std::function<void(const RulesFileContents&)> changed);
    ~Win32RulesWatcher();
    Win32RulesWatcher(const Win32RulesWatcher&) = delete;
    Win32RulesWatcher& operator=(const Win32RulesWatcher&) = delete;

    // Reads the file now; the first contents for the service to start with.
    RulesFileContents read();

    // The notification handle to wait on; null when no folder can be watched.
    void* handle() const { return notification_; }
    // How long the caller may wait before calling idle(), in milliseconds (INFINITE
    // while no read is due).
    unsigned long waitMs() const;
    // The handle was signalled.
    void notified();
    // The wait has ended: reads the file when a read is due.
    void idle();

  private:
    void watch();

    std::filesystem::path path_;
    std::function<void(const RulesFileContents&)> changed_;
    std::filesystem::path watched_;
    void* notification_ = nullptr;
    std::optional<std::chrono::steady_clock::time_point> readAt_;
    std::string lastSeen_;
};

} // namespace pad
