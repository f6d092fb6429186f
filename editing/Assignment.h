#pragma once
// Key-slot assignments. Every assignment writes the slot of (CurrentMode,
// CurrentKey) in one order: the 17 action bytes, the label, the kind, a refresh of
// the key labels, ModifiedFlag, then the caption mark. Default and Macro Off are
// complete here; the dialogs and the macro-list operations use Assign for theirs.

#include "editing/Workspace.h"

#include <string_view>

namespace pad {

// What an assignment needs of the main window.
class AssignmentView {
  public:
    virtual ~AssignmentView() = default;
    virtual void RefreshKeyLabels() = 0;
    virtual void RefreshSlotCaptions() = 0;
    virtual void UpdateMenuChecks() = 0;
    virtual void MarkModified() = 0;
};

// When the caption gains its modified mark: at once, or when the dialog that
// made the assignment closes (the Macro Editor marks the caption then).
enum class CaptionMark { Now, AtDialogClose };

// Stores kind as the AssignmentKind of the current slot.
void SetSlotKind(Workspace& ws, AssignmentKind kind);

// The assignment contract for a dialog's result: action, label (cut to 255 units),
// kind, RefreshSlotCaptions, ModifiedFlag, MarkModified (or left to the dialog).
void Assign(Workspace& ws, AssignmentView& view, const KeyAction& action, std::u16string_view label,
            AssignmentKind kind, CaptionMark mark = CaptionMark::Now);

enum class MouseButton { Left, Middle, Right };
// The button's code, DirectKey, its label ("L-Mouse", ...), kind 3.
void assignMouseButton(Workspace& ws, AssignmentView& view, MouseButton button);

// The key's native code and label, DirectKey, kind 4; renews the menu's check marks.
void AssignDefault(Workspace& ws, AssignmentView& view);
// No events, PlayOnce, the Macro Off label of the language in force, kind 2.
void AssignMacroOff(Workspace& ws, AssignmentView& view);

} // namespace pad
