// "By Application...": the mode service's rules.

#include "app/DialogSet.h"
#include "dialogs/DialogHost.h"
#include "dialogs/TModeRulesDlg.h"
#include "modes/control/ServiceControl.h"
#include "modes/rules/RulesFile.h"

namespace pad {

bool DialogSet::ModeRulesAvailable() {
    return true;
}

void DialogSet::OpenModeRules() {
    const DialogContext context{host_.ui(), language_.texts(), language_.Font()};
    const QString folder = QString::fromStdU16String(ws_.language.programFolder);
    const auto link = MakeServiceLink(FindServiceProgram(folder));
    TModeRulesDlg dialog(context, *link, folder, DefaultRulesPath(), window_);
    dialog.exec();
}

} // namespace pad
