#pragma once
// The rules file on disk: where it lives, reading it, and saving it so that a failed
// save never leaves a damaged file behind. Qt-free.

#include "modes/rules/RulesDocument.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pad {

// A file larger than this, or of more lines, is not a rules file a person wrote:
// reading stops there, and the file as a whole is refused.
inline constexpr std::size_t MaxRulesFileBytes = 1024 * 1024;
inline constexpr std::size_t MaxRulesFileLines = 10000;

// $XDG_CONFIG_HOME/padconfig/modes.conf, or ~/.config/padconfig/modes.conf when
// XDG_CONFIG_HOME is not set to an absolute path.
std::filesystem::path DefaultRulesPath();

struct RulesFileContents {
    bool exists = false;
    // Why the file as a whole cannot be read (a folder, no permission, too large, too
    // many lines).
    std::optional<std::string> failure;
    RulesDocument document;
};

// A missing file is no failure: it holds no rules.
RulesFileContents ReadRulesFile(const std::filesystem::path& path);

// What tells one reading of the file from another: its bytes, its absence or why it
// cannot be read. A watcher reports a change only when this changes.
std::string RulesFingerprint(const RulesFileContents& contents);

// The file's folder, or while that does not exist the nearest existing folder above
// it: where a watcher sees the file appear.
std::filesystem::path NearestExistingFolder(const std::filesystem::path& file);

// Writes bytes to a new file beside path and renames it over path, so that readers
// see the old file or the new one, never a part. The folder is made when missing; a
// symbolic link stays and its target is replaced; an existing file's permissions
// are kept. Returns what went wrong, or nullopt.
std::optional<std::string> SaveRulesFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace pad
