#pragma once
// What the dialogs of the mode rules share: the words for a rule's field and mode in
// the language file's words, the modes in the order they are offered, and labelled
// controls that screen readers name after their label.

#include "dialogs/DialogContext.h"
#include "modes/rules/ModeRules.h"
#include "texts/UiTexts.h"

#include <QString>

#include <array>

class QComboBox;
class QDialog;
class QDialogButtonBox;
class QLabel;
class QWidget;

namespace pad {

// Keep, then the keypad's modes.
inline constexpr std::array<ModeChoice, 5> OfferedModes = {
    ModeChoice(), KeypadMode::Normal, KeypadMode::A, KeypadMode::B, KeypadMode::C};

QString FieldText(const DialogContext& context, RuleField field);
QString ModeChoiceText(const DialogContext& context, ModeChoice mode);

// A combo box of OfferedModes showing mode, and the mode it shows.
void FillModeChoices(QComboBox& box, const DialogContext& context, ModeChoice mode);
ModeChoice ChosenMode(const QComboBox& box);

// A label for control in text's words: its accelerator moves the focus to control,
// whose accessible name is the label's text without the accelerator and the colon.
QLabel* AddLabel(QWidget& parent, const DialogContext& context, const UiText& text,
                 QWidget& control);

// OK, the default button, and Cancel, which rejects the dialog, in the language
// file's words.
QDialogButtonBox* AddOkCancel(QDialog& dialog, const DialogContext& context);

} // namespace pad
