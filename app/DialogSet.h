#pragma once
// The main window's dialogs: the Macro Editor, the mouse-button and single-key dialogs
// and the macro manager (MacroDialogs), and the About box, with the commands that open
// them. The dialogs are made together when one is first needed, or by Create(), and
// are then kept, hidden between uses; they are children of the main window.

#include "app/LanguageSetup.h"
#include "editing/Workspace.h"

#include <memory>

class QWidget;

namespace pad {

class DialogHost;
class MacroDialogs;
class TAboutBox;

class DialogSet {
  public:
    DialogSet(Workspace& workspace, DialogHost& host, const LanguageSetup& language,
              QWidget* window);
    ~DialogSet();

    // Makes the dialogs, in the order TRecDlg, TSelMSBtnDlg, TRecSingleDlg,
    // TMacroMngDlg, TAboutBox, unless they exist.
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
    // from the file each time (DialogSetModeRules.cpp). A build without the mode
    // service has no such item (DialogSetModeRulesNone.cpp).
    void OpenModeRules();
    static bool ModeRulesAvailable();
    // Close step: ends the keystroke capture when it still runs.
    void RemoveKeyCapture();

  private:
    Workspace& ws_;
    DialogHost& host_;
    const LanguageSetup& language_;
    QWidget* window_;
    std::unique_ptr<MacroDialogs> macros_;
    TAboutBox* aboutBox_ = nullptr;
};

} // namespace pad
