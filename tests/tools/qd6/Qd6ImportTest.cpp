// qd6 import end to end: show --json piped into import gives the same file back, and
// a refused document leaves the output file as it was.
#include "tests/support/ProfileBytes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

namespace pad {
namespace {

using test::ProfileBytes;

const std::string kSamples = PADCONFIG_SAMPLES_DIR;

class Qd6Import : public ::testing::Test {
  protected:
    // Runs a shell command line in which "qd6" is the program; returns its exit status.
    int shell(const std::string& line) {
        std::string command;
        for (char c : line)
            command += c == '@' ? std::string("'" QD6_PROGRAM "'") : std::string(1, c);
        const int raw =
            std::system(("cd '" + dir.path().string() + "' && (" + command + ") 2>stderr").c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::string stderrText() {
        const auto bytes = test::readBytes(dir / "stderr");
        return {bytes.begin(), bytes.end()};
    }
    std::vector<std::uint8_t> bytesOf(const std::string& name) {
        return test::readBytes(dir / name);
    }

    test::TempDir dir;
};

TEST_F(Qd6Import, ShowJsonThenImportGivesTheSameFile) {
    // Labels and a name that UTF-8 cannot spell: lone surrogates of both halves.
    auto f = ProfileBytes::qd6(1);
    f.recordLabel(0, u"\xD800x");
    f.recordLabel(1, u"\U0001F600 \xDFFF");
    f.recordAction(1, {0x0B, 0x8B}, 0xA1);
    f.kind(1, 10);
    f.macroName(0, u"\xDBFF");
    f.macroAction(0, {0x0B, 0x8B}, 0xA1);
    test::writeBytes(dir / "odd.qd6", f.bytes);

    for (const std::string& a : std::vector<std::string>{"odd.qd6", kSamples + "/example.qd6"}) {
        ASSERT_EQ(shell("@ show --json '" + a + "' | @ import - b.qd6"), 0) << stderrText();
        EXPECT_EQ(bytesOf("b.qd6"), test::readBytes(dir / a)) << a;
    }
    ASSERT_EQ(shell("@ show --json '" + kSamples + "/legacy.qd5' >old.json && " +
                    "@ import old.json b.qd6 && @ convert '" + kSamples + "/legacy.qd5' c.qd6"),
              0)
        << stderrText();
    EXPECT_EQ(bytesOf("b.qd6"), bytesOf("c.qd6"));
}

TEST_F(Qd6Import, RefusedInputWritesNothing) {
    ASSERT_EQ(shell("@ show --json '" + kSamples + "/example.qd6' >good.json"), 0);
    struct Case {
        std::string command; // fed to qd6 import FILE OUT
        std::string message;
    };
    const std::vector<Case> cases = {
        {"head -c 100 good.json >cut.json && @ import cut.json",
         "qd6: cut.json: malformed JSON at line 1, column 101: "},
        {"sed 's/\"events\":\\[[0-9]*,/\"events\":[256,/' good.json | @ import -",
         "qd6: <stdin>: /slots/0/events/0: 256 is outside 0-255"},
        {"sed 's/\"mode\":1,\"key\":3,/\"mode\":1,\"key\":2,/' good.json | @ import -",
         "qd6: <stdin>: /slots/19: mode 1 key 2 again, as at /slots/18"},
        {"@ import missing.json", "qd6: missing.json: File open for read failed"},
        {"head -c 300000000 /dev/zero | @ import -", "qd6: <stdin>: more than 256 MiB of JSON"},
        {"printf %099d 0 | tr 0 [ | @ import -", "qd6: <stdin>: nested more than 16 deep"},
        // A folder opens but cannot be read: a message, not an abort.
        {"mkdir -p folder.json && @ import folder.json",
         "qd6: folder.json: File open for read failed"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(shell(c.command + " new.qd6"), 1) << c.command;
        EXPECT_NE(stderrText().find(c.message), std::string::npos) << stderrText();
        EXPECT_FALSE(std::filesystem::exists(dir / "new.qd6")) << c.command;

        test::writeBytes(dir / "old.qd6", {1, 2, 3});
        EXPECT_EQ(shell(c.command + " old.qd6"), 1) << c.command;
        EXPECT_EQ(bytesOf("old.qd6"), std::vector<std::uint8_t>({1, 2, 3})) << c.command;
    }
}

} // namespace
} // namespace pad
