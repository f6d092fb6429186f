#include "dialogs/DialogTexts.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QWidget>

namespace pad {
namespace {

QString WarningCaption(const DialogHost& host) {
    return RunTimeText(host, 53, QStringLiteral("Warning"));
}

} // namespace

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

QString RunTimeText(const DialogHost& host, const AddedText& text) {
    return RunTimeText(host, text.number, FromU16(text.english));
}

QString WithoutAccelerators(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] != u'&' || (i + 1 < text.size() && text[i + 1] == u'&'))
            plain += text[i];
    return plain;
}

void ShowMacroNotAssignable(QWidget* owner, const DialogHost& host) {
    host.ui().inform(owner, RunTimeText(host, MacroNotAssignableWarning), WarningCaption(host));
}

void ShowDuplicateMacroName(QWidget* owner, const DialogHost& host) {
    host.ui().note(
        owner,
        RunTimeText(host, 34, QStringLiteral("Macro already exists, please change macro name.")),
        QGuiApplication::applicationDisplayName());
}

void ShowMacroListFull(QWidget* owner, const DialogHost& host) {
    host.ui().inform(owner, RunTimeText(host, MacroListFullWarning), WarningCaption(host));
}

void ShowNoRoomToInsert(const DialogHost& host) {
    host.ui().beep();
    host.ui().inform(nullptr,
                     RunTimeText(host, 55, QStringLiteral("Out of 8 keys data, can not insert")),
                     WarningCaption(host));
}

} // namespace pad
