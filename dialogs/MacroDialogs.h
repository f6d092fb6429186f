#pragma once
// The Macro Editor, the single-key and mouse-button dialogs and the macro manager, with
// the keystroke capture they share, and the commands that open them. Each command opens
// its dialog with a typed request; the dialog's result is applied to the workspace
// through the editing flows as the dialog ends. The dialogs themselves change nothing.

#include "dialogs/DialogContext.h"
#include "dialogs/TMacroMngDlg.h"
#include "dialogs/TRecDlg.h"
#include "editing/Assignment.h"
#include "editing/MacroFlows.h"
#include "editing/Workspace.h"
#include "keyboard/capture/DesktopKeyboard.h"

#include <cstddef>
#include <optional>

class QWidget;

namespace pad {

class KeyCapture;
class TRecSingleDlg;
class TSelMSBtnDlg;

class MacroDialogs : public EditorPort, public ManagerPort {
  public:
    // Makes the dialogs, children of window, in the order TRecDlg, TSelMSBtnDlg,
    // TRecSingleDlg, TMacroMngDlg. view and observer are the window's part of an
    // assignment and of a change of the macro list; keyboard is the window system's,
    // for the capture.
    MacroDialogs(Workspace& ws, AssignmentView& view, MacroListObserver& observer,
                 const DialogContext& context, DesktopKeyboard keyboard, QWidget* window);

    // The key menu's items, for the selected key.
    void openSingleKey();
    void openKeyMacro();
    void openMouseButton();
    void editAndAssignMacro(std::size_t j); // the item of macro j
    void chooseMoreMacros();                // More...: the manager, to assign one of all macros
    // The Macro menu's items.
    void openNewMacro();
    void openMacroManager();
    // Close step: ends a capture that still runs.
    void removeKeyCapture();

    TRecDlg& editor() const { return *editor_; }
    TRecSingleDlg& singleKey() const { return *singleKey_; }
    TSelMSBtnDlg& mouseButtons() const { return *mouseButtons_; }
    TMacroMngDlg& manager() const { return *manager_; }

    // EditorPort
    MacroOk storeMacro(const EditorRequest& request, const EditorResult& result) override;
    std::optional<SingleKeyResult> captureKeyToInsert() override;
    // ManagerPort
    void newMacro() override;
    std::optional<std::size_t> editMacro(std::size_t n) override;
    void deleteMacro(std::optional<std::size_t> n) override;

  private:
    // Assign in the manager: macro n moves to the end of the list and the key plays it.
    void assignChosenMacro(std::size_t n);
    EditorRequest editRequest(std::size_t n) const;

    Workspace& ws_;
    AssignmentView& view_;
    MacroListObserver& observer_;
    DialogContext context_;
    QWidget* window_;
    KeyCapture* capture_;
    TRecDlg* editor_;
    TSelMSBtnDlg* mouseButtons_;
    TRecSingleDlg* singleKey_;
    TMacroMngDlg* manager_;
    std::optional<std::size_t> storedMacro_; // where the last edit put its macro
};

} // namespace pad
