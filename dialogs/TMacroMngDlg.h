#pragma once
// The macro manager: lists the macros and creates, edits, deletes and (when
// opened from the key menu's More item) assigns them.

#include "dialogs/DialogHost.h"
#include "editing/Workspace.h"

#include <QDialog>

#include <optional>

class QListView;
class QPushButton;

namespace pad {

class MacroListModel;
class TRecDlg;

class TMacroMngDlg : public QDialog {
    Q_OBJECT
  public:
    TMacroMngDlg(Workspace& ws, DialogHost& host, TRecDlg& editor, QWidget* parent = nullptr);

    // The macro selected in the list, if any.
    std::optional<std::size_t> SelectedMacro() const;
    // Shows the current macro list and selects line n (none when out of range).
    void SelectMacro(std::size_t n);

    // Edit: opens the Macro Editor on the selected macro; nothing without one.
    void EditSelected();

    // Selects macro m and gives it to the selected key.
    void AssignMacroToCurrentKeyAndRefresh(std::size_t m);
    // The label of keys whose macro is deleted, in the language in force.
    std::u16string DisappearLabel() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private slots:
    void NewMacroClick();
    void DeleteClick();
    void AssignClick();

  private:
    void RefreshList();

    Workspace& ws_;
    DialogHost& host_;
    TRecDlg& editor_;
    MacroListModel* model_;
    QListView* list_;       // TntListBox1
    QPushButton* edit_;     // TntBitBtn2
    QPushButton* delete_;   // TntBitBtn3
    QPushButton* newMacro_; // TntBitBtn4
    QPushButton* assign_;   // TntBitBtn5
    QPushButton* close_;    // TntBitBtn1
};

} // namespace pad
