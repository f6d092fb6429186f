#include "modes/rules/ModeRules.h"

#include "modes/rules/Wildcard.h"

#include <array>
#include <utility>

namespace pad {
namespace {

constexpr std::array<std::pair<RuleField, std::string_view>, 3> FieldNames{{
    {RuleField::App, "app"},
    {RuleField::Exe, "exe"},
    {RuleField::Title, "title"},
}};

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

// The executable's name without ".exe" (in any case), or nullopt when it has none.
std::optional<std::string_view> WithoutExeSuffix(std::string_view name) {
    constexpr std::string_view Suffix = ".exe";
    if (name.size() <= Suffix.size() ||
        !EqualIgnoringAsciiCase(name.substr(name.size() - Suffix.size()), Suffix))
        return std::nullopt;
    return name.substr(0, name.size() - Suffix.size());
}

bool RuleMatches(const Rule& rule, const WindowInfo& window) {
    switch (rule.field) {
    case RuleField::App:
        return WildcardMatches(rule.pattern, window.appId) ||
               (!window.instance.empty() && WildcardMatches(rule.pattern, window.instance));
    case RuleField::Exe: {
        if (window.executable.empty())
            return false;
        // Windows names programs with ".exe": "exe:factorio" matches "factorio.exe" too.
        const auto stem = WithoutExeSuffix(window.executable);
        return WildcardMatches(rule.pattern, window.executable) ||
               (stem && WildcardMatches(rule.pattern, *stem));
    }
    case RuleField::Title:
        return WildcardMatches(rule.pattern, window.title);
    }
    return false;
}

RuleMatch MatchWindow(const RuleSet& rules, const WindowInfo& window) {
    for (const auto& entry : rules.rules)
        if (RuleMatches(entry.rule, window))
            return {entry.rule.mode, entry.line, false};
    return {rules.defaultMode, rules.defaultLine, true};
}

} // namespace pad
