// What PadConfig's dialog of the mode rules decides without widgets: what OK writes
// into the rules file, the patterns it offers for a window, how the service is
// switched on and off, the status line, and whether the service runs.

#include "common/UserRuntimeFolder.h"
#include "modes/bus/InstanceLock.h"
#include "modes/bus/WindowList.h"
#include "modes/control/RulesEdit.h"
#include "modes/control/ServiceSwitch.h"
#include "modes/focus/FocusStatus.h"
#include "modes/rules/Wildcard.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace pad {
namespace {

using enum KeypadMode;

std::optional<std::string> FileText(const std::filesystem::path& path) {
    if (!std::filesystem::exists(path))
        return std::nullopt;
    const auto bytes = test::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

constexpr const char* UsersRules = "# my games\n"
                                   "app:one a   # the first\n"
                                   "frobnicate\n"
                                   "default b\n";

TEST(RulesEdits, OkWritesOnlyWhatChangedAndKeepsTheRest) {
    const std::string header(NewRulesFileHeader);
    const struct {
        const char* name;
        std::optional<std::string> before; // nullopt: no file
        std::function<void(RulesEdit&)> edit;
        std::optional<std::string> after;
    } cases[] = {
        {"a rule added", UsersRules,
         [](RulesEdit& e) {
             e.document().insertRule(1, {RuleField::Title, "Test [1]", C});
         },
         "# my games\napp:one a   # the first\ntitle:\"Test [1]\"         c\nfrobnicate\n"
         "default b\n"},
        {"the same default", UsersRules, [](RulesEdit& e) { e.setDefaultMode(B); }, UsersRules},
        {"another default", UsersRules, [](RulesEdit& e) { e.setDefaultMode({}); },
         "# my games\napp:one a   # the first\nfrobnicate\ndefault                  keep\n"},
        {"nothing into no file", std::nullopt, [](RulesEdit& e) { e.setDefaultMode({}); },
         std::nullopt},
        {"a first rule", std::nullopt,
         [](RulesEdit& e) {
             e.document().insertRule(0, {RuleField::App, "game", A});
         },
         header + "app:game                 a\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const auto path = dir / "padconfig/modes.conf";
        if (c.before) {
            std::filesystem::create_directories(path.parent_path());
            test::writeBytes(path, {c.before->begin(), c.before->end()});
        }
        RulesEdit edit(path);
        c.edit(edit);
        EXPECT_FALSE(edit.changedElsewhere());
        EXPECT_EQ(edit.save(), std::nullopt);
        EXPECT_EQ(FileText(path), c.after);
    }
}

// Another program's save is noticed, and a file that cannot be read is never written.
TEST(RulesEdits, NeverOverwriteUnseenOrUnreadableFiles) {
    test::TempDir dir;
    RulesEdit edit(dir / "modes.conf");
    edit.document().insertRule(0, {RuleField::App, "game", A});
    test::writeBytes(dir / "modes.conf", {'#', '\n'});
    EXPECT_TRUE(edit.changedElsewhere());

    RulesEdit folder(dir.path());
    ASSERT_TRUE(folder.readFailure());
    folder.document().insertRule(0, {RuleField::App, "game", A});
    EXPECT_TRUE(folder.save().has_value());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path()));
}

TEST(RulesEdits, WindowsGivePatternsThatMatchThemAlone) {
    const WindowInfo window{"steam_app_570", "", "Dota 2 [Vulkan] *beta?", 42, "dota\\2"};
    const WindowInfo x11{"", "navigator", "", {}, ""};
    const struct {
        RuleField field;
        WindowInfo window;
        std::string pattern;
        std::string text; // what the window shows there
    } cases[] = {
        {RuleField::App, window, "steam_app_570", "steam_app_570"},
        {RuleField::Title, window, "Dota 2 \\[Vulkan] \\*beta\\?", window.title},
        {RuleField::Exe, window, "dota\\\\2", "dota\\2"},
        {RuleField::App, x11, "navigator", "navigator"},
        {RuleField::Exe, x11, "", ""},
    };
    for (const auto& c : cases) {
        const std::string pattern = PatternForWindow(c.field, c.window);
        EXPECT_EQ(pattern, c.pattern);
        EXPECT_TRUE(pattern.empty() || WildcardMatches(pattern, c.text)) << pattern;
        EXPECT_FALSE(WildcardMatches(pattern, c.text + "x")) << pattern;
    }
}

// What a switch leaves, from any setup: on, the service runs and starts with every
// graphical session (by the unit where systemd runs the session, else by the autostart
// entry); off, nothing starts it any more and it does not run.
TEST(ServiceSwitches, LeaveTheServiceStartingWithSessionsOrNowhere) {
    using Kind = SwitchStep::Kind;
    struct State {
        ServiceSetup setup;
        bool running;
    };
    // The steps as systemctl and the desktop carry them out.
    const auto apply = [](State s, const std::vector<SwitchStep>& steps) {
        for (const SwitchStep& step : steps) {
            const auto has = [&](const char* word) {
                return std::find(step.arguments.begin(), step.arguments.end(), word) !=
                       step.arguments.end();
            };
            if (step.kind == Kind::Systemctl && (has("enable") || has("disable"))) {
                s.setup.unitEnabled = has("enable");
                s.running = has("--now") ? has("enable") : s.running;
            }
            if (step.kind == Kind::CopyAutostartEntry || step.kind == Kind::RemoveAutostartEntry)
                s.setup.autostartEntry = step.kind == Kind::CopyAutostartEntry;
            if (step.kind == Kind::StartService || step.kind == Kind::StopService)
                s.running = step.kind == Kind::StartService;
        }
        return s;
    };
    for (int bits = 0; bits < 16; ++bits) {
        const ServiceSetup setup{bool(bits & 1), bool(bits & 2), bool(bits & 4)};
        const State before{setup, bool(bits & 8)};
        const State on = apply(before, PlanServiceSwitch(true, setup));
        EXPECT_TRUE(on.running) << bits;
        EXPECT_TRUE(setup.systemdSession ? on.setup.unitEnabled : on.setup.autostartEntry) << bits;
        const State off = apply(before, PlanServiceSwitch(false, setup));
        EXPECT_FALSE(off.running) << bits;
        EXPECT_FALSE(SwitchedOn(off.setup)) << bits;
    }
    EXPECT_TRUE(ReadSystemdSession(0, "active\n"));
    EXPECT_FALSE(ReadUnitEnabled(0, "static\n")); // a unit without [Install] is not switched on
}

TEST(FocusStatuses, NameTheDesktopAndWhyItCannotBeFollowed) {
    const struct {
        DesktopSession session;
        std::string backend, failure;
        FocusStatus status;
    } cases[] = {
        {{"", ":0", "XFCE"}, "X11 (display :0)", "", {"XFCE, X11 (display :0)", true, ""}},
        {{"wayland-0", "", "GNOME"},
         "",
         "enable it",
         {"GNOME, Wayland (wayland-0)", false, "enable it"}},
        {{}, "", "no display", {"no display", false, "no display"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StatusOfSession(c.session, c.backend, c.failure), c.status);
}

// What --list-windows prints (on Windows too, without Qt) is read back as it was
// written, text that is not UTF-8 included; other output is refused.
TEST(WindowLists, AreReadBackAsWritten) {
    WindowInfo game{"Factorio", "", "Factorio \xE2\x80\x94 \"save\"\n"};
    game.pid = 4242;
    game.executable = "factorio.exe";
    const WindowList list{{"Windows", false, "why"}, {game, {"Qt642QWindowIcon", "", "x"}}, ""};
    const auto read = ReadWindowList(WriteWindowList(list));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->status, list.status);
    EXPECT_EQ(read->windows, list.windows);
    const auto latin1 =
        ReadWindowList(WriteWindowList({{"X11", true, ""}, {{"a", "", "\xE9t\xE9"}}, ""}));
    ASSERT_TRUE(latin1);
    EXPECT_EQ(latin1->windows.at(0).title, "\xEF\xBF\xBDt\xEF\xBF\xBD");
    for (const char* output : {"", "not json", "[]", R"({"desktop": "X11", "windows": []})",
                               R"({"desktop": 1, "follows": true, "windows": []})"})
        EXPECT_FALSE(ReadWindowList(output)) << output;
}

// The probe sees the lock's holder without taking the lock.
TEST(ServiceInstances, AreSeenByTheirLock) {
    test::TempDir dir;
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = old ? old : "";
    setenv("XDG_RUNTIME_DIR", dir.path().c_str(), 1);
    EXPECT_EQ(InstanceLock::holder(), std::nullopt);
    {
        InstanceLock::Attempt attempt = InstanceLock::acquire();
        ASSERT_TRUE(attempt.lock) << attempt.failure;
        EXPECT_EQ(InstanceLock::holder(), getpid());
    }
    EXPECT_EQ(InstanceLock::holder(), std::nullopt);
    if (old)
        setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
    else
        unsetenv("XDG_RUNTIME_DIR");
}

// Without XDG_RUNTIME_DIR the locks go into the login manager's folder for the user,
// when it is the user's own and closed to others, so that every program meets there.
TEST(ServiceInstances, MeetInTheSessionFolderWithoutXdgRuntimeDir) {
    test::TempDir base;
    const unsigned uid = unsigned(getuid());
    const std::string own = (base / std::to_string(uid)).string();
    const struct {
        const char* name;
        std::function<void()> make;
        std::string folder;
    } cases[] = {
        {"missing", [] {}, ""},
        {"open to others", [&] { mkdir(own.c_str(), 0755); }, ""},
        {"the user's own", [&] { chmod(own.c_str(), 0700); }, own},
        {"a link to it",
         [&] {
             std::filesystem::rename(own, own + "-real");
             std::filesystem::create_directory_symlink(own + "-real", own);
         },
         ""},
    };
    for (const auto& c : cases) {
        c.make();
        EXPECT_EQ(SessionRuntimeFolder(uid, base.path().string()), c.folder) << c.name;
    }
}

} // namespace
} // namespace pad
