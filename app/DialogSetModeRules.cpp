// "By Application...": the mode service's rules.

#include "app/DialogSet.h"
#include "dialogs/TModeRulesDlg.h"
#include "modes/rules/RulesFile.h"

namespace pad {

bool DialogSet::ModeRulesAvailable() {
    return true;
}

void DialogSet::OpenModeRules() {
    TModeRulesDlg dialog(host_, QString::fromStdU16String(ws_.language.programFolder),
                         DefaultRulesPath(), window_);
    dialog.exec();
}

} // namespace pad
