// Key names from keymaps compiled from layout names, as the X server or a Wayland
// compositor would hand them over.

#include "keyboard/capture/KeyNames.h"
#include "keyboard/capture/Keystroke.h"
#include "keyboard/capture/MacroRecorder.h"
#include "keyboard/capture/PhysicalKeyLookup.h"
#include "keyboard/layout/XkbKeyLayout.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>

using namespace pad;

namespace {

std::unique_ptr<XkbKeyLayout> layoutOf(const char* layouts) {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    const xkb_rule_names names{"evdev", "pc105", layouts, nullptr, nullptr};
    xkb_keymap* keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    xkb_context_unref(context);
    if (!keymap)
        return nullptr;
    return std::make_unique<XkbKeyLayout>(keymap, xkb_state_new(keymap));
}

// The name of the key at a US position, given by its evdev code.
std::string nameOf(unsigned evdev, KeyLayout* layout) {
    return keyNameOf(*keyOfEvdev(evdev), layout);
}

constexpr unsigned EvdevY = 21, EvdevQ = 16, EvdevSemicolon = 39, EvdevMinus = 12, EvdevGrave = 41,
                   EvdevEqual = 13, EvdevOne = 2, EvdevZ = 44, EvdevRo = 89;

} // namespace

TEST(KeymapNames, CharacterKeysAreNamedAfterTheLayout) {
    const auto de = layoutOf("de");
    ASSERT_TRUE(de) << "xkb-data is missing";
    EXPECT_EQ(nameOf(EvdevY, de.get()), "Z");
    EXPECT_EQ(nameOf(EvdevQ, de.get()), "Q");
    EXPECT_EQ(nameOf(EvdevSemicolon, de.get()), "\u00D6"); // ö
    EXPECT_EQ(nameOf(EvdevMinus, de.get()), "\u00DF");     // ß has no single capital
    EXPECT_EQ(nameOf(EvdevGrave, de.get()), "^");          // dead_circumflex
    EXPECT_EQ(nameOf(EvdevEqual, de.get()), "\u00B4");     // dead_acute

    const auto fr = layoutOf("fr");
    EXPECT_EQ(nameOf(EvdevY, fr.get()), "Y");
    EXPECT_EQ(nameOf(EvdevQ, fr.get()), "A");
    EXPECT_EQ(nameOf(EvdevSemicolon, fr.get()), "M");
    EXPECT_EQ(nameOf(EvdevOne, fr.get()), "&");

    const auto ru = layoutOf("ru");                // beyond Latin-1
    EXPECT_EQ(nameOf(EvdevZ, ru.get()), "\u042F"); // я
}

TEST(KeymapNames, KeysThatTypeNoCharacterKeepTheirNames) {
    const auto de = layoutOf("de");
    ASSERT_TRUE(de);
    for (const auto& [scan, name] : {std::pair{0x001Cu, "Enter"},
                                     {0x002Au, "Shift"},
                                     {0x0039u, "Space"},
                                     {0x003Bu, "F1"},
                                     {0x0148u, "Up"},
                                     {0x0047u, "Num 7"},
                                     {0x0037u, "Num *"},
                                     {0x0137u, "Prnt Scrn"}})
        EXPECT_EQ(keyNameOf(*keyOfWindowsKey(scan, 0), de.get()), name) << std::hex << scan;
    // A character key the layout leaves empty keeps its US name.
    const auto us = layoutOf("us");
    EXPECT_EQ(nameOf(EvdevRo, us.get()), "Ro");
    EXPECT_EQ(CharacterKeysymName(XKB_KEY_Return), "");
    EXPECT_EQ(CharacterKeysymName(XKB_KEY_space), "");
}

TEST(KeymapNames, TheActiveGroupPicksTheLayout) {
    const auto both = layoutOf("us,de");
    ASSERT_TRUE(both);
    EXPECT_EQ(nameOf(EvdevY, both.get()), "Y");
    xkb_state_update_mask(both->State(), 0, 0, 0, 0, 0, 1); // second group locked
    EXPECT_EQ(nameOf(EvdevY, both.get()), "Z");
    EXPECT_EQ(nameOf(EvdevSemicolon, both.get()), "\u00D6");
    // Modifiers do not change a name: it is the key's first level.
    xkb_state_update_mask(both->State(), 1, 0, 0, 0, 0, 1); // Shift held
    EXPECT_EQ(nameOf(EvdevGrave, both.get()), "^");
}

TEST(KeymapNames, CodesStayPhysicalWhileNamesFollowTheLayout) {
    const auto de = layoutOf("de");
    ASSERT_TRUE(de);
    const Keystroke y{keyOfEvdev(EvdevY)};
    const auto us = DecodeKeystroke(y);
    const auto german = DecodeKeystroke(y, de.get());
    EXPECT_EQ(german.keyName, "Z");
    EXPECT_EQ(us.keyName, "Y");
    EXPECT_EQ(german.deviceCode, us.deviceCode);
    EXPECT_EQ(german.usage, us.usage);

    // A stored macro: Y down and up, ; down, F1 up, Print Screen up.
    KeyAction action = KeyAction::empty();
    const std::array<KeyEvent, 5> events = {0x19, 0x99, 0x30, 0xB7, 0xC3};
    std::copy(events.begin(), events.end(), action.events.begin());
    EXPECT_EQ(NameStoredEvents(action, {}, de.get()),
              (std::vector<std::u16string>{u"Z  press", u"Z  release", u"\u00D6  press",
                                           u"F1  release", u"Prnt Scrn  release"}));
}
