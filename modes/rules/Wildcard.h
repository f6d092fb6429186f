#pragma once
// Shell-style wildcard patterns, matched without regard to case: "*" stands for any
// text, "?" for one character, "[abc]", "[a-z]" and "[!abc]" (or "[^abc]") for one
// character of a set or outside it, and a backslash makes the next character stand
// for itself. Patterns and texts are UTF-8; case is folded character by character
// as Unicode folds it, so "*MINECRAFT*" matches "Minecraft" and "ÉTÉ" matches "été".

#include <optional>
#include <string>
#include <string_view>

namespace pad {

// What is wrong with a pattern (a "[" without its "]", a lone backslash at the end,
// text that is not UTF-8), or nullopt for a good one.
std::optional<std::string> WildcardProblem(std::string_view pattern);

// Whether text matches the whole pattern. A pattern with a problem matches nothing.
// Bytes of text that are not UTF-8 match "?" and "*" but no letter.
bool WildcardMatches(std::string_view pattern, std::string_view text);

// The pattern that matches text itself (in any case): "*", "?", "[" and the backslash
// stand for themselves.
std::string LiteralPattern(std::string_view text);

} // namespace pad
