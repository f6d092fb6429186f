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

    // The macro-list operations with their window refreshes. A refused replacement
    // (keys that play macro n could not store its new index) changes nothing.
    void DeleteMacroAndRefresh(std::optional<std::size_t> n);
    std::optional<std::size_t> ReplaceMacroAndRefresh(std::size_t n, const std::u16string& name,
                                                      const KeyAction& action);
    void AssignMacroToCurrentKeyAndRefresh(std::size_t m);

  protected:
    void showEvent(QShowEvent* event) override;

  private slots:
    void NewMacroClick();
    void DeleteClick();
    void AssignClick();

  private:
    void RefreshList();
    std::u16string DisappearLabel() const;

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
