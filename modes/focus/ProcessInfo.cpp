#include "modes/focus/ProcessInfo.h"

#include <filesystem>
#include <string_view>

namespace pad {

std::string ExecutableName(std::int64_t pid) {
    if (pid <= 0)
        return {};
    std::error_code error;
    const auto target =
        std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", error);
    if (error)
        return {};
    std::string name = target.filename().string();
    // The executable was replaced or removed since the process started (an update).
    constexpr std::string_view Deleted = " (deleted)";
    if (name.size() > Deleted.size() && name.ends_with(Deleted))
        name.resize(name.size() - Deleted.size());
    return name;
}

void AddExecutable(WindowInfo& window) {
    window.executable = window.pid ? ExecutableName(*window.pid) : std::string();
}

} // namespace pad
