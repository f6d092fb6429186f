#pragma once
// The help page and the desktop's sound settings.

#include "dialogs/UiServices.h"

namespace pad {

// The help page "CV12HLP.htm" of the program folder.
QString HelpPagePath(const QString& programFolder);
// Opens the page with the desktop's handler; false when the desktop has no program
// that shows it.
bool OpenHelp(UiServices& ui, const QString& page);

// The sound settings programs, in the order they are tried, as a user reads them.
QString SoundSettingsProgramNames();
// Starts the first sound settings program the desktop has; false when there is none
// or it did not start.
bool OpenSoundSettings(UiServices& ui);

} // namespace pad
