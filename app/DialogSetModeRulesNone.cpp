// A build without the mode service: the Mode menu has no "By Application..." item.

#include "app/DialogSet.h"

namespace pad {

bool DialogSet::ModeRulesAvailable() {
    return false;
}

void DialogSet::OpenModeRules() {}

} // namespace pad
