#include "app/DialogSet.h"

#include "app/TAboutBox.h"
#include "dialogs/DialogHost.h"
#include "dialogs/MacroDialogs.h"
#include "keyboard/layout/DesktopKeyLayout.h"

namespace pad {

DialogSet::DialogSet(Workspace& workspace, DialogHost& host, const LanguageSetup& language,
                     QWidget* window)
    : ws_(workspace), host_(host), language_(language), window_(window) {}

DialogSet::~DialogSet() = default;

void DialogSet::Create() {
    if (macros_)
        return;
    const DialogContext context{host_.ui(), language_.texts(), language_.Font()};
    macros_ = std::make_unique<MacroDialogs>(ws_, host_, host_, context, MakeDesktopKeyboard(),
                                             window_);
    aboutBox_ = new TAboutBox(window_);
}

void DialogSet::OpenSingleKey() {
    Create();
    macros_->openSingleKey();
}

void DialogSet::OpenKeyMacro(int selectedKey) {
    if (selectedKey < 0 || ws_.viewMode == NormalView)
        return;
    Create();
    ws_.selection.currentMode = std::int16_t(ws_.viewMode);
    ws_.selection.currentKey = std::int16_t(selectedKey);
    macros_->openKeyMacro();
}

void DialogSet::OpenMouseButton() {
    Create();
    macros_->openMouseButton();
}

void DialogSet::EditAndAssignMacro(int j) {
    if (j < 0)
        return;
    Create();
    macros_->editAndAssignMacro(std::size_t(j));
}

void DialogSet::ChooseMoreMacros() {
    Create();
    macros_->chooseMoreMacros();
}

void DialogSet::OpenNewMacro() {
    Create();
    macros_->openNewMacro();
}

void DialogSet::OpenMacroManager() {
    Create();
    macros_->openMacroManager();
}

void DialogSet::ShowAbout() {
    Create();
    aboutBox_->exec();
}

void DialogSet::RemoveKeyCapture() {
    if (macros_)
        macros_->removeKeyCapture();
}

} // namespace pad
