#pragma once
// Every text of PadConfig's windows and messages that a language file may replace:
// its number in the language file and its built-in English, used where the language
// file lacks it or none is loaded. Texts 0 to 58 are the original table; texts from
// 59 on were added later (the keypad's presence, the download's warnings, the macro
// list's limits, the names that screen readers announce, the loader's status window,
// help and sound settings that could not be opened, and the dialog of the mode rules).
// "%1" in a text stands for a file name or a command that the program fills in.
//
// The header depends on nothing but the list of modes, so that the model and the editing rules take
// their built-in labels from here too. Code names a text by its constant, never by its number or by
// a copy of its English.

#include "common/KeypadMode.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace pad {

struct UiText {
    int number;                  // NoLanguageNumber: no language file replaces the text
    std::u16string_view english; // empty for the texts that are not shown (0 and 54)
};

inline constexpr int NoLanguageNumber = -1;

// The language file's language id, a decimal number; read, never shown.
inline constexpr UiText LanguageIdText{0, u""};

// The menu bar. Text 4 is also the Help item; 5 to 7 are also the tool buttons' tips.
inline constexpr UiText FileMenuText{1, u"&File"};
inline constexpr UiText ModeMenuText{2, u"&Mode"};
inline constexpr UiText MacroMenuText{3, u"M&acro"};
inline constexpr UiText HelpMenuText{4, u"&Help"};
inline constexpr UiText NewText{5, u"&New"};
inline constexpr UiText OpenText{6, u"&Open..."};
inline constexpr UiText SaveText{7, u"&Save"};
inline constexpr UiText SaveAsText{8, u"Save &As..."};
inline constexpr UiText ImportText{9, u"&Import"};
inline constexpr UiText ExitText{10, u"E&xit"};
inline constexpr UiText NewMacroText{11, u"New Macro"};
inline constexpr UiText EditMacrosText{12, u"Edit Macros"};
inline constexpr UiText AboutText{13, u"About"};
// The modes' names: the Normal-mode button's tip and the Mode menu's items.
inline constexpr UiText NormalModeText{14, u"Normal mode"};
inline constexpr UiText LoadText{15, u"LOAD"};

// The key menu; 17 is also the macro manager's "New Macro" button, 18 also the label
// Macro Off gives a key, 21 the item that opens the macro manager to choose a macro.
inline constexpr UiText SingleKeyText{16, u"Single Key..."};
inline constexpr UiText KeyNewMacroText{17, u"New Macro..."};
inline constexpr UiText MacroOffText{18, u"Macro Off"};
inline constexpr UiText MouseButtonText{19, u"Mouse Button..."};
inline constexpr UiText DefaultText{20, u"Default"};
inline constexpr UiText MoreText{21, u"More..."};

// The dialogs.
inline constexpr UiText RecText{22, u"Rec"};
inline constexpr UiText OkText{23, u"OK"};
inline constexpr UiText CancelText{24, u"Cancel"};
inline constexpr UiText MacroEditorCaption{25, u"Macro Editor"};
inline constexpr UiText UpText{26, u"Up"};
inline constexpr UiText DownText{27, u"Down"};
inline constexpr UiText DeleteEventText{28, u"Delete"};
inline constexpr UiText InsertText{29, u"Insert"};
inline constexpr UiText MacroManagerCaption{30, u"Macro Manager"};
inline constexpr UiText EditText{31, u"Edit"};
inline constexpr UiText DeleteMacroText{32, DeleteEventText.english};
inline constexpr UiText CloseText{33, u"Close"};
inline constexpr UiText DuplicateMacroNameText{34,
                                               u"Macro already exists, please change macro name."};
inline constexpr UiText DiscardChangesQuestion{
    35, u"Key settings has been modified, you will lost the current settings when you close "
        u"the window without saving. Continue?"};
inline constexpr UiText PlayOnceText{36, u"Play macro one time only"};
inline constexpr UiText RepeatWhileHeldText{37, u"Repeat macro while the key is down"};
inline constexpr UiText RepeatUntilPressedAgainText{38,
                                                    u"Repeat macro until the key is pressed again"};
