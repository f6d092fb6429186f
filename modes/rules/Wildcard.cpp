#include "modes/rules/Wildcard.h"

#include "common/Utf16.h"
#include "modes/rules/CaseFold.h"

#include <algorithm>
#include <cstdint>
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

struct CompiledPattern {
    std::vector<Token> tokens;
    std::optional<std::string> problem;
};

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

CompiledPattern Compile(std::string_view pattern) {
    CompiledPattern compiled;
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
    return compiled;
}

// The usual matching with a single backtrack point: on a mismatch, the latest "*"
// takes one character more.
bool Matches(const std::vector<Token>& tokens, const std::u32string& text) {
    constexpr std::size_t None = std::size_t(-1);
    std::size_t t = 0, s = 0, star = None, starText = 0;
    while (s < text.size()) {
        if (t < tokens.size() && tokens[t].kind == Token::Kind::AnyText) {
            star = t++;
            starText = s;
        } else if (t < tokens.size() && tokens[t].matches(text[s])) {
            ++t;
            ++s;
        } else if (star != None) {
            t = star + 1;
            s = ++starText;
        } else {
            return false;
        }
    }
    while (t < tokens.size() && tokens[t].kind == Token::Kind::AnyText)
        ++t;
    return t == tokens.size();
}

} // namespace

std::optional<std::string> WildcardProblem(std::string_view pattern) {
    return Compile(pattern).problem;
}

bool WildcardMatches(std::string_view pattern, std::string_view text) {
    const CompiledPattern compiled = Compile(pattern);
    if (compiled.problem)
        return false;
    bool allText = true;
    return Matches(compiled.tokens, FoldedCharacters(text, allText));
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
