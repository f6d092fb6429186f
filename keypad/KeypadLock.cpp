#include "keypad/KeypadLock.h"

#include "common/UserRuntimeFolder.h"
#include "keypad/LockFile.h"

namespace pad {
namespace {

// The recorded mode's name, padded with line feeds to a fixed size.
constexpr std::size_t RecordSize = 8;

} // namespace

KeypadLock::KeypadLock(std::filesystem::path file) : file_(std::move(file)) {}

KeypadLock::~KeypadLock() {
    if (fd_ >= 0)
        lockfile::Close(fd_);
}

std::filesystem::path KeypadLock::DefaultPath(std::string* error) {
    const std::filesystem::path folder = UserRuntimeFolder(error);
    return folder.empty() ? folder : folder / "padconfig-keypad.lock";
}

bool KeypadLock::Open() {
    if (fd_ < 0)
        fd_ = lockfile::Open(file_);
    return fd_ >= 0;
}

bool KeypadLock::TryAcquire() {
    if (file_.empty() || held_)
        return held_ = true;
    // A lock file that cannot be used locks nothing: the keypad must stay usable.
    if (!Open())
        return held_ = true;
    held_ = lockfile::TryLock(fd_) != lockfile::Attempt::HeldElsewhere;
    return held_;
}

void KeypadLock::Acquire() {
    if (!file_.empty() && !held_ && Open())
        lockfile::Lock(fd_);
    held_ = true;
}

void KeypadLock::Release() {
    if (held_ && fd_ >= 0)
        lockfile::Unlock(fd_);
    held_ = false;
}

std::optional<KeypadMode> KeypadLock::RecordedMode() {
    if (file_.empty() || !Open())
        return std::nullopt;
    char field[RecordSize];
    const std::size_t size = lockfile::ReadRecord(fd_, field, sizeof field);
    if (size == 0)
        return std::nullopt;
    std::string_view name(field, size);
    return ModeOfName(name.substr(0, name.find('\n')));
}

void KeypadLock::RecordMode(KeypadMode mode) {
    if (file_.empty() || !Open())
        return;
    // One write of the whole field, so that a reader sees the old name or the new one.
    std::string field(ModeName(mode));
    field.resize(RecordSize, '\n');
    lockfile::WriteRecord(fd_, field.data(), field.size());
}

} // namespace pad
