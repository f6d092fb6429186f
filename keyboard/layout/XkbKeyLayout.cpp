#include "keyboard/layout/XkbKeyLayout.h"

#include "common/Utf16.h"

#include <xkbcommon/xkbcommon.h>

namespace pad {
namespace {

// A dead key types nothing by itself; it is named after the mark it puts on the
// next letter, in its spacing form.
struct DeadKey {
    xkb_keysym_t keysym;
    char32_t mark;
};
constexpr DeadKey kDeadKeys[] = {
    {XKB_KEY_dead_grave, U'`'},          {XKB_KEY_dead_acute, U'\u00B4'},
    {XKB_KEY_dead_circumflex, U'^'},     {XKB_KEY_dead_tilde, U'~'},
    {XKB_KEY_dead_macron, U'\u00AF'},    {XKB_KEY_dead_breve, U'\u02D8'},
    {XKB_KEY_dead_abovedot, U'\u02D9'},  {XKB_KEY_dead_diaeresis, U'\u00A8'},
    {XKB_KEY_dead_abovering, U'\u02DA'}, {XKB_KEY_dead_doubleacute, U'\u02DD'},
    {XKB_KEY_dead_caron, U'\u02C7'},     {XKB_KEY_dead_cedilla, U'\u00B8'},
    {XKB_KEY_dead_ogonek, U'\u02DB'},
};

bool IsVisible(char32_t c) {
    return c > 0x20 && !(c >= 0x7F && c <= 0xA0);
}

std::string Utf8Of(char32_t c) {
    std::u16string units;
    AppendUtf16(units, c);
    return ToUtf8(units);
}

} // namespace

std::string CharacterKeysymName(std::uint32_t keysym) {
    for (const auto& dead : kDeadKeys)
        if (dead.keysym == keysym)
            return Utf8Of(dead.mark);
    // Some upper-case forms are keysyms without a character (ß gives 0x1E9E, not
    // the keysym of U+1E9E); the key is then named by its own character.
    char32_t c = xkb_keysym_to_utf32(xkb_keysym_to_upper(keysym));
    if (c == 0)
        c = xkb_keysym_to_utf32(keysym);
    return IsVisible(c) ? Utf8Of(c) : std::string();
}

XkbKeyLayout::XkbKeyLayout(xkb_keymap* keymap, xkb_state* state) : keymap_(keymap), state_(state) {}

XkbKeyLayout::~XkbKeyLayout() {
    xkb_state_unref(state_);
    xkb_keymap_unref(keymap_);
}

std::string XkbKeyLayout::CharacterKeyName(unsigned evdevCode) {
    // xkb numbers keys by the evdev code + 8; the first shift level of the key's
    // group in the active layout holds what it types without modifiers.
    const xkb_keycode_t key = evdevCode + 8;
    const xkb_layout_index_t group = xkb_state_key_get_layout(state_, key);
    if (group == XKB_LAYOUT_INVALID)
        return {};
    const xkb_keysym_t* syms = nullptr;
    if (xkb_keymap_key_get_syms_by_level(keymap_, key, group, 0, &syms) != 1)
        return {};
    return CharacterKeysymName(syms[0]);
}

} // namespace pad
