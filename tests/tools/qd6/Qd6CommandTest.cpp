// Runs the qd6 program on profile files built byte by byte.
#include "tests/support/ProfileBytes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace pad {
namespace {

using test::ProfileBytes;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string shellQuoted(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string readText(const std::filesystem::path& file) {
    const auto bytes = test::readBytes(file);
    return {bytes.begin(), bytes.end()};
}

class Qd6 : public ::testing::Test {
  protected:
    Outcome run(const std::vector<std::string>& args) {
        std::string command = shellQuoted(QD6_PROGRAM);
        for (const auto& a : args)
            command += " " + shellQuoted(a);
        command += " >" + shellQuoted((dir / "stdout").string()) + " 2>" +
                   shellQuoted((dir / "stderr").string()) + " </dev/null";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readText(dir / "stdout"),
                readText(dir / "stderr")};
    }
    std::string file(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        test::writeBytes(dir / name, bytes);
        return (dir / name).string();
    }

    // Mode B key 2 plays macro 1 "Combo" (L-Shift + A); Mode C key 15 is R-Mouse.
    std::vector<std::uint8_t> handBuiltQd6() {
        auto f = ProfileBytes::qd6(2);
        for (std::size_t r = 0; r < 48; ++r) {
            f.recordAction(r, {}, 0xA0);
            f.recordLabel(r, u"Normal");
        }
        f.recordAction(18, {0x64, 0x01, 0x81, 0xE4}, 0xA1);
        f.recordLabel(18, u"Combo");
        f.kind(18, 11);
        f.recordAction(47, {0x75}, 0xA3);
        f.recordLabel(47, u"R-Mouse");
        f.kind(47, 3);
        f.macroName(0, u"Caf\u00E9");
        f.macroAction(0, {0x06, 0x86}, 0xA0);
        f.macroName(1, u"Combo");
        f.macroAction(1, {0x64, 0x01, 0x81, 0xE4}, 0xA1);
        return f.bytes;
    }

    test::TempDir dir;
};

TEST_F(Qd6, ShowPrintsEveryKeyAndTheMacros) {
    const auto path = file("hand.qd6", handBuiltQd6());
    const Outcome r = run({"show", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(".QD6, 2 macros"), std::string::npos) << r.out;
    for (const char* heading : {"\nMode A\n", "\nMode B\n", "\nMode C\n", "\nMacros\n"})
        EXPECT_NE(r.out.find(heading), std::string::npos) << heading;
    EXPECT_TRUE(std::regex_search(
        r.out, std::regex(R"(\n +3  E +Macro 1 +"Combo" +RepeatWhileHeld +)"
                          R"(L-Shift press, A press, A release, L-Shift release\n)")))
        << r.out;
    EXPECT_TRUE(std::regex_search(
        r.out, std::regex(R"(\n +16  R-Arrow +Mouse button +"R-Mouse" +DirectKey +R-Mouse\n)")))
        << r.out;
    EXPECT_TRUE(std::regex_search(
        r.out, std::regex("\n +0  \"Caf\xC3\xA9\" +PlayOnce +F press, F release\n")))
        << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1 + 3 * 19 + 2 + 2);
}

TEST_F(Qd6, ShowJsonHasTheDocumentedShape) {
    const Outcome r = run({"show", "--json", file("hand.qd6", handBuiltQd6())});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j.size(), 3u);
    EXPECT_EQ(j["magic"], ".QD6");
    ASSERT_EQ(j["slots"].size(), 48u);
    for (int i = 0; i < 48; ++i) {
        EXPECT_EQ(j["slots"][i]["mode"], i / 16);
        EXPECT_EQ(j["slots"][i]["key"], i % 16);
        EXPECT_EQ(j["slots"][i]["events"].size(), 16u);
    }
    const auto& combo = j["slots"][18];
    EXPECT_EQ(combo["kind"], 11);
    EXPECT_EQ(combo["label"], "Combo");
    EXPECT_EQ(combo["playMode"], 0xA1);
    EXPECT_EQ(combo["events"],
              nlohmann::json({0x64, 1, 0x81, 0xE4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(j["slots"][0]["playMode"], 0xA0);
    ASSERT_EQ(j["macros"].size(), 2u);
    EXPECT_EQ(j["macros"][0]["name"], "Caf\u00E9");
    EXPECT_EQ(j["macros"][0]["events"][1], 0x86);
    EXPECT_EQ(j["macros"][1]["playMode"], 0xA1);
}

TEST_F(Qd6, ShowJsonOfAnOlderFile) {
    auto f = ProfileBytes::qd5(0);
    f.recordLabel(35, u"Last old key");
    f.kind(35, 4);
    const Outcome r = run({"show", "--json", file("old.qd6", f.bytes)});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["magic"], ".QD5");
    EXPECT_EQ(j["slots"][2 * 16 + 11]["label"], "Last old key");
    EXPECT_EQ(j["slots"][2 * 16 + 11]["kind"], 4);
    EXPECT_EQ(j["slots"][2 * 16 + 12]["label"], "Normal");
    EXPECT_TRUE(j["macros"].empty());
}

TEST_F(Qd6, ReportsPrintsTheDownloadInHex) {
    const Outcome r = run({"reports", file("hand.qd6", handBuiltQd6())});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);)
        all.push_back(line);
    ASSERT_EQ(all.size(), 240u);
    for (const auto& line : all)
        ASSERT_TRUE(std::regex_match(line, std::regex("03( [0-9a-f]{2}){6} 00"))) << line;
    EXPECT_EQ(all[0], "03 04 00 00 00 00 00 00");
    EXPECT_EQ(all[4], "03 14 00 a0 00 00 00 00");
    // Slot 18 starts at 4 + 17 x 18 = 310 = 0x136.
    EXPECT_EQ(all[90], "03 36 01 64 01 81 e4 00");
    EXPECT_EQ(all[94], "03 46 01 a1 00 00 00 00");
    EXPECT_EQ(all[239], "03 33 03 a3 00 00 00 00");
}

