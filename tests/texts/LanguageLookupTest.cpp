// Where the language file is found, how the locale picks a shipped file, and the
// shipped files themselves.

#include "texts/LanguageLookup.h"
#include "common/FileAccess.h"
#include "texts/UiTexts.h"

#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace pad;
namespace fs = std::filesystem;

namespace {

using Tags = std::vector<std::string>;

TEST(LanguageLookup, LocaleTagsFollowLcAllThenLcMessagesThenLang) {
    EXPECT_EQ(LocaleTags(nullptr, nullptr, "de_DE.UTF-8"), (Tags{"de_DE", "de"}));
    EXPECT_EQ(LocaleTags("", "", "de_DE.UTF-8@euro"), (Tags{"de_DE", "de"}));
    EXPECT_EQ(LocaleTags(nullptr, "fr_CA", "de_DE.UTF-8"), (Tags{"fr_CA", "fr"}));
    EXPECT_EQ(LocaleTags("fr", "de_DE", "de_DE"), (Tags{"fr"}));
    // C and POSIX name no language, and they win like any other value.
    EXPECT_EQ(LocaleTags("C", "de_DE", "de_DE"), Tags{});
    EXPECT_EQ(LocaleTags(nullptr, nullptr, "C.UTF-8"), Tags{});
    EXPECT_EQ(LocaleTags(nullptr, nullptr, "POSIX"), Tags{});
    EXPECT_EQ(LocaleTags(nullptr, nullptr, nullptr), Tags{});
    // Nothing but letters and digits reaches a file name.
    EXPECT_EQ(LocaleTags(nullptr, nullptr, "../../etc/passwd"), Tags{});
    EXPECT_EQ(LocaleTags(nullptr, nullptr, "de_/x"), Tags{});
    EXPECT_EQ(LocaleTags(nullptr, nullptr, "de_"), Tags{});
}

#ifndef _WIN32 // Windows has %APPDATA% for it (common/UserFoldersWin32.cpp)
TEST(LanguageLookup, ConfigFolderIsXdgConfigHomeOrDotConfig) {
    EXPECT_EQ(UserConfigFolder("/x/conf", "/home/u"), fs::path("/x/conf/padconfig"));
    EXPECT_EQ(UserConfigFolder(nullptr, "/home/u"), fs::path("/home/u/.config/padconfig"));
    EXPECT_EQ(UserConfigFolder("", "/home/u"), fs::path("/home/u/.config/padconfig"));
    EXPECT_EQ(UserConfigFolder("relative", "/home/u"), fs::path("/home/u/.config/padconfig"));
    EXPECT_EQ(UserConfigFolder(nullptr, nullptr), fs::path());
}
#endif

TEST(LanguageLookup, LanguageIdsNameTheirLocale) {
    EXPECT_EQ(LocaleNameOfLanguageId(1031), "de");
    EXPECT_EQ(LocaleNameOfLanguageId(2055), "de"); // Switzerland
    EXPECT_EQ(LocaleNameOfLanguageId(3084), "fr"); // Canada
    EXPECT_EQ(LocaleNameOfLanguageId(1028), "zh_TW");
    EXPECT_EQ(LocaleNameOfLanguageId(4100), "zh_CN");
    EXPECT_EQ(LocaleNameOfLanguageId(1046), "pt_BR");
    EXPECT_EQ(LocaleNameOfLanguageId(1033), "");
    EXPECT_EQ(LocaleNameOfLanguageId(0), "");
    EXPECT_EQ(LocaleNameOfLanguageId(-1017), "");
}

class LanguageSearchOrder : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("language-lookup-" + std::to_string(::getpid()));
        fs::remove_all(root);
        for (const char* folder : {"config", "program", "shipped"})
            fs::create_directories(root / folder);
        search.configFolder = root / "config";
        search.programFolder = root / "program";
        search.shippedFolders = {root / "missing", root / "shipped"};
        search.localeTags = {"de_AT", "de"};
    }
    void TearDown() override { fs::remove_all(root); }

    void Write(const fs::path& path, const std::string& title) {
        std::ofstream(path) << "[LNG]\n1=" << title << "\n";
    }
    // Text 1 of the file found, "none" without one.
    std::string Found() {
        const auto found = FindLanguageFile(search);
        std::u16string text;
        if (!found)
            return "none";
        found->file.ReadLanguageText(1, text);
        return std::string(text.begin(), text.end());
    }

    fs::path root;
    LanguageSearch search;
};

