#pragma once
// The one line of status that PadConfig shows about the mode service's desktop: the
// desktop found, and whether the focused window can be followed there or, when not,
// why and what would make it work (such as enabling the GNOME Shell extension).
// Qt-free.

#include "modes/focus/DesktopSession.h"

#include <string>

namespace pad {

struct FocusStatus {
    std::string desktop;
    bool follows = false;
    std::string hint; // when it does not follow: why, in one sentence

    bool operator==(const FocusStatus&) const = default;
};

// The status as a focus backend of this process finds it: the one that connected
// ("X11 (display :0)"), or the failure of all of them.
FocusStatus StatusOfSession(const DesktopSession& session, const std::string& backend,
                            const std::string& failure);

} // namespace pad
