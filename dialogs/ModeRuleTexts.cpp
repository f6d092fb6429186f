#include "dialogs/ModeRuleTexts.h"

#include "dialogs/DialogTexts.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace pad {

QString FieldText(const DialogHost& host, RuleField field) {
    switch (field) {
    case RuleField::App:
        return RunTimeText(host, AppFieldText);
    case RuleField::Title:
        return RunTimeText(host, TitleFieldText);
    case RuleField::Exe:
        return RunTimeText(host, ExeFieldText);
    }
    return {};
}

QString ModeChoiceText(const DialogHost& host, ModeChoice mode) {
    if (!mode)
        return RunTimeText(host, KeepModeText);
    return WithoutAccelerators(RunTimeText(host, ModeText(*mode)));
}

void FillModeChoices(QComboBox& box, const DialogHost& host, ModeChoice mode) {
    for (const ModeChoice choice : OfferedModes)
        box.addItem(ModeChoiceText(host, choice));
    const auto at = std::find(OfferedModes.begin(), OfferedModes.end(), mode);
    box.setCurrentIndex(int(at - OfferedModes.begin()));
}

ModeChoice ChosenMode(const QComboBox& box) {
    const int index = box.currentIndex();
    return index >= 0 && std::size_t(index) < OfferedModes.size() ? OfferedModes[std::size_t(index)]
                                                                  : ModeChoice();
}

QLabel* AddLabel(QWidget& parent, const DialogHost& host, const UiText& text, QWidget& control) {
    const QString words = RunTimeText(host, text);
    auto* label = new QLabel(words, &parent);
    label->setBuddy(&control);
    QString name = WithoutAccelerators(words).trimmed();
    while (name.endsWith(u':'))
        name = name.chopped(1).trimmed();
    control.setAccessibleName(name);
    return label;
}

QDialogButtonBox* AddOkCancel(QDialog& dialog, const DialogHost& host) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel);
    ok->setText(RunTimeText(host, OkText));
    cancel->setText(RunTimeText(host, CancelText));
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    for (QPushButton* button : {ok, cancel})
        button->setIcon(QIcon()); // plain, as in PadConfig's other dialogs
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace pad
