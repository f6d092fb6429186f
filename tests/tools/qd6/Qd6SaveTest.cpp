// Saves through `qd6 convert` over old files of every kind and checks what is left:
// the old file's bytes, type, owner, group, mode and ACL, the folder, and the message.
#include "model/ProfileFile.h"
#include "tests/support/TempDir.h"

#include <csignal>
#include <cstring>
#include <grp.h>
#include <gtest/gtest.h>
#include <set>
#include <sys/acl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pad {
namespace {

namespace fs = std::filesystem;
constexpr uid_t Nobody = 65534;

struct FileState {
    mode_t mode = 0; // type and permission bits; 0 where there is no file
    uid_t uid = 0;
    gid_t gid = 0;
    std::string acl;
    std::vector<std::uint8_t> bytes; // of a regular file
    friend bool operator==(const FileState&, const FileState&) = default;
    friend void PrintTo(const FileState& f, std::ostream* out) {
        *out << std::oct << f.mode << std::dec << " " << f.uid << ":" << f.gid << " [" << f.acl
             << "] " << f.bytes.size() << " bytes";
    }
};

FileState stateOf(const fs::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return {};
    FileState state{info.st_mode, info.st_uid, info.st_gid, {}, {}};
    acl_t acl = ::acl_get_file(file.c_str(), ACL_TYPE_ACCESS);
    char* text = acl ? ::acl_to_text(acl, nullptr) : nullptr;
    state.acl = text ? text : "";
    ::acl_free(text);
    ::acl_free(acl);
    if (S_ISREG(info.st_mode))
        state.bytes = test::readBytes(file);
    return state;
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename());
    return names;
}

// Kills qd6 once the file that is to replace the target exists (among its open files,
// an unnamed "#inode" or a ".NAME.tmpN" of the folder). False when the save ended first.
bool killMidSave(pid_t qd6, const fs::path& folder) {
    const fs::path fds = "/proc/" + std::to_string(qd6) + "/fd";
    for (std::error_code gone; !gone && ::waitpid(qd6, nullptr, WNOHANG) == 0;)
        for (const auto& fd : fs::directory_iterator(fds, gone)) {
            const std::string target = fs::read_symlink(fd.path(), gone).string();
            if (target.starts_with((folder / "#").string()) ||
                target.starts_with((folder / ".").string()))
                return ::kill(qd6, SIGKILL) == 0;
        }
    return false;
}

// Runs `qd6 convert in out`, as user unless that is 0, killed mid-save when asked in a
// folder (*killed tells whether it was); its stderr.
std::string runConvert(const fs::path& in, const fs::path& out, uid_t user, const fs::path* killIn,
                       bool* killed = nullptr) {
    int err[2];
    if (::pipe(err) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(err[1], STDERR_FILENO);
        if (user != 0 && (::setgroups(0, nullptr) != 0 || ::setresgid(user, user, user) != 0 ||
                          ::setresuid(user, user, user) != 0))
            ::_exit(100);
        ::execl(QD6_PROGRAM, QD6_PROGRAM, "convert", in.c_str(), out.c_str(), nullptr);
        ::_exit(101);
    }
    ::close(err[1]);
    if (killIn)
        *killed = killMidSave(child, *killIn);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(err[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, std::size_t(n));
    ::close(err[0]);
    ::waitpid(child, nullptr, 0);
    return text;
}

// Mounts a small tmpfs at folder, in a mount namespace of this process's own. False
// where that cannot be had (not root, no mount rights).
bool mountSmallFileSystem(const fs::path& folder, const char* options) {
    static const bool own = ::unshare(CLONE_NEWNS) == 0 &&
                            ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return own && ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options) == 0;
}

enum Extra { None = 0, LongName = 1, WithAcl = 2, KillMidSave = 4 };

struct SaveCase {
    mode_t type;        // the old file's: S_IFREG, S_IFIFO, S_IFCHR, or S_IFLNK (dangling)
    mode_t mode;        // its permissions
    uid_t owner;        // its owner: 0 for the test's own user, else Nobody
    uid_t user;         // who saves, as owner; in a 01777 folder when Nobody
    const char* tmpfs;  // the options of a small tmpfs for the folder, filled up; or nullptr
    int extra;          // Extra
    const char* reason; // the message's reason; nullptr when the save succeeds
};

