#pragma once
// The rules of the mode service: which keypad mode each window wants. A rule matches
// one fact of a window (its application id, its executable or its title) against a
// wildcard pattern and names a mode, or "keep" to leave the keypad as it is; the first
// rule that matches decides, and the default decides for windows no rule matches.
// Qt-free (but for the case folding of the patterns).

#include "common/KeypadMode.h"
#include "modes/rules/Wildcard.h"
#include "modes/rules/WindowInfo.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pad {

// A mode, or nullopt for "keep": leave the keypad in the mode it is in.
using ModeChoice = std::optional<KeypadMode>;

// "normal", "a", "b", "c" or "keep".
std::string_view ModeChoiceName(ModeChoice choice);
// Sets choice to the one a name of the rules file stands for, in any case; false
// when the name stands for none.
bool ReadModeChoice(std::string_view name, ModeChoice& choice);

enum class RuleField {
    App,   // the application id, or on X11 the window class or instance name
    Exe,   // the executable's file name, where the desktop reveals the process
    Title, // the window title
};

// "app", "exe", "title".
std::string_view RuleFieldName(RuleField field);
std::optional<RuleField> RuleFieldFromName(std::string_view name);

struct Rule {
    RuleField field = RuleField::App;
    std::string pattern; // a wildcard pattern (modes/rules/Wildcard.h), never empty
    ModeChoice mode;

    bool operator==(const Rule&) const = default;
};

// What is wrong with a rule (an empty or broken pattern), or nullopt.
std::optional<std::string> RuleProblem(const Rule& rule);
// Why a good rule may not mean what it looks like (a "[Beta]" in its pattern, which
// matches one character, not the text "[Beta]"), or nullopt.
std::optional<std::string> RuleWarning(const Rule& rule);

// The rules of a file, in order, with the lines they stand on (from 1), their patterns
// read once for all the windows they are matched against.
struct RuleSet {
    struct Entry {
        Entry(Rule rule, std::size_t line);
        Rule rule;
        std::size_t line = 0;
        WildcardPattern pattern;
    };
    std::vector<Entry> rules;
    ModeChoice defaultMode;      // keep unless the file says otherwise
    std::size_t defaultLine = 0; // 0: the file has no default line
};

// The choice for a window and where it came from.
struct RuleMatch {
    ModeChoice mode;
    std::size_t line = 0; // the deciding rule's or default's line; 0 for the built-in default
    bool byDefault = true;

    bool operator==(const RuleMatch&) const = default;
};

// The first rule whose pattern matches the window decides. An "app" rule matches the
// application id or the X11 instance name; an "exe" rule matches the executable's
// name, also without an ending ".exe", and never a window whose executable is unknown.
RuleMatch MatchWindow(const RuleSet& rules, const WindowInfo& window);

// PadConfig's and its loader's windows: the Wayland app id of both, and the X11
// classes (also what XWayland windows show as their app id); on Windows the loader's
// window class and the two programs' names.
bool IsOwnWindow(const WindowInfo& window);

} // namespace pad
