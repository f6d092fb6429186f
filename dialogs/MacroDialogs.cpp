#include "dialogs/MacroDialogs.h"

#include "dialogs/KeyCapture.h"
#include "dialogs/TRecSingleDlg.h"
#include "dialogs/TSelMSBtnDlg.h"
#include "editing/MacroOps.h"

namespace pad {

MacroDialogs::MacroDialogs(Workspace& ws, AssignmentView& view, MacroListObserver& observer,
                           const DialogContext& context, DesktopKeyboard keyboard,
                           QWidget* window)
    : ws_(ws), view_(view), observer_(observer), context_(context), window_(window),
      capture_(new KeyCapture(context.ui, std::move(keyboard), window)),
      editor_(new TRecDlg(context_, *capture_, *this, window)),
      mouseButtons_(new TSelMSBtnDlg(context_, window)),
      singleKey_(new TRecSingleDlg(context_, *capture_, window)),
      manager_(new TMacroMngDlg(context_, ws.profile.macros(), *this, window)) {
    // The results of the dialogs that end a command are applied as they end; Insert and
    // Edit read theirs where they opened the dialog.
    QObject::connect(editor_, &QDialog::finished, editor_, [this] { view_.MarkModified(); });
    QObject::connect(mouseButtons_, &QDialog::accepted, mouseButtons_,
                     [this] { assignMouseButton(ws_, view_, *mouseButtons_->chosenButton()); });
    QObject::connect(singleKey_, &QDialog::accepted, singleKey_, [this] {
        if (singleKey_->target() != CaptureTarget::SingleKey)
            return;
        const SingleKeyResult key = *singleKey_->capturedKey();
        Assign(ws_, view_, KeyAction::direct(key.pressCode), key.label, KindSingleKey);
    });
    QObject::connect(manager_, &QDialog::accepted, manager_, [this] {
        if (const auto n = manager_->assignedMacro())
            assignChosenMacro(*n);
    });
}

void MacroDialogs::openSingleKey() {
    singleKey_->run(CaptureTarget::SingleKey);
}

void MacroDialogs::openKeyMacro() {
    editor_->run(PurposeKeyMacro);
}

void MacroDialogs::openMouseButton() {
    mouseButtons_->run();
}

void MacroDialogs::editAndAssignMacro(std::size_t j) {
    if (j >= ws_.profile.macros().count())
        return;
    // The edit moves the macro to the end of the list, from where it is assigned.
    if (!MovedMacroAssignable(ws_.profile.macros())) {
        showMacroRefusal(window_, context_, MacroOk::NotAssignable);
        return;
    }
    if (editor_->run(editRequest(j)))
        AssignMacroToCurrentKey(ws_, view_, ws_.profile.macros().count() - 1);
}

void MacroDialogs::chooseMoreMacros() {
    manager_->run({.offerAssign = true});
}

void MacroDialogs::assignChosenMacro(std::size_t n) {
    const auto assigned = AssignFromManager(ws_, view_, observer_, n);
    // The assigned macro's play mode is the editor's choice for the next new macro.
    if (assigned && assigned->macro)
        editor_->SelectPlayMode(ws_.profile.macros().macroAt(*assigned->macro).action.playMode);
}

void MacroDialogs::openNewMacro() {
    editor_->run(PurposeNewMacro);
}

void MacroDialogs::openMacroManager() {
    manager_->run({});
}

void MacroDialogs::removeKeyCapture() {
    if (capture_->Installed())
        capture_->Stop();
}

EditorRequest MacroDialogs::editRequest(std::size_t n) const {
    return {n, ws_.profile.macros().macroAt(n)};
}

MacroOk MacroDialogs::storeMacro(const EditorRequest& request, const EditorResult& result) {
    switch (request.purpose) {
    case PurposeKeyMacro:
        return OkKeyMacro(ws_, view_, observer_, result.name, result.action, result.recorded);
    case PurposeNewMacro:
    case PurposeNewFromManager:
        return OkNewMacro(ws_, observer_, result.name, result.action);
    case PurposeEditMacro:
        break;
    }
    const MacroOkOutcome outcome =
        OkEditMacro(ws_, observer_, request.macroIndex, result.name, result.action);
    storedMacro_ = outcome.macro;
    return outcome.result;
}

std::optional<SingleKeyResult> MacroDialogs::captureKeyToInsert() {
    return singleKey_->run(CaptureTarget::InsertKey);
}

void MacroDialogs::newMacro() {
    editor_->run(PurposeNewFromManager);
}

std::optional<std::size_t> MacroDialogs::editMacro(std::size_t n) {
    storedMacro_.reset();
    if (!editor_->run(editRequest(n)))
        return std::nullopt;
    return storedMacro_;
}

void MacroDialogs::deleteMacro(std::optional<std::size_t> n) {
    DeleteFromManager(ws_, observer_, n);
}

} // namespace pad
