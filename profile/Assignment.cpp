#include "profile/Assignment.h"

namespace pad {

void SetSlotKind(Workspace& ws, AssignmentKind kind) {
    ws.profile.setKind(ws.selection.currentMode, ws.selection.currentKey, kind);
}

void Assign(Workspace& ws, AssignmentView& view, const KeyAction& action, std::u16string_view label,
            AssignmentKind kind, bool deferMark) {
    KeySlot& slot = ws.profile.slot(ws.selection.currentMode, ws.selection.currentKey);
    slot.action = action;
    Profile::setLabel(slot, label);
    SetSlotKind(ws, kind);
    view.RefreshSlotCaptions();
    ws.document.modifiedFlag = true;
    if (!deferMark)
        view.MarkModified();
}

void AssignDefault(Workspace& ws, AssignmentView& view) {
    KeySlot& slot = ws.profile.slot(ws.selection.currentMode, ws.selection.currentKey);
    const NativeKey& native = nativeKey(ws.selection.currentKey);
    slot.action = KeyAction::direct(native.code);
    Profile::setLabel(slot, native.label);
    SetSlotKind(ws, KindDefault);
    view.UpdateMenuChecks();
    view.RefreshKeyLabels();
    ws.document.modifiedFlag = true;
    view.MarkModified();
}

void AssignMacroOff(Workspace& ws, AssignmentView& view) {
    Assign(ws, view, KeyAction::empty(), ws.language.macroOffLabel, KindMacroOff);
}

} // namespace pad