// Makes the old file of a case in folder; the name to save to, empty where it cannot be.
fs::path setUp(const SaveCase& c, const fs::path& folder) {
    if (c.tmpfs && !mountSmallFileSystem(folder, c.tmpfs))
        return {};
    const fs::path file = folder / (c.extra & LongName ? std::string(248, 'n') + ".qd6" : "p.qd6");
    if (c.user != 0)
        ::chmod(folder.c_str(), 01777);
    bool made = true;
    if (c.type == S_IFLNK)
        fs::create_symlink("target.qd6", file);
    else if (c.type == S_IFIFO)
        made = ::mkfifo(file.c_str(), c.mode) == 0;
    else if (c.type == S_IFCHR)
        made = ::mknod(file.c_str(), S_IFCHR | c.mode, makedev(1, 3)) == 0;
    else
        test::writeBytes(file, EncodeProfileFile(Profile{}));
    made = made && (c.type != S_IFREG || ::chmod(file.c_str(), c.mode) == 0) &&
           (c.owner == 0 || ::chown(file.c_str(), c.owner, c.owner) == 0);
    if (made && (c.extra & WithAcl)) {
        acl_t acl = ::acl_from_text("u::rw-,u:65534:rw-,g::r--,m::rw-,o::---");
        made = ::acl_set_file(file.c_str(), ACL_TYPE_ACCESS, acl) == 0;
        ::acl_free(acl);
    }
    if (c.tmpfs) { // its space, then its inodes where they are few
        test::writeBytes(folder / "space", std::vector<std::uint8_t>(1 << 20, 1));
        for (int n = 0; std::strstr(c.tmpfs, "nr_inodes") &&
                        ::close(::creat((folder / std::to_string(n)).c_str(), 0600)) == 0;)
            ++n;
    }
    return made ? file : fs::path();
}

TEST(Qd6Save, OldFilesSurviveFailuresAndKeepWhoMayUseThem) {
    ::umask(022);
    Profile huge; // pages more than the old file, and long to write
    for (std::size_t n = 0; n < 8192; ++n)
        huge.macros().append({u"macro", KeyAction::direct(4)});
    test::TempDir top;
    const fs::path source = top / "source.qd6";
    test::writeBytes(source, EncodeProfileFile(huge));
    const std::vector<SaveCase> cases = {
        {S_IFREG, 0644, 0, 0, "size=256k,nr_inodes=4", None, "No space left on device"},
        {S_IFREG, 0644, 0, 0, "size=256k", LongName, "No space left on device"},
        {S_IFREG, 0444, 0, 0, nullptr, None, "Permission denied"},      // write-protected
        {S_IFREG, 0644, 0, Nobody, nullptr, None, "Permission denied"}, // another user's
        {S_IFREG, 0666, 0, Nobody, nullptr, None, nullptr},             // another user's, writable
        {S_IFREG, 0640, Nobody, 0, nullptr, None, nullptr},             // a user's, saved by root
        {S_IFREG, 0640, 0, 0, nullptr, WithAcl, nullptr},
        {S_IFREG, 06755, 0, 0, nullptr, None, nullptr},
        {S_IFIFO, 0644, 0, 0, nullptr, None, "Not a regular file"},
        {S_IFCHR, 0644, 0, 0, nullptr, None, "Not a regular file"},
        {S_IFLNK, 0777, 0, 0, nullptr, None, nullptr}, // dangling symbolic link
        {S_IFREG, 0644, 0, 0, nullptr, KillMidSave, nullptr},
    };
    int skipped = 0;
    for (const SaveCase& c : cases) {
        SCOPED_TRACE("case " + std::to_string(&c - cases.data()));
        const fs::path folder = top / ("folder" + std::to_string(&c - cases.data()));
        fs::create_directory(folder);
        const fs::path target = setUp(c, folder);
        if (target.empty() || (c.user != 0 && ::geteuid() != 0)) {
            ++skipped;
            ::umount2(folder.c_str(), MNT_DETACH);
            continue;
        }
        const bool kill = c.extra & KillMidSave;
        FileState expected = stateOf(target);
        auto names = namesIn(folder);
        std::string message;
        if (!kill)
            message = runConvert(source, target, c.user, nullptr);
        // A busy machine may finish the save before it is seen under way: then again,
        // from the old file.
        for (int attempt = 0; kill && attempt < 20; ++attempt) {
            test::writeBytes(target, expected.bytes);
            bool killed = false;
            message = runConvert(source, target, c.user, &folder, &killed);
            if (killed)
                break;
            EXPECT_LT(attempt, 19) << "every save ended before it could be killed";
        }
        if (c.reason) {
            EXPECT_EQ(message, "qd6: " + target.string() +
                                   ": File open for write failed: " + c.reason + "\n");
        } else if (!kill) {
            EXPECT_EQ(message, "");
            if (expected.mode == 0) { // the link's new file, made as any: 0666 less the umask
                const std::string acl = "user::rw-\ngroup::r--\nother::r--\n";
                expected = {S_IFREG | 0644, ::geteuid(), ::getegid(), acl, {}};
                names.insert("target.qd6");
            }
            expected.mode &= ~mode_t(06000);
            expected.bytes = test::readBytes(source);
        }
        EXPECT_EQ(stateOf(target), expected);
        EXPECT_EQ(namesIn(folder), names);
        ::umount2(folder.c_str(), MNT_DETACH);
    }
    if (skipped > 0)
        GTEST_SKIP() << skipped << " cases need root";
}

} // namespace
} // namespace pad
