#include "app/DialogSet.h"

#include "app/TAboutBox.h"
#include "dialogs/DialogTexts.h"
#include "dialogs/TMacroMngDlg.h"
#include "dialogs/TModeRulesDlg.h"
#include "dialogs/TRecDlg.h"
#include "dialogs/TRecSingleDlg.h"
#include "dialogs/TSelMSBtnDlg.h"
#include "editing/MacroOps.h"
#include "modes/rules/RulesFile.h"

namespace pad {

DialogSet::DialogSet(Workspace& workspace, DialogHost& host, QWidget* window)
    : ws_(workspace), host_(host), window_(window) {}

void DialogSet::Create() {
    if (rec_)
        return;
    rec_ = new TRecDlg(ws_, host_, window_);
    aboutBox_ = new TAboutBox(window_);
    mouseButton_ = new TSelMSBtnDlg(ws_, host_, window_);
    singleKey_ = new TRecSingleDlg(ws_, host_, *rec_, window_);
    manager_ = new TMacroMngDlg(ws_, host_, *rec_, window_);
    rec_->SetPeers(singleKey_, manager_);
}

void DialogSet::OpenSingleKey() {
    Create();
    ws_.requests.captureTarget = TargetSingleKey;
    singleKey_->exec();
}

void DialogSet::OpenKeyMacro(int selectedKey) {
    if (selectedKey < 0 || ws_.viewMode == NormalView)
        return;
    Create();
    ws_.selection.currentMode = std::int16_t(ws_.viewMode);
    ws_.selection.currentKey = std::int16_t(selectedKey);
    ws_.requests.editorPurpose = PurposeKeyMacro;
    rec_->exec();
}

void DialogSet::OpenMouseButton() {
    Create();
    mouseButton_->exec();
}

void DialogSet::EditAndAssignMacro(int j) {
    if (j < 0 || std::size_t(j) >= ws_.profile.macros().count())
        return;
    // The edit moves the macro to the end of the list, from where it is assigned.
    if (!MovedMacroAssignable(ws_.profile.macros())) {
        ShowMacroNotAssignable(window_, host_);
        return;
    }
    Create();
    manager_->SelectMacro(std::size_t(j));
    manager_->EditSelected();
    if (!ws_.requests.editorAccepted)
        return;
    ws_.requests.editorAccepted = false;
    manager_->AssignMacroToCurrentKeyAndRefresh(ws_.profile.macros().count() - 1);
}

void DialogSet::ChooseMoreMacros() {
    Create();
    ws_.requests.assignRequested = 1;
    manager_->exec();
}

void DialogSet::OpenNewMacro() {
    Create();
    ws_.requests.editorPurpose = PurposeNewMacro;
    rec_->exec();
}

void DialogSet::OpenMacroManager() {
    Create();
    manager_->exec();
}

void DialogSet::ShowAbout() {
    Create();
    aboutBox_->exec();
}

void DialogSet::OpenModeRules() {
    TModeRulesDlg dialog(host_, QString::fromStdU16String(ws_.language.programFolder),
                         DefaultRulesPath(), window_);
    dialog.exec();
}

void DialogSet::RemoveKeyCapture() {
    if (rec_ && rec_->KeyCaptureInstalled())
        rec_->StopKeyCapture();
}

} // namespace pad
