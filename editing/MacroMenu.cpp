#include "editing/MacroMenu.h"

namespace pad {

MacroMenuLayout BuildMacroMenuLayout(std::size_t macroCount) {
    MacroMenuLayout layout;
    layout.hasMore = macroCount > VisibleMacroItems;
    const std::size_t firstShown =
        macroCount > VisibleMacroItems ? macroCount - VisibleMacroItems : 0;
    for (std::size_t j = 0; j < macroCount; ++j) {
        const bool shown = j >= firstShown;
        // Hidden items exist only within the first 256 entries; the shown ones
        // always get theirs, however long the list is.
        if (shown || j < MacroItemSlots)
            layout.items.push_back({j, !shown});
    }
    return layout;
}

std::string MacroItemName(std::size_t macroIndex) {
    return "Macro" + std::to_string(macroIndex);
}

CheckTarget CheckTargetFor(AssignmentKind kind, std::size_t macroCount) {
    if (kind >= KindMacroBase) {
        const auto j = std::size_t(kind - KindMacroBase);
        if (j >= macroCount)
            return {};
        const bool hasItem = j + VisibleMacroItems >= macroCount || j < MacroItemSlots;
        if (!hasItem)
            return {};
        return {MenuCheck::Macro, j};
    }
    switch (kind) {
    case KindSingleKey:
        return {MenuCheck::SingleKey, 0};
    case KindMacroOff:
        return {MenuCheck::MacroOff, 0};
    case KindMouseButton:
        return {MenuCheck::MouseButton, 0};
    case KindDefault:
        return {MenuCheck::Default, 0};
    default:
        return {};
    }
}

} // namespace pad
