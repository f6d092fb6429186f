// libFuzzer target: the mode service's rules file on arbitrary bytes, read, matched,
// written back and read again. The file comes back byte for byte; its rules, written
// anew into a file of their own, read back alike and decide alike for windows whose
// texts come from the input; and a window's own text matches the literal pattern made
// of it.
#include "modes/rules/RuleSyntax.h"
#include "modes/rules/RulesDocument.h"
#include "modes/rules/Wildcard.h"

#include "common/Utf16.h"

#include <cstdlib>
#include <span>
#include <string_view>

namespace {

void Check(bool good) {
    if (!good)
        std::abort();
}

// Windows whose id, title and executable are the input's first lines, and one whose
// texts are a rule's pattern as it stands, for the first rules.
std::vector<pad::WindowInfo> WindowsOf(std::string_view bytes,
                                       const std::vector<pad::Rule>& rules) {
    std::vector<std::string> texts;
    for (std::size_t at = 0; at <= bytes.size() && texts.size() < 3;) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        texts.emplace_back(bytes.substr(at, end - at));
        at = end + 1;
    }
    texts.resize(3);
    std::vector<pad::WindowInfo> windows{{texts[0], texts[1], texts[2], 1, texts[1]}};
    for (std::size_t i = 0; i < rules.size() && i < 4; ++i)
        windows.push_back({rules[i].pattern, "", rules[i].pattern, {}, rules[i].pattern});
    return windows;
}

bool IsUtf8(std::string_view text) {
    return pad::DecodeUtf8(
               std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))
        .has_value();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const pad::RulesDocument document(bytes);
    Check(document.bytes() == bytes);
    (void)document.errors();
    (void)document.warnings();
    const std::vector<pad::Rule> rules = document.rules();
    const pad::RuleSet ruleSet = document.ruleSet();

    // Written anew: each rule's line (one too long to read back is left out) and the
    // default's. Read again, they are the same rules and decide alike.
    std::string written;
    bool allWritten = true;
    for (const pad::Rule& rule : rules) {
        const std::string line = pad::FormatRuleLine(rule);
        allWritten = allWritten && line.size() <= pad::MaxRuleLineBytes;
        if (line.size() <= pad::MaxRuleLineBytes)
            written += line + "\n";
    }
    written += pad::FormatDefaultLine(document.defaultMode()) + "\n";
    const pad::RulesDocument reread(written);
    Check(reread.bytes() == written && reread.errors().empty());
    Check(reread.defaultMode() == document.defaultMode());
    if (allWritten) {
        Check(reread.rules() == rules);
        const pad::RuleSet again = reread.ruleSet();
        for (const pad::WindowInfo& window : WindowsOf(bytes, rules))
            Check(pad::MatchWindow(ruleSet, window).mode == pad::MatchWindow(again, window).mode);
    }
    // Edits change the rules' lines only: the lines that are skipped stay.
    if (!rules.empty()) {
        pad::RulesDocument edited = document;
        Check(edited.moveRule(0, rules.size() - 1) && edited.removeRule(0));
        Check(edited.rules().size() == rules.size() - 1);
        Check(edited.errors().size() == document.errors().size());
    }
    for (const pad::WindowInfo& window : WindowsOf(bytes, rules))
        if (IsUtf8(window.title))
            Check(pad::WildcardMatches(pad::LiteralPattern(window.title), window.title));
    return 0;
}