inline constexpr UiText StopText{39, u"Stop"};
inline constexpr UiText AssignText{40, u"Assign"};
// The label of keys whose macro was deleted.
inline constexpr UiText MacroDisappearText{41, u"Macro Disappear"};
inline constexpr UiText SelectMouseButtonCaption{42, u"Select Mouse Button"};
inline constexpr UiText LeftButtonText{43, u"Left"};
inline constexpr UiText MiddleButtonText{44, u"Middle"};
inline constexpr UiText RightButtonText{45, u"Right"};
inline constexpr UiText ModeAText{46, u"Mode A"};
inline constexpr UiText ModeBText{47, u"Mode B"};
inline constexpr UiText ModeCText{48, u"Mode C"};
// The label of a slot that holds no assignment.
inline constexpr UiText NormalLabelText{49, u"Normal"};
// What a profile file could not do.
inline constexpr UiText OpenForWriteFailedText{50, u"File open for write failed"};
inline constexpr UiText OpenForReadFailedText{51, u"File open for read failed"};
inline constexpr UiText UnsupportedFileText{52, u"Unsupported file"};
// The caption of every warning.
inline constexpr UiText WarningCaptionText{53, u"Warning"};
// Read at start-up with the others, never shown.
inline constexpr UiText UnusedText{54, u""};
inline constexpr UiText NoRoomToInsertText{55, u"Out of 8 keys data, can not insert"};
// The words after a key's name in the Macro Editor's list, which indents them.
inline constexpr UiText PressText{56, u"press"};
inline constexpr UiText ReleaseText{57, u"release"};
// The hidden progress panel's label.
inline constexpr UiText LoadingText{58, u"LOADING ..."};

// The presence indicator in the tool bar: its text and its tool tip.
inline constexpr UiText KeypadConnectedText{59, u"Keypad connected"};
inline constexpr UiText KeypadConnectedTip{60, u"The Corvask 12 keypad is connected."};
inline constexpr UiText KeypadAbsentText{61, u"Not connected"};
inline constexpr UiText KeypadAbsentTip{62, u"No Corvask 12 keypad is connected."};
inline constexpr UiText KeypadNoAccessText{63, u"No permission"};
inline constexpr UiText KeypadNoAccessTip{
    64, u"The keypad is plugged in, but PadConfig may not open it."};
inline constexpr UiText KeypadNoAccessHint{
    65, u"Give your user access to its hidraw device (install PadConfig's udev rule, for "
        u"example with TAG+=\"uaccess\"), then unplug and replug the keypad."};

// Warnings of LOAD.
inline constexpr UiText NoKeypadWarning{
    66, u"No keypad connected. The profile was not written to the keypad."};
inline constexpr UiText KeypadLostWarning{
    67, u"The keypad was disconnected during the download. Connect it and press LOAD again."};
inline constexpr UiText NoAccessWarning{
    68, u"The keypad is connected, but PadConfig is not allowed to write to it. The profile "
        u"was not written to the keypad."};
inline constexpr UiText UdevRuleAdvice{
    69, u"The udev rule %1 gives access to the keypad: put this line into"};
inline constexpr UiText UdevReloadAdvice{70,
                                         u"then run '%1', unplug the keypad and plug it in again."};

// The macro list's limits: a new macro beyond MacroList::MaxCount, and a macro that
// would have to be given to a key beyond MacroList::MaxAssignableIndex.
inline constexpr UiText MacroListFullWarning{
    71, u"The macro list is full (65,535 macros). Delete a macro before you add a new one."};
inline constexpr UiText MacroNotAssignableWarning{
    72, u"This macro cannot be assigned to a key: keys can play only the first 65,526 macros "
        u"of a profile."};

// Names announced by screen readers.
inline constexpr UiText KeypadPictureName{73, u"Keypad"};
inline constexpr UiText SoundSettingsName{74, u"Sound settings"};
inline constexpr UiText CapturedKeyName{75, u"Captured key"};
inline constexpr UiText KeyLabelName{76, u"Key label"};
inline constexpr UiText MacrosName{77, u"Macros"};
inline constexpr UiText MacroNameName{78, u"Macro name"};
inline constexpr UiText RecordedKeysName{79, u"Recorded keys"};
// A key label's name; %1 is the key's number, and the label's text follows after ": ".
inline constexpr UiText KeyNumberName{84, u"Key %1"};
// The Macro Editor's and the single-key dialog's description.
inline constexpr UiText RecordingDescription{
    87, u"While recording, every key goes into the recording. Hold Escape for one second to "
        u"stop; a short Escape is recorded like any other key."};

// The status window of the companion loader Qd6LoaderS; %1 and %2 in text 81 are
// the reports sent and their total.
inline constexpr UiText LoaderWritingText{80, u"Writing the profile to the keypad"};
inline constexpr UiText LoaderReportText{81, u"Report %1 of %2"};
inline constexpr UiText LoaderCompleteText{82, u"Download complete"};
inline constexpr UiText LoaderWrittenText{83, u"The profile has been written to the keypad."};

// Help and sound settings that could not be opened: %1 is the help page's path, or
// the sound settings programs PadConfig looks for.
inline constexpr UiText NoHelpViewerWarning{
    85, u"No program to show the help page was found. Install a web browser, or open %1 "
        u"yourself."};
