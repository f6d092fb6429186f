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

    // The key menu's items.
    void OpenSingleKey();
    // The Macro Editor for a new macro of the key of the selected label (0-15), or
    // nothing when no label was selected (-1) or the view shows Normal mode.
    void OpenKeyMacro(int selectedKey);
    void OpenMouseButton();
    void EditAndAssignMacro(int j); // the item of macro j
    void ChooseMoreMacros();        // the macro manager, to assign one of all macros
    // The Macro menu's items: the Macro Editor for a new macro, the macro manager.
    void OpenNewMacro();
    void OpenMacroManager();
    void ShowAbout();
    // "By Application..." of the Mode menu: the mode service's rules, read afresh
    // from the file each time.
    void OpenModeRules();
    // Close step: removes the keystroke capture's event filter when it is still on.
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
