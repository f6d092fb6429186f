#pragma once
// Operations on the macro list that also keep the key slots that play a macro
// tied to it: adding a new macro, deleting, replacing (an edited macro moves to
// the end of the list) and giving a macro to the selected key. The window
// refreshes (key labels, macro menu, caption mark) are the caller's part.

#include "profile/Workspace.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace pad {

// Shown when a new macro would go beyond MacroList::MaxCount.
inline constexpr std::u16string_view MacroListFullMessage =
    u"The macro list is full (65,525 macros). Delete a macro before you add a new one.";

enum class NewMacroCheck {
    Ok,
    DuplicateName, // a macro of that name exists (letter case ignored)
    ListFull,      // the list already holds MacroList::MaxCount macros
};

// Whether a new macro of this name may be appended.
NewMacroCheck CheckNewMacro(const MacroList& macros, std::u16string_view name);

// Appends a new macro after CheckNewMacro; marks the document modified.
// Returns its index, or nullopt (and changes nothing) when the check fails.
std::optional<std::size_t> AddNewMacro(Workspace& ws, std::u16string_view name,
                                       const KeyAction& action);

// Removes macro n (none = nullopt changes no macro or slot): slots that played
// it become empty with disappearLabel and kind 0, higher macro kinds move down.
// Marks the document modified in every case.
void DeleteMacro(Workspace& ws, std::optional<std::size_t> n, std::u16string_view disappearLabel);

// Moves macro n to the end of the list with a new name and action; every slot
// that played it gets the new action, name and index. Returns the new index.
std::size_t ReplaceMacro(Workspace& ws, std::size_t n, std::u16string_view name,
                         const KeyAction& action, std::u16string_view disappearLabel);

// Gives the selected slot the name, action and kind of macro m; marks modified.
void AssignMacroToCurrentKey(Workspace& ws, std::size_t m);

} // namespace pad
