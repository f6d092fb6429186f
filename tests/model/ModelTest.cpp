#include "model/KeyCodes.h"
#include "model/Profile.h"

#include <gtest/gtest.h>

#include <set>

namespace pad {
namespace {

TEST(Model, FreshProfileIsAllNormalAndEmpty) {
    Profile p(u"Normal");
    for (int i = 0; i < SlotCount; ++i) {
        EXPECT_EQ(p.slotAt(i).label, u"Normal");
        EXPECT_EQ(p.kindAt(i), KindNone);
        EXPECT_EQ(p.slotAt(i).action, KeyAction::empty());
        EXPECT_EQ(p.slotAt(i).action.bytes()[16], 0xA0);
    }
    EXPECT_TRUE(p.macros().empty());

    p.resetToFresh(u"Normaal");
    EXPECT_EQ(p.slot(2, 15).label, u"Normaal");
}

TEST(Model, KeyEventsAndDefaultOfMiddleMouseKey) {
    EXPECT_EQ(releaseOf(nativeKey(7).code), 0xE4); // L-Shift released
    EXPECT_EQ(pressOf(UsageToDeviceCode(0x04)), 0x01);
    const KeyAction a = KeyAction::direct(nativeKey(11).code);
    const std::array<std::uint8_t, 17> expected = {0x74, 0, 0, 0, 0, 0, 0, 0,   0,
                                                   0,    0, 0, 0, 0, 0, 0, 0xA3};
    EXPECT_EQ(a.bytes(), expected);
    EXPECT_EQ(nativeKey(11).label, u"M-Mouse");
    EXPECT_THROW(nativeKey(16), std::out_of_range);
}

// The keypad's codes: each keyboard code 1 to 0x72 stands for one HID usage and leads
// back to it, so no key is lost or mixed up between a recording and the keypad; a byte
// above 0x72 in a macro is always a release.
TEST(Model, UsagesAndDeviceCodesConvertBothWaysWithoutLoss) {
    std::set<DeviceKeyCode> codes;
    for (std::uint32_t usage = 0; usage < 0x200; ++usage) {
        const DeviceKeyCode code = UsageToDeviceCode(usage);
        if (code == 0)
            continue;
        EXPECT_LE(code, 0x72) << std::hex << usage;
        EXPECT_EQ(DeviceCodeToUsage(code), usage) << std::hex << usage;
        EXPECT_TRUE(codes.insert(code).second) << "two usages give " << std::hex << int(code);
    }
    EXPECT_EQ(codes.size(), 0x72u);
    // The letters, digits and keys of the main block keep the order of their usages.
    for (std::uint32_t usage = 0x04; usage <= 0x65; ++usage)
        EXPECT_EQ(UsageToDeviceCode(usage), usage - 3) << std::hex << usage;
    for (DeviceKeyCode code : {0x00, 0x73, 0x74, 0x75, 0x7F})
        EXPECT_EQ(DeviceCodeToUsage(code), 0u) << std::hex << int(code);
}

TEST(Model, TextsAreCutTo255UnitsWithoutSplittingAPair) {
    KeySlot s;
    Profile::setLabel(s, std::u16string(255, u'x'));
    EXPECT_EQ(s.label.size(), 255u);
    Profile::setLabel(s, std::u16string(300, u'y'));
    EXPECT_EQ(s.label, std::u16string(255, u'y'));

    // A surrogate pair straddling the limit goes whole.
    std::u16string text(254, u'z');
    text += u"\U0001F600";
    Profile::setLabel(s, text);
    EXPECT_EQ(s.label, std::u16string(254, u'z'));

    MacroList list;
    list.append({std::u16string(400, u'n'), {}});
    EXPECT_EQ(list.macroAt(0).name.size(), 255u);
}

TEST(Model, MacroNamesCompareWithoutRegardToCase) {
    EXPECT_TRUE(sameMacroName(u"Jump Shot", u"jUMP sHOT"));
    EXPECT_TRUE(sameMacroName(u"\u00C9t\u00E9", u"\u00E9T\u00C9"));             // Été
    EXPECT_TRUE(sameMacroName(u"\u0141\u00F3d\u017A", u"\u0142\u00D3D\u0179")); // Łódź
    EXPECT_TRUE(sameMacroName(u"\u0139", u"\u013A"));                           // Ĺ ĺ
    EXPECT_FALSE(sameMacroName(u"\u013B", u"\u013A"));                          // Ļ is not ĺ
    EXPECT_TRUE(sameMacroName(u"\u00FF", u"\u0178"));                           // ÿ Ÿ
    EXPECT_TRUE(sameMacroName(u"\u0416", u"\u0436"));                           // Ж ж
    EXPECT_FALSE(sameMacroName(u"Jump", u"Jumps"));

    MacroList list;
    list.append({u"Reload", {}});
    list.append({u"Jump", {}});
    EXPECT_EQ(list.findByName(u"JUMP"), 1);
    EXPECT_EQ(list.findByName(u"Run"), -1);
}

TEST(Model, MacroListRefusesMoreThanTheFileCanCount) {
    MacroList list;
    for (std::size_t i = 0; i < MacroList::MaxCount; ++i)
        ASSERT_TRUE(list.append({u"m", {}}).has_value());
    EXPECT_TRUE(list.full());
    EXPECT_FALSE(list.append({u"one too many", {}}).has_value());
    EXPECT_EQ(list.count(), 65535u);
    // Keys reach only the macros whose kind fits the file's 16-bit kind word.
    EXPECT_TRUE(MacroList::assignable(65525));
    EXPECT_FALSE(MacroList::assignable(65526));
}

TEST(Model, RemovingAMacroEmptiesItsSlotsAndRenumbersLaterKinds) {
    Profile p;
    for (auto name : {u"a", u"b", u"c"})
        p.macros().append({name, KeyAction::direct(0x04)});
    p.setKind(0, 0, 10);
    p.setKind(0, 1, 11);
    p.setKind(1, 5, 11);
    p.setKind(2, 3, 12);
    p.setKind(2, 4, KindSingleKey);
    p.slot(0, 1).action = KeyAction::direct(0x05);
    Profile::setLabel(p.slot(0, 1), u"b");

    p.removeMacro(1, u"Macro Disappear");
    EXPECT_EQ(p.macros().count(), 2u);
    EXPECT_EQ(p.macros().macroAt(1).name, u"c");
    EXPECT_EQ(p.kindOf(0, 0), 10);
    EXPECT_EQ(p.kindOf(0, 1), KindNone);
    EXPECT_EQ(p.slot(0, 1).label, u"Macro Disappear");
    EXPECT_EQ(p.slot(0, 1).action, KeyAction::empty());
    EXPECT_EQ(p.kindOf(1, 5), KindNone);
    EXPECT_EQ(p.kindOf(2, 3), 11);
    EXPECT_EQ(p.kindOf(2, 4), KindSingleKey);
}

TEST(Model, KindInvariantDropsKindsOfMissingMacros) {
    Profile p;
    p.macros().append({u"only", {}});
    p.setKind(0, 0, 10);
    p.setKind(0, 1, 11);
    p.setKind(0, 2, -3);
    p.setKind(0, 3, KindDefault);
    p.enforceKindInvariant();
    EXPECT_EQ(p.kindOf(0, 0), 10);
    EXPECT_EQ(p.kindOf(0, 1), KindNone);
    EXPECT_EQ(p.kindOf(0, 2), KindNone);
    EXPECT_EQ(p.kindOf(0, 3), KindDefault);
}

} // namespace
} // namespace pad
