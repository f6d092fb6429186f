// Language texts and fonts: the language file is looked for once, at creation, and
// its texts replace the built-in ones where it holds them.

#include "app/TForm1.h"

#include "app/KeypadView.h"
#include "app/ToolBarStrip.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace pad {

QString TForm1::Text(int n, const QString& builtIn) const {
    QString text;
    return LanguageActive() && language_.Read(n, text) ? text : builtIn;
}

namespace {

std::filesystem::path LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

void TForm1::SelectLanguage() {
    LanguageSearch search =
        options_.languageSearch
            ? *options_.languageSearch
            : LanguageSearchFromEnvironment(
                  {}, ShippedLanguageFolders(LocalPath(QCoreApplication::applicationDirPath())));
    search.programFolder = LocalPath(ProgramFolder());
    language_.Select(search);
    ws_.language.active = language_.Active();
}

void TForm1::ApplyKeyLabelFont() {
    QFont font = language_.Font();
    font.setBold(true);
    for (QLabel* label : TntLabels)
        label->setFont(font);
}

void TForm1::ApplyLanguage() {
    setFont(language_.Font());
    menuBar()->setFont(language_.Font());
    ApplyKeyLabelFont();
    ApplyMenuTexts();
    ApplyToolTips();
    CoolBar1->ApplyLanguage();
    BkImg->setAccessibleName(language_.Text(KeypadPictureName));
    QString text;
    if (language_.Read(58, text))
        download_->LoadingLabel->setText(text);
    ShowViewModeControls();

    // The language's words for the labels the core writes into slots.
    ws_.language.freshLabel = TableText(49).toStdU16String();
    ws_.language.macroOffLabel = TableText(18).toStdU16String();
    ws_.language.disappearLabel = TableText(41).toStdU16String();
    for (int i = 0; i < SlotCount; ++i)
        Profile::setLabel(ws_.profile.slotAt(i), ws_.language.freshLabel);
    // The labels' spoken names in the language from the start.
    RefreshKeyLabels();
}

// Menu captions by text number; an absent text keeps the built-in one.
void TForm1::ApplyMenuTexts() {
    const MainMenus& m = TntMainMenu1;
    const KeyContextMenu& k = TntPopupMenu1;
    const std::pair<int, QAction*> items[] = {
        {5, m.New1},        {6, m.Open1},         {7, m.Save1},          {8, m.SaveAs1},
        {9, m.Import1},     {10, m.Exit1},        {11, m.NewMacro1},     {12, m.EditMarcos1},
        {13, m.About1},     {4, m.Help2},         {16, k.SingeKey1},     {17, k.Marco1},
        {18, k.MacrosOff1}, {19, k.MouseButton1}, {20, k.Default1},      {46, m.ModeA1},
        {47, m.ModeB1},     {48, m.ModeC1},       {88, m.ByApplication1}};
    QString text;
    for (const auto& [number, item] : items)
        if (language_.Read(number, text))
            item->setText(text);
    const std::pair<int, QMenu*> menus[] = {
        {1, m.File1}, {2, m.Mode1}, {3, m.MacroMenu1}, {4, m.Help1}};
    for (const auto& [number, menu] : menus)
        if (language_.Read(number, text))
            menu->setTitle(text);
}

// Tool tips show the text without its accelerator mark.
void TForm1::ApplyToolTips() {
    const std::pair<int, QWidget*> tips[] = {
        {5, CoolBar1->ToolButton4}, {6, CoolBar1->ToolButton5},  {7, CoolBar1->ToolButton6},
        {4, CoolBar1->ToolButton7}, {14, CoolBar1->ToolButton8}, {15, Image5}};
    QString text;
    for (const auto& [number, control] : tips)
        if (language_.Read(number, text)) {
            control->setToolTip(WithoutAccelerators(text));
            control->setAccessibleName(WithoutAccelerators(text));
        }
}

} // namespace pad
