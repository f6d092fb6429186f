#pragma once
// The language file "UILANG.lng", found once at start-up, the font its language asks
// for, and Qt's own translations (file dialogs, standard buttons) in that language.

#include "texts/LanguageLookup.h"
#include "texts/Texts.h"

#include <QFont>
#include <QString>

#include <memory>

class QTranslator;

namespace pad {

class LanguageSetup {
  public:
    LanguageSetup();
    ~LanguageSetup();

    // SelectLanguage: finds the file, reads it, chooses the font and gives Qt's
    // dialogs the file's language. True when a language file is active.
    bool Select(const LanguageSearch& search);

    bool Active() const { return texts_.languageActive(); }
    // The texts of the language in force.
    const Texts& texts() const { return texts_; }
    const QFont& Font() const { return font_; }

  private:
    Texts texts_;
    QString filePath_;
    QFont font_;
    std::unique_ptr<QTranslator> qtTranslator_;
    QString qtLocale_;

    void InstallQtTranslation();
};

} // namespace pad
