// The rules file: its lines, the wildcard patterns, which rule decides for a window,
// the edits that keep everything else byte for byte, and the file on disk.

#include "modes/ServiceText.h"
#include "modes/rules/RulesFile.h"
#include "modes/rules/Wildcard.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace pad {
namespace {

using enum KeypadMode;
using Kind = ParsedLine::Kind;

struct LineCase {
    std::string line;
    Kind kind;
    Rule rule = {};           // Kind::Rule; for Kind::Default only its mode counts
    std::string problem = {}; // Kind::Bad: a part of the message
};

const LineCase LineCases[] = {
    {"app:steam_app_570        a", Kind::Rule, {RuleField::App, "steam_app_570", A}},
    {"\tEXE:factorio B   # the factory", Kind::Rule, {RuleField::Exe, "factorio", B}},
    {R"(title:"*Minecraft*" c)", Kind::Rule, {RuleField::Title, "*Minecraft*", C}},
    {R"(title:"Say \"hi\" #1" keep)", Kind::Rule, {RuleField::Title, R"(Say \"hi\" #1)", {}}},
    {"app:x#y normal", Kind::Rule, {RuleField::App, "x#y", Normal}},
    {"default  KEEP # all else", Kind::Default},
    {"   # a comment", Kind::Blank},
    {"", Kind::Blank},
    {"app:foo d", Kind::Bad, {}, "unknown mode \"d\" (normal, a, b, c or keep)"},
    {"class:foo a", Kind::Bad, {}, "unknown field \"class\" (app, exe or title)"},
    {"app=foo a", Kind::Bad, {}, "\"app=foo\" is not FIELD:PATTERN"},
    {"factorio b", Kind::Bad, {}, "\"factorio\" is not FIELD:PATTERN"},
    {"app:foo", Kind::Bad, {}, "no mode after the pattern"},
    {"app:foo # a", Kind::Bad, {}, "no mode after the pattern"},
    {"default", Kind::Bad, {}, "no mode after \"default\""},
    {"app: a", Kind::Bad, {}, "the pattern is empty"},
    {R"(title:"" a)", Kind::Bad, {}, "the pattern is empty"},
    {R"(title:"open a)", Kind::Bad, {}, "closing \" of the pattern is missing"},
    {R"(title:"x"y a)", Kind::Bad, {}, "text right after the closing \""},
    {"app:foo a b", Kind::Bad, {}, "unexpected \"b\" after the mode"},
    {"app:[ab a", Kind::Bad, {}, "no closing ]"},
    {"app:ab\\ a", Kind::Bad, {}, "lone \\"},
    {"app:\xC3\x28 a", Kind::Bad, {}, "not UTF-8 text (byte 5)"},
    {"app:" + std::string(1 << 20, 'x') + " a", Kind::Bad, {}, "1048582 bytes long"},
};

TEST(RuleLines, AreReadOrExplained) {
    for (const LineCase& c : LineCases) {
        SCOPED_TRACE(c.line.substr(0, 60));
        const ParsedLine parsed = ParseRuleLine(c.line);
        ASSERT_EQ(parsed.kind, c.kind) << parsed.problem;
        if (c.kind == Kind::Rule) {
            EXPECT_EQ(parsed.rule, c.rule);
        } else if (c.kind == Kind::Default) {
            EXPECT_EQ(parsed.mode, ModeChoice());
        } else if (c.kind == Kind::Bad) {
            EXPECT_NE(parsed.problem.find(c.problem), std::string::npos) << parsed.problem;
        }
    }
}

