#include "editing/MacroFlows.h"

namespace pad {

MacroOk OkKeyMacro(Workspace& ws, AssignmentView& view, MacroListObserver& observer,
                   std::u16string_view name, const KeyAction& recording, bool recorded) {
    // Without a new recording the key keeps its events.
    KeyAction action = ws.profile.slot(ws.selection.currentMode, ws.selection.currentKey).action;
    if (recorded)
        action.events = recording.events;
    action.playMode = recording.playMode;
    switch (AssignNewMacroToCurrentKey(ws, view, name, action)) {
    case KeyMacroResult::ListFull:
        return MacroOk::ListFull;
    case KeyMacroResult::NotAssignable:
        return MacroOk::NotAssignable;
    case KeyMacroResult::DuplicateName:
        return MacroOk::DuplicateName; // the key has its action and name all the same
    case KeyMacroResult::Assigned:
        break;
    }
    observer.MacroListChanged();
    return MacroOk::Done;
}

MacroOk OkNewMacro(Workspace& ws, MacroListObserver& observer, std::u16string_view name,
                   const KeyAction& action) {
    switch (AddNewMacro(ws, clampText(name), action)) {
    case NewMacroCheck::DuplicateName:
        return MacroOk::DuplicateName;
    case NewMacroCheck::ListFull:
        return MacroOk::ListFull;
    case NewMacroCheck::Ok:
        break;
    }
    observer.MacroListChanged();
    return MacroOk::Done;
}

MacroOkOutcome OkEditMacro(Workspace& ws, MacroListObserver& observer, std::size_t n,
                           std::u16string_view name, const KeyAction& action) {
    const auto m = ReplaceMacro(ws, n, clampText(name), action);
    if (!m)
        return {MacroOk::NotAssignable, std::nullopt};
    observer.MacroListChanged();
    return {MacroOk::Done, m};
}

std::optional<MacroOkOutcome> AssignFromManager(Workspace& ws, AssignmentView& view,
                                                MacroListObserver& observer,
                                                std::optional<std::size_t> n) {
    if (!n)
        return std::nullopt;
    // The macro moves to the end of the list; refused when no key could play it there.
    if (!MovedMacroAssignable(ws.profile.macros()))
        return MacroOkOutcome{MacroOk::NotAssignable, std::nullopt};
    // A copy: replacing the macro removes the record it is taken from.
    const MacroRecord macro = ws.profile.macros().macroAt(*n);
    const auto m = ReplaceMacro(ws, *n, macro.name, macro.action);
    observer.MacroListChanged();
    AssignMacroToCurrentKey(ws, view, *m);
    return MacroOkOutcome{MacroOk::Done, m};
}

void DeleteFromManager(Workspace& ws, MacroListObserver& observer, std::optional<std::size_t> n) {
    DeleteMacro(ws, n);
    observer.MacroListChanged();
}

} // namespace pad
