#pragma once
// The main window's dialogs (the Macro Editor, the mouse-button and single-key
// dialogs, the macro manager and the About box) and the commands that open them.
// The dialogs are made together when one is first needed, or by Create(), and are
// then kept, hidden between uses; they are children of the main window.

#include "editing/Workspace.h"

class QWidget;

namespace pad {

class DialogHost;
class TAboutBox;
class TMacroMngDlg;
class TRecDlg;
class TRecSingleDlg;
class TSelMSBtnDlg;

class DialogSet {
  public:
    DialogSet(Workspace& workspace, DialogHost& host, QWidget* window);

    // Makes the dialogs, in the order TRecDlg, TAboutBox, TSelMSBtnDlg,
    // TRecSingleDlg, TMacroMngDlg, unless they exist.
    void Create();
    TAboutBox* AboutBox() const { return aboutBox_; }

    void OpenSingleKey(); // "Single Key..."
    // "New Macro..." of the key menu for the key of the selected label (0-15), or
    // nothing when no label was selected (-1) or the view shows Normal mode.
    void OpenKeyMacro(int selectedKey);
    void OpenMouseButton();         // "Mouse Button..."
    void EditAndAssignMacro(int j); // the key menu's item of macro j
    void ChooseMoreMacros();        // "More..."
    void OpenNewMacro();            // "New Macro" of the "M&acro" menu
    void OpenMacroManager();        // "Edit Macros"
    void ShowAbout();
    // "By Application..." of the Mode menu: the mode service's rules, read afresh
    // from the file each time.
    void OpenModeRules();
    // Close step: removes a keystroke hook that is still installed.
    void RemoveKeyCapture();

  private:
    Workspace& ws_;
    DialogHost& host_;
    QWidget* window_;
    TRecDlg* rec_ = nullptr;
    TAboutBox* aboutBox_ = nullptr;
    TSelMSBtnDlg* mouseButton_ = nullptr;
    TRecSingleDlg* singleKey_ = nullptr;
    TMacroMngDlg* manager_ = nullptr;
};

} // namespace pad
