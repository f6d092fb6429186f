#pragma once
// Texts of PadConfig that the language file's table of numbers 0 to 58 does not
// hold: the keypad's presence, the download's warnings, the macro list's limits,
// the names that screen readers announce, the loader's status window, and help and
// sound settings that could not be opened. Each has a number from 59
// on in the language file and its English text as the built-in form. "%1" in a text stands for a
// file name or a command that the program fills in.

#include "profile/LanguageFile.h"
#include "profile/MacroOps.h"

#include <string>
#include <string_view>

namespace pad {

struct AddedText {
    int number;
    std::u16string_view english;
};

// The presence indicator in the tool bar: its text and its tool tip.
inline constexpr AddedText KeypadConnectedText{59, u"Keypad connected"};
inline constexpr AddedText KeypadConnectedTip{60, u"The Corvask 12 keypad is connected."};
inline constexpr AddedText KeypadAbsentText{61, u"Not connected"};
inline constexpr AddedText KeypadAbsentTip{62, u"No Corvask 12 keypad is connected."};
inline constexpr AddedText KeypadNoAccessText{63, u"No permission"};
inline constexpr AddedText KeypadNoAccessTip{
    64, u"The keypad is plugged in, but PadConfig may not open it."};
inline constexpr AddedText KeypadNoAccessHint{
    65, u"Give your user access to its hidraw device (install PadConfig's udev rule, for "
        u"example with TAG+=\"uaccess\"), then unplug and replug the keypad."};

// Warnings of LOAD.
inline constexpr AddedText NoKeypadWarning{
    66, u"No keypad connected. The profile was not written to the keypad."};
inline constexpr AddedText KeypadLostWarning{
    67, u"The keypad was disconnected during the download. Connect it and press LOAD again."};
inline constexpr AddedText NoAccessWarning{
    68, u"The keypad is connected, but PadConfig is not allowed to write to it. The profile "
        u"was not written to the keypad."};
inline constexpr AddedText UdevRuleAdvice{
    69, u"The udev rule %1 gives access to the keypad: put this line into"};
inline constexpr AddedText UdevReloadAdvice{
    70, u"then run '%1', unplug the keypad and plug it in again."};

// The macro list's limits.
inline constexpr AddedText MacroListFullWarning{71, MacroListFullMessage};
inline constexpr AddedText MacroNotAssignableWarning{72, MacroNotAssignableMessage};

// Names announced by screen readers.
inline constexpr AddedText KeypadPictureName{73, u"Keypad"};
inline constexpr AddedText SoundSettingsName{74, u"Sound settings"};
inline constexpr AddedText CapturedKeyName{75, u"Captured key"};
inline constexpr AddedText KeyLabelName{76, u"Key label"};
inline constexpr AddedText MacrosName{77, u"Macros"};
inline constexpr AddedText MacroNameName{78, u"Macro name"};
inline constexpr AddedText RecordedKeysName{79, u"Recorded keys"};
// A key label's name; %1 is the key's number, and the label's text follows after ": ".
inline constexpr AddedText KeyNumberName{84, u"Key %1"};
// The Macro Editor's and the single-key dialog's description.
inline constexpr AddedText RecordingDescription{
    87, u"While recording, every key goes into the recording. Hold Escape for one second to "
        u"stop; a short Escape is recorded like any other key."};

// The status window of the companion loader Qd6LoaderS; %1 and %2 in text 81 are
// the reports sent and their total.
inline constexpr AddedText LoaderWritingText{80, u"Writing the profile to the keypad"};
inline constexpr AddedText LoaderReportText{81, u"Report %1 of %2"};
inline constexpr AddedText LoaderCompleteText{82, u"Download complete"};
inline constexpr AddedText LoaderWrittenText{83, u"The profile has been written to the keypad."};

// Help and sound settings that could not be opened: %1 is the help page's path, or
// the sound settings programs PadConfig looks for.
inline constexpr AddedText NoHelpViewerWarning{
    85, u"No program to show the help page was found. Install a web browser, or open %1 "
        u"yourself."};
inline constexpr AddedText NoSoundSettingsWarning{
    86, u"No sound settings program was found. PadConfig opens the first of these that is "
        u"installed: %1."};

// The highest text number a complete language file holds.
inline constexpr int LastLanguageTextNumber = 87;

// The text in the words of file where it holds them, else the English; file may be null.
inline std::u16string TextOf(const LanguageFile* file, const AddedText& text) {
    std::u16string words;
    if (file && file->ReadLanguageText(text.number, words))
        return words;
    return std::u16string(text.english);
}

} // namespace pad
