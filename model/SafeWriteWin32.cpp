// Saving over an old file on Windows (model/SafeWrite.h), with the guarantees of the
// POSIX version: the content goes to a temporary file in the target's folder, is
// flushed to the disk (FlushFileBuffers), and only then takes the old file's place:
// ReplaceFileW for an existing file, which keeps its ACL and attributes, and
// MoveFileExW(MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) for a new one. Any
// failure leaves the old file as it was; a kill can leave ".NAME.tmpN" (hidden) or,
// in the moment of the replace, ".NAME.bakN" holding the old content.
//
// The attributes and the ACL are also given to the replacement before the replace:
// wine's ReplaceFileW keeps neither. A read-only file is refused, and so is a file
// that cannot be opened for writing (another program holds it, the ACL denies it).
// There is no writing in place: a folder that takes no new files fails the save.

#include "model/SafeWrite.h"

#include "common/FileAccess.h"
#include "common/WindowsError.h"

#include <fcntl.h>
#include <io.h>
#include <random>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

namespace pad {
namespace {

namespace fs = std::filesystem;

constexpr int TemporaryNameAttempts = 16;
constexpr std::size_t MaxNameUnits = 255;
// What a replacement takes over of the old file's attributes (read-only files are
// refused; compression and encryption follow the ACL and the folder).
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid())
            ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

  private:
    HANDLE handle_;
};

// The file finally written: a symbolic link or junction resolved to what it names.
// 0 or an errno.
int finalName(const fs::path& path, fs::path& out) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        out = path;
        return 0;
    }
    const Handle file(::CreateFileW(path.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid())
        return LastErrno();
    std::wstring name(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(file.get(), name.data(), DWORD(name.size()), 0);
    if (length >= name.size()) {
        name.resize(length);
        length = ::GetFinalPathNameByHandleW(file.get(), name.data(), DWORD(name.size()), 0);
    }
    if (length == 0 || length >= name.size())
        return LastErrno();
    name.resize(length);
    out = name;
    return 0;
}

fs::path folderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(L".");
}

// ".NAME" + suffix, with NAME cut (not inside a surrogate pair) to the name limit.
fs::path siblingName(const fs::path& target, const std::wstring& suffix) {
    std::wstring stem = target.filename().wstring();
    const std::size_t room = MaxNameUnits - 1 - suffix.size();
    if (stem.size() > room) {
        stem.resize(room);
        if (!stem.empty() && stem.back() >= 0xD800 && stem.back() <= 0xDBFF)
            stem.pop_back();
    }
    return folderOf(target) / (L"." + stem + suffix);
}

std::wstring randomSuffix(const wchar_t* kind) {
    static thread_local std::mt19937 random{std::random_device{}()};
    return kind + std::to_wstring(random() % 1000000);
}

// The new content while it is written, under a temporary name; removed unless
// installed.
class Replacement {
  public:
    Replacement() = default;
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    ~Replacement() { discard(); }

    // 0 or an errno.
    int create(const fs::path& target) {
        for (int attempt = 0; attempt < TemporaryNameAttempts; ++attempt) {
            name_ = siblingName(target, randomSuffix(L".tmp"));
            handle_ = ::CreateFileW(name_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN, nullptr);
            if (handle_ != INVALID_HANDLE_VALUE)
                return 0;
            const DWORD error = ::GetLastError();
            name_.clear();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
                return ErrnoOfWindowsError(error);
        }
        return EEXIST;
    }

