#include "profile/MacroOps.h"

#include <array>
#include <stdexcept>

namespace pad {

NewMacroCheck CheckNewMacro(const MacroList& macros, std::u16string_view name) {
    if (macros.findByName(clampText(name)) >= 0)
        return NewMacroCheck::DuplicateName;
    if (macros.full())
        return NewMacroCheck::ListFull;
    return NewMacroCheck::Ok;
}

std::optional<std::size_t> AddNewMacro(Workspace& ws, std::u16string_view name,
                                       const KeyAction& action) {
    if (CheckNewMacro(ws.profile.macros(), name) != NewMacroCheck::Ok)
        return std::nullopt;
    auto index = ws.profile.macros().append(MacroRecord{std::u16string(name), action});
    if (index)
        ws.document.modifiedFlag = true;
    return index;
}

void DeleteMacro(Workspace& ws, std::optional<std::size_t> n, std::u16string_view disappearLabel) {
    if (n && *n < ws.profile.macros().count())
        ws.profile.removeMacro(*n, disappearLabel);
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
                                        const KeyAction& action,
                                        std::u16string_view disappearLabel) {
    Profile& p = ws.profile;
    if (n >= p.macros().count())
        throw std::out_of_range("macro index out of range");
    if (!CanReplaceMacro(p, n))
        return std::nullopt;
    std::array<AssignmentKind, SlotCount> kinds{};
    for (int k = 0; k < SlotCount; ++k)
        kinds[std::size_t(k)] = p.kindAt(k);

    DeleteMacro(ws, n, disappearLabel);
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

bool AssignMacroToCurrentKey(Workspace& ws, std::size_t m) {
    if (!MacroList::assignable(m))
        return false;
    Profile& p = ws.profile;
    const MacroRecord& macro = p.macros().macroAt(m);
    KeySlot& slot = p.slot(ws.selection.currentMode, ws.selection.currentKey);
    Profile::setLabel(slot, macro.name);
    slot.action = macro.action;
    p.setKind(ws.selection.currentMode, ws.selection.currentKey, KindMacroBase + AssignmentKind(m));
    ws.document.modifiedFlag = true;
    return true;
}

} // namespace pad