TEST_F(Qd6, NewWritesAFreshProfile) {
    const auto path = dir / "fresh.qd6";
    const Outcome r = run({"new", path.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    auto expected = ProfileBytes::qd6(0);
    for (std::size_t rec = 0; rec < 48; ++rec) {
        expected.recordAction(rec, {}, 0xA0);
        expected.recordLabel(rec, u"Normal");
    }
    EXPECT_EQ(test::readBytes(path), expected.bytes);
}

TEST_F(Qd6, ConvertWritesTheCurrentVersion) {
    auto f = ProfileBytes::qd5(1);
    for (std::size_t rec = 0; rec < 36; ++rec)
        f.recordLabel(rec, u"k" + std::u16string(1, char16_t(u'a' + rec)));
    f.recordAction(13, {0x04, 0x84}, 0xA2);
    f.kind(13, 10);
    f.macroName(0, u"Tap A");
    f.macroAction(0, {0x04, 0x84}, 0xA2);
    const auto in = file("old.qd5", f.bytes);
    const auto out = dir / "new.qd6";
    const Outcome r = run({"convert", in, out.string()});
    ASSERT_EQ(r.status, 0) << r.err;

    const auto b = test::readBytes(out);
    ASSERT_EQ(b.size(), 25568u + 529);
    auto expected = ProfileBytes::qd6(1);
    for (int mode = 0; mode < 3; ++mode)
        for (int key = 0; key < 16; ++key) {
            const std::size_t rec = std::size_t(mode * 16 + key);
            // Keys 0-11 keep the file's (zero) play mode; keys 12-15 are fresh.
            expected.recordAction(rec, {}, key < 12 ? 0x00 : 0xA0);
            expected.recordLabel(
                rec,
                key < 12 ? u"k" + std::u16string(1, char16_t(u'a' + mode * 12 + key)) : u"Normal");
        }
    expected.recordAction(17, {0x04, 0x84}, 0xA2); // old record 13 = Mode B key 1
    expected.kind(17, 10);
    expected.macroName(0, u"Tap A");
    expected.macroAction(0, {0x04, 0x84}, 0xA2);
    EXPECT_EQ(b, expected.bytes);
}

TEST_F(Qd6, NewOverwritesAFileOnlyWithForce) {
    const auto kept = file("kept.qd6", handBuiltQd6());
    const auto dangling = dir / "dangling.qd6";
    std::filesystem::create_symlink(dir / "nowhere.qd6", dangling);
    for (const std::string& existing : {kept, dangling.string()}) {
        const Outcome r = run({"new", existing});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(existing + ": the file exists; give --force to overwrite it"),
                  std::string::npos)
            << r.err;
    }
    EXPECT_EQ(test::readBytes(kept), handBuiltQd6());
    EXPECT_FALSE(std::filesystem::exists(dir / "nowhere.qd6"));
    ASSERT_EQ(run({"new", "--force", kept}).status, 0);
    EXPECT_EQ(test::readBytes(kept).size(), 25568u);
}

TEST_F(Qd6, KeysListsEveryCodeWithItsEvents) {
    const Outcome r = run({"keys"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);)
        all.push_back(line);
    ASSERT_EQ(all.size(), 1u + 0x75);
    EXPECT_EQ(all[0], "Code  Press  Release  Key");
    EXPECT_EQ(all[0x04], "0x04      4      132  D");
    EXPECT_EQ(all[0x29], "0x29     41      169  Space");
    EXPECT_EQ(all[0x75], "0x75    117      245  R-Mouse");
}

TEST_F(Qd6, NewAndConvertKeepHardLinks) {
    const auto target = file("target.qd6", handBuiltQd6());
    const auto other = dir / "other.qd6";
    std::filesystem::create_hard_link(target, other);
    ASSERT_EQ(run({"new", "--force", target}).status, 0);
    EXPECT_EQ(test::readBytes(other).size(), 25568u);
    ASSERT_EQ(run({"convert", file("hand.qd6", handBuiltQd6()), other.string()}).status, 0);
    EXPECT_EQ(test::readBytes(target), handBuiltQd6());
}

TEST_F(Qd6, FailuresNameTheFileAndTheMessage) {
    const auto missing = (dir / "missing.qd6").string();
    Outcome r = run({"show", missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(missing + ": File open for read failed"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());

    ProfileBytes lower(".qd6", 16, 0);
    const auto bad = file("lower.qd6", lower.bytes);
    r = run({"reports", bad});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(bad + ": Unsupported file"), std::string::npos) << r.err;

    const auto fifo = (dir / "fifo.qd6").string(); // refused at once, never waited on
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    r = run({"show", fifo});
    EXPECT_EQ(r.err, "qd6: " + fifo + ": File open for read failed: Not a regular file\n");

    auto truncated = handBuiltQd6();
    truncated.resize(truncated.size() - 1);
    r = run({"show", "--json", file("cut.qd6", truncated)});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Unsupported file"), std::string::npos);

    const auto blocked = (dir / "missing.qd6" / "x.qd6").string();
    test::writeBytes(dir / "plain", {1});
    const auto unwritable = (dir / "plain" / "x.qd6").string();
    r = run({"convert", file("hand.qd6", handBuiltQd6()), unwritable});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(unwritable + ": File open for write failed"), std::string::npos) << r.err;
    r = run({"new", blocked});
    EXPECT_EQ(r.status, 1);
}

// Control characters are shown as escapes, so a profile cannot drive the terminal.
TEST_F(Qd6, ShowEscapesControlCharacters) {
    auto f = ProfileBytes::qd6(1);
    f.recordLabel(0, u"\x1b]0;\"a\\b\"\x07");
    f.macroName(0, u"x\u009b2Jy\n");
    const Outcome r = run({"show", file("escapes.qd6", f.bytes)});
    EXPECT_NE(r.out.find(R"("\x1b]0;\"a\\b\"\x07")"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(R"("x\u009b2Jy\x0a")"), std::string::npos) << r.out;
}

TEST_F(Qd6, WrongUsageExitsWithTwo) {
    EXPECT_EQ(run({}).status, 2);
    const Outcome unknown = run({"frobnicate", "x.qd6"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("\"frobnicate\" is not a command"), std::string::npos)
        << unknown.err;
    EXPECT_EQ(run({"show"}).status, 2);
    EXPECT_EQ(run({"convert", "only-one"}).status, 2);
    EXPECT_EQ(run({"show", "--yaml", "x.qd6"}).status, 2);
    const Outcome help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("convert"), std::string::npos);
}

} // namespace
} // namespace pad
