#pragma once
// The rules file as PadConfig's "By Application..." dialog edits it: read when the
// dialog opens, changed through RulesDocument, which keeps the user's comments and the
// lines it cannot read as they are, and written on OK only when something changed.
// Qt-free.

#include "modes/rules/RulesDocument.h"
#include "modes/rules/WindowInfo.h"

#include <filesystem>
#include <optional>
#include <string>

namespace pad {

// What a new rules file starts with.
inline constexpr std::string_view NewRulesFileHeader =
    "# Which mode the Corvask 12 keypad takes for each application (padconfig-modes).\n"
    "# One rule a line, the first that matches decides; man padconfig-modes tells more.\n";

class RulesEdit {
  public:
    explicit RulesEdit(std::filesystem::path path);

    const std::filesystem::path& path() const { return path_; }
    // Why the file cannot be read (a folder, no permission, too large): then it
    // must not be written either, or it would be lost.
    const std::optional<std::string>& readFailure() const { return readFailure_; }

    RulesDocument& document() { return document_; }
    const RulesDocument& document() const { return document_; }
    // Sets the mode for windows no rule matches; the default line stays untouched
    // (or absent) when the mode is the one it gives already.
    void setDefaultMode(ModeChoice mode);

    bool modified() const { return document_.bytes() != opened_; }
    // Whether another program changed, made or removed the file since it was read.
    bool changedElsewhere() const;
    // Writes the document when it was modified; what went wrong, or nullopt.
    std::optional<std::string> save();

  private:
    std::filesystem::path path_;
    std::optional<std::string> readFailure_;
    bool existed_ = false;
    std::string onDisk_; // the file as it was read
    std::string opened_; // the document as it was opened
    RulesDocument document_;
};

// The pattern of a rule on field that matches the window itself: its application id
// (else its X11 instance name), title or executable, wildcard characters taken as
// they are. Empty when the window does not tell it.
std::string PatternForWindow(RuleField field, const WindowInfo& window);

} // namespace pad
