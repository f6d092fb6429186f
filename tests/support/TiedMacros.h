#pragma once
// Profiles with macros tied to keys, for the tests of the macro operations and the
// dialogs that run them.

#include "model/Profile.h"

#include <cstdint>
#include <tuple>

namespace pad::test {

// A macro that presses and releases one key, played in playMode.
inline KeyAction MacroActionOf(KeyEvent first, std::uint8_t playMode) {
    KeyAction a;
    a.events[0] = first;
    a.events[1] = KeyEvent(first | ReleaseFlag);
    a.playMode = playMode;
    return a;
}

// Three macros, "Zero", "One" and "Two"; slots (0,0) play macro 0, (0,1) and (2,5)
// macro 1, (1,3) macro 2.
inline void AddThreeTiedMacros(Profile& profile) {
    auto& macros = profile.macros();
    macros.append({u"Zero", MacroActionOf(0x01, PlayOnce)});
    macros.append({u"One", MacroActionOf(0x02, RepeatWhileHeld)});
    macros.append({u"Two", MacroActionOf(0x03, RepeatUntilPressedAgain)});
    for (auto [mode, key, n] : {std::tuple{0, 0, 0}, {0, 1, 1}, {2, 5, 1}, {1, 3, 2}}) {
        const MacroRecord& m = macros.macroAt(std::size_t(n));
        profile.slot(mode, key) = {m.action, m.name};
        profile.setKind(mode, key, KindMacroBase + AssignmentKind(n));
    }
}

} // namespace pad::test
