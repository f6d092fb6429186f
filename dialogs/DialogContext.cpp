#include "dialogs/DialogContext.h"

#include <QGuiApplication>
#include <QWidget>

namespace pad {

void applyLanguageFont(QWidget& widget, const DialogContext& context) {
    if (context.texts.languageActive())
        widget.setFont(context.languageFont);
}

void showMacroRefusal(QWidget* owner, const DialogContext& context, MacroOk result) {
    const QString warning = context.text(WarningCaptionText);
    switch (result) {
    case MacroOk::Done:
        break;
    case MacroOk::DuplicateName:
        context.ui.note(owner, context.text(DuplicateMacroNameText),
                        QGuiApplication::applicationDisplayName());
        break;
    case MacroOk::ListFull:
        context.ui.inform(owner, context.text(MacroListFullWarning), warning);
        break;
    case MacroOk::NotAssignable:
        context.ui.inform(owner, context.text(MacroNotAssignableWarning), warning);
        break;
    }
}

void showNoRoomToInsert(const DialogContext& context) {
    context.ui.beep();
    context.ui.inform(nullptr, context.text(NoRoomToInsertText), context.text(WarningCaptionText));
}

} // namespace pad
