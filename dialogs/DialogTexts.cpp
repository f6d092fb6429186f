#include "dialogs/DialogTexts.h"

#include "profile/MacroOps.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QWidget>

namespace pad {

bool ApplyLanguageFont(QWidget& widget, const DialogHost& host) {
    if (!host.LanguageActive())
        return false;
    widget.setFont(host.LanguageFont());
    return true;
}

void ApplyButtonText(QAbstractButton& button, const DialogHost& host, int n) {
    QString text;
    if (host.ReadLanguageText(n, text))
        button.setText(text);
}

void ApplyWindowTitle(QWidget& window, const DialogHost& host, int n) {
    QString text;
    if (host.ReadLanguageText(n, text))
        window.setWindowTitle(text);
}

QString RunTimeText(const DialogHost& host, int n, const QString& builtIn) {
    QString text;
    return host.LanguageActive() && host.ReadLanguageText(n, text) ? text : builtIn;
}

void ShowMacroNotAssignable(QWidget* owner, const DialogHost& host) {
    QMessageBox::warning(owner, RunTimeText(host, 53, QStringLiteral("Warning")),
                         FromU16(std::u16string(MacroNotAssignableMessage)));
}

} // namespace pad
