#pragma once
// What the macro dialogs' results do to the workspace: OK in the Macro Editor for a
// key's macro, a new macro and an edited macro, and Assign and Delete in the macro
// manager. Each outcome tells the dialog which message to show and whether it closes.
// After every change of the macro list the window hears of it once, through
// MacroListObserver.

#include "editing/MacroOps.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace pad {

// The window's part after a change of the macro list: the key menu's macro items
// rebuilt, the key labels refreshed and the caption marked modified.
class MacroListObserver {
  public:
    virtual ~MacroListObserver() = default;
    virtual void MacroListChanged() = 0;
};

enum class MacroOk {
    Done,          // stored; the dialog closes
    DuplicateName, // a macro of that name exists: the dialog tells so and stays open
    ListFull,      // refused, nothing changed
    NotAssignable, // refused, nothing changed: no key could play the macro where it goes
};

struct MacroOkOutcome {
    MacroOk result;
    std::optional<std::size_t> macro; // where the stored or moved macro now stands
};

// OK for the macro of the selected key: the key gets the name, the play mode of
// recording and, when recorded, its events (else it keeps its own), also when the name
// is taken; and a new macro that it plays unless the name is taken.
MacroOk OkKeyMacro(Workspace& ws, AssignmentView& view, MacroListObserver& observer,
                   std::u16string_view name, const KeyAction& recording, bool recorded);

// OK for a new macro: appended with its name and action unless the name is taken.
MacroOk OkNewMacro(Workspace& ws, MacroListObserver& observer, std::u16string_view name,
                   const KeyAction& action);

// OK for macro n edited: the macro, with the name and action, replaces it at the end
// of the list, without a check of the name.
MacroOkOutcome OkEditMacro(Workspace& ws, MacroListObserver& observer, std::size_t n,
                           std::u16string_view name, const KeyAction& action);

// Assign in the macro manager: macro n moves to the end of the list, unchanged, and
// the selected key plays it. Nothing happens without a selection (nullopt result).
std::optional<MacroOkOutcome> AssignFromManager(Workspace& ws, AssignmentView& view,
                                                MacroListObserver& observer,
                                                std::optional<std::size_t> n);

// Delete in the macro manager.
void DeleteFromManager(Workspace& ws, MacroListObserver& observer, std::optional<std::size_t> n);

} // namespace pad
