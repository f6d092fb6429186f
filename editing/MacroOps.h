#pragma once
// Operations on the macro list that also keep the key slots that play a macro
// tied to it: adding a new macro, deleting, replacing (an edited macro moves to
// the end of the list) and giving a macro to the selected key. Adding, deleting
// and replacing leave the window refreshes (key labels, caption mark) to the
// caller; the assignments to the selected key go through Assign, which does them.
// Rebuilding the macro menu is always the caller's part.

#include "editing/Assignment.h"
#include "editing/Workspace.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace pad {

enum class NewMacroCheck {
    Ok,
    DuplicateName, // a macro of that name exists (letter case ignored)
    ListFull,      // the list already holds MacroList::MaxCount macros
};

// Whether a new macro of this name may be appended.
NewMacroCheck CheckNewMacro(const MacroList& macros, std::u16string_view name);

// Appends a new macro when CheckNewMacro allows it, at the end of the list, and marks
// the document modified; changes nothing otherwise. Returns the check's result.
NewMacroCheck AddNewMacro(Workspace& ws, std::u16string_view name, const KeyAction& action);

// Removes macro n (none = nullopt changes no macro or slot): slots that played it
// become empty with the language's disappear label and kind 0, higher macro kinds
// move down. Marks the document modified in every case.
void DeleteMacro(Workspace& ws, std::optional<std::size_t> n);

// Whether a macro, once edited or assigned (which moves it to the end of the list),
// can be given to a key.
bool MovedMacroAssignable(const MacroList& macros);
// Whether ReplaceMacro(n) can keep every slot that plays macro n tied to it.
bool CanReplaceMacro(const Profile& profile, std::size_t n);

// Moves macro n to the end of the list with a new name and action; every slot
// that played it gets the new action, name and index. Returns the new index, or
// nullopt (and changes nothing) when !CanReplaceMacro.
std::optional<std::size_t> ReplaceMacro(Workspace& ws, std::size_t n, std::u16string_view name,
                                        const KeyAction& action);

// Gives the selected slot the name, action and kind of macro m through Assign.
// False (and nothing changed) when macro m cannot be given to a key.
bool AssignMacroToCurrentKey(Workspace& ws, AssignmentView& view, std::size_t m);

enum class KeyMacroResult {
    Assigned,      // appended as a new macro, which the slot plays
    DuplicateName, // the slot got action and name, but keeps its kind; no macro added
    ListFull,      // refused, nothing changed
    NotAssignable, // refused, nothing changed: the new index would not fit the slot
};

// A new macro recorded for the selected key: the slot gets action and name through
// Assign, with the caption mark left to the dialog's closing. When no macro has
// the name, it is appended and the slot plays it.
KeyMacroResult AssignNewMacroToCurrentKey(Workspace& ws, AssignmentView& view,
                                          std::u16string_view name, const KeyAction& action);

} // namespace pad
