#pragma once
// The language file "UILANG.lng" in the program folder, read once at start-up, and
// the font its language asks for.

#include "profile/LanguageFile.h"

#include <QFont>
#include <QString>

#include <optional>

namespace pad {

// The text without its accelerator marks: "&" goes, "&&" becomes "&".
QString WithoutAccelerators(const QString& text);

class LanguageSetup {
  public:
    // SelectLanguage: looks for the file in folder, reads it and chooses the font.
    // True when a language file is active.
    bool Select(const QString& programFolder);

    bool Active() const { return file_.has_value(); }
    QString FilePath() const { return filePath_; }
    int LanguageId() const { return languageId_; }
    // True when text n is present and not empty.
    bool Read(int n, QString& out) const;
    // The LanguageTextTable entry of n; the built-in English text when the file lacks it.
    QString TableText(int n) const { return QString::fromStdU16String(table_.text(n)); }
    const QFont& Font() const { return font_; }

  private:
    std::optional<LanguageFile> file_;
    QString filePath_;
    LanguageTextTable table_;
    int languageId_ = DefaultLanguageId;
    QFont font_;
};

} // namespace pad
