#pragma once
// Reading the language file ("UILANG.lng"): an INI file whose section "LNG" holds the
// translated texts under their numbers ("0", "1" ... see texts/UiTexts.h). The reader is
// lenient, as language files written by hand need: section and key names without regard to
// case, blanks around keys and values dropped, ';' lines are comments, the first occurrence
// of a key wins, a value in matching quotes loses them, values are cut to 511 units.
//
// Encoding: a byte-order mark selects UTF-16LE, UTF-16BE or UTF-8; without one, valid
// UTF-8 is read as UTF-8, and anything else in the legacy code page of the language
// the file names as its LanguageIdText (Big5 for 1028, 3076 and 5124; GB18030 for 2052 and 4100;
// Shift-JIS for 1041; Korean for 1042; Windows-1252 otherwise).

#include "texts/UiTexts.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace pad {

inline constexpr std::size_t MaxLanguageTextUnits = 511;
inline constexpr int DefaultLanguageId = 1033;
// Far more than any language needs (84 texts of at most 511 units); a larger file is
// refused rather than read into memory.
inline constexpr std::size_t MaxLanguageFileBytes = std::size_t(16) << 20;

class LanguageFile {
  public:
    // nullopt when the file cannot be read: it is missing, is no regular file (a FIFO
    // is refused at once, never waited on) or is larger than MaxLanguageFileBytes;
    // *systemError, when given, then holds the reason (see common/FileAccess.h).
    static std::optional<LanguageFile> load(const std::filesystem::path& path,
                                            int* systemError = nullptr);
    static LanguageFile fromBytes(std::span<const std::uint8_t> bytes);

    // True when text n is present and not empty; out receives it (empty otherwise).
    bool ReadLanguageText(int n, std::u16string& out) const;
    // 1033 unless the LanguageIdText is present; then its number (see ParseLanguageId).
    int languageId() const;

    // The texts by their keys, case folded (see foldedName).
    using Entries = std::unordered_map<std::u16string, std::u16string>;

  private:
    Entries texts_;
};

// A decimal number, read leniently: leading blanks, an optional sign, then the
// leading digits; 0 without digits.
int ParseLanguageId(std::u16string_view text);

struct LanguageFontRow {
    std::u16string name;
    int charset;
    int pointSize;
};
// The font of a language: its own row for 1028, 3076, 4100, 5124, 1041, 1042 and
// 2052, "Arial" (character set 1, 8 points) for any other.
LanguageFontRow FontRowFor(int languageId);

} // namespace pad
