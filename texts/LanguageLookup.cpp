#include "texts/LanguageLookup.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace pad {
namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool AllLetters(const std::string& text, bool digitsToo) {
    for (char c : text)
        if (!IsAsciiLetter(c) && !(digitsToo && c >= '0' && c <= '9'))
            return false;
    return true;
}

const char* FirstSet(std::initializer_list<const char*> values) {
    for (const char* value : values)
        if (value && *value)
            return value;
    return nullptr;
}

} // namespace

std::vector<std::string> LocaleTags(const char* lcAll, const char* lcMessages, const char* lang) {
    const char* value = FirstSet({lcAll, lcMessages, lang});
    if (!value)
        return {};
    std::string name(value);
    name = name.substr(0, name.find_first_of(".@")); // "de_DE.UTF-8@euro" -> "de_DE"
    const std::size_t underscore = name.find('_');
    const std::string language = name.substr(0, underscore);
    const std::string territory =
        underscore == std::string::npos ? std::string() : name.substr(underscore + 1);
    // Only letters and digits reach a file name; "C" and "POSIX" name no language.
    if (language.size() < 2 || language.size() > 3 || !AllLetters(language, false) ||
        (underscore != std::string::npos && (territory.empty() || !AllLetters(territory, true))))
        return {};
    if (territory.empty())
        return {language};
    return {name, language};
}

std::string ShippedLanguageFileName(const std::string& tag) {
    return "UILANG-" + tag + ".lng";
}

std::vector<std::filesystem::path> LanguageFileCandidates(const LanguageSearch& search) {
    std::vector<std::filesystem::path> candidates;
    if (!search.configFolder.empty())
        candidates.push_back(search.configFolder / LanguageFileName);
    if (!search.programFolder.empty())
        candidates.push_back(search.programFolder / LanguageFileName);
    for (const std::string& tag : search.localeTags)
        for (const auto& folder : search.shippedFolders)
            candidates.push_back(folder / ShippedLanguageFileName(tag));
    return candidates;
}

std::optional<FoundLanguageFile> FindLanguageFile(const LanguageSearch& search,
                                                  std::vector<UnusableLanguageFile>* passedOver) {
    for (const auto& candidate : LanguageFileCandidates(search)) {
        int error = 0;
        if (auto file = LanguageFile::load(candidate, &error))
            return FoundLanguageFile{candidate, std::move(*file)};
        if (error != ENOENT && error != ENOTDIR && passedOver)
            passedOver->push_back({candidate, error});
    }
    return std::nullopt;
}

std::vector<std::filesystem::path>
ShippedLanguageFolders(const std::filesystem::path& programFolder) {
    // The installed program lies in lib/padconfig below the prefix; the build tree's
    // in bin/ beside share/.
    return {(programFolder / PADCONFIG_INSTALLED_LANG_DIR).lexically_normal(),
            (programFolder / PADCONFIG_BUILD_LANG_DIR).lexically_normal()};
}

LanguageSearch LanguageSearchFromEnvironment(std::filesystem::path programFolder,
                                             std::vector<std::filesystem::path> shippedFolders) {
    LanguageSearch search;
    search.configFolder = UserSettingsFolder();
    search.programFolder = std::move(programFolder);
    search.shippedFolders = std::move(shippedFolders);
    search.localeTags =
        LocaleTags(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    return search;
}

std::string LocaleNameOfLanguageId(int languageId) {
    switch (languageId) { // the ids whose script or country matters
    case 1028:            // Taiwan
    case 3076:            // Hong Kong
    case 5124:            // Macao
        return "zh_TW";
    case 2052: // China
    case 4100: // Singapore
        return "zh_CN";
    case 1046:
        return "pt_BR";
    case 2068:
        return "nn";
    default:
        break;
    }
    struct Primary {
        int id;
        const char* name;
    };
    static constexpr Primary primaries[] = {
        {0x01, "ar"}, {0x02, "bg"}, {0x03, "ca"}, {0x05, "cs"}, {0x06, "da"}, {0x07, "de"},
        {0x08, "el"}, {0x0A, "es"}, {0x0B, "fi"}, {0x0C, "fr"}, {0x0D, "he"}, {0x0E, "hu"},
        {0x0F, "is"}, {0x10, "it"}, {0x11, "ja"}, {0x12, "ko"}, {0x13, "nl"}, {0x14, "nb"},
        {0x15, "pl"}, {0x16, "pt"}, {0x18, "ro"}, {0x19, "ru"}, {0x1A, "hr"}, {0x1B, "sk"},
        {0x1D, "sv"}, {0x1F, "tr"}, {0x22, "uk"}, {0x24, "sl"}, {0x25, "et"}, {0x26, "lv"},
        {0x27, "lt"}, {0x29, "fa"}, {0x3C, "gd"}};
    for (const Primary& primary : primaries)
        if (primary.id == (languageId & 0x3FF) && languageId > 0 && languageId <= 0xFFFF)
            return primary.name;
    return {};
}

} // namespace pad
