#include "editing/MacroFlows.h"

namespace pad {

MacroOk OkKeyMacro(Workspace& ws, AssignmentView& view, MacroListObserver& observer,
                   std::u16string_view name, const KeyAction& action) {
    switch (AssignNewMacroToCurrentKey(ws, view, name, action)) {
    case KeyMacroResult::ListFull:
        return MacroOk::ListFull;
    case KeyMacroResult::NotAssignable:
        return MacroOk::NotAssignable;
    case KeyMacroResult::DuplicateName:
        // The key has its action and name all the same.
        ws.requests.editorAccepted = true;
        return MacroOk::DuplicateName;
    case KeyMacroResult::Assigned:
        break;
    }
    ws.requests.editorAccepted = true;
    observer.MacroListChanged();
    return MacroOk::Done;
}

MacroOk OkNewMacro(Workspace& ws, MacroListObserver& observer, std::u16string_view name,
                   std::uint8_t playMode) {
    WorkingMacro& wm = ws.requests.workingMacro;
    wm.action.playMode = playMode;
    wm.name = clampText(name);
    switch (AddNewMacro(ws, wm.name, wm.action)) {
    case NewMacroCheck::DuplicateName:
        ws.requests.editorAccepted = true;
        return MacroOk::DuplicateName;
    case NewMacroCheck::ListFull:
        return MacroOk::ListFull;
    case NewMacroCheck::Ok:
        break;
    }
    ws.requests.editorAccepted = true;
    observer.MacroListChanged();
    return MacroOk::Done;
}

MacroOkOutcome OkEditMacro(Workspace& ws, MacroListObserver& observer, std::optional<std::size_t> n,
                           std::u16string_view name, std::uint8_t playMode) {
    WorkingMacro& wm = ws.requests.workingMacro;
    wm.action.playMode = playMode;
    wm.name = clampText(name);
    if (!n)
        return {MacroOk::Done, std::nullopt};
    const auto m = ReplaceMacro(ws, *n, wm.name, wm.action);
    if (!m)
        return {MacroOk::NotAssignable, std::nullopt};
    observer.MacroListChanged();
    ws.requests.editorAccepted = true;
    return {MacroOk::Done, m};
}

std::optional<MacroOkOutcome> AssignFromManager(Workspace& ws, AssignmentView& view,
                                                MacroListObserver& observer,
                                                std::optional<std::size_t> n) {
    ws.requests.editorPurpose = PurposeEditMacro;
    if (!n)
        return std::nullopt;
    // The macro moves to the end of the list; refused when no key could play it there.
    if (!MovedMacroAssignable(ws.profile.macros()))
        return MacroOkOutcome{MacroOk::NotAssignable, std::nullopt};
    WorkingMacro& wm = ws.requests.workingMacro;
    const MacroRecord& macro = ws.profile.macros().macroAt(*n);
    wm.name = macro.name;
    wm.action = macro.action;
    const auto m = ReplaceMacro(ws, *n, wm.name, wm.action);
    observer.MacroListChanged();
    AssignMacroToCurrentKey(ws, view, *m);
    return MacroOkOutcome{MacroOk::Done, m};
}

void DeleteFromManager(Workspace& ws, MacroListObserver& observer, std::optional<std::size_t> n,
                       std::u16string_view disappearLabel) {
    DeleteMacro(ws, n, disappearLabel);
    observer.MacroListChanged();
}

} // namespace pad
