#pragma once
// The texts of the language in force: every text of texts/UiTexts.h in the words of
// the language file found at start-up, or in its built-in English where the file has
// none or no file was found. The windows, the dialogs and the loader take every text
// they show from one such object, through text() and the few named variants below.

#include "texts/LanguageFile.h"
#include "texts/UiTexts.h"

#include <optional>
#include <string>
#include <string_view>

namespace pad {

class Texts {
  public:
    // The built-in English.
    Texts() = default;
    // The words of file where it holds them.
    explicit Texts(LanguageFile file) : file_(std::move(file)) {}

    // LanguageActive: a language file is in force.
    bool languageActive() const { return file_.has_value(); }
    // Its language id; DefaultLanguageId without a file.
    int languageId() const { return file_ ? file_->languageId() : DefaultLanguageId; }

    // The text in the language in force, else its built-in English.
    std::u16string text(const UiText& text) const;
    // A button's text as its tool tip or a screen reader gives it: without the
    // accelerator marks.
    std::u16string plainText(const UiText& text) const;
    // A key label as a screen reader names it: "Key 5: Reload"; key is 0-15.
    std::u16string keyLabelName(int key, std::u16string_view label) const;
    // The question of Save As before it overwrites a file: no language file holds it.
    // With a language file it is the shell's own (texts/ShellStrings.h) where the
    // platform has one, else built in for the common languages besides the English.
    std::u16string overwriteQuestion() const;

  private:
    std::optional<LanguageFile> file_;
};

// The text without its accelerator marks: "&" goes, "&&" becomes "&".
std::u16string WithoutAccelerators(std::u16string_view text);

} // namespace pad
