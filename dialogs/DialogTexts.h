#pragma once
// Language texts for the dialogs that reach them through the DialogHost: its font,
// its texts in the language in force, and texts without accelerator marks.

#include "dialogs/DialogHost.h"
#include "texts/UiTexts.h"
#include "texts/qt/QtUtf16.h"

#include <QString>

class QWidget;

namespace pad {

// With a language file loaded: gives widget the language font and returns true.
bool ApplyLanguageFont(QWidget& widget, const DialogHost& host);

// A text used at run time: the language file's where the file holds it, the built-in
// English otherwise, so nothing is ever shown without text.
QString RunTimeText(const DialogHost& host, const UiText& text);

// The text without its accelerator marks: "&" goes, "&&" becomes "&".
QString WithoutAccelerators(const QString& text);

} // namespace pad
