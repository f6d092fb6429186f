#pragma once
// The main window as most tests start it: their own program folder, message boxes and
// file dialogs scripted, no loader, no keypad lock shared with other programs, and
// English texts whatever the user's configuration folder and locale hold.

#include "app/TForm1.h"
#include "tests/support/ScriptedUi.h"

namespace pad::testing {

inline TForm1Options TestWindowOptions(const QString& programFolder, ScriptedUi& ui) {
    TForm1Options options;
    options.programFolder = programFolder;
    options.languageSearch = LanguageSearch{}; // the program folder only
    options.ui = &ui;
    options.startLoader = false;
    options.keypadLock = std::filesystem::path(); // a lock of its own: always free
    return options;
}

} // namespace pad::testing
