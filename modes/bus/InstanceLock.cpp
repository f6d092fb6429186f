#include "modes/bus/InstanceLock.h"

#include "common/UserRuntimeFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace pad {
namespace {

// Empty, with the reason in error, when the user's runtime folder is refused.
std::string LockPath(std::string& error) {
    const std::filesystem::path folder = UserRuntimeFolder(&error);
    return folder.empty() ? std::string() : (folder / "padconfig-modes.lock").string();
}

std::optional<pid_t> HolderOf(int fd) {
    char text[32] = {};
    const ssize_t got = pread(fd, text, sizeof text - 1, 0);
    if (got <= 0)
        return std::nullopt;
    const long pid = std::strtol(text, nullptr, 10);
    return pid > 0 ? std::optional<pid_t>(pid_t(pid)) : std::nullopt;
}

// The pid of the process that holds a lock on the file with that device and inode,
// as /proc/locks lists the system's locks: "1: FLOCK  ADVISORY  WRITE 2481
// fe:00:10954714 0 EOF", where waiters show "->" after the number. 0 when the
// holder's pid is not shown (another pid namespace).
std::optional<pid_t> LockHolderOf(dev_t device, ino_t inode) {
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        std::istringstream words(line);
        std::string number, kind, advisory, access, id;
        long pid = 0;
        if (!(words >> number >> kind) || kind == "->" ||
            !(words >> advisory >> access >> pid >> id))
            continue;
        unsigned lockMajor = 0, lockMinor = 0;
        unsigned long long lockInode = 0;
        if (std::sscanf(id.c_str(), "%x:%x:%llu", &lockMajor, &lockMinor, &lockInode) == 3 &&
            lockMajor == major(device) && lockMinor == minor(device) && lockInode == inode)
            return pid_t(pid > 0 ? pid : 0);
    }
    return std::nullopt;
}

} // namespace

std::optional<pid_t> InstanceLock::holder() {
    std::string folderError;
    const std::string path = LockPath(folderError);
    if (path.empty())
        return std::nullopt;
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat status {};
    std::optional<pid_t> holder;
    if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == getuid()) {
        holder = LockHolderOf(status.st_dev, status.st_ino);
        if (holder == 0) // the pid the holder wrote into the file
            holder = HolderOf(fd).value_or(0);
    }
    close(fd);
    return holder;
}

InstanceLock::Attempt InstanceLock::acquire() {
    std::string folderError;
    const std::string path = LockPath(folderError);
    if (path.empty())
        return {nullptr, std::nullopt, folderError};
    // Never through a link, and only a file of our own: the fallback lies in /tmp.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    struct stat status {};
    if (fd < 0 || fstat(fd, &status) != 0 || status.st_uid != getuid() ||
        !S_ISREG(status.st_mode)) {
        const std::string why = fd < 0 ? std::strerror(errno) : "it belongs to another user";
        if (fd >= 0)
            close(fd);
        return {nullptr, std::nullopt, "cannot use the lock file " + path + ": " + why};
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        Attempt attempt{nullptr, HolderOf(fd), {}};
        close(fd);
        if (error == EWOULDBLOCK) {
            if (!attempt.otherInstance)
                attempt.otherInstance = 0;
            return attempt;
        }
        return {nullptr, std::nullopt, "cannot lock " + path + ": " + std::strerror(error)};
    }
    // The holder's pid, for the message of a second instance.
    const std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(fd, 0) != 0 || pwrite(fd, pid.data(), pid.size(), 0) < 0) {
        // The lock holds all the same; only the message of a second instance lacks the pid.
    }
    return {std::unique_ptr<InstanceLock>(new InstanceLock(fd)), std::nullopt, {}};
}

InstanceLock::~InstanceLock() {
    close(fd_);
}

} // namespace pad
