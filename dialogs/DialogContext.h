#pragma once
// What the Macro Editor, the single-key and mouse-button dialogs and the macro manager
// take from the main window: message boxes and the beep, the texts of the language in
// force, and the font of a loaded language file.

#include "dialogs/UiServices.h"
#include "editing/MacroFlows.h"
#include "texts/Texts.h"
#include "texts/qt/QtUtf16.h"

#include <QFont>
#include <QString>

class QWidget;

namespace pad {

struct DialogContext {
    UiServices& ui;
    const Texts& texts;
    QFont languageFont; // the dialogs' font while a language file is in force

    // A text of texts as the widgets take it.
    QString text(const UiText& text) const { return FromU16(texts.text(text)); }
};

// With a language file in force: gives widget the language font.
void applyLanguageFont(QWidget& widget, const DialogContext& context);

// Tells, owned by owner, why OK or Assign stored nothing: a macro of that name exists,
// the macro list is full, or no key could play the macro. Done shows nothing.
void showMacroRefusal(QWidget* owner, const DialogContext& context, MacroOk result);
// Beeps and warns, without owner, that Insert would go beyond 16 events.
void showNoRoomToInsert(const DialogContext& context);

} // namespace pad
