#pragma once
// What the Macro Editor, the single-key and mouse-button dialogs and the macro manager
// are opened for, and what they end with. The opener applies a result through the
// editing flows; a dialog changes nothing itself.

#include "model/Profile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace pad {

// Why the Macro Editor is opened.
enum EditorPurpose : int {
    PurposeKeyMacro = 0,       // a new macro for the key under the key menu
    PurposeNewMacro = 1,       // the Macro menu's "New Macro"
    PurposeNewFromManager = 2, // the macro manager's "New Macro"
    PurposeEditMacro = 3,      // a stored macro
};

struct EditorRequest {
    // A new macro.
    EditorRequest(EditorPurpose purpose = PurposeNewMacro) : purpose(purpose) {}
    // Macro n of the MacroList, which is macro.
    EditorRequest(std::size_t n, MacroRecord macro)
        : purpose(PurposeEditMacro), macroIndex(n), macro(std::move(macro)) {}

    EditorPurpose purpose;
    // PurposeEditMacro: the macro and where it stands in the MacroList.
    std::size_t macroIndex = 0;
    MacroRecord macro;
};

// What OK in the Macro Editor asks to store.
struct EditorResult {
    std::u16string name;
    KeyAction action; // the working macro's events and the chosen play mode
    bool recorded;    // Rec was pressed: for a key's macro the events replace the key's
};

// What the single-key dialog captures for (CaptureTarget).
enum class CaptureTarget {
    SingleKey, // the key under the key menu gets the captured key
    InsertKey, // the Macro Editor's Insert puts a press and a release of it into its list
};

// What the single-key dialog ends with when left by OK.
struct SingleKeyResult {
    DeviceKeyCode pressCode = 0;  // the last key down; 0 if none
    std::uint8_t releaseCode = 0; // the last key up, OR 0x80; 0 if none
    std::string keyName;          // the last keystroke's name (UTF-8)
    std::u16string label;         // CaptureTarget::SingleKey: the label typed for the key
};

// How the macro manager is opened: from "More..." it offers Assign (AssignRequested).
struct ManagerRequest {
    bool offerAssign = false;
};

} // namespace pad
