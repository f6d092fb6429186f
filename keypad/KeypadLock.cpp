#include "keypad/KeypadLock.h"

#include "common/UserRuntimeFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pad {
namespace {

// The recorded mode's name, padded with line feeds to a fixed size.
constexpr std::size_t RecordSize = 8;

} // namespace

KeypadLock::KeypadLock(std::filesystem::path file) : file_(std::move(file)) {}

KeypadLock::~KeypadLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::filesystem::path KeypadLock::DefaultPath(std::string* error) {
    const std::filesystem::path folder = UserRuntimeFolder(error);
    return folder.empty() ? folder : folder / "padconfig-keypad.lock";
}

bool KeypadLock::Open() {
    if (fd_ >= 0)
        return true;
    // O_NOFOLLOW: a link planted in its place is not followed.
    fd_ = ::open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    return fd_ >= 0;
}

bool KeypadLock::TryAcquire() {
    if (file_.empty() || held_)
        return held_ = true;
    // A lock file that cannot be opened locks nothing: the keypad must stay usable.
    if (!Open())
        return held_ = true;
    int status;
    do
        status = ::flock(fd_, LOCK_EX | LOCK_NB);
    while (status != 0 && errno == EINTR);
    held_ = status == 0 || errno != EWOULDBLOCK;
    return held_;
}

void KeypadLock::Acquire() {
    if (file_.empty() || held_ || !Open()) {
        held_ = true;
        return;
    }
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
    held_ = true;
}

void KeypadLock::Release() {
    if (held_ && fd_ >= 0)
        ::flock(fd_, LOCK_UN);
    held_ = false;
}

std::optional<KeypadMode> KeypadLock::RecordedMode() {
    if (file_.empty() || !Open())
        return std::nullopt;
    char field[RecordSize];
    const ssize_t size = ::pread(fd_, field, sizeof field, 0);
    if (size <= 0)
        return std::nullopt;
    std::string_view name(field, std::size_t(size));
    return ModeOfName(name.substr(0, name.find('\n')));
}

void KeypadLock::RecordMode(KeypadMode mode) {
    if (file_.empty() || !Open())
        return;
    // One write of the whole field, so that a reader sees the old name or the new one.
    std::string field(ModeName(mode));
    field.resize(RecordSize, '\n');
    // A failed write leaves the old record; the next select writes it again.
    [[maybe_unused]] const ssize_t written = ::pwrite(fd_, field.data(), field.size(), 0);
}

} // namespace pad
