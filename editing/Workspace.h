#pragma once
// The owner of everything one PadConfig run edits: the profile, the selection and
// the document state. Exactly one exists per run; it is created by the program entry
// and handed to the windows by reference.

#include "model/Profile.h"
#include "texts/UiTexts.h"

#include <cstdint>
#include <string>

namespace pad {

// The slot being edited: CurrentMode 0-2 (Mode A-C), CurrentKey 0-15.
struct Selection {
    std::int16_t currentMode = 0;
    std::int16_t currentKey = 0;
    int index() const { return currentMode * KeysPerMode + currentKey; }
};

struct DocumentState {
    bool modifiedFlag = false;  // ModifiedFlag: differs from the last file read or written
    bool captionMarked = false; // CaptionMarked: a "*" was appended since the caption was rebuilt
    // The document's file: what Save writes to and the file dialogs offer; empty while
    // the document is unnamed.
    std::u16string fileName;
};

// What the keypad view shows: -1 Normal mode, 0-2 Mode A-C (ViewMode).
inline constexpr int NormalView = -1;

// The language file's state as far as the core needs it: the texts that the document
// and assignment rules write into slots, and the folder it was looked for in.
struct LanguageState {
    std::u16string programFolder; // ProgramFolder, no trailing separator
    // The labels of an unassigned slot, of Macro Off, and of a key whose macro was deleted.
    std::u16string freshLabel{NormalLabelText.english};
    std::u16string macroOffLabel{MacroOffText.english};
    std::u16string disappearLabel{MacroDisappearText.english};
};

struct Workspace {
    Profile profile{NormalLabelText.english};
    Selection selection;
    DocumentState document;
    int viewMode = NormalView; // ViewMode
    LanguageState language;
};

} // namespace pad
