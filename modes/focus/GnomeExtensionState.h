#pragma once
// The GNOME Shell extension that tells the mode service the focused window, and what
// to tell the user while it does not run. Qt-free.

#include <string>

namespace pad {

inline constexpr const char* GnomeExtensionUuid = "padconfig@padconfig.org";

// What GNOME Shell tells of the extension (org.gnome.Shell.Extensions).
struct GnomeExtensionState {
    bool known = false; // GetExtensionInfo gave something: the shell found it at start
    // The shell's ExtensionState: 1 runs, 2 and 6 not enabled, 3 failed, 4 made for
    // another shell version, 7 and 8 (45 and later) on the way off or on.
    int state = 0;
    std::string error;                 // the shell's words for a failure (state 3)
    bool userExtensionsEnabled = true; // false: the Extensions app switched them all off

    bool runs() const { return known && state == 1; }
};

// Empty while the extension runs; otherwise one sentence that says what to do.
std::string GnomeExtensionHint(const GnomeExtensionState& extension);

} // namespace pad
