#pragma once
// A desktop window as the mode service knows it: what the desktop tells of it, in
// UTF-8 (Qt-free).

#include <cstddef>
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
    // The title was longer than MaxWindowTextBytes and is cut there.
    bool titleCut = false;

    bool operator==(const WindowInfo&) const = default;
};

// Window texts are read up to this size, which titles and ids of real windows stay far
// below; rules match them whole. A longer text is cut.
inline constexpr std::size_t MaxWindowTextBytes = 64 * 1024;

// Cuts text to at most MaxWindowTextBytes at the start of a UTF-8 character; true when
// something was cut.
inline bool CutWindowText(std::string& text) {
    if (text.size() <= MaxWindowTextBytes)
        return false;
    std::size_t end = MaxWindowTextBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end; // back to the first byte of the character that would be cut
    text.resize(end);
    return true;
}

} // namespace pad