    // Hands the content to write (through a C runtime descriptor of the file), then
    // flushes it to the disk and closes it. 0 or an errno.
    int fill(const ContentWriter& write, std::uint64_t size) {
        const int fd =
            ::_open_osfhandle(reinterpret_cast<intptr_t>(handle_), _O_WRONLY | _O_BINARY);
        if (fd < 0)
            return errno;
        HANDLE handle = std::exchange(handle_, INVALID_HANDLE_VALUE);
        int error = write(fd);
        // A write cut short by a full disk is worded "Invalid argument" by wine's C
        // runtime: the free space tells.
        ULARGE_INTEGER free{};
        if (error != 0 && ::GetDiskFreeSpaceExW(folderOf(name_).c_str(), &free, nullptr, nullptr) &&
            free.QuadPart < size)
            error = ENOSPC;
        if (error == 0 && !::FlushFileBuffers(handle))
            error = LastErrno();
        if (::_close(fd) != 0 && error == 0)
            error = errno;
        return error;
    }

    // The attributes and ACL the file shall have in its place: the old file's, or a
    // plain file's for a new one.
    void takeOver(const fs::path& old, DWORD oldAttributes) {
        if (!old.empty())
            copyDacl(old);
        const DWORD kept = oldAttributes & KeptAttributes;
        ::SetFileAttributesW(name_.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
    }

    // Puts the file at target. 0 or an errno; on failure the old file is in place.
    int install(const fs::path& target, bool replacesOld) {
        if (!replacesOld) {
            if (!::MoveFileExW(name_.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
                return LastErrno();
            name_.clear();
            return 0;
        }
        // With a backup name, a replace that fails half-way leaves the old file under
        // one of its two names, never under none.
        const fs::path backup = siblingName(target, randomSuffix(L".bak"));
        if (::ReplaceFileW(target.c_str(), name_.c_str(), backup.c_str(), 0, nullptr, nullptr)) {
            name_.clear();
            ::DeleteFileW(backup.c_str());
            return 0;
        }
        const DWORD error = ::GetLastError();
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
            ::MoveFileExW(backup.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        return ErrnoOfWindowsError(error);
    }

    void discard() {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
        if (!name_.empty())
            ::DeleteFileW(name_.c_str());
        name_.clear();
    }

  private:
    // ReplaceFileW keeps the old ACL on Windows; given beforehand too, so that wine,
    // which derives a file's ACL from its Unix mode, gives the same mode.
    void copyDacl(const fs::path& old) {
        DWORD size = 0;
        ::GetFileSecurityW(old.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
        if (size == 0)
            return;
        std::vector<std::uint8_t> descriptor(size);
        if (::GetFileSecurityW(old.c_str(), DACL_SECURITY_INFORMATION, descriptor.data(), size,
                               &size))
            ::SetFileSecurityW(name_.c_str(), DACL_SECURITY_INFORMATION, descriptor.data());
    }

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    fs::path name_;
};

// Whether an existing file may be replaced: a regular file on a disk, not read-only,
// that this user may open for writing now. 0 or the reason.
int checkWritable(const fs::path& target, DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return EISDIR;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return EACCES;
    const Handle file(::CreateFileW(target.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return LastErrno();
    return ::GetFileType(file.get()) == FILE_TYPE_DISK ? 0 : NotRegularFileError;
}

} // namespace

int WriteFileSafely(const fs::path& path, std::uint64_t size, const ContentWriter& write) {
    fs::path target;
    if (const int error = finalName(path, target))
        return error;
    if (!target.has_filename())
        return EISDIR;
    // A device name (NUL, COM1) is refused before anything touches it.
    const OpenedFile probe = OpenRegularFile(target, O_RDONLY);
    if (probe.fd >= 0)
        ::_close(probe.fd);
    if (probe.error == NotRegularFileError)
        return NotRegularFileError;
    WIN32_FILE_ATTRIBUTE_DATA old{};
    const bool exists = ::GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old);
    if (!exists) {
        const int error = LastErrno();
        if (error != ENOENT)
            return error;
    } else if (const int error = checkWritable(target, old.dwFileAttributes)) {
        return error;
    }

    Replacement replacement;
    if (const int error = replacement.create(target))
        return error;
    if (const int error = replacement.fill(write, size))
        return error;
    replacement.takeOver(exists ? target : fs::path(), exists ? old.dwFileAttributes : 0);
    return replacement.install(target, exists);
}

} // namespace pad
