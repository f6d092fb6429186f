#pragma once
// One line of the rules file, read and written:
//
//   # what to match          mode
//   app:steam_app_570        a
//   title:"*Minecraft*"      c        # a pattern with spaces goes in double quotes
//   default                  keep
//
// A rule is FIELD:PATTERN and a mode; "default MODE" names the mode for windows no rule
// matches. A "#" that begins a word starts a comment up to the end of the line. Field
// names, "default" and modes are read in any case. Inside double quotes a backslash
// keeps the next character from ending the pattern (\" is a quote); the pattern is
// the text between the quotes as it stands, so the backslash also tells the wildcard
// that the character stands for itself. Qt-free.

#include "modes/rules/ModeRules.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace pad {

// Longer lines are not read: a rule never needs them, and a runaway line (a file
// that is not a rules file) should cost nothing.
inline constexpr std::size_t MaxRuleLineBytes = 4096;

struct ParsedLine {
    enum class Kind {
        Blank,   // empty, or only a comment
        Rule,    // rule is set
        Default, // mode is set
        Bad,     // problem says what is wrong
    };
    Kind kind = Kind::Blank;
    Rule rule;
    ModeChoice mode;
    std::string problem;
    // Where the comment after a rule or default begins, with the blanks before it;
    // the line's size when it has none. Rewriting the line keeps that part.
    std::size_t commentStart = 0;
};

// Reads one line, without its line ending.
ParsedLine ParseRuleLine(std::string_view line);

// The line of a rule or of the default, with the mode in the column of the example
// above. The rule must be free of problems (RuleProblem).
std::string FormatRuleLine(const Rule& rule);
std::string FormatDefaultLine(ModeChoice mode);

} // namespace pad
