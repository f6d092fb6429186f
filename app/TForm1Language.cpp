// Language texts and fonts: the language file is looked for once, at creation, and
// its texts replace the built-in ones where it holds them.

#include "app/TForm1.h"

#include "app/LanguageSetup.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolButton>

namespace pad {

bool TForm1::LanguageActive() const {
    return language_->Active();
}

bool TForm1::ReadLanguageText(int n, QString& out) const {
    return language_->Read(n, out);
}

QFont TForm1::LanguageFont() const {
    return language_->Font();
}

QString TForm1::Text(int n, const QString& builtIn) const {
    QString text;
    return LanguageActive() && language_->Read(n, text) ? text : builtIn;
}

QString TForm1::TableText(int n) const {
    return language_->TableText(n);
}

void TForm1::SelectLanguage() {
    language_->Select(ProgramFolder());
    ws_.language.active = language_->Active();
}

void TForm1::ApplyKeyLabelFont() {
    QFont font = language_->Font();
    font.setBold(true);
    for (QLabel* label : keyLabels_)
        label->setFont(font);
}

void TForm1::ApplyLanguage() {
    setFont(language_->Font());
    menuBar()->setFont(language_->Font());
    ApplyKeyLabelFont();

    // Menu captions and tool tips by text number; an absent text keeps the built-in one.
    const struct {
        int number;
        const char* item;
    } captions[] = {{5, "New1"},        {6, "Open1"},         {7, "Save1"},
                    {8, "SaveAs1"},     {9, "Import1"},       {10, "Exit1"},
                    {11, "NewMacro1"},  {12, "EditMarcos1"},  {13, "About1"},
                    {4, "Help2"},       {16, "SingeKey1"},    {17, "Marco1"},
                    {18, "MacrosOff1"}, {19, "MouseButton1"}, {20, "Default1"},
                    {46, "ModeA1"},     {47, "ModeB1"},       {48, "ModeC1"}};
    QString text;
    for (const auto& c : captions)
        if (language_->Read(c.number, text))
            if (QAction* action = findChild<QAction*>(c.item))
                action->setText(text);
    const struct {
        int number;
        const char* menu;
    } menus[] = {{1, "File1"}, {2, "Mode1"}, {3, "MacroMenu1"}, {4, "Help1"}};
    for (const auto& m : menus)
        if (language_->Read(m.number, text))
            if (QMenu* menu = menuBar()->findChild<QMenu*>(m.menu))
                menu->setTitle(text);

    // Tool tips show the text without its accelerator mark.
    auto plain = [](QString t) { return t.remove(QRegularExpression("&(?!&)")); };
    const struct {
        int number;
        const char* control;
    } tips[] = {{5, "ToolButton4"}, {6, "ToolButton5"},  {7, "ToolButton6"},
                {4, "ToolButton7"}, {14, "ToolButton8"}, {15, "Image5"}};
    for (const auto& t : tips)
        if (language_->Read(t.number, text))
            if (QWidget* control = findChild<QWidget*>(t.control)) {
                control->setToolTip(plain(text));
                control->setAccessibleName(plain(text));
            }
    if (language_->Read(58, text))
        LoadingLabel->setText(text);
    ShowViewModeControls();

    // The language's words for the labels the core writes into slots.
    ws_.language.freshLabel = TableText(49).toStdU16String();
    ws_.language.macroOffLabel = TableText(18).toStdU16String();
    ws_.language.disappearLabel = TableText(41).toStdU16String();
    for (int i = 0; i < SlotCount; ++i)
        Profile::setLabel(ws_.profile.slotAt(i), ws_.language.freshLabel);
}

} // namespace pad
