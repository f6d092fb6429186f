// The four dialogs of the main window and the key-menu items that open them.

#include "app/TForm1.h"
#include "dialogs/TMacroMngDlg.h"
#include "dialogs/TRecDlg.h"
#include "dialogs/TRecSingleDlg.h"
#include "dialogs/TSelMSBtnDlg.h"
#include "profile/MacroOps.h"
#include "profile/Workspace.h"

#include <QLabel>

namespace pad {

// The dialogs are children of the main window, which deletes them.
struct DialogParts {
    TRecDlg* rec = nullptr;
    TSelMSBtnDlg* mouseButton = nullptr;
    TRecSingleDlg* singleKey = nullptr;
    TMacroMngDlg* manager = nullptr;
};

void DialogPartsDeleter::operator()(DialogParts* parts) const {
    delete parts;
}

void TForm1::CreateDialogs() {
    auto parts = std::unique_ptr<DialogParts, DialogPartsDeleter>(new DialogParts);
    parts->rec = new TRecDlg(ws_, *this, this);
    CreateAboutBox();
    parts->mouseButton = new TSelMSBtnDlg(ws_, *this, this);
    parts->singleKey = new TRecSingleDlg(ws_, *this, *parts->rec, this);
    parts->manager = new TMacroMngDlg(ws_, *this, *parts->rec, this);
    parts->rec->SetPeers(parts->singleKey, parts->manager);
    dialogParts_ = std::move(parts);
}

void TForm1::SingeKey1Click() {
    if (!dialogParts_)
        return;
    ws_.requests.captureTarget = TargetSingleKey;
    dialogParts_->singleKey->exec();
}

void TForm1::NewMacro2Click() {
    if (!dialogParts_ || !SelectedLabel() || ViewMode() == NormalView)
        return;
    ws_.selection.currentMode = std::int16_t(ViewMode());
    ws_.selection.currentKey = std::int16_t(SelectedLabel()->objectName().mid(8).toInt() - 1);
    ws_.requests.editorPurpose = PurposeKeyMacro;
    dialogParts_->rec->exec();
}

void TForm1::MouseButton1Click() {
    if (dialogParts_)
        dialogParts_->mouseButton->exec();
}

void TForm1::MacroItemClick(int j) {
    if (!dialogParts_ || j < 0 || std::size_t(j) >= ws_.profile.macros().count())
        return;
    // The edit moves the macro to the end of the list, from where it is assigned.
    if (!MovedMacroAssignable(ws_.profile.macros())) {
        ui_->inform(this, QString::fromStdU16String(std::u16string(MacroNotAssignableMessage)),
                    WarningCaption());
        return;
    }
    TMacroMngDlg& manager = *dialogParts_->manager;
    manager.SelectMacro(std::size_t(j));
    manager.EditSelected();
    if (!ws_.requests.editorAccepted)
        return;
    ws_.requests.editorAccepted = false;
    manager.AssignMacroToCurrentKeyAndRefresh(ws_.profile.macros().count() - 1);
}

void TForm1::More1Click() {
    if (!dialogParts_)
        return;
    ws_.requests.assignRequested = 1;
    dialogParts_->manager->exec();
}

void TForm1::NewMacro1Click() {
    if (!dialogParts_)
        return;
    ws_.requests.editorPurpose = PurposeNewMacro;
    dialogParts_->rec->exec();
}

void TForm1::EditMarcos1Click() {
    if (dialogParts_)
        dialogParts_->manager->exec();
}

void TForm1::RemoveKeyCaptureOnClose() {
    if (dialogParts_ && dialogParts_->rec->KeyCaptureInstalled())
        dialogParts_->rec->StopKeyCapture();
}

} // namespace pad
