// Which desktop the service runs on, as the sentence of a desktop it cannot follow
// names it, and what it tells of GNOME Shell's extension while that does not run.

#include "modes/focus/DesktopSession.h"
#include "modes/focus/GnomeExtensionState.h"

#include <gtest/gtest.h>

namespace pad {
namespace {

TEST(DesktopSessions, AreKnownByAnyNameInTheList) {
    const struct {
        const char* currentDesktop;
        DesktopFamily family;
        const char* name;
    } cases[] = {
        {"KDE", DesktopFamily::Kde, "KDE Plasma"},
        {"ubuntu:GNOME", DesktopFamily::Gnome, "GNOME"},
        {"GNOME-Classic:GNOME", DesktopFamily::Gnome, "GNOME"},
        {"GNOME-Flashback", DesktopFamily::Other, "GNOME-Flashback"},
        {"", DesktopFamily::Other, "this desktop"},
    };
    for (const auto& c : cases) {
        const DesktopSession session{"wayland-0", "", c.currentDesktop};
        EXPECT_EQ(FamilyOf(session), c.family) << c.currentDesktop;
        EXPECT_EQ(DesktopName(session), c.name);
    }
}

TEST(GnomeExtensionHints, SayWhatMakesTheExtensionRun) {
    const struct {
        GnomeExtensionState extension;
        const char* advice; // a part of the hint; "" for no hint
    } cases[] = {
        {{true, 1, "", true}, ""},
        {{true, 6, "", true},
         "is not enabled: run 'gnome-extensions enable padconfig@padconfig.org'"},
        {{true, 2, "", true},
         "is not enabled: run 'gnome-extensions enable padconfig@padconfig.org'"},
        {{true, 2, "", false}, "switch them on in the Extensions app and run 'gnome-extensions"},
        {{true, 3, "TypeError: x is null", true}, "failed to start (TypeError: x is null)"},
        {{true, 4, "", true}, "made for another version of GNOME Shell"},
        {{false, 0, "", true}, "is not installed for this session"},
    };
    for (const auto& c : cases) {
        const std::string hint = GnomeExtensionHint(c.extension);
        if (*c.advice == '\0')
            EXPECT_EQ(hint, "");
        else
            EXPECT_NE(hint.find(c.advice), std::string::npos) << hint;
    }
}

} // namespace
} // namespace pad
