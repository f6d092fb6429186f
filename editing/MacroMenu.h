#pragma once
// Which macro items the key menu carries and which item shows the check mark.
// The key menu shows the 12 macros at the end of the list; earlier ones keep a
// hidden item while they lie within the first 256 entries, and beyond that get none.

#include "model/Profile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace pad {

inline constexpr std::size_t VisibleMacroItems = 12;
inline constexpr std::size_t MacroItemSlots = 256;

struct MacroMenuItem {
    std::size_t macroIndex; // entry of the MacroList
    bool hidden;
};

struct MacroMenuLayout {
    // Macro items in menu order (top to bottom), between the leading separator
    // and the More item.
    std::vector<MacroMenuItem> items;
    bool hasMore = false; // the More item follows the macro items
};

MacroMenuLayout BuildMacroMenuLayout(std::size_t macroCount);

// The component name of macro j's item: "Macro" followed by j.
std::string MacroItemName(std::size_t macroIndex);

enum class MenuCheck { None, SingleKey, MacroOff, MouseButton, Default, Macro };

struct CheckTarget {
    MenuCheck item = MenuCheck::None;
    std::size_t macroIndex = 0; // for MenuCheck::Macro
    friend bool operator==(const CheckTarget&, const CheckTarget&) = default;
};

// The item to check for a slot of this kind, given the list's length: a macro kind
// whose macro has no item checks nothing.
CheckTarget CheckTargetFor(AssignmentKind kind, std::size_t macroCount);

} // namespace pad
