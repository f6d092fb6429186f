#pragma once
// Shell-style wildcard patterns, matched without regard to case: "*" stands for any
// text, "?" for one character, "[abc]", "[a-z]" and "[!abc]" (or "[^abc]") for one
// character of a set or outside it, and a backslash makes the next character stand
// for itself. Patterns and texts are UTF-8; case is folded character by character
// as Unicode folds it, so "*MINECRAFT*" matches "Minecraft" and "ÉTÉ" matches "été".

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pad {

// What is wrong with a pattern (a "[" without its "]", a lone backslash at the end,
// text that is not UTF-8), or nullopt for a good one.
std::optional<std::string> WildcardProblem(std::string_view pattern);

// A text folded once, to be matched against many patterns. Bytes that are not UTF-8
// match "?" and "*" but no letter.
struct FoldedText {
    explicit FoldedText(std::string_view text);
    std::u32string characters;
};

// A pattern read once, to be matched against many texts. A pattern with a problem
// matches nothing. Copies share what was read.
class WildcardPattern {
  public:
    explicit WildcardPattern(std::string_view pattern);
    // Whether text matches the whole pattern.
    bool matches(const FoldedText& text) const;
    const std::optional<std::string>& problem() const;

    struct Compiled;

  private:
    std::shared_ptr<const Compiled> compiled_;
};

// Whether text matches the whole pattern, both read for this one match.
bool WildcardMatches(std::string_view pattern, std::string_view text);

// The first "[...]" of the pattern that most likely stands for the brackets and the
// text between them, as written ("[Beta]" in "Game [Beta]"), or nullopt. Such a set
// matches one character only. A set is taken for text when it has no range and no
// "!", and it holds a blank or a character twice, or one character only, or it stands
// as a word of its own (no letter or digit right before or after it). A set of one
// wildcard character ("[*]", "[?]", "[[]"), which makes it stand for itself, is not.
std::optional<std::string> BracketedTextInPattern(std::string_view pattern);

// The pattern that matches text itself (in any case): "*", "?", "[" and the backslash
// stand for themselves.
std::string LiteralPattern(std::string_view text);

} // namespace pad
