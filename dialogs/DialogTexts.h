#pragma once
// Language texts for the dialogs: the captions replaced at creation when a
// language file is loaded, the texts shown at run time, and the dialogs'
// messages, which go through the host's UiServices.

#include "dialogs/DialogHost.h"
#include "texts/AddedTexts.h"
#include "texts/qt/QtUtf16.h"

#include <QString>

class QAbstractButton;
class QWidget;

namespace pad {

// With a language file loaded: gives widget the language font and returns true.
bool ApplyLanguageFont(QWidget& widget, const DialogHost& host);

// Replaces text n where the language file has one; keeps the built-in text otherwise.
void ApplyButtonText(QAbstractButton& button, const DialogHost& host, int n);
void ApplyWindowTitle(QWidget& window, const DialogHost& host, int n);

// A text used at run time: the language file's text n where the file holds it,
// the built-in text otherwise, so nothing is ever shown without text.
QString RunTimeText(const DialogHost& host, int n, const QString& builtIn);
// An added text in the language file's words where it holds them, else the English.
QString RunTimeText(const DialogHost& host, const AddedText& text);

// The text without its accelerator marks: "&" goes, "&&" becomes "&".
QString WithoutAccelerators(const QString& text);

// Warns, owned by owner, that the macro cannot be given to a key.
void ShowMacroNotAssignable(QWidget* owner, const DialogHost& host);
// Tells, owned by owner, that a macro of that name exists (text 34).
void ShowDuplicateMacroName(QWidget* owner, const DialogHost& host);
// Warns, owned by owner, that the macro list holds no more macros.
void ShowMacroListFull(QWidget* owner, const DialogHost& host);
// Beeps and warns, without owner, that Insert would go beyond 16 events (text 55).
void ShowNoRoomToInsert(const DialogHost& host);

} // namespace pad
