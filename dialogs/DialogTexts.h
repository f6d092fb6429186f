#pragma once
// Language texts for the dialogs: the captions replaced at creation when a
// language file is loaded, the texts shown at run time, and the dialogs'
// messages, which go through the host's UiServices.

#include "dialogs/DialogHost.h"
#include "texts/UiTexts.h"
#include "texts/qt/QtUtf16.h"

#include <QString>

class QAbstractButton;
class QWidget;

namespace pad {

// With a language file loaded: gives widget the language font and returns true.
bool ApplyLanguageFont(QWidget& widget, const DialogHost& host);

// Replaces the text where the language file has one; keeps the built-in text otherwise.
void ApplyButtonText(QAbstractButton& button, const DialogHost& host, const UiText& text);
void ApplyWindowTitle(QWidget& window, const DialogHost& host, const UiText& text);

// A text used at run time: the language file's where the file holds it, the built-in
// English otherwise, so nothing is ever shown without text.
QString RunTimeText(const DialogHost& host, const UiText& text);

// The text without its accelerator marks: "&" goes, "&&" becomes "&".
QString WithoutAccelerators(const QString& text);

// Warns, owned by owner, that the macro cannot be given to a key.
void ShowMacroNotAssignable(QWidget* owner, const DialogHost& host);
// Tells, owned by owner, that a macro of that name exists.
void ShowDuplicateMacroName(QWidget* owner, const DialogHost& host);
// Warns, owned by owner, that the macro list holds no more macros.
void ShowMacroListFull(QWidget* owner, const DialogHost& host);
// Beeps and warns, without owner, that Insert would go beyond 16 events.
void ShowNoRoomToInsert(const DialogHost& host);

} // namespace pad
