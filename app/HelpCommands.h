#pragma once
// The programs PadConfig starts: the help page's viewer, the desktop's sound settings
// and the loader. On Linux the desktop's (HelpCommands.cpp), on Windows the shell's
// (HelpCommandsWin32.cpp).

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

// Starts the loader Qd6LoaderS of the program folder, hidden until a download runs;
// false when it could not be started.
bool LaunchLoaderProgram(UiServices& ui, const QString& programFolder);

} // namespace pad
