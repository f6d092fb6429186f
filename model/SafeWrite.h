#pragma once
// Writing a whole file over an old one as careful editors do: a failed save leaves the
// old file as it was, and a save changes neither who may use the file nor its kind.

#include <cstdint>
#include <filesystem>
#include <functional>

namespace pad {

// Writes the whole content to fd from its start, in order; returns 0 or an errno.
using ContentWriter = std::function<int(int fd)>;

// Writes a file of `size` bytes, as `write` produces them, to path. Returns 0, or the
// reason of the failure: an errno, or NotRegularFileError (common/FileAccess.h).
//
// - A symbolic link is followed and the file it names written; a dangling link gets
//   its file created.
// - Only a regular file is written. A folder, FIFO, socket or device is refused, and
//   so is a file the user may not write (checked with the effective ids; even root
//   does not write a file that has no write permission bit).
// - The content goes to an unnamed file in the target's folder (where the file system
//   offers none, to ".NAME.tmpN" made 0600), is flushed to the disk, gets the old
//   file's owner, group, mode (less setuid and setgid) and ACL, and only then takes
//   the old file's place. Any failure, or a kill, leaves the old file as it was. A new
//   file gets what creating it gives: the folder's default ACL or 0666 less the umask.
// - Where a replacement would change who may use the file (it has other names, it
//   cannot be given its owner, group or ACL, or its folder takes no new files), the
//   file is rewritten in place instead: the space is reserved first, so a full disk
//   fails before a byte changes, and nothing is cut before the new content is in.
// On Windows (SafeWriteWin32.cpp) the replacement is made with ReplaceFileW, keeping the
// old file's attributes and ACL, and a file that cannot be replaced is not written.
int WriteFileSafely(const std::filesystem::path& path, std::uint64_t size,
                    const ContentWriter& write);

} // namespace pad
