#include "modes/control/RulesEdit.h"

#include "modes/rules/RulesFile.h"
#include "modes/rules/Wildcard.h"

namespace pad {

RulesEdit::RulesEdit(std::filesystem::path path) : path_(std::move(path)) {
    RulesFileContents contents = ReadRulesFile(path_);
    existed_ = contents.exists;
    readFailure_ = std::move(contents.failure);
    onDisk_ = contents.document.bytes();
    document_ = existed_ ? std::move(contents.document) : RulesDocument(NewRulesFileHeader);
    opened_ = document_.bytes();
}

void RulesEdit::setDefaultMode(ModeChoice mode) {
    if (mode != document_.defaultMode())
        document_.setDefaultMode(mode);
}

bool RulesEdit::changedElsewhere() const {
    const RulesFileContents now = ReadRulesFile(path_);
    return now.exists != existed_ || now.failure != readFailure_ || now.document.bytes() != onDisk_;
}

std::optional<std::string> RulesEdit::save() {
    if (readFailure_)
        return path_.string() + " " + *readFailure_;
    if (!modified())
        return std::nullopt;
    const std::string bytes = document_.bytes();
    if (auto failure = SaveRulesFile(path_, bytes))
        return failure;
    existed_ = true;
    onDisk_ = bytes;
    opened_ = bytes;
    return std::nullopt;
}

std::string PatternForWindow(RuleField field, const WindowInfo& window) {
    switch (field) {
    case RuleField::App:
        return LiteralPattern(window.appId.empty() ? window.instance : window.appId);
    case RuleField::Exe:
        return LiteralPattern(window.executable);
    case RuleField::Title:
        return LiteralPattern(window.title);
    }
    return {};
}

} // namespace pad
