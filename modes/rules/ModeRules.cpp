#include "modes/rules/ModeRules.h"

#include "modes/rules/Wildcard.h"

#include "common/Version.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace pad {
namespace {

constexpr std::array<std::pair<RuleField, std::string_view>, 3> FieldNames{{
    {RuleField::App, "app"},
    {RuleField::Exe, "exe"},
    {RuleField::Title, "title"},
}};

// The loader's window class on Windows, and the programs whose windows are PadConfig's.
constexpr std::string_view LoaderWindowClass = "TQd6LdrSDlg";
constexpr std::string_view OwnPrograms[] = {"PadConfig.exe", "Qd6LoaderS.exe"};

// The executable's name without ".exe" (in any case), or nullopt when it has none.
std::optional<std::string_view> WithoutExeSuffix(std::string_view name) {
    constexpr std::string_view Suffix = ".exe";
    if (name.size() <= Suffix.size() ||
        !EqualIgnoringAsciiCase(name.substr(name.size() - Suffix.size()), Suffix))
        return std::nullopt;
    return name.substr(0, name.size() - Suffix.size());
}

} // namespace

std::string_view ModeChoiceName(ModeChoice choice) {
    return choice ? ModeName(*choice) : std::string_view("keep");
}

bool ReadModeChoice(std::string_view name, ModeChoice& choice) {
    const auto mode = ModeOfName(name);
    if (!mode && !EqualIgnoringAsciiCase(name, "keep"))
        return false;
    choice = mode;
    return true;
}

std::string_view RuleFieldName(RuleField field) {
    for (const auto& [f, name] : FieldNames)
        if (f == field)
            return name;
    return {};
}

std::optional<RuleField> RuleFieldFromName(std::string_view name) {
    for (const auto& [field, fieldName] : FieldNames)
        if (EqualIgnoringAsciiCase(name, fieldName))
            return field;
    return std::nullopt;
}

std::optional<std::string> RuleProblem(const Rule& rule) {
    if (rule.pattern.empty())
        return std::string("the pattern is empty (\"*\" matches every window)");
    if (rule.pattern.find_first_of("\r\n") != std::string::npos)
        return std::string("the pattern holds a line break");
    return WildcardProblem(rule.pattern);
}

std::optional<std::string> RuleWarning(const Rule& rule) {
    const auto set = BracketedTextInPattern(rule.pattern);
    if (!set)
        return std::nullopt;
    const std::string inner = set->substr(1, set->size() - 2);
    return "\"" + *set + "\" matches a single character (one of \"" + inner +
           "\"), not the text \"" + *set + "\": write \\" + *set + " for the brackets";
}

RuleSet::Entry::Entry(Rule rule, std::size_t line)
    : rule(std::move(rule)), line(line), pattern(this->rule.pattern) {}

RuleMatch MatchWindow(const RuleSet& rules, const WindowInfo& window) {
    // Each text is folded once, whatever the number of rules.
    const FoldedText appId(window.appId), instance(window.instance), title(window.title),
        executable(window.executable);
    // Windows names programs with ".exe": "exe:factorio" matches "factorio.exe" too.
    const auto stem = WithoutExeSuffix(window.executable);
    const std::optional<FoldedText> executableStem =
        stem ? std::optional<FoldedText>(FoldedText(*stem)) : std::nullopt;
    for (const auto& entry : rules.rules) {
        const WildcardPattern& pattern = entry.pattern;
        bool matches = false;
        switch (entry.rule.field) {
        case RuleField::App:
            matches =
                pattern.matches(appId) || (!window.instance.empty() && pattern.matches(instance));
            break;
        case RuleField::Exe:
            matches = !window.executable.empty() &&
                      (pattern.matches(executable) ||
                       (executableStem && pattern.matches(*executableStem)));
            break;
        case RuleField::Title:
            matches = pattern.matches(title);
            break;
        }
        if (matches)
            return {entry.rule.mode, entry.line, false};
    }
    return {rules.defaultMode, rules.defaultLine, true};
}

bool IsOwnWindow(const WindowInfo& window) {
    if (window.appId == AppId || window.appId == PadConfigApplicationName ||
        window.appId == LoaderApplicationName || window.appId == LoaderWindowClass)
        return true;
    // On Windows PadConfig's windows have Qt's window classes, which every Qt program
    // shares: its program is known by its name.
    const std::string_view exe = window.executable;
    return std::any_of(std::begin(OwnPrograms), std::end(OwnPrograms),
                       [exe](std::string_view own) { return EqualIgnoringAsciiCase(exe, own); });
}

} // namespace pad
