// The rules file on POSIX systems: where it lives and how it is saved.

#include "modes/rules/RulesFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pad {
namespace {

std::string SystemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Closes the descriptor when it goes out of scope.
struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0)
            close(fd);
    }
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(std::size_t(written));
    }
    return true;
}

} // namespace

std::filesystem::path DefaultRulesPath() {
    std::filesystem::path config;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* user = getpwuid(getuid());
            home = user ? user->pw_dir : "/";
        }
        config = std::filesystem::path(home) / ".config";
    }
    return config / "padconfig" / "modes.conf";
}

std::optional<std::string> SaveRulesFile(const std::filesystem::path& path,
                                         std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target = path;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        target = fs::weakly_canonical(path, error);
        if (error)
            return "cannot follow the link " + path.string() + ": " + error.message();
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    fs::create_directories(folder, error);
    if (error)
        return "cannot make the folder " + folder.string() + ": " + error.message();

    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    FileDescriptor file{mkostemp(temporary.data(), O_CLOEXEC)};
    if (file.fd < 0)
        return SystemError("cannot write in " + folder.string());
    auto fail = [&](const std::string& what) {
        std::string message = SystemError(what);
        unlink(temporary.c_str());
        return message;
    };
    struct stat old {};
    if (stat(target.c_str(), &old) == 0 && fchmod(file.fd, old.st_mode & 07777) != 0)
        return fail("cannot give " + temporary + " the permissions of " + target.string());
    if (!WriteAll(file.fd, bytes) || fsync(file.fd) != 0)
        return fail("cannot write " + temporary);
    const int fd = file.fd;
    file.fd = -1;
    if (close(fd) != 0)
        return fail("cannot write " + temporary);
    if (rename(temporary.c_str(), target.c_str()) != 0)
        return fail("cannot replace " + target.string());
    FileDescriptor directory{open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (directory.fd >= 0)
        fsync(directory.fd); // the rename itself on disk; the file is complete either way
    return std::nullopt;
}

} // namespace pad
