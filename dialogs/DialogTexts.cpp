#include "dialogs/DialogTexts.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QWidget>

namespace pad {
namespace {

QString WarningCaption(const DialogHost& host) {
    return RunTimeText(host, WarningCaptionText);
}

} // namespace

bool ApplyLanguageFont(QWidget& widget, const DialogHost& host) {
    if (!host.LanguageActive())
        return false;
    widget.setFont(host.LanguageFont());
    return true;
}

void ApplyButtonText(QAbstractButton& button, const DialogHost& host, const UiText& text) {
    QString words;
    if (host.ReadLanguageText(text.number, words))
        button.setText(words);
}

void ApplyWindowTitle(QWidget& window, const DialogHost& host, const UiText& text) {
    QString words;
    if (host.ReadLanguageText(text.number, words))
        window.setWindowTitle(words);
}

QString RunTimeText(const DialogHost& host, const UiText& text) {
    QString words;
    return host.LanguageActive() && host.ReadLanguageText(text.number, words) ? words
                                                                              : BuiltIn(text);
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
    host.ui().note(owner, RunTimeText(host, DuplicateMacroNameText),
                   QGuiApplication::applicationDisplayName());
}

void ShowMacroListFull(QWidget* owner, const DialogHost& host) {
    host.ui().inform(owner, RunTimeText(host, MacroListFullWarning), WarningCaption(host));
}

void ShowNoRoomToInsert(const DialogHost& host) {
    host.ui().beep();
    host.ui().inform(nullptr, RunTimeText(host, NoRoomToInsertText), WarningCaption(host));
}

} // namespace pad
