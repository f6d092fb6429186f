#include "editing/Assignment.h"

#include "model/KeyCodes.h"
#include "model/PhysicalKeys.h"

namespace pad {
namespace {

// The contract's first steps: action, label, kind.
void WriteSlot(Workspace& ws, const KeyAction& action, std::u16string_view label,
               AssignmentKind kind) {
    KeySlot& slot = ws.profile.slot(ws.selection.currentMode, ws.selection.currentKey);
    slot.action = action;
    Profile::setLabel(slot, label);
    SetSlotKind(ws, kind);
}

// The contract's last steps, after the refresh: ModifiedFlag, then the caption mark.
void MarkDocument(Workspace& ws, AssignmentView& view, CaptionMark mark) {
    ws.document.modifiedFlag = true;
    if (mark == CaptionMark::Now)
        view.MarkModified();
}

} // namespace

void SetSlotKind(Workspace& ws, AssignmentKind kind) {
    ws.profile.setKind(ws.selection.currentMode, ws.selection.currentKey, kind);
}

void Assign(Workspace& ws, AssignmentView& view, const KeyAction& action, std::u16string_view label,
            AssignmentKind kind, CaptionMark mark) {
    WriteSlot(ws, action, label, kind);
    view.RefreshSlotCaptions();
    MarkDocument(ws, view, mark);
}

void assignMouseButton(Workspace& ws, AssignmentView& view, MouseButton button) {
    const DeviceKeyCode codes[] = {MouseLeftCode, MouseMiddleCode, MouseRightCode};
    const DeviceKeyCode code = codes[int(button)];
    // The label is the button's name in the key table, never translated.
    std::u16string label;
    for (const PhysicalKey& key : PhysicalKeys)
        if (key.code == code)
            label.assign(key.codeName.begin(), key.codeName.end());
    Assign(ws, view, KeyAction::direct(code), label, KindMouseButton);
}

void AssignDefault(Workspace& ws, AssignmentView& view) {
    const NativeKey& native = nativeKey(ws.selection.currentKey);
    WriteSlot(ws, KeyAction::direct(native.code), native.label, KindDefault);
    view.UpdateMenuChecks();
    view.RefreshKeyLabels();
    MarkDocument(ws, view, CaptionMark::Now);
}

void AssignMacroOff(Workspace& ws, AssignmentView& view) {
    Assign(ws, view, KeyAction::empty(), ws.language.macroOffLabel, KindMacroOff);
}

} // namespace pad
