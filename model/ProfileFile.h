#pragma once
// The ".qd6" profile file: a 128-byte header, the 48 slot records, then the macro
// names and the macros' actions. The writer always produces the current version
// (".QD6"); the reader also takes the older ".QD5", which knew 12 keys per mode.
//
// Current version, N = macro count, all values little-endian, text UTF-16LE:
//   offset 0                  128 bytes   header: 64 words
//                                           0-3   magic ".QD6" (one character per word)
//                                           4     N (unsigned 16-bit)
//                                           5-15  zero
//                                           16-63 kind of slot 0-47, low 16 bits
//   offset 128                48 x 530    slot records, Mode A keys 0-15, then B, then C:
//                                           0-16  KeyAction (16 events, play mode)
//                                           17    reserved, written 0, ignored on read
//                                           18    label, 256 units, NUL-terminated
//   offset 25,568             N x 512     macro names, 256 units each, NUL-terminated
//   offset 25,568 + 512 N     N x 17      macro actions
//   total 25,568 + 529 N bytes
// Older version (".QD5"): header words 16-51 hold the kinds of 3 x 12 keys, 36 slot
// records (keys 0-11 of each mode), so the macro sections start at 19,208.

#include "model/Profile.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pad {

enum class FileResult {
    Ok,
    OpenForWriteFailed,
    OpenForReadFailed,
    UnsupportedFile,
}; // their messages: texts/FileResultText.h

inline constexpr std::size_t ProfileHeaderSize = 128;
inline constexpr std::size_t SlotRecordSize = 530;
inline constexpr std::size_t NameFieldSize = 512;
inline constexpr std::size_t TextFieldUnits = 256;
inline constexpr std::size_t MacroFileSize = NameFieldSize + ActionSize; // 529 per macro
inline constexpr std::size_t Qd6FixedSize = ProfileHeaderSize + SlotCount * SlotRecordSize;
inline constexpr int Qd5KeysPerMode = 12;
inline constexpr std::size_t Qd5FixedSize =
    ProfileHeaderSize + ModeCount * Qd5KeysPerMode * SlotRecordSize;

// The whole file for a profile, always the current version.
std::vector<std::uint8_t> EncodeProfileFile(const Profile& profile);

// Decodes a whole file. On Ok, `into` holds the file's profile (for a ".QD5" file,
// keys 12-15 of every mode are fresh with freshLabel) and *magicOut, when given,
// the file's magic. On failure nothing is changed. A file shorter than its header,
// records and macro count announce, or with more macros than the model holds, is an
// UnsupportedFile. Bytes after the announced end are ignored.
FileResult DecodeProfileFile(std::span<const std::uint8_t> bytes, Profile& into,
                             std::u16string_view freshLabel = {}, std::string* magicOut = nullptr);

// Writes the profile to path as model/SafeWrite.h describes: a failed save leaves
// an existing file as it was, and the file keeps its owner, group, mode and ACL. Any
// failure gives OpenForWriteFailed; *systemError, when given, receives its reason
// (an errno, or NotRegularFileError from common/FileAccess.h), 0 on success.
FileResult SaveProfileFile(const Profile& profile, const std::filesystem::path& path,
                           int* systemError = nullptr);

// Reads and decodes the file; nothing is applied before all of it has been read, so
// on any failure the profile is unchanged. Only a regular file is read: a FIFO, a
// socket or a device is refused at once. A file that cannot be opened or read gives
// OpenForReadFailed, with its reason in *systemError when given (0 for every other
// result); everything else DecodeProfileFile says.
FileResult LoadProfileFile(Profile& profile, const std::filesystem::path& path,
                           std::u16string_view freshLabel = {}, std::string* magicOut = nullptr,
                           int* systemError = nullptr);

} // namespace pad
