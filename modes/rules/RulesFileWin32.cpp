// The rules file on Windows: %APPDATA%\PadConfig\modes.conf, saved as profiles are
// saved (model/SafeWrite.h: a new file that replaces the old one with ReplaceFileW).

#include "modes/rules/RulesFile.h"

#include "common/FileAccess.h"
#include "common/UserSettingsFolder.h"
#include "model/SafeWrite.h"

#include <cerrno>

#include <io.h>

namespace pad {

std::filesystem::path DefaultRulesPath() {
    return UserSettingsFolder() / "modes.conf";
}

std::optional<std::string> SaveRulesFile(const std::filesystem::path& path,
                                         std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    fs::create_directories(folder, error);
    if (error)
        return "cannot make the folder " + folder.string() + ": " + error.message();
    const int failure = WriteFileSafely(path, bytes.size(), [bytes](int fd) {
        std::string_view left = bytes;
        while (!left.empty()) {
            const int written = ::_write(fd, left.data(), unsigned(left.size()));
            if (written <= 0)
                return errno;
            left.remove_prefix(std::size_t(written));
        }
        return 0;
    });
    if (failure != 0)
        return "cannot write " + path.string() + ": " + FileErrorText(failure);
    return std::nullopt;
}

} // namespace pad
