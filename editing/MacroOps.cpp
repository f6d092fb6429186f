#include "editing/MacroOps.h"

#include <array>
#include <stdexcept>

namespace pad {
namespace {

// Appends a macro that CheckNewMacro allowed; marks the document modified.
std::size_t AppendNewMacro(Workspace& ws, std::u16string_view name, const KeyAction& action) {
    ws.document.modifiedFlag = true;
    return *ws.profile.macros().append(MacroRecord{std::u16string(name), action});
}

} // namespace

NewMacroCheck CheckNewMacro(const MacroList& macros, std::u16string_view name) {
    if (macros.findByName(clampText(name)) >= 0)
        return NewMacroCheck::DuplicateName;
    if (macros.full())
        return NewMacroCheck::ListFull;
    return NewMacroCheck::Ok;
}

NewMacroCheck AddNewMacro(Workspace& ws, std::u16string_view name, const KeyAction& action) {
    const NewMacroCheck check = CheckNewMacro(ws.profile.macros(), name);
    if (check == NewMacroCheck::Ok)
        AppendNewMacro(ws, name, action);
    return check;
}

void DeleteMacro(Workspace& ws, std::optional<std::size_t> n) {
    if (n && *n < ws.profile.macros().count())
        ws.profile.removeMacro(*n, ws.language.disappearLabel);
    ws.document.modifiedFlag = true;
}

bool MovedMacroAssignable(const MacroList& macros) {
    return !macros.empty() && MacroList::assignable(macros.count() - 1);
}

bool CanReplaceMacro(const Profile& profile, std::size_t n) {
    if (MovedMacroAssignable(profile.macros()))
        return true;
    for (int k = 0; k < SlotCount; ++k)
        if (profile.kindAt(k) == KindMacroBase + AssignmentKind(n))
            return false;
    return true;
}

std::optional<std::size_t> ReplaceMacro(Workspace& ws, std::size_t n, std::u16string_view name,
                                        const KeyAction& action) {
    Profile& p = ws.profile;
    if (n >= p.macros().count())
        throw std::out_of_range("macro index out of range");
    if (!CanReplaceMacro(p, n))
        return std::nullopt;
    std::array<AssignmentKind, SlotCount> kinds{};
    for (int k = 0; k < SlotCount; ++k)
        kinds[std::size_t(k)] = p.kindAt(k);

    DeleteMacro(ws, n);
    // The list just lost an entry, so there is room for this one.
    const std::size_t m = *p.macros().append(MacroRecord{std::u16string(name), action});

    const AssignmentKind old = KindMacroBase + AssignmentKind(n);
    for (int k = 0; k < SlotCount; ++k) {
        if (kinds[std::size_t(k)] != old)
            continue;
        KeySlot& slot = p.slotAt(k);
        slot.action = action;
        Profile::setLabel(slot, p.macros().macroAt(m).name);
        p.setKindAt(k, KindMacroBase + AssignmentKind(m));
    }
    return m;
}

bool AssignMacroToCurrentKey(Workspace& ws, AssignmentView& view, std::size_t m) {
    if (!MacroList::assignable(m))
        return false;
    const MacroRecord& macro = ws.profile.macros().macroAt(m);
    Assign(ws, view, macro.action, macro.name, KindMacroBase + AssignmentKind(m));
    return true;
}

KeyMacroResult AssignNewMacroToCurrentKey(Workspace& ws, AssignmentView& view,
                                          std::u16string_view name, const KeyAction& action) {
    const std::u16string label = clampText(name);
    const MacroList& macros = ws.profile.macros();
    // A full list, or an index the key could not store, refuses the macro before
    // anything is written to the key.
    const NewMacroCheck check = CheckNewMacro(macros, label);
    if (check == NewMacroCheck::ListFull)
        return KeyMacroResult::ListFull;
    if (!MacroList::assignable(macros.count()))
        return KeyMacroResult::NotAssignable;
    if (check == NewMacroCheck::DuplicateName) {
        const Selection& sel = ws.selection;
        Assign(ws, view, action, label, ws.profile.kindOf(sel.currentMode, sel.currentKey),
               CaptionMark::AtDialogClose);
        return KeyMacroResult::DuplicateName;
    }
    const std::size_t index = AppendNewMacro(ws, label, action);
    Assign(ws, view, action, label, KindMacroBase + AssignmentKind(index),
           CaptionMark::AtDialogClose);
    return KeyMacroResult::Assigned;
}

} // namespace pad