TEST(RuleLines, WrittenRulesReadBackAlike) {
    // A near miss is what the pattern would match had a quote or backslash been lost.
    const struct {
        Rule rule;
        const char* sample;
        const char* nearMiss;
    } cases[] = {
        {{RuleField::Title, "Half-Life 2 \"Episode\"", C},
         "half-life 2 \"EPISODE\"",
         "Half-Life 2 Episode"},
        {{RuleField::App, "\"quoted", {}}, "\"quoted", "quoted"},
        {{RuleField::Exe, "wine*[!x]\\*", Normal}, "wine64y*", "wine64y"},
    };
    for (const auto& c : cases) {
        const ParsedLine parsed = ParseRuleLine(FormatRuleLine(c.rule));
        ASSERT_EQ(parsed.kind, Kind::Rule) << FormatRuleLine(c.rule) << ": " << parsed.problem;
        EXPECT_EQ(parsed.rule.mode, c.rule.mode);
        EXPECT_TRUE(WildcardMatches(parsed.rule.pattern, c.sample)) << c.sample;
        EXPECT_FALSE(WildcardMatches(parsed.rule.pattern, c.nearMiss)) << c.nearMiss;
    }
    EXPECT_EQ(FormatRuleLine({RuleField::App, "steam_app_570", A}), "app:steam_app_570        a");
}

