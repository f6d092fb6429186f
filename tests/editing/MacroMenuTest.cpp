#include "editing/MacroMenu.h"

#include <gtest/gtest.h>

#include <set>

namespace pad {
namespace {

std::vector<std::size_t> Shown(const MacroMenuLayout& layout) {
    std::vector<std::size_t> shown;
    for (const auto& item : layout.items)
        if (!item.hidden)
            shown.push_back(item.macroIndex);
    return shown;
}

TEST(MacroMenu, NoMacrosNoItems) {
    const auto layout = BuildMacroMenuLayout(0);
    EXPECT_TRUE(layout.items.empty());
    EXPECT_FALSE(layout.hasMore);
}

TEST(MacroMenu, TwelveMacrosAreAllShownWithoutMore) {
    const auto layout = BuildMacroMenuLayout(12);
    ASSERT_EQ(layout.items.size(), 12u);
    EXPECT_EQ(Shown(layout).size(), 12u);
    EXPECT_EQ(layout.items.front().macroIndex, 0u);
    EXPECT_EQ(layout.items.back().macroIndex, 11u);
    EXPECT_FALSE(layout.hasMore);
}

TEST(MacroMenu, ThirteenMacrosHideTheFirstAndOfferMore) {
    const auto layout = BuildMacroMenuLayout(13);
    ASSERT_EQ(layout.items.size(), 13u);
    EXPECT_TRUE(layout.items[0].hidden);
    EXPECT_EQ(Shown(layout).front(), 1u);
    EXPECT_EQ(Shown(layout).back(), 12u);
    EXPECT_TRUE(layout.hasMore);
}

TEST(MacroMenu, LongListsShowTheirLastTwelve) {
    for (std::size_t count : {256u, 257u, 268u, 269u, 300u, 1000u}) {
        const auto layout = BuildMacroMenuLayout(count);
        const auto shown = Shown(layout);
        ASSERT_EQ(shown.size(), 12u) << count;
        EXPECT_EQ(shown.front(), count - 12) << count;
        EXPECT_EQ(shown.back(), count - 1) << count;
        EXPECT_TRUE(layout.hasMore);
        // Hidden items only within the first 256 entries, all in list order.
        for (std::size_t i = 0; i < layout.items.size(); ++i) {
            if (layout.items[i].hidden) {
                EXPECT_LT(layout.items[i].macroIndex, MacroItemSlots);
            }
            if (i > 0) {
                EXPECT_LT(layout.items[i - 1].macroIndex, layout.items[i].macroIndex);
            }
        }
    }
}

TEST(MenuChecks, EachKindChecksItsOwnItemAndOtherNumbersNone) {
    // The four fixed kinds check four different fixed items (the main window's tests
    // follow single items through the key menu); kinds that name nothing check none.
    std::set<MenuCheck> fixed;
    for (AssignmentKind kind : {KindSingleKey, KindMacroOff, KindMouseButton, KindDefault})
        fixed.insert(CheckTargetFor(kind, 0).item);
    EXPECT_EQ(fixed.size(), 4u);
    EXPECT_FALSE(fixed.count(MenuCheck::None) || fixed.count(MenuCheck::Macro));
    for (AssignmentKind kind : {KindNone, 7, 9, -3})
        EXPECT_EQ(CheckTargetFor(kind, 400).item, MenuCheck::None) << kind;
    EXPECT_EQ(CheckTargetFor(KindMacroBase + 4, 5), (CheckTarget{MenuCheck::Macro, 4}));
}

TEST(MenuChecks, StayWithinTheItemsThatExist) {
    // A macro kind past the list, or a macro without an item, checks nothing.
    EXPECT_EQ(CheckTargetFor(KindMacroBase + 5, 5).item, MenuCheck::None);
    EXPECT_EQ(CheckTargetFor(KindMacroBase + 260, 400).item, MenuCheck::None);
    EXPECT_EQ(CheckTargetFor(KindMacroBase + 399, 400), (CheckTarget{MenuCheck::Macro, 399}));
    EXPECT_EQ(CheckTargetFor(KindMacroBase + 255, 400), (CheckTarget{MenuCheck::Macro, 255}));
}

} // namespace
} // namespace pad
