#pragma once
// The rules file as text that can be read and edited: the rules in order, the
// default, and the lines that are neither. Edits change only the lines they are
// about, so the user's comments, blank lines and lines that cannot be read stay as
// they were, byte for byte, line endings included. A UTF-8 byte-order mark, which
// some editors put at the start of a file, is not part of the first line and is kept.
// Qt-free.

#include "modes/rules/ModeRules.h"
#include "modes/rules/RuleSyntax.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pad {

// A line that cannot be read; line 0 stands for the file as a whole.
struct RuleError {
    std::size_t line = 0;
    std::string message;

    bool operator==(const RuleError&) const = default;
};

// At most this many lines' errors are told one by one; the rest are counted.
inline constexpr std::size_t MaxToldRuleErrors = 100;

class RulesDocument {
  public:
    RulesDocument() = default;
    explicit RulesDocument(std::string_view bytes);

    // The rules in file order, and what applies to them.
    std::vector<Rule> rules() const;
    ModeChoice defaultMode() const;
    RuleSet ruleSet() const;
    // The lines that are skipped, and why; a second default line is one of them.
    std::vector<RuleError> errors() const;
    // The rules that are read but may not mean what they look like (RuleWarning).
    std::vector<RuleError> warnings() const;

    // Puts the rule before rule `index`; an index past the last rule puts it after
    // the last one (before the default line in a file without rules). Returns what is
    // wrong with the rule, or nullopt once it is in.
    std::optional<std::string> insertRule(std::size_t index, const Rule& rule);
    // Rewrites rule `index`'s line; a comment at its end stays.
    std::optional<std::string> replaceRule(std::size_t index, const Rule& rule);
    // False when there is no rule `index`.
    bool removeRule(std::size_t index);
    // Moves rule `from` to position `to` among the rules; the other lines stay where
    // they are. False when either is not a rule's index.
    bool moveRule(std::size_t from, std::size_t to);
    // Rewrites the default line, or adds one at the end.
    void setDefaultMode(ModeChoice mode);

    // The whole file.
    std::string bytes() const;

  private:
    struct Line {
        std::string text;   // without its ending
        std::string ending; // "\n", "\r\n", or "" for a last line without one
        ParsedLine parsed;
    };

    void setText(Line& line, std::string text);
    std::vector<std::size_t> ruleLines() const;
    std::optional<std::size_t> defaultLine() const;
    // Inserts a new line before line `at` (the end when at is the count).
    void insertLine(std::size_t at, std::string text);

    std::string byteOrderMark_; // "\xEF\xBB\xBF" when the file starts with one
    std::vector<Line> lines_;
};

} // namespace pad
