#pragma once
// A desktop window as the mode service knows it: what the desktop tells of it, in
// UTF-8 (Qt-free).

#include <cstdint>
#include <optional>
#include <string>

namespace pad {

struct WindowInfo {
    // The Wayland application id, or on X11 the class of WM_CLASS ("Firefox").
    std::string appId{};
    // On X11 the instance name of WM_CLASS ("Navigator"); empty elsewhere.
    std::string instance{};
    std::string title{};
    // The process that owns the window, where the desktop tells it.
    std::optional<std::int64_t> pid{};
    // The file name of that process's executable ("factorio"); empty when unknown.
    std::string executable{};

    bool operator==(const WindowInfo&) const = default;
};

} // namespace pad
