#pragma once
// The help page and the desktop's sound settings.

#include "dialogs/UiServices.h"

namespace pad {

// Opens "CV12HLP.htm" of the program folder with the desktop's handler.
void OpenHelp(UiServices& ui, const QString& programFolder);
// Starts the first sound settings program the desktop has; none: nothing happens.
void OpenSoundSettings(UiServices& ui);

} // namespace pad
