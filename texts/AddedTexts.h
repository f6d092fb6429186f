#pragma once
// Texts of PadConfig that the language file's table of numbers 0 to 58 does not
// hold: the keypad's presence, the download's warnings, the macro list's limits,
// the names that screen readers announce, the loader's status window, help and
// sound settings that could not be opened, and the dialog of the mode rules. Each has
// a number from 59 on in the language file and its English text as the built-in form.
// "%1" in a text stands for a file name or a command that the program fills in.

#include "texts/LanguageFile.h"

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

// The macro list's limits: a new macro beyond MacroList::MaxCount, and a macro that
// would have to be given to a key beyond MacroList::MaxAssignableIndex.
inline constexpr AddedText MacroListFullWarning{
    71, u"The macro list is full (65,535 macros). Delete a macro before you add a new one."};
inline constexpr AddedText MacroNotAssignableWarning{
    72, u"This macro cannot be assigned to a key: keys can play only the first 65,526 macros "
        u"of a profile."};

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

// The Mode menu's "By Application..." and its dialog, which edits the rules of the
// mode service padconfig-modes and switches the service on and off. The modes
// themselves are texts 14 and 46 to 48.
inline constexpr AddedText ByApplicationItem{88, u"&By Application..."};
inline constexpr AddedText ModeRulesCaption{89, u"Modes by Application"};
inline constexpr AddedText RulesListLabel{90, u"&Rules (the first that matches decides):"};
inline constexpr AddedText MatchOnColumn{91, u"Match on"};
inline constexpr AddedText PatternColumn{92, u"Pattern"};
inline constexpr AddedText ModeColumn{93, u"Mode"};
inline constexpr AddedText AppFieldText{94, u"Application"};
inline constexpr AddedText TitleFieldText{95, u"Window title"};
inline constexpr AddedText ExeFieldText{96, u"Executable"};
inline constexpr AddedText KeepModeText{97, u"Keep the mode"};
inline constexpr AddedText AddRuleButton{98, u"&Add..."};
inline constexpr AddedText EditRuleButton{99, u"&Edit..."};
inline constexpr AddedText RemoveRuleButton{100, u"Re&move"};
inline constexpr AddedText RuleUpButton{101, u"&Up"};
inline constexpr AddedText RuleDownButton{102, u"Do&wn"};
inline constexpr AddedText DefaultModeLabel{103, u"Windows &no rule matches:"};
inline constexpr AddedText SwitchAutomaticallyText{104, u"&Switch modes automatically"};
inline constexpr AddedText ServiceRunsText{105, u"The mode service padconfig-modes runs."};
inline constexpr AddedText ServiceStoppedText{106,
                                              u"The mode service padconfig-modes does not run."};
// %1 names the desktop; %2 says why its focused window cannot be followed.
inline constexpr AddedText FollowsStatus{
    107, u"Desktop: %1. The keypad's mode follows the focused window there."};
inline constexpr AddedText CannotFollowStatus{
    108, u"Desktop: %1. The focused window cannot be followed there: %2."};
inline constexpr AddedText AddRuleCaption{109, u"Add Rule"};
inline constexpr AddedText EditRuleCaption{110, u"Edit Rule"};
inline constexpr AddedText OpenWindowsLabel{111, u"Open &windows:"};
inline constexpr AddedText MatchOnLabel{112, u"&Match on:"};
inline constexpr AddedText PatternLabel{113, u"&Pattern:"};
inline constexpr AddedText RuleModeLabel{114, u"M&ode:"};
inline constexpr AddedText SearchingWindowsText{115, u"Looking for the open windows..."};
inline constexpr AddedText NoWindowsText{116, u"The open windows cannot be listed: %1"};
inline constexpr AddedText PatternHint{
    117, u"* stands for any text, ? for one character; case does not matter."};
inline constexpr AddedText BadPatternWarning{118, u"This pattern cannot be used: %1"};
// %1 is the rules file, %2 (and %1 of 120) what the system says of it.
inline constexpr AddedText UnusableRulesWarning{119, u"The rules file %1 cannot be used: %2"};
inline constexpr AddedText SkippedLinesNote{
    120, u"Lines of the rules file that cannot be read: %1. They stay in the file as they are."};
inline constexpr AddedText ChangedElsewhereQuestion{
    121, u"The rules file %1 was changed by another program after this window read it. "
         u"Replace it with the rules shown here?"};
inline constexpr AddedText RulesNotSavedWarning{122, u"The rules cannot be saved: %1"};
inline constexpr AddedText SwitchFailedWarning{
    123, u"The mode service cannot be switched on or off: %1"};
inline constexpr AddedText ProbingServiceText{124, u"Looking for the mode service..."};

// The highest text number a complete language file holds.
inline constexpr int LastLanguageTextNumber = 124;

// The text in the words of file where it holds them, else the English; file may be null.
inline std::u16string TextOf(const LanguageFile* file, const AddedText& text) {
    std::u16string words;
    if (file && file->ReadLanguageText(text.number, words))
        return words;
    return std::u16string(text.english);
}

} // namespace pad
