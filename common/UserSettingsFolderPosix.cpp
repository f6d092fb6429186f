// The user's settings folder on POSIX systems (common/UserSettingsFolder.h).

#include "common/UserSettingsFolder.h"

#include <cstdlib>

namespace pad {

std::filesystem::path UserConfigFolder(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome && std::filesystem::path(xdgConfigHome).is_absolute())
        return std::filesystem::path(xdgConfigHome) / "padconfig";
    if (home && *home)
        return std::filesystem::path(home) / ".config" / "padconfig";
    return {};
}

std::filesystem::path UserSettingsFolder() {
    return UserConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

} // namespace pad
