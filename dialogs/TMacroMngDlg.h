#pragma once
// The macro manager: lists the macros and creates, edits and deletes them through its
// opener; opened from the key menu's More item it also offers Assign, and then ends
// with the macro chosen.

#include "dialogs/DialogContext.h"
#include "dialogs/DialogRequests.h"
#include "model/Profile.h"

#include <QDialog>

#include <optional>

class QListView;
class QPushButton;

namespace pad {

class MacroListModel;

// What the macro manager's buttons ask of its opener while it is open.
class ManagerPort {
  public:
    virtual ~ManagerPort() = default;
    // New Macro: the Macro Editor for a new macro.
    virtual void newMacro() = 0;
    // Edit: the Macro Editor on macro n; where the macro stands once stored, nullopt
    // when nothing was stored.
    virtual std::optional<std::size_t> editMacro(std::size_t n) = 0;
    // Delete: macro n, or with none selected nothing but the refreshes.
    virtual void deleteMacro(std::optional<std::size_t> n) = 0;
};

class TMacroMngDlg : public QDialog {
    Q_OBJECT
  public:
    TMacroMngDlg(const DialogContext& context, const MacroList& macros, ManagerPort& port,
                 QWidget* parent = nullptr);

    // Shows the dialog modally for request; the macro chosen by Assign, if any.
    std::optional<std::size_t> run(const ManagerRequest& request);
    // The request of the next showing, for a showing without run.
    void prepare(const ManagerRequest& request) { request_ = request; }
    // The macro chosen by Assign when the dialog was left by it.
    std::optional<std::size_t> assignedMacro() const { return assigned_; }

    // The macro selected in the list, if any.
    std::optional<std::size_t> SelectedMacro() const;
    // Shows the current macro list and selects line n (none when out of range).
    void SelectMacro(std::size_t n);

  protected:
    void showEvent(QShowEvent* event) override;

  private slots:
    void EditClick();
    void NewMacroClick();
    void DeleteClick();
    void AssignClick();

  private:
    void RefreshList();

    DialogContext context_;
    const MacroList& macros_;
    ManagerPort& port_;
    ManagerRequest request_;
    std::optional<std::size_t> assigned_;
    MacroListModel* model_;
    QListView* list_;       // TntListBox1
    QPushButton* edit_;     // TntBitBtn2
    QPushButton* delete_;   // TntBitBtn3
    QPushButton* newMacro_; // TntBitBtn4
    QPushButton* assign_;   // TntBitBtn5
    QPushButton* close_;    // TntBitBtn1
};

} // namespace pad
