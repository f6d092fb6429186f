// Which desktop the service runs on, as the sentence of a desktop it cannot follow
// names it.

#include "modes/focus/DesktopSession.h"

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

} // namespace
} // namespace pad
