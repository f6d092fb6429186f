#include "modes/focus/ProcessInfo.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

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

std::optional<std::int64_t> ParentPid(std::int64_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (pid <= 0 || !std::getline(stat, line))
        return std::nullopt;
    // "PID (COMMAND) STATE PPID ...", where the command may hold blanks and parentheses.
    const std::size_t commandEnd = line.rfind(')');
    if (commandEnd == std::string::npos)
        return std::nullopt;
    std::istringstream rest(line.substr(commandEnd + 1));
    std::string state;
    std::int64_t parent = 0;
    if (!(rest >> state >> parent) || parent <= 0)
        return std::nullopt;
    return parent;
}

std::optional<std::int64_t> WaylandCompositorPid() {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string path = display && *display ? display : "wayland-0";
    if (path.front() != '/') {
        if (!runtime || !*runtime)
            return std::nullopt;
        path = std::string(runtime) + "/" + path;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return std::nullopt;
    path.copy(address.sun_path, path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    ucred peer{};
    socklen_t size = sizeof peer;
    const bool told =
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.pid > 0;
    close(fd);
    return told ? std::optional<std::int64_t>(peer.pid) : std::nullopt;
}

} // namespace pad