TEST(Wildcards, MatchWithoutRegardToCase) {
    const struct {
        const char* pattern;
        const char* text;
        bool matches;
    } cases[] = {
        {"*minecraft*", "Minecraft Launcher", true},
        {"steam_app_*", "steam_app_570", true},
        {"steam_app_?", "steam_app_57", false},
        {"[a-c]x", "Bx", true},
        {"[!a-c]x", "bx", false},
        {"[]]", "]", true},
        {"\\*", "*", true},
        {"\\*", "a", false},
        {"ÉTÉ", "été", true},
        {"a*b*c", "aXbYc", true},
        {"a*b*c", "aXbY", false},
        {"*", "", true},
        {"?", "\xFF", true},
        {"[a-z]", "\xFF", false},
        {"a[", "a[", false},
        // The parts between "*"s: the first at the start, the last at the end, each one
        // between at its first place after the one before.
        {"*ab", "aab", true},
        {"a*a", "a", false},
        {"*a*a*", "aa", true},
        {"*?*", "", false},
        {"*[!x]*", "xxy", true},
        {"*aab*ab", "aaaabab", true},
        {"*ab*ab", "abab", true},
        {"*ab*ab", "aba", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WildcardMatches(c.pattern, c.text), c.matches) << c.pattern << " / " << c.text;
}

// What a file looks like it says is what it says: an invisible byte-order mark is no
// part of the first rule, and a pattern whose [...] reads as bracketed text is
// warned about.
TEST(RulesDocuments, MeanWhatTheyLookLike) {
    const struct {
        std::string bytes;
        std::size_t rules;
        std::string warning; // a part of the one warning, or empty for none
    } cases[] = {
        {"\xEF\xBB\xBF"
         "app:game a\n",
         1, ""},
        {"\xEF\xBB\xBF", 0, ""},
        {R"(title:"Game [Beta]" b)", 1, R"("[Beta]" matches a single character)"},
        {R"(title:"*[DX 11]*" b)", 1, "\\[DX 11]"},
        {"title:Level[1] b", 1, "[1]"},
        {"title:x[Bubble]y b", 1, "[Bubble]"},
        {"app:steam_app_[0-9]* a", 1, ""},
        {"title:[Mm]inecraft* c", 1, ""},
        {"title:level[12] c", 1, ""},
        {"title:*[*]* c", 1, ""},
        {"title:\\[Beta] c", 1, ""},
        {"title:[!ab] c", 1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const RulesDocument document(c.bytes);
        EXPECT_EQ(document.bytes(), c.bytes);
        EXPECT_EQ(document.errors(), std::vector<RuleError>());
        EXPECT_EQ(document.rules().size(), c.rules);
        const auto warnings = document.warnings();
        ASSERT_EQ(warnings.size(), c.warning.empty() ? 0u : 1u);
        if (!c.warning.empty()) {
            EXPECT_NE(warnings[0].message.find(c.warning), std::string::npos)
                << warnings[0].message;
        }
    }
    EXPECT_TRUE(MatchWindow(RulesDocument("\xEF\xBB\xBF"
                                          "app:game a")
                                .ruleSet(),
                            {.appId = "game"})
                    .mode);
}

TEST(RuleSets, FirstMatchingRuleDecides) {
    const RuleSet rules = RulesDocument("exe:* b\n"
                                        "app:navigator c\n"
                                        "title:\"* - Mozilla Firefox\" a\n"
                                        "default normal\n")
                              .ruleSet();
    const struct {
        WindowInfo window;
        RuleMatch match;
    } cases[] = {
        {{.appId = "Firefox", .instance = "Navigator"}, {C, 2, false}},
        {{.appId = "org.mozilla.firefox", .title = "Start - Mozilla Firefox"}, {A, 3, false}},
        {{.appId = "x", .executable = "factorio"}, {B, 1, false}},
        {{.appId = "x"}, {Normal, 4, true}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchWindow(rules, c.window), c.match) << c.window.appId;
}

// Windows names programs with ".exe": a rule names them with or without it.
TEST(RuleSets, ExeRulesMatchWithOrWithoutExe) {
    const RuleSet rules = RulesDocument("exe:factorio a\nexe:steam.exe b\n").ruleSet();
    const struct {
        const char* executable;
        ModeChoice mode;
    } cases[] = {
        {"factorio.exe", A}, {"FACTORIO.EXE", A},      {"factorio", A},     {"steam.exe", B},
        {"steam", {}},       {"factorio.exe.bak", {}}, {"factorioexe", {}}, {".exe", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchWindow(rules, {.appId = "x", .executable = c.executable}).mode, c.mode)
            << c.executable;
}

// A file of comments, a line that cannot be read, a second default, Windows line
// endings and no newline at its end: edits change only the rules' and the default's
// lines.
constexpr const char* UsersFile = "# my games\r\n"
                                  "app:one a   # the first\r\n"
                                  "frobnicate \xFF\r\n"
                                  "app:two b\r\n"
                                  "default c\r\n"
                                  "default a";

TEST(RulesDocuments, EditsKeepEveryOtherLine) {
    const struct {
        const char* name;
        std::function<void(RulesDocument&)> edit;
        std::string bytes;
    } cases[] = {
        {"nothing", [](RulesDocument&) {}, UsersFile},
        {"insert first",
         [](RulesDocument& d) {
             d.insertRule(0, {RuleField::Title, "*a b*", {}});
         },
         "# my games\r\ntitle:\"*a b*\"            keep\r\napp:one a   # the first\r\n"
         "frobnicate \xFF\r\napp:two b\r\ndefault c\r\ndefault a"},
        {"append",
         [](RulesDocument& d) {
             d.insertRule(9, {RuleField::Exe, "x", Normal});
         },
         "# my games\r\napp:one a   # the first\r\nfrobnicate \xFF\r\napp:two b\r\n"
         "exe:x                    normal\r\ndefault c\r\ndefault a"},
        {"replace keeps the comment",
         [](RulesDocument& d) {
             d.replaceRule(0, {RuleField::App, "uno", C});
         },
         "# my games\r\napp:uno                  c   # the first\r\nfrobnicate \xFF\r\n"
         "app:two b\r\ndefault c\r\ndefault a"},
        {"remove", [](RulesDocument& d) { d.removeRule(1); },
         "# my games\r\napp:one a   # the first\r\nfrobnicate \xFF\r\ndefault c\r\ndefault a"},
        {"move down", [](RulesDocument& d) { d.moveRule(0, 1); },
         "# my games\r\napp:two b\r\nfrobnicate \xFF\r\napp:one a   # the first\r\n"
         "default c\r\ndefault a"},
        {"default", [](RulesDocument& d) { d.setDefaultMode({}); },
         "# my games\r\napp:one a   # the first\r\nfrobnicate \xFF\r\napp:two b\r\n"
         "default                  keep\r\ndefault a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RulesDocument document(UsersFile);
        c.edit(document);
        EXPECT_EQ(document.bytes(), c.bytes);
    }
    RulesDocument document(UsersFile);
    EXPECT_EQ(document.errors(),
              (std::vector<RuleError>{{3, "the line is not UTF-8 text (byte 12)"},
                                      {6, "a second default line; the one on line 5 applies"}}));
    EXPECT_TRUE(document.insertRule(0, {RuleField::App, "", A}).has_value());
    // A rule whose line would be too long to read back is refused, not written as a
    // line the service skips.
    const Rule tooLong{RuleField::Title, std::string(MaxRuleLineBytes, 'x'), A};
    EXPECT_TRUE(document.insertRule(0, tooLong).has_value());
    EXPECT_TRUE(document.replaceRule(0, tooLong).has_value());
    EXPECT_EQ(document.bytes(), UsersFile);
    EXPECT_FALSE(document.removeRule(2));
    EXPECT_FALSE(document.moveRule(0, 2));
    RulesDocument fresh("");
    fresh.setDefaultMode(B);
    fresh.insertRule(0, {RuleField::App, "g", A});
    EXPECT_EQ(fresh.bytes(), "app:g                    a\ndefault                  b\n");
}

TEST(RulesFiles, BadFilesSayWhyAndGoodLinesApply) {
    test::TempDir dir;
    EXPECT_FALSE(ReadRulesFile(dir / "missing.conf").exists);
    EXPECT_EQ(ReadRulesFile(dir.path()).failure, "is a folder, not a rules file");

    const std::string text = "app:" + std::string(1 << 19, 'x') + " a\napp:game b\n";
    test::writeBytes(dir / "long.conf", {text.begin(), text.end()});
    const RulesFileContents contents = ReadRulesFile(dir / "long.conf");
    ASSERT_FALSE(contents.failure);
    ASSERT_EQ(contents.document.errors().size(), 1u);
    EXPECT_EQ(contents.document.errors()[0].line, 1u);
    EXPECT_EQ(MatchWindow(contents.document.ruleSet(), {.appId = "GAME"}).mode, B);
}

// A file no person wrote costs little: it is refused as a whole beyond 1 MB or 10,000
// lines, and of its bad lines only the first 100 are told.
TEST(RulesFiles, OnlyFilesAPersonWritesAreRead) {
    test::TempDir dir;
    const struct {
        std::string bytes;
        std::optional<std::string> failure;
    } cases[] = {
        {std::string(MaxRulesFileBytes, '#'), std::nullopt},
        {std::string(MaxRulesFileBytes + 1, '#'), "is larger than 1 MB: not a rules file"},
        {std::string(MaxRulesFileLines - 1, '\n') + "#", std::nullopt},
        {std::string(MaxRulesFileLines, '\n') + "#", "has more than 10000 lines: not a rules file"},
    };
    for (const auto& c : cases) {
        test::writeBytes(dir / "modes.conf", {c.bytes.begin(), c.bytes.end()});
        EXPECT_EQ(ReadRulesFile(dir / "modes.conf").failure, c.failure) << c.bytes.size();
    }
    const std::vector<RuleError> errors(150, {7, "bad"});
    const auto told = DescribeRuleErrors("m.conf", errors, "warning: ", "; skipped");
    ASSERT_EQ(told.size(), MaxToldRuleErrors + 1);
    EXPECT_EQ(told.front(), "m.conf:7: warning: bad; skipped");
    EXPECT_EQ(told.back(), "m.conf: warning: 50 more lines like these");
}

TEST(RulesFiles, SaveReplacesTheLinksTargetAndKeepsItsPermissions) {
    test::TempDir dir;
    const auto target = dir / "real.conf";
    test::writeBytes(target, {'o', 'l', 'd'});
    chmod(target.c_str(), 0640);
    std::filesystem::create_directories(dir / "config");
    std::filesystem::create_symlink(target, dir / "config" / "modes.conf");

    ASSERT_EQ(SaveRulesFile(dir / "config" / "modes.conf", "default a\n"), std::nullopt);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "config" / "modes.conf"));
    EXPECT_EQ(test::readBytes(target),
              (std::vector<std::uint8_t>{'d', 'e', 'f', 'a', 'u', 'l', 't', ' ', 'a', '\n'}));
    struct stat status {};
    stat(target.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);

    ASSERT_EQ(SaveRulesFile(dir / "new" / "padconfig" / "modes.conf", "x"), std::nullopt);
    EXPECT_NE(SaveRulesFile(dir / "real.conf" / "modes.conf", "x"), std::nullopt);
}

} // namespace
} // namespace pad
