#pragma once
// Adds or edits one rule of the mode service: what it matches (the application,
// the window title or the executable), the pattern and the mode. The windows open now
// are offered, so that choosing one fills in its application id or title.

#include "dialogs/DialogContext.h"
#include "modes/control/ServiceLink.h"
#include "modes/rules/ModeRules.h"
#include "texts/UiTexts.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace pad {

class TModeRuleDlg : public QDialog {
    Q_OBJECT
  public:
    TModeRuleDlg(const DialogContext& context, ModeServiceLink& link, const UiText& caption,
                 const Rule& rule, QWidget* parent = nullptr);

    // The rule as the dialog shows it.
    Rule rule() const;

  private:
    void ShowWindows(const OpenWindows& open);
    // Fills in the pattern of the chosen window for the chosen field.
    void TakeWindow();
    void UpdateOk();

    DialogContext context_;
    std::vector<WindowInfo> windows_;
    QListWidget* windowList_;
    QLabel* windowsNote_;
    QComboBox* field_;
    QLineEdit* pattern_;
    QComboBox* mode_;
    QPushButton* ok_;
};

} // namespace pad
