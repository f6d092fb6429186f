#pragma once
// One mode service per user: an advisory lock on a file in the user's runtime folder,
// which the system lets go when the holder ends, however it ends. Qt-free.
// InstanceLock.cpp (flock) and InstanceLockWin32.cpp (LockFileEx).

#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>

namespace pad {

class InstanceLock {
  public:
    struct Attempt {
        std::unique_ptr<InstanceLock> lock; // ours, when no other instance holds it
        std::optional<pid_t> otherInstance; // the holder's pid, when another holds it
        std::string failure;                // neither: why the lock could not be tried
    };
    // padconfig-modes.lock in the user's runtime folder (common/UserRuntimeFolder.h).
    static Attempt acquire();
    // Whether an instance holds the lock now, and its pid (0 when unknown), found
    // without touching the lock: a probe that took it, however briefly, could turn
    // away an instance starting at that moment.
    static std::optional<pid_t> holder();
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

  private:
    explicit InstanceLock(int fd) : fd_(fd) {}
    int fd_;
};

} // namespace pad
