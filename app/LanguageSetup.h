#pragma once
// The language file "UILANG.lng", found once at start-up, the font its language asks
// for, and Qt's own translations (file dialogs, standard buttons) in that language.

#include "dialogs/DialogTexts.h"
#include "texts/LanguageFile.h"
#include "texts/LanguageLookup.h"
#include "texts/UiTexts.h"

#include <QFont>
#include <QString>

#include <memory>
#include <optional>

class QTranslator;

namespace pad {

class LanguageSetup {
  public:
    LanguageSetup();
    ~LanguageSetup();

    // SelectLanguage: finds the file, reads it, chooses the font and gives Qt's
    // dialogs the file's language. True when a language file is active.
    bool Select(const LanguageSearch& search);

    bool Active() const { return file_.has_value(); }
    int LanguageId() const { return languageId_; }
    // True when text n is present and not empty.
    bool Read(int n, QString& out) const;
    bool Read(const UiText& text, QString& out) const { return Read(text.number, out); }
    // The LanguageTextTable entry of text; the built-in English when the file lacks it.
    QString TableText(const UiText& text) const {
        return QString::fromStdU16String(table_.text(text));
    }
    const QFont& Font() const { return font_; }
    // A text: the file's where it holds one, else the English.
    QString Text(const UiText& text) const;

  private:
    std::optional<LanguageFile> file_;
    QString filePath_;
    LanguageTextTable table_;
    int languageId_ = DefaultLanguageId;
    QFont font_;
    std::unique_ptr<QTranslator> qtTranslator_;
    QString qtLocale_;

    void InstallQtTranslation();
};

} // namespace pad
