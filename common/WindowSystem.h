#pragma once
// Qt's GUI programs abort when no window system can be reached. PadConfig and its
// loader still answer their command line from a shell without a display: when no
// window system is named, Qt starts on its "offscreen" platform, which only reads the
// arguments, and the program then says that it has no display.

#include <cstdlib>
#include <string_view>
#include <vector>

namespace pad {

// True when a window system is named: QT_QPA_PLATFORM, WAYLAND_DISPLAY or DISPLAY in
// the environment, or Qt's -platform or X11's -display option among the arguments.
inline bool WindowSystemNamed(const std::vector<char*>& arguments) {
#ifdef _WIN32
    // Windows always has its window system.
    (void)arguments;
    return true;
#endif
    for (const char* variable : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return true;
    }
    for (const char* argument : arguments) {
        const std::string_view word = argument ? argument : "";
        if (word == "-platform" || word == "--platform" || word == "-display" ||
            word == "--display")
            return true;
    }
    return false;
}

// When no window system is named, adds "-platform offscreen" after the program's name
// (Qt takes it out again) and returns true.
inline bool StartOffscreenWithoutDisplay(std::vector<char*>& arguments) {
    if (WindowSystemNamed(arguments) || arguments.empty())
        return false;
    static char option[] = "-platform";
    static char platform[] = "offscreen";
    arguments.insert(arguments.begin() + 1, {option, platform});
    return true;
}

// The message of a program that was started without a display.
inline constexpr const char* NoDisplayMessage =
    "cannot show a window: no display (neither WAYLAND_DISPLAY nor DISPLAY is set)";

} // namespace pad
