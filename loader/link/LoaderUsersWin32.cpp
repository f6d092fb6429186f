#include "loader/link/LoaderUsers.h"

#include <filesystem>

#include <windows.h>

namespace pad {
namespace {

// Locks the file's first byte, shared or exclusive, without waiting.
bool LockFirstByte(HANDLE file, bool exclusive) {
    OVERLAPPED at{};
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    return ::LockFileEx(file, flags, 0, 1, 0, &at);
}

} // namespace

LoaderUsers::LoaderUsers(std::string file) : file_(std::move(file)) {}

LoaderUsers::~LoaderUsers() {
    if (handle_ != -1)
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

void LoaderUsers::join() {
    if (joined_)
        return;
    joined_ = true;
    // The name is UTF-8.
    const std::filesystem::path name(std::u8string(file_.begin(), file_.end()));
    HANDLE file = ::CreateFileW(name.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    if (LockFirstByte(file, false))
        handle_ = reinterpret_cast<std::intptr_t>(file);
    else
        ::CloseHandle(file);
}

bool LoaderUsers::leave() {
    if (!joined_)
        return false;
    joined_ = false;
    if (handle_ == -1)
        return true;
    const HANDLE file = reinterpret_cast<HANDLE>(handle_);
    // This window's shared lock goes first, so of two windows that leave at the same
    // moment one finds itself alone.
    OVERLAPPED at{};
    ::UnlockFileEx(file, 0, 1, 0, &at);
    const bool last = LockFirstByte(file, true);
    ::CloseHandle(file);
    handle_ = -1;
    return last;
}

} // namespace pad
