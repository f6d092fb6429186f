#include "modes/rules/Wildcard.h"

#include "common/Utf16.h"
#include "modes/rules/CaseFold.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <span>
#include <utility>
#include <vector>

namespace pad {
namespace {

// Stands for a byte of the text that is not UTF-8: only "?" and "*" match it.
constexpr char32_t NotText = 0xFFFFFFFF;

// The characters of text, each folded to its case-free form.
std::u32string FoldedCharacters(std::string_view text, bool& allText) {
    std::u32string characters;
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    allText = true;
    for (std::size_t i = 0; i < bytes.size();) {
        if (const auto sequence = DecodeUtf8Sequence(bytes.subspan(i))) {
            characters.push_back(FoldCase(sequence->codePoint));
            i += sequence->length;
        } else {
            characters.push_back(NotText);
            allText = false;
            ++i;
        }
    }
    return characters;
}

struct Token {
    enum class Kind { Character, AnyCharacter, AnyText, Set };
    Kind kind = Kind::Character;
    char32_t character = 0;
    bool negated = false;
    std::vector<std::pair<char32_t, char32_t>> ranges; // of a Set, both ends included

    bool matches(char32_t c) const {
        switch (kind) {
        case Kind::Character:
            return c == character;
        case Kind::AnyCharacter:
            return true;
        case Kind::Set:
            return c != NotText && std::any_of(ranges.begin(), ranges.end(), [c](const auto& r) {
                                       return r.first <= c && c <= r.second;
                                   }) != negated;
        case Kind::AnyText:
            break;
        }
        return false;
    }
};

Token MakeToken(Token::Kind kind, char32_t character = 0) {
    Token token;
    token.kind = kind;
    token.character = character;
    return token;
}

} // namespace

struct WildcardPattern::Compiled {
    std::vector<Token> tokens;
    // The runs of tokens between the "*"s, as (first token, count); one without "*".
    std::vector<std::pair<std::size_t, std::size_t>> segments;
    std::optional<std::string> problem;
};

namespace {

// Reads the set that starts after the "[" at p[start]; returns the index of its
// closing "]", or nullopt when there is none.
std::optional<std::size_t> ReadSet(const std::u32string& p, std::size_t start, Token& set) {
    std::size_t i = start;
    if (i < p.size() && (p[i] == '!' || p[i] == '^')) {
        set.negated = true;
        ++i;
    }
    // A "]" right after the opening (and its "!") belongs to the set.
    for (bool first = true; i < p.size(); first = false) {
        if (p[i] == ']' && !first)
            return i;
        auto endOfRange = [&](std::size_t& at) -> std::optional<char32_t> {
            if (p[at] == '\\' && ++at == p.size())
                return std::nullopt;
            return p[at];
        };
        const auto low = endOfRange(i);
        if (!low)
            return std::nullopt;
        char32_t high = *low;
        if (i + 2 < p.size() && p[i + 1] == '-' && p[i + 2] != ']') {
            i += 2;
            const auto end = endOfRange(i);
            if (!end)
                return std::nullopt;
            high = *end;
        }
        set.ranges.emplace_back(*low, high);
        ++i;
    }
    return std::nullopt;
}

WildcardPattern::Compiled Compile(std::string_view pattern) {
    WildcardPattern::Compiled compiled;
    bool allText = true;
    const std::u32string p = FoldedCharacters(pattern, allText);
    if (!allText) {
        compiled.problem = "the pattern is not UTF-8 text";
        return compiled;
    }
    auto& tokens = compiled.tokens;
    for (std::size_t i = 0; i < p.size(); ++i) {
        switch (p[i]) {
        case '\\':
            if (i + 1 == p.size()) {
                compiled.problem = "the pattern ends with a lone \\ (\\\\ stands for a backslash)";
                return compiled;
            }
            tokens.push_back(MakeToken(Token::Kind::Character, p[++i]));
            break;
        case '*':
            if (tokens.empty() || tokens.back().kind != Token::Kind::AnyText)
                tokens.push_back(MakeToken(Token::Kind::AnyText));
            break;
        case '?':
            tokens.push_back(MakeToken(Token::Kind::AnyCharacter));
            break;
        case '[': {
            Token set = MakeToken(Token::Kind::Set);
            const auto close = ReadSet(p, i + 1, set);
            if (!close) {
                compiled.problem = "a [ in the pattern has no closing ] (\\[ stands for a [)";
                return compiled;
            }
            for (const auto& [low, high] : set.ranges)
                if (low > high) {
                    compiled.problem = "a range in [ ] runs backwards";
                    return compiled;
                }
            tokens.push_back(std::move(set));
            i = *close;
            break;
        }
        default:
            tokens.push_back(MakeToken(Token::Kind::Character, p[i]));
        }
    }
    for (std::size_t i = 0, start = 0; i <= tokens.size(); ++i)
        if (i == tokens.size() || tokens[i].kind == Token::Kind::AnyText) {
            compiled.segments.emplace_back(start, i - start);
            start = i + 1;
        }
    return compiled;
}

// Whether the tokens, none of them "*", match the text at `at`, one character each.
bool SegmentMatchesAt(std::span<const Token> segment, std::u32string_view text, std::size_t at) {
    for (std::size_t i = 0; i < segment.size(); ++i)
        if (!segment[i].matches(text[at + i]))
            return false;
    return true;
}

// Where c first stands in text from `from`, or npos: through wmemchr, which the C
// library runs over many characters at once, where wchar_t holds a char32_t.
std::size_t FindCharacter(std::u32string_view text, char32_t c, std::size_t from) {
    if constexpr (sizeof(wchar_t) == sizeof(char32_t)) {
        const auto* start = reinterpret_cast<const wchar_t*>(text.data());
        const wchar_t* found = std::wmemchr(start + from, wchar_t(c), text.size() - from);
        return found ? std::size_t(found - start) : std::u32string_view::npos;
    } else {
        return text.find(c, from);
    }
}

// The first place from `from` up to `last` where the segment matches, or npos. A segment
// that starts with a character is looked for by that character first.
std::size_t FindSegment(std::span<const Token> segment, std::u32string_view text, std::size_t from,
                        std::size_t last) {
    const bool byCharacter = segment.front().kind == Token::Kind::Character;
    for (std::size_t at = from; at <= last; ++at) {
        if (byCharacter) {
            at = FindCharacter(text, segment.front().character, at);
            if (at == std::u32string_view::npos || at > last)
                break;
        }
        if (SegmentMatchesAt(segment, text, at))
            return at;
    }
    return std::u32string_view::npos;
}

// The pattern is segments of one-character tokens between "*"s: the first must match at
// the start and the last at the end; each one between, at its first place after the one
// before, which leaves the most text to those after it. Each segment is looked for once,
// where backtracking would look again for every place of the ones before it.
bool Matches(const WildcardPattern::Compiled& pattern, std::u32string_view text) {
    const auto& segments = pattern.segments;
    const auto tokens = [&](std::size_t i) {
        return std::span(pattern.tokens).subspan(segments[i].first, segments[i].second);
    };
    const auto first = tokens(0), last = tokens(segments.size() - 1);
    if (segments.size() == 1)
        return text.size() == first.size() && SegmentMatchesAt(first, text, 0);
    if (first.size() + last.size() > text.size() || !SegmentMatchesAt(first, text, 0) ||
        !SegmentMatchesAt(last, text, text.size() - last.size()))
        return false;
    std::size_t at = first.size();
    const std::size_t end = text.size() - last.size();
    for (std::size_t i = 1; i + 1 < segments.size(); ++i) {
        const auto segment = tokens(i);
        if (segment.empty())
            continue;
        if (at + segment.size() > end)
            return false;
        at = FindSegment(segment, text, at, end - segment.size());
        if (at == std::u32string_view::npos)
            return false;
        at += segment.size();
    }
    return true;
}

bool IsWordCharacter(char32_t c) {
    return c != 0 && IsLetterOrNumber(c);
}

// Whether a set written between before and after reads as bracketed text.
bool LooksLikeText(const Token& set, char32_t before, char32_t after) {
    if (set.negated)
        return false;
    std::u32string members;
    for (const auto& [low, high] : set.ranges) {
        if (low != high)
            return false;
        if (members.find(low) != std::u32string::npos || low == ' ' || low == '\t')
            return true;
        members += low;
    }
    if (members.size() == 1)
        return std::u32string_view(U"*?[]\\!^-").find(members[0]) == std::u32string_view::npos;
    return !IsWordCharacter(before) && !IsWordCharacter(after);
}

} // namespace

std::optional<std::string> BracketedTextInPattern(std::string_view pattern) {
    // The characters as written (not folded), and where each starts in the pattern.
    std::u32string p;
    std::vector<std::size_t> starts;
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(pattern.data()), pattern.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto sequence = DecodeUtf8Sequence(bytes.subspan(i));
        if (!sequence)
            return std::nullopt;
        p.push_back(sequence->codePoint);
        starts.push_back(i);
        i += sequence->length;
    }
    starts.push_back(pattern.size());
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == '\\') {
            ++i;
            continue;
        }
        if (p[i] != '[')
            continue;
        Token set = MakeToken(Token::Kind::Set);
        const auto close = ReadSet(p, i + 1, set);
        if (!close)
            return std::nullopt;
        const char32_t before = i > 0 ? p[i - 1] : 0;
        const char32_t after = *close + 1 < p.size() ? p[*close + 1] : 0;
        if (LooksLikeText(set, before, after))
            return std::string(pattern.substr(starts[i], starts[*close + 1] - starts[i]));
        i = *close;
    }
    return std::nullopt;
}

std::optional<std::string> WildcardProblem(std::string_view pattern) {
    return Compile(pattern).problem;
}

FoldedText::FoldedText(std::string_view text) {
    bool allText = true;
    characters = FoldedCharacters(text, allText);
}

WildcardPattern::WildcardPattern(std::string_view pattern)
    : compiled_(std::make_shared<const Compiled>(Compile(pattern))) {}

bool WildcardPattern::matches(const FoldedText& text) const {
    return !compiled_->problem && Matches(*compiled_, text.characters);
}

const std::optional<std::string>& WildcardPattern::problem() const {
    return compiled_->problem;
}

bool WildcardMatches(std::string_view pattern, std::string_view text) {
    return WildcardPattern(pattern).matches(FoldedText(text));
}

std::string LiteralPattern(std::string_view text) {
    std::string pattern;
    for (const char c : text) {
        if (c == '*' || c == '?' || c == '[' || c == '\\')
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

} // namespace pad
