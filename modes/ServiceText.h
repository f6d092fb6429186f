#pragma once
// The mode service's lines about windows and rules files, as --print, --check and the
// error messages show them. Qt-free.

#include "modes/rules/RulesDocument.h"
#include "modes/rules/WindowInfo.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pad {

// Text in double quotes, with quotes, backslashes and control characters escaped.
std::string QuotedText(std::string_view text);

// app "steam_app_570", exe "hl2_linux", title "Dota 2"; on X11 also the instance; and
// where the title was cut, that it was.
std::string DescribeWindow(const WindowInfo& window);

// "PATH:LINE: message", or "PATH: message" for the file as a whole.
std::string DescribeRuleError(const std::filesystem::path& path, const RuleError& error);

// "PATH:LINE: " + prefix + message + suffix for each of the first MaxToldRuleErrors,
// then one line that counts the others.
std::vector<std::string> DescribeRuleErrors(const std::filesystem::path& path,
                                            const std::vector<RuleError>& errors,
                                            std::string_view prefix, std::string_view suffix);

// "3 rules, default Mode A"
std::string DescribeRuleSet(const RuleSet& rules);

// What --check prints on standard output about the rules file at path: why it cannot
// be read, or its errors, its warnings and a summary. Whether it has no errors.
bool PrintRulesCheck(const std::filesystem::path& path);

} // namespace pad
