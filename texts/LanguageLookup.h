#pragma once
// Where the language file is found. In this order, the first that exists wins:
//   1. the user's own: UILANG.lng in the user's settings folder
//      (common/UserSettingsFolder.h: ~/.config/padconfig, %APPDATA%\PadConfig),
//   2. the one in the program folder: UILANG.lng beside the program,
//   3. the file shipped for the user's locale: UILANG-de_DE.lng, then UILANG-de.lng,
//      in the shipped language folder.
// Without any of them the program stays in its built-in English.

#include "common/UserSettingsFolder.h"
#include "texts/LanguageFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pad {

inline constexpr char LanguageFileName[] = "UILANG.lng";

struct LanguageSearch {
    std::filesystem::path configFolder;  // PadConfig's configuration folder; empty: none
    std::filesystem::path programFolder; // empty: none
    std::vector<std::filesystem::path> shippedFolders;
    std::vector<std::string> localeTags; // most specific first: "de_DE", "de"
};

// The language tags of the locale in force for messages: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty, less its encoding and modifier.
// "de_DE.UTF-8" gives {"de_DE", "de"}, "fr" gives {"fr"}; C, POSIX and anything that
// is not a locale name give none.
std::vector<std::string> LocaleTags(const char* lcAll, const char* lcMessages, const char* lang);

// The name of the file shipped for a locale tag: "UILANG-de.lng".
std::string ShippedLanguageFileName(const std::string& tag);

// Every place the search looks, in its order.
std::vector<std::filesystem::path> LanguageFileCandidates(const LanguageSearch& search);

struct FoundLanguageFile {
    std::filesystem::path path;
    LanguageFile file;
};
struct UnusableLanguageFile {
    std::filesystem::path path;
    int systemError; // why it cannot be read (see common/FileAccess.h)
};
// The first candidate that is a file and can be read; nullopt when there is none.
// Candidates that exist but cannot be read (a FIFO, a folder, an unreadable file) are
// passed over and, when passedOver is given, listed there.
std::optional<FoundLanguageFile>
FindLanguageFile(const LanguageSearch& search,
                 std::vector<UnusableLanguageFile>* passedOver = nullptr);

// The folders that hold the shipped language files, from the folder of the running
// program: share/padconfig/lang of the installed layout and of the build tree.
std::vector<std::filesystem::path>
ShippedLanguageFolders(const std::filesystem::path& programFolder);

// The search of this process: the configuration folder and locale from the
// environment, and the given program and shipped folders.
LanguageSearch LanguageSearchFromEnvironment(std::filesystem::path programFolder,
                                             std::vector<std::filesystem::path> shippedFolders);

// The locale name of a language id ("de" for 1031, "zh_TW" for 1028); empty for
// English and for ids without a known language.
std::string LocaleNameOfLanguageId(int languageId);

} // namespace pad
