// The mode service's decisions: sequences of events and the modes they send.

#include "modes/ModeSwitcher.h"
#include "modes/ServiceText.h"
#include "modes/rules/RulesDocument.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace pad {
namespace {

using enum KeypadMode;

// A keypad that takes every mode unless a download holds it; PadConfig or qd6 set
// modes on it too (setBy).
class FakeKeypad : public KeypadModePort {
  public:
    bool present = true, busy = false;
    std::optional<KeypadMode> last;
    std::vector<KeypadMode> sent;

    bool keypadPresent() const override { return present; }
    std::optional<KeypadMode> lastSetMode() const override { return last; }
    Send sendMode(KeypadMode mode) override {
        if (busy)
            return Send::Busy;
        sent.push_back(mode);
        last = mode;
        return Send::Sent;
    }
};

constexpr const char* Rules = "app:game_a a\n"
                              "app:game_b b\n"
                              "title:*notes* keep\n";

struct Step {
    enum Kind { Focus, Leave, SetBy, Unplug, Plug, Busy, DownloadEnds, Reload } kind;
    std::string text = {}; // Focus: the app id; Reload: the rules
    KeypadMode mode = Normal;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<KeypadMode> sent;
    const char* rules = Rules;
};

// A case shows as its name, in GoogleTest's output and in CTest's list of tests.
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

Step Focus(std::string appId) {
    return {Step::Focus, std::move(appId)};
}

const Case Cases[] = {
    {"a mode is sent once while it stays wanted",
     {Focus("game_a"), Focus("game_b"), Focus("game_b"), Focus("other"), Focus("game_b"),
      Focus("game_a")},
     {A, B, A}},
    {"a mode another program set is followed by the wanted one, even if sent before",
     {Focus("game_b"), Focus("org.padconfig.PadConfig"), {Step::SetBy, "", C}, Focus("game_b")},
     {B, B}},
    {"PadConfig's and the loader's windows leave the mode alone",
     {{Step::SetBy, "", C},
      Focus("org.padconfig.PadConfig"),
      Focus("Corvask 12"),
      Focus("Qd6LoaderS")},
     {},
     "default a\n"},
    {"keep, no rule and a focus leaving every window leave the mode alone",
     {Focus("game_a"), {Step::Focus, "notes"}, Focus("other"), {Step::Leave}, Focus("game_a")},
     {A}},
    {"windows no rule matches get the default",
     {Focus("other"), Focus("game_b"), Focus("other")},
     {Normal, B, Normal},
     "app:game_b b\ndefault normal\n"},
    {"without a keypad the focused window's mode is sent when one appears, every time",
     {{Step::Unplug}, Focus("game_a"), Focus("game_b"), {Step::Plug}, {Step::Unplug}, {Step::Plug}},
     {B, B}},
    {"a keypad appearing while PadConfig has the focus gets nothing",
     {{Step::Unplug}, Focus("org.padconfig.PadConfig"), {Step::Plug}},
     {}},
    {"a focus change during a download takes effect when it ends",
     {Focus("game_a"),
      {Step::Busy},
      Focus("game_b"),
      Focus("other"),
      Focus("game_b"),
      {Step::DownloadEnds}},
     {A, B}},
    {"new rules decide for the focused window at once",
     {Focus("editor"), {Step::Reload, "app:editor c\n"}, {Step::Reload, "app:editor c\n# n\n"}},
     {C}},
};

// On Windows PadConfig's windows have the Qt window classes every Qt program has: its
// windows are known by the program's name, the loader's by its class.
TEST(OwnWindows, AreKnownOnWindowsByProgramOrLoaderClass) {
    const struct {
        WindowInfo window;
        bool own;
    } cases[] = {
        {{.appId = "Qt642QWindowIcon", .executable = "PADCONFIG.EXE"}, true},
        {{.appId = "TQd6LdrSDlg", .executable = "qd6loaders.exe"}, true},
        {{.appId = "TQd6LdrSDlg"}, true},
        {{.appId = "Qt642QWindowIcon", .executable = "game.exe"}, false},
        {{.appId = "x", .executable = "PadConfig.exe.bak"}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsOwnWindow(c.window), c.own) << c.window.appId << " " << c.window.executable;
}

class ModeSwitcherTest : public testing::TestWithParam<Case> {};

TEST_P(ModeSwitcherTest, SendsTheExpectedModes) {
    SCOPED_TRACE(GetParam().name);
    FakeKeypad keypad;
    ModeSwitcher switcher(keypad, RulesDocument(GetParam().rules).ruleSet());
    for (const Step& step : GetParam().steps) {
        switch (step.kind) {
        case Step::Focus:
            switcher.focusChanged({.appId = step.text, .title = step.text});
            break;
        case Step::Leave:
            switcher.focusLeft();
            break;
        case Step::SetBy:
            keypad.last = step.mode;
            break;
        case Step::Unplug:
            keypad.present = false;
            switcher.keypadGone();
            break;
        case Step::Plug:
            keypad.present = true;
            switcher.keypadAppeared();
            break;
        case Step::Busy:
            keypad.busy = true;
            break;
        case Step::DownloadEnds:
            keypad.busy = false;
            switcher.downloadEnded();
            break;
        case Step::Reload:
            switcher.rulesReloaded(RulesDocument(step.text).ruleSet());
            break;
        }
    }
    EXPECT_EQ(keypad.sent, GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(Sequences, ModeSwitcherTest, testing::ValuesIn(Cases));

// Window titles are other programs' text: nothing in them may drive the terminal.
TEST(ServiceText, QuotedTitlesShowControlsC1AndStrayBytesAsEscapes) {
    EXPECT_EQ(QuotedText("a\"b\\c"), R"("a\"b\\c")");
    EXPECT_EQ(QuotedText("\x1b[2J\x7f"), R"("\x1B[2J\x7F")");
    EXPECT_EQ(QuotedText("\xc2\x9b"
                         "31m \xc2\xa0\xc3\xa9"),
              "\"\\u009B31m \xc2\xa0\xc3\xa9\"");
    EXPECT_EQ(QuotedText("\x9b\xff\xc3"), R"("\x9B\xFF\xC3")");
}

} // namespace
} // namespace pad
