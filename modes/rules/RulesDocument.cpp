#include "modes/rules/RulesDocument.h"

#include <algorithm>

namespace pad {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

} // namespace

RulesDocument::RulesDocument(std::string_view bytes) {
    if (bytes.starts_with(ByteOrderMark)) {
        byteOrderMark_ = ByteOrderMark;
        bytes.remove_prefix(ByteOrderMark.size());
    }
    while (!bytes.empty()) {
        const std::size_t newline = bytes.find('\n');
        std::string_view text = bytes.substr(0, newline);
        std::string ending;
        if (newline != std::string_view::npos) {
            ending = "\n";
            if (!text.empty() && text.back() == '\r') {
                text.remove_suffix(1);
                ending = "\r\n";
            }
        }
        Line line;
        line.ending = ending;
        setText(line, std::string(text));
        lines_.push_back(std::move(line));
        bytes.remove_prefix(text.size() + ending.size());
    }
}

void RulesDocument::setText(Line& line, std::string text) {
    line.text = std::move(text);
    line.parsed = ParseRuleLine(line.text);
}

std::vector<std::size_t> RulesDocument::ruleLines() const {
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].parsed.kind == ParsedLine::Kind::Rule)
            indices.push_back(i);
    return indices;
}

std::optional<std::size_t> RulesDocument::defaultLine() const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].parsed.kind == ParsedLine::Kind::Default)
            return i;
    return std::nullopt;
}

std::vector<Rule> RulesDocument::rules() const {
    std::vector<Rule> rules;
    for (const std::size_t i : ruleLines())
        rules.push_back(lines_[i].parsed.rule);
    return rules;
}

ModeChoice RulesDocument::defaultMode() const {
    const auto line = defaultLine();
    return line ? lines_[*line].parsed.mode : ModeChoice();
}

RuleSet RulesDocument::ruleSet() const {
    RuleSet set;
    for (const std::size_t i : ruleLines())
        set.rules.push_back({lines_[i].parsed.rule, i + 1});
    if (const auto line = defaultLine()) {
        set.defaultMode = lines_[*line].parsed.mode;
        set.defaultLine = *line + 1;
    }
    return set;
}

std::vector<RuleError> RulesDocument::errors() const {
    std::vector<RuleError> errors;
    const auto firstDefault = defaultLine();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine& parsed = lines_[i].parsed;
        if (parsed.kind == ParsedLine::Kind::Bad)
            errors.push_back({i + 1, parsed.problem});
        else if (parsed.kind == ParsedLine::Kind::Default && i != firstDefault)
            errors.push_back({i + 1, "a second default line; the one on line " +
                                         std::to_string(*firstDefault + 1) + " applies"});
    }
    return errors;
}

std::vector<RuleError> RulesDocument::warnings() const {
    std::vector<RuleError> warnings;
    for (const std::size_t i : ruleLines())
        if (auto warning = RuleWarning(lines_[i].parsed.rule))
            warnings.push_back({i + 1, std::move(*warning)});
    return warnings;
}

void RulesDocument::insertLine(std::size_t at, std::string text) {
    // New lines end the way the file's lines end.
    std::string ending = "\n";
    for (const Line& line : lines_)
        if (!line.ending.empty()) {
            ending = line.ending;
            break;
        }
    if (at > 0 && lines_[at - 1].ending.empty())
        lines_[at - 1].ending = ending;
    Line line;
    line.ending = ending;
    setText(line, std::move(text));
    lines_.insert(lines_.begin() + std::ptrdiff_t(at), std::move(line));
}

namespace {

// What keeps text from being read back as a rule line (a pattern too long for a line
// of the file), or nullopt.
std::optional<std::string> RuleLineProblem(const std::string& text) {
    ParsedLine parsed = ParseRuleLine(text);
    if (parsed.kind == ParsedLine::Kind::Rule)
        return std::nullopt;
    return std::move(parsed.problem);
}

} // namespace

std::optional<std::string> RulesDocument::insertRule(std::size_t index, const Rule& rule) {
    if (auto problem = RuleProblem(rule))
        return problem;
    std::string text = FormatRuleLine(rule);
    if (auto problem = RuleLineProblem(text))
        return problem;
    const auto rules = ruleLines();
    std::size_t at = lines_.size();
    if (index < rules.size())
        at = rules[index];
    else if (!rules.empty())
        at = rules.back() + 1;
    else if (const auto line = defaultLine())
        at = *line;
    insertLine(at, std::move(text));
    return std::nullopt;
}

std::optional<std::string> RulesDocument::replaceRule(std::size_t index, const Rule& rule) {
    const auto rules = ruleLines();
    if (index >= rules.size())
        return "there is no rule " + std::to_string(index + 1);
    if (auto problem = RuleProblem(rule))
        return problem;
    Line& line = lines_[rules[index]];
    std::string text = FormatRuleLine(rule) + line.text.substr(line.parsed.commentStart);
    if (auto problem = RuleLineProblem(text))
        return problem;
    setText(line, std::move(text));
    return std::nullopt;
}

bool RulesDocument::removeRule(std::size_t index) {
    const auto rules = ruleLines();
    if (index >= rules.size())
        return false;
    lines_.erase(lines_.begin() + std::ptrdiff_t(rules[index]));
    return true;
}

bool RulesDocument::moveRule(std::size_t from, std::size_t to) {
    const auto rules = ruleLines();
    if (from >= rules.size() || to >= rules.size())
        return false;
    // The rules' texts change places; each line keeps its ending, and the lines
    // between them stay put.
    std::vector<std::string> texts;
    for (const std::size_t i : rules)
        texts.push_back(lines_[i].text);
    if (from < to)
        std::rotate(texts.begin() + std::ptrdiff_t(from), texts.begin() + std::ptrdiff_t(from + 1),
                    texts.begin() + std::ptrdiff_t(to + 1));
    else
        std::rotate(texts.begin() + std::ptrdiff_t(to), texts.begin() + std::ptrdiff_t(from),
                    texts.begin() + std::ptrdiff_t(from + 1));
    for (std::size_t k = 0; k < rules.size(); ++k)
        setText(lines_[rules[k]], std::move(texts[k]));
    return true;
}

void RulesDocument::setDefaultMode(ModeChoice mode) {
    if (const auto at = defaultLine()) {
        Line& line = lines_[*at];
        setText(line, FormatDefaultLine(mode) + line.text.substr(line.parsed.commentStart));
    } else {
        insertLine(lines_.size(), FormatDefaultLine(mode));
    }
}

std::string RulesDocument::bytes() const {
    std::string bytes = byteOrderMark_;
    for (const Line& line : lines_)
        bytes += line.text + line.ending;
    return bytes;
}

} // namespace pad
