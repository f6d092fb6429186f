#include "dialogs/ModeRuleTexts.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace pad {

QString FieldText(const DialogContext& context, RuleField field) {
    switch (field) {
    case RuleField::App:
        return context.text(AppFieldText);
    case RuleField::Title:
        return context.text(TitleFieldText);
    case RuleField::Exe:
        return context.text(ExeFieldText);
    }
    return {};
}

QString ModeChoiceText(const DialogContext& context, ModeChoice mode) {
    if (!mode)
        return context.text(KeepModeText);
    return FromU16(context.texts.plainText(ModeText(*mode)));
}

void FillModeChoices(QComboBox& box, const DialogContext& context, ModeChoice mode) {
    for (const ModeChoice choice : OfferedModes)
        box.addItem(ModeChoiceText(context, choice));
    const auto at = std::find(OfferedModes.begin(), OfferedModes.end(), mode);
    box.setCurrentIndex(int(at - OfferedModes.begin()));
}

ModeChoice ChosenMode(const QComboBox& box) {
    const int index = box.currentIndex();
    return index >= 0 && std::size_t(index) < OfferedModes.size() ? OfferedModes[std::size_t(index)]
                                                                  : ModeChoice();
}

QLabel* AddLabel(QWidget& parent, const DialogContext& context, const UiText& text,
                 QWidget& control) {
    auto* label = new QLabel(context.text(text), &parent);
    label->setBuddy(&control);
    QString name = FromU16(context.texts.plainText(text)).trimmed();
    while (name.endsWith(u':'))
        name = name.chopped(1).trimmed();
    control.setAccessibleName(name);
    return label;
}

QDialogButtonBox* AddOkCancel(QDialog& dialog, const DialogContext& context) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    ok->setText(context.text(OkText));
    cancel->setText(context.text(CancelText));
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    for (QPushButton* button : {ok, cancel})
        button->setIcon(QIcon()); // plain, as in PadConfig's other dialogs
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace pad