TEST_F(LanguageSearchOrder, UserFileThenProgramFolderThenShippedFileOfTheLocale) {
    EXPECT_EQ(Found(), "none");
    Write(root / "shipped/UILANG-fr.lng", "fr");
    EXPECT_EQ(Found(), "none");
    Write(root / "shipped/UILANG-de.lng", "de");
    EXPECT_EQ(Found(), "de");
    Write(root / "shipped/UILANG-de_AT.lng", "de_AT");
    EXPECT_EQ(Found(), "de_AT");
    Write(root / "program/UILANG.lng", "program");
    EXPECT_EQ(Found(), "program");
    Write(root / "config/UILANG.lng", "user");
    EXPECT_EQ(Found(), "user");
    EXPECT_EQ(FindLanguageFile(search)->path, root / "config/UILANG.lng");

    search.localeTags.clear(); // C locale: the shipped files are not used
    fs::remove(root / "config/UILANG.lng");
    fs::remove(root / "program/UILANG.lng");
    EXPECT_EQ(Found(), "none");
}

#ifndef _WIN32
// A folder or a FIFO (never waited on) is passed over and named with its reason.
TEST_F(LanguageSearchOrder, SomethingThatIsNotAFileIsPassedOver) {
    fs::create_directory(root / "config/UILANG.lng");
    ASSERT_EQ(::mkfifo((root / "program/UILANG.lng").c_str(), 0600), 0);
    Write(root / "shipped/UILANG-de.lng", "de");
    EXPECT_EQ(Found(), "de");
    std::vector<UnusableLanguageFile> passedOver;
    FindLanguageFile(search, &passedOver);
    ASSERT_EQ(passedOver.size(), 2u);
    EXPECT_EQ(passedOver[1].systemError, NotRegularFileError);
}
#endif

// Every shipped file translates every text, keeps the placeholders and names its
// own language.
TEST(ShippedLanguageFiles, AreCompleteAndNameTheirLanguage) {
    int files = 0;
    for (const auto& entry : fs::directory_iterator(PADCONFIG_LANGUAGE_FILES_DIR)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("UILANG-", 0) != 0)
            continue;
        ++files;
        SCOPED_TRACE(name);
        const auto file = LanguageFile::load(entry.path());
        ASSERT_TRUE(file);
        const std::string tag = name.substr(7, name.size() - 7 - 4);
        EXPECT_EQ(ShippedLanguageFileName(tag), name);
        EXPECT_EQ(LocaleNameOfLanguageId(file->languageId()), tag);
        std::u16string text;
        for (int n = 1; n <= LastLanguageTextNumber; ++n)
            EXPECT_TRUE(n == 54 || file->ReadLanguageText(n, text)) << "text " << n;
        for (const UiText& added :
             {UdevRuleAdvice, UdevReloadAdvice, NoHelpViewerWarning, NoSoundSettingsWarning,
              FollowsStatus, CannotFollowStatus, NoWindowsText, BadPatternWarning,
              UnusableRulesWarning, SkippedLinesNote, ChangedElsewhereQuestion,
              RulesNotSavedWarning, SwitchFailedWarning}) {
            file->ReadLanguageText(added.number, text);
            EXPECT_NE(text.find(u"%1"), std::u16string::npos) << "text " << added.number;
        }
        for (const UiText& added : {CannotFollowStatus, UnusableRulesWarning}) {
            file->ReadLanguageText(added.number, text);
            EXPECT_NE(text.find(u"%2"), std::u16string::npos) << "text " << added.number;
        }
    }
    EXPECT_GE(files, 2);
}

} // namespace
