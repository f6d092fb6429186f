#include "tests/support/SampleProfiles.h"

#include "model/KeyCodes.h"
#include "tests/support/ProfileBytes.h"

namespace pad::test {
namespace {

DeviceKeyCode key(std::uint32_t usage) {
    return UsageToDeviceCode(usage);
}

void single(Profile& p, int mode, int k, std::uint32_t usage, std::u16string_view label) {
    p.slot(mode, k).action = KeyAction::direct(key(usage));
    Profile::setLabel(p.slot(mode, k), label);
    p.setKind(mode, k, KindSingleKey);
}

void mouse(Profile& p, int mode, int k, DeviceKeyCode code, std::u16string_view label) {
    p.slot(mode, k).action = KeyAction::direct(code);
    Profile::setLabel(p.slot(mode, k), label);
    p.setKind(mode, k, KindMouseButton);
}

void byDefault(Profile& p, int mode, int k) {
    p.slot(mode, k).action = KeyAction::direct(nativeKey(k).code);
    Profile::setLabel(p.slot(mode, k), nativeKey(k).label);
    p.setKind(mode, k, KindDefault);
}

void macroOff(Profile& p, int mode, int k) {
    p.slot(mode, k).action = KeyAction::empty();
    Profile::setLabel(p.slot(mode, k), u"Macro Off");
    p.setKind(mode, k, KindMacroOff);
}

void playMacro(Profile& p, int mode, int k, std::size_t n) {
    p.slot(mode, k).action = p.macros().macroAt(n).action;
    Profile::setLabel(p.slot(mode, k), p.macros().macroAt(n).name);
    p.setKind(mode, k, KindMacroBase + AssignmentKind(n));
}

// A macro that taps the keys in order (press, release), with an optional held modifier.
MacroRecord tapMacro(std::u16string name, std::uint8_t playMode,
                     std::initializer_list<std::uint32_t> usages, std::uint32_t heldUsage = 0) {
    MacroRecord m{std::move(name), {}};
    std::size_t e = 0;
    if (heldUsage)
        m.action.events[e++] = pressOf(key(heldUsage));
    for (std::uint32_t usage : usages) {
        m.action.events[e++] = pressOf(key(usage));
        m.action.events[e++] = releaseOf(key(usage));
    }
    if (heldUsage)
        m.action.events[e++] = releaseOf(key(heldUsage));
    m.action.playMode = playMode;
    return m;
}

} // namespace

Profile ExampleProfile() {
    Profile p(u"Normal");
    p.macros().append(tapMacro(u"Reload", PlayOnce, {0x15}));           // R
    p.macros().append(tapMacro(u"Grenade", PlayOnce, {0x0A}, 0xE1));    // L-Shift + G
    p.macros().append(tapMacro(u"Auto fire", RepeatWhileHeld, {0x0E})); // K
    p.macros().append(tapMacro(u"Dash combo", RepeatUntilPressedAgain, {0x1A, 0x1A, 0x2C}));
    p.macros().append(tapMacro(u"Unused build", PlayOnce, {0x1E, 0x1F, 0x20, 0x21}));

    single(p, 0, 0, 0x3A, u"F1");
    single(p, 0, 1, 0x29, u"Esc");
    byDefault(p, 0, 3);
    playMacro(p, 0, 4, 0);
    playMacro(p, 0, 5, 1);
    macroOff(p, 0, 6);
    mouse(p, 0, 10, MouseLeftCode, u"L-Mouse");
    mouse(p, 0, 11, MouseRightCode, u"R-Mouse");

    playMacro(p, 1, 0, 3);
    playMacro(p, 1, 1, 2);
    byDefault(p, 1, 10);
    mouse(p, 1, 11, MouseMiddleCode, u"M-Mouse");

    single(p, 2, 12, 0x4B, u"Page Up");
    single(p, 2, 13, 0x4E, u"Page Down");
    single(p, 2, 14, 0x4A, u"Home");
    single(p, 2, 15, 0x4D, u"End");
    return p;
}

std::vector<std::uint8_t> LegacyQd5Sample() {
    auto file = ProfileBytes::qd5(1);
    for (std::size_t record = 0; record < 36; ++record) {
        file.recordAction(record, {}, 0xA0);
        file.recordLabel(record, u"Normal");
    }
    file.recordAction(0, {0x37}, 0xA3); // Mode A key 0: F1
    file.recordLabel(0, u"F1");
    file.kind(0, 1);
    file.recordAction(12 + 11, {0x2C, 0xAC}, 0xA1); // Mode B key 11: Space press/release
    file.recordLabel(12 + 11, u"Jump");
    file.kind(12 + 11, 10);
    file.recordAction(24 + 5, {}, 0xA0); // Mode C key 5: Macro Off
    file.recordLabel(24 + 5, u"Macro Off");
    file.kind(24 + 5, 2);
    file.macroName(0, u"Jump");
    file.macroAction(0, {0x2C, 0xAC}, 0xA1);
    return file.bytes;
}

} // namespace pad::test