inline constexpr UiText NoSoundSettingsWarning{
    86, u"No sound settings program was found. PadConfig opens the first of these that is "
        u"installed: %1."};

// The Mode menu's "By Application..." and its dialog, which edits the rules of the
// mode service padconfig-modes and switches the service on and off. The modes
// themselves are texts 14 and 46 to 48.
inline constexpr UiText ByApplicationItem{88, u"&By Application..."};
inline constexpr UiText ModeRulesCaption{89, u"Modes by Application"};
inline constexpr UiText RulesListLabel{90, u"&Rules (the first that matches decides):"};
inline constexpr UiText MatchOnColumn{91, u"Match on"};
inline constexpr UiText PatternColumn{92, u"Pattern"};
inline constexpr UiText ModeColumn{93, u"Mode"};
inline constexpr UiText AppFieldText{94, u"Application"};
inline constexpr UiText TitleFieldText{95, u"Window title"};
inline constexpr UiText ExeFieldText{96, u"Executable"};
inline constexpr UiText KeepModeText{97, u"Keep the mode"};
inline constexpr UiText AddRuleButton{98, u"&Add..."};
inline constexpr UiText EditRuleButton{99, u"&Edit..."};
inline constexpr UiText RemoveRuleButton{100, u"Re&move"};
inline constexpr UiText RuleUpButton{101, u"&Up"};
inline constexpr UiText RuleDownButton{102, u"Do&wn"};
inline constexpr UiText DefaultModeLabel{103, u"Windows &no rule matches:"};
inline constexpr UiText SwitchAutomaticallyText{104, u"&Switch modes automatically"};
inline constexpr UiText ServiceRunsText{105, u"The mode service padconfig-modes runs."};
inline constexpr UiText ServiceStoppedText{106, u"The mode service padconfig-modes does not run."};
// %1 names the desktop; %2 says why its focused window cannot be followed.
inline constexpr UiText FollowsStatus{
    107, u"Desktop: %1. The keypad's mode follows the focused window there."};
inline constexpr UiText CannotFollowStatus{
    108, u"Desktop: %1. The focused window cannot be followed there: %2."};
inline constexpr UiText AddRuleCaption{109, u"Add Rule"};
inline constexpr UiText EditRuleCaption{110, u"Edit Rule"};
inline constexpr UiText OpenWindowsLabel{111, u"Open &windows:"};
inline constexpr UiText MatchOnLabel{112, u"&Match on:"};
inline constexpr UiText PatternLabel{113, u"&Pattern:"};
inline constexpr UiText RuleModeLabel{114, u"M&ode:"};
inline constexpr UiText SearchingWindowsText{115, u"Looking for the open windows..."};
inline constexpr UiText NoWindowsText{116, u"The open windows cannot be listed: %1"};
inline constexpr UiText PatternHint{
    117, u"* stands for any text, ? for one character, [...] for one of the characters "
         u"between the brackets; \\[ stands for a bracket itself. Case does not matter."};
inline constexpr UiText BadPatternWarning{118, u"This pattern cannot be used: %1"};
// %1 is the rules file, %2 (and %1 of 120) what the system says of it.
inline constexpr UiText UnusableRulesWarning{119, u"The rules file %1 cannot be used: %2"};
inline constexpr UiText SkippedLinesNote{
    120, u"Lines of the rules file that cannot be read: %1. They stay in the file as they are."};
inline constexpr UiText ChangedElsewhereQuestion{
    121, u"The rules file %1 was changed by another program after this window read it. "
         u"Replace it with the rules shown here?"};
inline constexpr UiText RulesNotSavedWarning{122, u"The rules cannot be saved: %1"};
inline constexpr UiText SwitchFailedWarning{123,
                                            u"The mode service cannot be switched on or off: %1"};
inline constexpr UiText ProbingServiceText{124, u"Looking for the mode service..."};

// Texts whose built-in form differs from the numbered text a language file gives them:
// the single-key dialog's caption (text 16 without its dots), the Help menu's item
// (text 4 without its accelerator), the Open button's tool tip (text 6 without its
// dots) and the macro manager's New Macro button (text 17 with the Macro menu item's
// words).
inline constexpr UiText SingleKeyCaption{16, u"Single Key"};
inline constexpr UiText HelpItemText{4, u"Help"};
inline constexpr UiText OpenTip{6, u"Open"};
inline constexpr UiText ManagerNewMacroText{17, NewMacroText.english};

