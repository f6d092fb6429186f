#pragma once
// The system's side of the keypad lock (keypad/KeypadLock.h): the lock file, its lock
// and its record, through a descriptor. One implementation per platform:
// KeypadLockPosix.cpp (flock) and KeypadLockWin32.cpp (LockFileEx).

#include <cstddef>
#include <filesystem>

namespace pad::lockfile {

// Opens or makes the file; -1 when it cannot.
int Open(const std::filesystem::path& file);
void Close(int fd);

enum class Attempt { Taken, HeldElsewhere, Failed };
// Takes the lock when it is free.
Attempt TryLock(int fd);
// Waits until the lock is free, then takes it.
void Lock(int fd);
void Unlock(int fd);

// The bytes at the file's start, read and written in one piece, whoever holds the lock;
// ReadRecord gives how many it read (0 on failure).
std::size_t ReadRecord(int fd, char* buffer, std::size_t size);
void WriteRecord(int fd, const char* bytes, std::size_t size);

} // namespace pad::lockfile
