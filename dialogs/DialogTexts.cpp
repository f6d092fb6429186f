#include "dialogs/DialogTexts.h"

#include <QAbstractButton>
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

} // namespace pad
