#pragma once
// "By Application...": the rules by which the mode service padconfig-modes switches
// the keypad's mode with the focused application, the mode for windows no rule
// matches, and the switch that starts the service with the user's sessions. The rules
// file keeps the user's comments and the lines it cannot read. OK writes it and, when
// the switch was changed, switches the service; Cancel leaves both as they were. The
// switch shows whether the service is on (it starts with the sessions, or it runs,
// whoever started it), and the dialog whether it runs and whether the desktop's
// focused window can be followed.

#include "dialogs/DialogContext.h"
#include "modes/control/RulesEdit.h"
#include "modes/control/ServiceControl.h"
#include "modes/control/ServiceLink.h"
#include "texts/UiTexts.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace pad {

class TModeRulesDlg : public QDialog {
    Q_OBJECT
  public:
    // link tells of the service; programFolder is PadConfig's, near which the
    // service is installed.
    TModeRulesDlg(const DialogContext& context, ModeServiceLink& link, const QString& programFolder,
                  const std::filesystem::path& rulesPath, QWidget* parent = nullptr);

    // Closing waits for a switch of the service that OK began.
    void done(int result) override;

  private:
    void BuildControls();
    // Fills the list from the document and makes rule `current` the current one.
    void ShowRules(int current);
    void UpdateButtons();
    void AddClick();
    void EditClick();
    void RemoveClick();
    void MoveClick(int by);
    void OkClick();
    // Asks the user to correct a rule until the document takes it; false on Cancel.
    using RulePut = std::function<std::optional<std::string>(const Rule&)>;
    bool EditRule(const UiText& caption, const Rule& rule, const RulePut& put);

    void ProbeService();
    // Switches the service as the switch was set, then closes the dialog.
    void SwitchAndClose(bool on);
    // Whether the service is on now: it starts with the sessions, or it runs.
    bool ServiceOn() const;
    void ShowServiceState();
    void AskStatus();
    void ShowFocusStatus(const FocusStatus& status);
    QString WarningCaption() const;

    DialogContext context_;
    RulesEdit rulesFile_;
    ModeServiceLink& link_;
    ModeServiceControl control_;
    std::optional<ServiceSetup> setup_; // known once probed
    std::optional<bool> chosen_;        // the switch as the user set it
    bool switching_ = false;            // after OK, until the service is switched

    QTreeWidget* rules_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* editButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* upButton_ = nullptr;
    QPushButton* downButton_ = nullptr;
    QLabel* fileNote_ = nullptr;
    QComboBox* defaultMode_ = nullptr;
    QCheckBox* switch_ = nullptr;
    QLabel* running_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace pad
