// Language texts and fonts: the language file is looked for once, at creation, and
// its texts replace the built-in ones where it holds them.

#include "app/TForm1.h"

#include "app/KeypadView.h"
#include "app/ToolBarStrip.h"
#include "texts/qt/QtPath.h"
#include "texts/qt/QtUtf16.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>

namespace pad {

void TForm1::SelectLanguage() {
    LanguageSearch search =
        options_.languageSearch
            ? *options_.languageSearch
            : LanguageSearchFromEnvironment({}, ShippedLanguageFolders(FileSystemPathOf(
                                                    QCoreApplication::applicationDirPath())));
    search.programFolder = FileSystemPathOf(ProgramFolder());
    language_.Select(search);
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
    menus_.setTexts(texts());
    keyMenu_.setTexts(texts());
    toolBar_->applyTexts();
    loadButton_->setToolTip(FromU16(texts().plainText(LoadText)));
    loadButton_->setAccessibleName(FromU16(texts().plainText(LoadText)));
    keypadView_->setAccessibleName(FromU16(texts().text(KeypadPictureName)));
    download_->Hidden().loadingLabel->setText(FromU16(texts().text(LoadingText)));
    ShowViewModeControls();

    // The language's words for the labels the core writes into slots.
    ws_.language.freshLabel = texts().text(NormalLabelText);
    ws_.language.macroOffLabel = texts().text(MacroOffText);
    ws_.language.disappearLabel = texts().text(MacroDisappearText);
    for (int i = 0; i < SlotCount; ++i)
        Profile::setLabel(ws_.profile.slotAt(i), ws_.language.freshLabel);
    // The labels' spoken names in the language from the start.
    RefreshKeyLabels();
}

} // namespace pad
