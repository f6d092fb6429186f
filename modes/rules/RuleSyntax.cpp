#include "modes/rules/RuleSyntax.h"

#include "common/Utf16.h"

#include <cstdint>
#include <span>

namespace pad {
namespace {

constexpr std::string_view RuleExample = "a rule reads like \"app:steam_app_570 a\"";
constexpr std::string_view ModeNames = "normal, a, b, c or keep";
// Modes start in this column (from 0), as in the example in the header.
constexpr std::size_t ModeColumn = 25;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(std::string_view line, std::size_t at) {
    while (at < line.size() && IsBlank(line[at]))
        ++at;
    return at;
}

std::size_t WordEnd(std::string_view line, std::size_t at) {
    while (at < line.size() && !IsBlank(line[at]))
        ++at;
    return at;
}

bool AtCommentOrEnd(std::string_view line, std::size_t at) {
    return at == line.size() || line[at] == '#';
}

// A word of the line as a message quotes it: at most 40 characters.
std::string Quoted(std::string_view word) {
    constexpr std::size_t MaxCharacters = 40;
    if (Utf8CharacterCount(word) > MaxCharacters) {
        std::size_t bytes = 0;
        for (std::size_t characters = 0; characters < MaxCharacters - 3; ++characters) {
            ++bytes;
            while (bytes < word.size() && (std::uint8_t(word[bytes]) & 0xC0) == 0x80)
                ++bytes;
        }
        return "\"" + std::string(word.substr(0, bytes)) + "...\"";
    }
    return "\"" + std::string(word) + "\"";
}

std::optional<std::string> TextProblem(std::string_view line) {
    if (line.size() > MaxRuleLineBytes)
        return "the line is " + std::to_string(line.size()) +
               " bytes long; a line of the rules file holds at most " +
               std::to_string(MaxRuleLineBytes);
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(line.data()), line.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto sequence = DecodeUtf8Sequence(bytes.subspan(i));
        if (!sequence)
            return "the line is not UTF-8 text (byte " + std::to_string(i + 1) + ")";
        i += sequence->length;
    }
    return std::nullopt;
}

ParsedLine Bad(std::string problem) {
    ParsedLine parsed;
    parsed.kind = ParsedLine::Kind::Bad;
    parsed.problem = std::move(problem);
    return parsed;
}

// The mode at `at` and what may follow it: nothing but a comment.
ParsedLine ReadMode(std::string_view line, std::size_t at, std::string_view after,
                    ParsedLine parsed) {
    at = SkipBlanks(line, at);
    if (AtCommentOrEnd(line, at))
        return Bad("no mode after " + std::string(after) + " (" + std::string(ModeNames) + ")");
    const std::size_t end = WordEnd(line, at);
    const std::string_view word = line.substr(at, end - at);
    ModeChoice mode;
    if (!ReadModeChoice(word, mode))
        return Bad("unknown mode " + Quoted(word) + " (" + std::string(ModeNames) + ")");
    const std::size_t rest = SkipBlanks(line, end);
    if (!AtCommentOrEnd(line, rest))
        return Bad("unexpected " + Quoted(line.substr(rest, WordEnd(line, rest) - rest)) +
                   " after the mode");
    parsed.mode = mode;
    parsed.rule.mode = mode;
    parsed.commentStart = rest == line.size() ? line.size() : end;
    return parsed;
}

// The pattern that starts at `at`, right after the colon; sets `end` past it.
std::optional<std::string> ReadPattern(std::string_view line, std::size_t at, std::size_t& end,
                                       std::string& problem) {
    if (at < line.size() && line[at] == '"') {
        std::size_t close = at + 1;
        while (close < line.size() && line[close] != '"')
            close += line[close] == '\\' && close + 1 < line.size() ? 2 : 1;
        if (close >= line.size()) {
            problem = "the closing \" of the pattern is missing";
            return std::nullopt;
        }
        end = close + 1;
        if (end < line.size() && !IsBlank(line[end])) {
            problem = "text right after the closing \" of the pattern";
            return std::nullopt;
        }
        return std::string(line.substr(at + 1, close - at - 1));
    }
    end = WordEnd(line, at);
    return std::string(line.substr(at, end - at));
}

std::string PatternText(const std::string& pattern) {
    if (pattern.find_first_of(" \t") == std::string::npos && pattern.front() != '"')
        return pattern;
    std::string quoted = "\"";
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '\\' && i + 1 < pattern.size()) {
            quoted += pattern[i];
            quoted += pattern[++i];
        } else if (pattern[i] == '"') {
            quoted += "\\\"";
        } else {
            quoted += pattern[i];
        }
    }
    return quoted + '"';
}

std::string WithModeColumn(std::string head, ModeChoice mode) {
    const std::size_t width = Utf8CharacterCount(head);
    head.append(width < ModeColumn ? ModeColumn - width : 1, ' ');
    return head + std::string(ModeChoiceName(mode));
}

} // namespace

ParsedLine ParseRuleLine(std::string_view line) {
    if (auto problem = TextProblem(line))
        return Bad(std::move(*problem));
    const std::size_t start = SkipBlanks(line, 0);
    if (AtCommentOrEnd(line, start))
        return {};

    std::size_t nameEnd = start;
    while (nameEnd < line.size() && !IsBlank(line[nameEnd]) &&
           std::string_view(":=\"#").find(line[nameEnd]) == std::string_view::npos)
        ++nameEnd;
    const std::string_view name = line.substr(start, nameEnd - start);

    ParsedLine parsed;
    if (EqualIgnoringAsciiCase(name, "default") &&
        (nameEnd == line.size() || IsBlank(line[nameEnd]) || line[nameEnd] == '#')) {
        parsed.kind = ParsedLine::Kind::Default;
        return ReadMode(line, nameEnd, "\"default\"", parsed);
    }
    if (nameEnd == line.size() || line[nameEnd] != ':')
        return Bad(Quoted(line.substr(start, WordEnd(line, start) - start)) +
                   " is not FIELD:PATTERN; " + std::string(RuleExample));
    const auto field = RuleFieldFromName(name);
    if (!field)
        return Bad("unknown field " + Quoted(name) + " (app, exe or title)");

    std::size_t patternEnd = 0;
    std::string problem;
    auto pattern = ReadPattern(line, nameEnd + 1, patternEnd, problem);
    if (!pattern)
        return Bad(std::move(problem));
    parsed.kind = ParsedLine::Kind::Rule;
    parsed.rule.field = *field;
    parsed.rule.pattern = std::move(*pattern);
    if (auto patternProblem = RuleProblem(parsed.rule))
        return Bad(std::move(*patternProblem));
    return ReadMode(line, patternEnd, "the pattern", std::move(parsed));
}

std::string FormatRuleLine(const Rule& rule) {
    return WithModeColumn(std::string(RuleFieldName(rule.field)) + ":" + PatternText(rule.pattern),
                          rule.mode);
}

std::string FormatDefaultLine(ModeChoice mode) {
    return WithModeColumn("default", mode);
}

} // namespace pad
