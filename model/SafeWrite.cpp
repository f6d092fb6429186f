#include "model/SafeWrite.h"

#include "common/FileAccess.h"

#include <acl/libacl.h>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <string>
#include <sys/acl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace pad {
namespace {

namespace fs = std::filesystem;

constexpr int MaxLinksFollowed = 40; // as the kernel does before ELOOP
constexpr int TemporaryNameAttempts = 16;

// The name finally written: symbolic links followed, also to a target that does not
// exist yet. 0 or an errno.
int finalName(fs::path path, fs::path& out) {
    for (int followed = 0; followed < MaxLinksFollowed; ++followed) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            out = path;
            return 0; // a missing file, or an unreachable one whose reason comes later
        }
        std::error_code error;
        const fs::path link = fs::read_symlink(path, error);
        if (error)
            return error.value();
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return ELOOP;
}

fs::path folderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// ".NAME.tmpN", with NAME cut (at a character's start) to fit the folder's name limit.
fs::path temporaryName(const fs::path& folder, const fs::path& name) {
    static thread_local std::mt19937 random{std::random_device{}()};
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::string suffix = ".tmp" + std::to_string(random() % 1000000);
    std::string stem = name.string();
    const std::size_t room = std::size_t(limit > 0 ? limit : 255) - 1 - suffix.size();
    if (stem.size() > room) {
        stem.resize(room);
        while (!stem.empty() && (std::uint8_t(stem.back()) & 0xC0) == 0x80)
            stem.pop_back(); // a UTF-8 continuation byte
        if (!stem.empty() && std::uint8_t(stem.back()) >= 0xC0)
            stem.pop_back(); // the lead byte it belonged to
    }
    return folder / ("." + stem + suffix);
}

// The process's umask, read without changing it (umask(2) cannot only read it).
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Umask:", 0) == 0)
            return mode_t(std::strtoul(line.c_str() + 6, nullptr, 8));
    return 022;
}

class Acl {
  public:
    explicit Acl(acl_t acl) : acl_(acl) {}
    ~Acl() {
        if (acl_)
            ::acl_free(acl_);
    }
    Acl(const Acl&) = delete;
    Acl& operator=(const Acl&) = delete;
    acl_t get() const { return acl_; }

  private:
    acl_t acl_;
};

// A default ACL turned into the access ACL of a file created with mode 0666: execute
// is taken from the owner, the others and the mask (the group without a mask).
void maskForNewFile(acl_t acl) {
    const bool hasMask = [acl] {
        acl_entry_t entry;
        for (int which = ACL_FIRST_ENTRY; ::acl_get_entry(acl, which, &entry) == 1;
             which = ACL_NEXT_ENTRY) {
            acl_tag_t tag;
            if (::acl_get_tag_type(entry, &tag) == 0 && tag == ACL_MASK)
                return true;
        }
        return false;
    }();
    acl_entry_t entry;
    for (int which = ACL_FIRST_ENTRY; ::acl_get_entry(acl, which, &entry) == 1;
         which = ACL_NEXT_ENTRY) {
        acl_tag_t tag;
        acl_permset_t permissions;
        if (::acl_get_tag_type(entry, &tag) != 0 || ::acl_get_permset(entry, &permissions) != 0)
            continue;
        if (tag == ACL_USER_OBJ || tag == ACL_OTHER || tag == ACL_MASK ||
            (tag == ACL_GROUP_OBJ && !hasMask)) {
            ::acl_delete_perm(permissions, ACL_EXECUTE);
            ::acl_set_permset(entry, permissions);
        }
    }
}

// Gives a new file what creating it by name would: the folder's default ACL, else
// 0666 less the umask. 0 or an errno.
int giveNewFileAccess(int fd, const fs::path& folder) {
    const Acl inherited(::acl_get_file(folder.c_str(), ACL_TYPE_DEFAULT));
    if (inherited.get() && ::acl_entries(inherited.get()) > 0) {
        maskForNewFile(inherited.get());
        return ::acl_set_fd(fd, inherited.get()) == 0 ? 0 : errno;
    }
    return ::fchmod(fd, 0666 & ~currentUmask()) == 0 ? 0 : errno;
}

// Gives the replacement the old file's owner and group; false where the system
// refuses (only root may give a file away).
bool keepOwner(int fd, const struct stat& old) {
    struct stat made {};
    if (::fstat(fd, &made) != 0)
        return false;
    if (made.st_uid == old.st_uid && made.st_gid == old.st_gid)
        return true;
    return ::fchown(fd, made.st_uid == old.st_uid ? uid_t(-1) : old.st_uid,
                    made.st_gid == old.st_gid ? gid_t(-1) : old.st_gid) == 0;
}

// Gives the replacement the old file's mode, less setuid and setgid, and its ACL;
// false where the ACL cannot be given.
bool keepAccess(int fd, const fs::path& oldFile, const struct stat& old) {
    if (::fchmod(fd, old.st_mode & 01777) != 0)
        return false;
    const Acl acl(::acl_get_file(oldFile.c_str(), ACL_TYPE_ACCESS));
    if (!acl.get())
        return errno == ENOTSUP; // no ACLs on this file system: the mode is all there is
    return ::acl_set_fd(fd, acl.get()) == 0 ||
           (errno == ENOTSUP && ::acl_equiv_mode(acl.get(), nullptr) == 0);
}