// Texts that no language file replaces: the window caption's start (the document's
// file name follows), the hidden "Real Write" check box of the download, and the About
// box.
inline constexpr UiText CaptionPrefixText{NoLanguageNumber, u"Corvask 12 - "};
inline constexpr UiText RealWriteText{NoLanguageNumber, u"Real Write"};
inline constexpr UiText ProductNameText{NoLanguageNumber, u"Corvask 12 Gaming Keypad"};
inline constexpr UiText VersionText{NoLanguageNumber, u"Version"};
inline constexpr UiText LicenceText{NoLanguageNumber, u"Licensed under GPL-3.0-or-later"};

// The question of Save As before it overwrites a file. No language file holds it; the
// program carries it in the common languages (Texts::overwriteQuestion).
inline constexpr std::u16string_view OverwriteQuestionText =
    u"A file with the name your specified already exists. Specify a different file name.";

// The highest text number a complete language file holds.
inline constexpr int LastLanguageTextNumber = 124;

// Every text, in the order of its number.
inline constexpr std::array<UiText, LastLanguageTextNumber + 1> UiTexts = {
    LanguageIdText,
    FileMenuText,
    ModeMenuText,
    MacroMenuText,
    HelpMenuText,
    NewText,
    OpenText,
    SaveText,
    SaveAsText,
    ImportText,
    ExitText,
    NewMacroText,
    EditMacrosText,
    AboutText,
    NormalModeText,
    LoadText,
    SingleKeyText,
    KeyNewMacroText,
    MacroOffText,
    MouseButtonText,
    DefaultText,
    MoreText,
    RecText,
    OkText,
    CancelText,
    MacroEditorCaption,
    UpText,
    DownText,
    DeleteEventText,
    InsertText,
    MacroManagerCaption,
    EditText,
    DeleteMacroText,
    CloseText,
    DuplicateMacroNameText,
    DiscardChangesQuestion,
    PlayOnceText,
    RepeatWhileHeldText,
    RepeatUntilPressedAgainText,
    StopText,
    AssignText,
    MacroDisappearText,
    SelectMouseButtonCaption,
    LeftButtonText,
    MiddleButtonText,
    RightButtonText,
    ModeAText,
    ModeBText,
    ModeCText,
    NormalLabelText,
    OpenForWriteFailedText,
    OpenForReadFailedText,
    UnsupportedFileText,
    WarningCaptionText,
    UnusedText,
    NoRoomToInsertText,
    PressText,
    ReleaseText,
    LoadingText,
    KeypadConnectedText,
    KeypadConnectedTip,
    KeypadAbsentText,
    KeypadAbsentTip,
    KeypadNoAccessText,
    KeypadNoAccessTip,
    KeypadNoAccessHint,
    NoKeypadWarning,
    KeypadLostWarning,
    NoAccessWarning,
    UdevRuleAdvice,
    UdevReloadAdvice,
    MacroListFullWarning,
    MacroNotAssignableWarning,
    KeypadPictureName,
    SoundSettingsName,
    CapturedKeyName,
    KeyLabelName,
    MacrosName,
    MacroNameName,
    RecordedKeysName,
    LoaderWritingText,
    LoaderReportText,
    LoaderCompleteText,
    LoaderWrittenText,
    KeyNumberName,
    NoHelpViewerWarning,
    NoSoundSettingsWarning,
    RecordingDescription,
    ByApplicationItem,
    ModeRulesCaption,
    RulesListLabel,
    MatchOnColumn,
    PatternColumn,
    ModeColumn,
    AppFieldText,
    TitleFieldText,
    ExeFieldText,
    KeepModeText,
    AddRuleButton,
    EditRuleButton,
    RemoveRuleButton,
    RuleUpButton,
    RuleDownButton,
    DefaultModeLabel,
    SwitchAutomaticallyText,
    ServiceRunsText,
    ServiceStoppedText,
    FollowsStatus,
    CannotFollowStatus,
    AddRuleCaption,
    EditRuleCaption,
    OpenWindowsLabel,
    MatchOnLabel,
    PatternLabel,
    RuleModeLabel,
    SearchingWindowsText,
    NoWindowsText,
    PatternHint,
    BadPatternWarning,
    UnusableRulesWarning,
    SkippedLinesNote,
    ChangedElsewhereQuestion,
    RulesNotSavedWarning,
    SwitchFailedWarning,
    ProbingServiceText,
};

constexpr bool NumberedInOrder() {
    for (std::size_t i = 0; i < UiTexts.size(); ++i)
        if (UiTexts[i].number != int(i))
            return false;
    return true;
}
static_assert(NumberedInOrder(), "each text stands at the place of its number");

// The name of a mode: Normal mode, Mode A ...
constexpr const UiText& ModeText(KeypadMode mode) {
    constexpr std::array<const UiText*, KeypadModes.size()> names = {&NormalModeText, &ModeAText,
                                                                     &ModeBText, &ModeCText};
    return *names[std::size_t(mode)];
}

} // namespace pad
