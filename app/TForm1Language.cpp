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
    if (language_.Read(LoadingText, text))
        download_->Hidden().loadingLabel->setText(text);
    ShowViewModeControls();

    // The language's words for the labels the core writes into slots.
    ws_.language.freshLabel = TableText(NormalLabelText).toStdU16String();
    ws_.language.macroOffLabel = TableText(MacroOffText).toStdU16String();
    ws_.language.disappearLabel = TableText(MacroDisappearText).toStdU16String();
    for (int i = 0; i < SlotCount; ++i)
        Profile::setLabel(ws_.profile.slotAt(i), ws_.language.freshLabel);
    // The labels' spoken names in the language from the start.
    RefreshKeyLabels();
}

// Menu captions from the language file; an absent text keeps the built-in one.
void TForm1::ApplyMenuTexts() {
    const MainMenus& m = menus_;
    const KeyContextMenu& k = keyMenu_;
    const std::pair<UiText, QAction*> items[] = {{NewText, m.newProfile},
                                                 {OpenText, m.openProfile},
                                                 {SaveText, m.saveProfile},
                                                 {SaveAsText, m.saveProfileAs},
                                                 {ImportText, m.download},
                                                 {ExitText, m.exit},
                                                 {NewMacroText, m.newMacro},
                                                 {EditMacrosText, m.editMacros},
                                                 {AboutText, m.about},
                                                 {HelpMenuText, m.help},
                                                 {SingleKeyText, k.singleKey},
                                                 {KeyNewMacroText, k.newMacro},
                                                 {MacroOffText, k.macroOff},
                                                 {MouseButtonText, k.mouseButton},
                                                 {DefaultText, k.assignDefault},
                                                 {ModeAText, m.ModeAction(KeypadMode::A)},
                                                 {ModeBText, m.ModeAction(KeypadMode::B)},
                                                 {ModeCText, m.ModeAction(KeypadMode::C)},
                                                 {ByApplicationItem, m.modeRules}};
    QString text;
    for (const auto& [entry, item] : items)
        if (language_.Read(entry, text))
            item->setText(text);
    const std::pair<UiText, QMenu*> menus[] = {{FileMenuText, m.fileMenu},
                                               {ModeMenuText, m.modeMenu},
                                               {MacroMenuText, m.macroMenu},
                                               {HelpMenuText, m.helpMenu}};
    for (const auto& [entry, menu] : menus)
        if (language_.Read(entry, text))
            menu->setTitle(text);
}

// Tool tips show the text without its accelerator mark.
void TForm1::ApplyToolTips() {
    const std::pair<UiText, QWidget*> tips[] = {
        {NewText, toolBar_->NewButton()},
        {OpenText, toolBar_->OpenButton()},
        {SaveText, toolBar_->SaveButton()},
        {HelpMenuText, toolBar_->HelpButton()},
        {NormalModeText, toolBar_->ModeButton(KeypadMode::Normal)},
        {LoadText, loadButton_}};
    QString text;
    for (const auto& [entry, control] : tips)
        if (language_.Read(entry, text)) {
            control->setToolTip(WithoutAccelerators(text));
            control->setAccessibleName(WithoutAccelerators(text));
        }
}

} // namespace pad
