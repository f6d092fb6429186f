// The four dialogs of the main window and the key-menu items that open them.
// Owned by the dialogs' sources: until they land, the items do nothing and only
// the About box is created.

#include "app/TForm1.h"

namespace pad {

struct DialogParts {};

void DialogPartsDeleter::operator()(DialogParts* parts) const {
    delete parts;
}

void TForm1::CreateDialogs() {
    // TRecDlg, then the About box, then TSelMSBtnDlg, TRecSingleDlg, TMacroMngDlg.
    CreateAboutBox();
}

void TForm1::SingeKey1Click() {}
void TForm1::NewMacro2Click() {}
void TForm1::MouseButton1Click() {}
void TForm1::MacroItemClick(int) {}
void TForm1::More1Click() {}
void TForm1::NewMacro1Click() {}
void TForm1::EditMarcos1Click() {}
void TForm1::RemoveKeyCaptureOnClose() {}

} // namespace pad
