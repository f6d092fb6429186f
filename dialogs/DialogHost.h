#pragma once
// What the dialogs need of the main window: the refreshes and marks of the
// assignment contract and of a changed macro list, the macro menu, the window system services, and
// the language texts and font. The main window implements it and hands it to every dialog together
// with the Workspace.

#include "dialogs/UiServices.h"
#include "editing/Assignment.h"
#include "editing/MacroFlows.h"

#include <QFont>
#include <QString>

namespace pad {

class DialogHost : public AssignmentView, public MacroListObserver {
  public:
    // Rebuild the macro items of the key menu after any change of the macro list.
    virtual void RebuildMacroMenu() = 0;
    // Message boxes and the beep.
    virtual UiServices& ui() const = 0;

    // Language file state: whether one was loaded, text n of it, and its font.
    virtual bool LanguageActive() const = 0;
    virtual bool ReadLanguageText(int n, QString& out) const = 0;
    virtual QFont LanguageFont() const = 0;
};

} // namespace pad
