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
    for (QLabel* label : keyLabels_)
        label->setFont(font);
}

void TForm1::ApplyLanguage() {
    setFont(language_.Font());
    menuBar()->setFont(language_.Font());
    ApplyKeyLabelFont();
    ApplyMenuTexts();
    ApplyToolTips();
    toolBar_->ApplyLanguage();
    keypadView_->setAccessibleName(language_.Text(KeypadPictureName));
    QString text;
    if (language_.Read(58, text))
        download_->Hidden().loadingLabel->setText(text);
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
    const MainMenus& m = menus_;
    const KeyContextMenu& k = keyMenu_;
    const std::pair<int, QAction*> items[] = {{5, m.newProfile},
                                              {6, m.openProfile},
                                              {7, m.saveProfile},
                                              {8, m.saveProfileAs},
                                              {9, m.download},
                                              {10, m.exit},
                                              {11, m.newMacro},
                                              {12, m.editMacros},
                                              {13, m.about},
                                              {4, m.help},
                                              {16, k.singleKey},
                                              {17, k.newMacro},
                                              {18, k.macroOff},
                                              {19, k.mouseButton},
                                              {20, k.assignDefault},
                                              {46, m.ModeAction(KeypadMode::A)},
                                              {47, m.ModeAction(KeypadMode::B)},
                                              {48, m.ModeAction(KeypadMode::C)},
                                              {88, m.modeRules}};
    QString text;
    for (const auto& [number, item] : items)
        if (language_.Read(number, text))
            item->setText(text);
    const std::pair<int, QMenu*> menus[] = {
        {1, m.fileMenu}, {2, m.modeMenu}, {3, m.macroMenu}, {4, m.helpMenu}};
    for (const auto& [number, menu] : menus)
        if (language_.Read(number, text))
            menu->setTitle(text);
}

// Tool tips show the text without its accelerator mark.
void TForm1::ApplyToolTips() {
    const std::pair<int, QWidget*> tips[] = {{5, toolBar_->NewButton()},
                                             {6, toolBar_->OpenButton()},
                                             {7, toolBar_->SaveButton()},
                                             {4, toolBar_->HelpButton()},
                                             {14, toolBar_->ModeButton(KeypadMode::Normal)},
                                             {15, loadButton_}};
    QString text;
    for (const auto& [number, control] : tips)
        if (language_.Read(number, text)) {
            control->setToolTip(WithoutAccelerators(text));
            control->setAccessibleName(WithoutAccelerators(text));
        }
}

} // namespace pad
