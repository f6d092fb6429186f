#include "modes/ServiceText.h"

#include "common/Utf16.h"
#include "modes/rules/RulesFile.h"
#include "texts/ModeTitle.h"

#include <cstdint>
#include <cstdio>
#include <span>

namespace pad {

std::string QuotedText(std::string_view text) {
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    std::string quoted = "\"";
    for (std::size_t at = 0; at < bytes.size();) {
        const auto sequence = DecodeUtf8Sequence(bytes.subspan(at));
        const char32_t c = sequence ? sequence->codePoint : 0;
        const std::size_t length = sequence ? sequence->length : 1;
        char escaped[8] = "";
        // Titles come from other programs: control characters, C1 ones included, and
        // bytes that are not UTF-8 are shown as escapes, so none reaches the terminal.
        if (!sequence || c < 0x20 || c == 0x7F)
            std::snprintf(escaped, sizeof escaped, "\\x%02X", unsigned(bytes[at]));
        else if (c >= 0x80 && c <= 0x9F)
            std::snprintf(escaped, sizeof escaped, "\\u%04X", unsigned(c));
        if (*escaped)
            quoted += escaped;
        else if (c == '"' || c == '\\')
            quoted += {'\\', char(c)};
        else
            quoted.append(text.substr(at, length));
        at += length;
    }
    return quoted + '"';
}

std::string DescribeWindow(const WindowInfo& window) {
    std::string text = "app " + QuotedText(window.appId);
    if (!window.instance.empty())
        text += " (instance " + QuotedText(window.instance) + ")";
    text += ", exe ";
    if (!window.executable.empty())
        text += QuotedText(window.executable);
    else
        text += window.pid ? "unknown (pid " + std::to_string(*window.pid) + ")" : "unknown";
    text += ", title " + QuotedText(window.title);
    if (window.titleCut)
        text += " (cut at " + std::to_string(MaxWindowTextBytes) + " bytes)";
    return text;
}

std::string DescribeRuleError(const std::filesystem::path& path, const RuleError& error) {
    std::string text = path.string() + ":";
    if (error.line != 0)
        text += std::to_string(error.line) + ":";
    return text + " " + error.message;
}

std::vector<std::string> DescribeRuleErrors(const std::filesystem::path& path,
                                            const std::vector<RuleError>& errors,
                                            std::string_view prefix, std::string_view suffix) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < errors.size() && i < MaxToldRuleErrors; ++i)
        lines.push_back(DescribeRuleError(
            path, {errors[i].line, std::string(prefix) + errors[i].message + std::string(suffix)}));
    if (errors.size() > MaxToldRuleErrors)
        lines.push_back(path.string() + ": " + std::string(prefix) +
                        std::to_string(errors.size() - MaxToldRuleErrors) +
                        " more lines like these");
    return lines;
}

std::string DescribeRuleSet(const RuleSet& rules) {
    const std::size_t count = rules.rules.size();
    return std::to_string(count) + (count == 1 ? " rule" : " rules") + ", default " +
           (rules.defaultMode ? ModeTitle(*rules.defaultMode) : "keep");
}

bool PrintRulesCheck(const std::filesystem::path& path) {
    const RulesFileContents contents = ReadRulesFile(path);
    if (!contents.exists || contents.failure) {
        const RuleError failure{
            0, contents.failure.value_or("cannot be read: No such file or directory")};
        std::printf("%s\n", DescribeRuleError(path, failure).c_str());
        return false;
    }
    const auto errors = contents.document.errors();
    const auto warnings = contents.document.warnings();
    for (const std::string& line : DescribeRuleErrors(path, errors, "", ""))
        std::printf("%s\n", line.c_str());
    for (const std::string& line : DescribeRuleErrors(path, warnings, "warning: ", ""))
        std::printf("%s\n", line.c_str());
    std::string summary = path.string() + ": " + DescribeRuleSet(contents.document.ruleSet());
    if (errors.empty())
        summary += "; no errors";
    else
        summary += "; " + std::to_string(errors.size()) +
                   (errors.size() == 1 ? " line is" : " lines are") + " skipped";
    if (!warnings.empty())
        summary += "; " + std::to_string(warnings.size()) +
                   (warnings.size() == 1 ? " warning" : " warnings");
    std::printf("%s\n", summary.c_str());
    return errors.empty();
}

} // namespace pad
