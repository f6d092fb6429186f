#pragma once
// The user's lock on the keypad: a file in the user's runtime folder, held with
// flock(2) (LockFileEx on Windows; keypad/LockFile.h). A download holds it from its first report to
// its last, a mode select for the moment it takes, so that no program of the user (in any of the
// user's sessions) puts a report into another one's download. The file also records the mode that a
// program of the user last selected, as its name ("normal", "a", "b", "c").
// The kernel drops the lock when its holder ends, however it ends.

#include "common/KeypadMode.h"

#include <filesystem>
#include <optional>
#include <string>

namespace pad {

class KeypadLock {
  public:
    // The lock file; an empty path makes a lock that is always free and records nothing.
    explicit KeypadLock(std::filesystem::path file);
    ~KeypadLock();
    KeypadLock(const KeypadLock&) = delete;
    KeypadLock& operator=(const KeypadLock&) = delete;

    // <user's runtime folder>/padconfig-keypad.lock; empty, with the reason in error,
    // when the folder is refused.
    static std::filesystem::path DefaultPath(std::string* error = nullptr);

    const std::filesystem::path& path() const { return file_; }
    // Takes the lock when it is free; true when this object holds it now.
    bool TryAcquire();
    // Waits until the lock is free, then takes it.
    void Acquire();
    void Release();
    bool Held() const { return held_; }

    // The mode recorded last; nullopt when none is (or the file cannot be read).
    std::optional<KeypadMode> RecordedMode();
    // Records mode; call while holding the lock.
    void RecordMode(KeypadMode mode);

  private:
    bool Open();

    std::filesystem::path file_;
    int fd_ = -1;
    bool held_ = false;
};

} // namespace pad