// The new content while it is written: an unnamed file, or a named one where the file
// system has none. Removed unless installed.
class Replacement {
  public:
    Replacement() = default;
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    ~Replacement() { discard(); }

    int fd() const { return fd_; }

    // 0 or an errno.
    int create(const fs::path& folder, const fs::path& name) {
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ >= 0)
            return 0;
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return errno;
        for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
            named_ = temporaryName(folder, name);
            fd_ = ::open(named_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
            if (fd_ >= 0)
                return 0;
            named_.clear();
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    // Puts the file at target: a new name for it, or a rename over the old file.
    int install(const fs::path& target, bool replacesOld) {
        if (named_.empty()) {
            // An unnamed file cannot take the name of an existing one: it gets a
            // temporary name for the moment of the rename.
            if (!replacesOld)
                return linkTo(target);
            const fs::path folder = folderOf(target);
            int error = EEXIST;
            for (int attempt = 0; attempt < TemporaryNameAttempts && error == EEXIST; ++attempt) {
                named_ = temporaryName(folder, target.filename());
                error = linkTo(named_);
                if (error != 0)
                    named_.clear();
            }
            if (error != 0)
                return error;
        }
        if (::rename(named_.c_str(), target.c_str()) != 0)
            return errno;
        named_.clear();
        return 0;
    }

    void discard() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
        if (!named_.empty())
            ::unlink(named_.c_str());
        named_.clear();
    }

  private:
    int linkTo(const fs::path& name) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return 0;
        const int error = errno;
        // Without /proc, the same through the descriptor (which only root may do).
        if (error == ENOENT && ::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)
            return 0;
        return error;
    }

    int fd_ = -1;
    fs::path named_; // the file's temporary name; empty while it has none
};

// Makes sure the file can grow to size before anything is written. 0 or an errno.
int reserveSpace(int fd, std::uint64_t size, const struct stat& info) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        size > limit.rlim_cur)
        return EFBIG;
    if (size == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0)
        return 0;
    const int error = errno;
    if (error != EOPNOTSUPP && error != ENOSYS) {
        // Frees what was reserved; the size stays. Its own failure changes nothing.
        [[maybe_unused]] const int freed = ::ftruncate(fd, info.st_size);
        return error;
    }
    // No reservation here: at least the free space must hold what the file grows by.
    struct statvfs space {};
    const std::uint64_t allocated = std::uint64_t(info.st_blocks) * 512;
    if (::fstatvfs(fd, &space) == 0 && size > allocated &&
        size - allocated > std::uint64_t(space.f_bavail) * space.f_frsize)
        return ENOSPC;
    return 0;
}

// Rewrites the file itself, for where a replacement would change who may use it.
int writeInPlace(const fs::path& target, std::uint64_t size, const ContentWriter& write) {
    const OpenedFile file = OpenRegularFile(target, O_WRONLY);
    if (file.fd < 0)
        return file.error;
    struct stat info {};
    int error = ::fstat(file.fd, &info) == 0 ? 0 : errno;
    if (error == 0 && (info.st_mode & 06000) && ::fchmod(file.fd, info.st_mode & 01777) != 0)
        error = errno;
    if (error == 0)
        error = reserveSpace(file.fd, size, info);
    if (error == 0)
        error = write(file.fd);
    // Cut only now, once the new content is in: an old, longer content's tail.
    if (error == 0 && ::ftruncate(file.fd, off_t(size)) != 0)
        error = errno;
    if (error == 0 && ::fdatasync(file.fd) != 0)
        error = errno;
    if (::close(file.fd) != 0 && error == 0)
        error = errno;
    return error;
}

// Makes a rename in the folder durable; a failure no longer risks the data.
void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

int WriteFileSafely(const fs::path& path, std::uint64_t size, const ContentWriter& write) {
    fs::path target;
    if (const int error = finalName(path, target))
        return error;
    if (!target.has_filename())
        return EISDIR;
    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return errno;
    if (exists) {
        if (const int error = FileTypeError(old.st_mode))
            return error;
        if ((old.st_mode & 0222) == 0)
            return EACCES;
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return errno;
        if (old.st_nlink > 1) // a new file would split it from its other names
            return writeInPlace(target, size, write);
    }

    const fs::path folder = folderOf(target);
    Replacement replacement;
    if (const int error = replacement.create(folder, target.filename())) {
        // A folder that takes no new files may still hold a file the user may write.
        if (exists && (error == EACCES || error == EPERM))
            return writeInPlace(target, size, write);
        return error;
    }
    if (exists && !keepOwner(replacement.fd(), old)) {
        replacement.discard();
        return writeInPlace(target, size, write);
    }
    if (const int error = write(replacement.fd()))
        return error;
    if (exists && !keepAccess(replacement.fd(), target, old)) {
        replacement.discard();
        return writeInPlace(target, size, write);
    }
    if (!exists)
        if (const int error = giveNewFileAccess(replacement.fd(), folder))
            return error;
    if (::fsync(replacement.fd()) != 0)
        return errno;
    if (const int error = replacement.install(target, exists))
        return error;
    replacement.discard();
    syncFolder(folder);
    return 0;
}

} // namespace pad
