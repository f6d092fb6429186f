#include "modes/ServiceText.h"

#include "texts/ModeTitle.h"

#include <cstdio>

namespace pad {

std::string QuotedText(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X",
                          unsigned(static_cast<unsigned char>(c)));
            quoted += escaped;
        } else {
            quoted += c;
        }
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
    return text + ", title " + QuotedText(window.title);
}

std::string DescribeRuleError(const std::filesystem::path& path, const RuleError& error) {
    std::string text = path.string() + ":";
    if (error.line != 0)
        text += std::to_string(error.line) + ":";
    return text + " " + error.message;
}

std::string DescribeRuleSet(const RuleSet& rules) {
    const std::size_t count = rules.rules.size();
    return std::to_string(count) + (count == 1 ? " rule" : " rules") + ", default " +
           (rules.defaultMode ? ModeTitle(*rules.defaultMode) : "keep");
}

} // namespace pad
