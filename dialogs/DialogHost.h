#pragma once
// What the dialogs need of the main window: the refreshes and marks of the
// assignment contract and of a changed macro list, the macro menu and the window
// system services. The main window implements it and hands it to every dialog together
// with the Workspace; the texts come with the DialogContext.

#include "dialogs/UiServices.h"
#include "editing/Assignment.h"
#include "editing/MacroFlows.h"

namespace pad {

class DialogHost : public AssignmentView, public MacroListObserver {
  public:
    // Rebuild the macro items of the key menu after any change of the macro list.
    virtual void RebuildMacroMenu() = 0;
    // Message boxes and the beep.
    virtual UiServices& ui() const = 0;
};

} // namespace pad
