#include "editing/Document.h"

namespace pad {

std::u16string FileNameOf(std::u16string_view path) {
    const auto slash = path.rfind(u'/');
    if (slash == std::u16string_view::npos)
        return std::u16string(path);
    return std::u16string(path.substr(slash + 1));
}

std::u16string SaveAsPath(std::u16string_view chosen) {
    std::u16string path(chosen);
    if (path.size() < 4 || path.compare(path.size() - 4, 4, u".qd6") != 0)
        path += u".qd6";
    return path;
}

Document::Document(Workspace& workspace, DocumentPorts& ports) : ws_(workspace), ports_(ports) {
    caption_ = std::u16string(CaptionPrefix);
}

void Document::ResetCaption() {
    caption_ = std::u16string(CaptionPrefix);
    ports_.SetCaption(caption_);
}

void Document::SetCaptionFor(const std::u16string& fileName) {
    caption_ = std::u16string(CaptionPrefix) + FileNameOf(fileName);
    ports_.SetCaption(caption_);
}

void Document::ClearModified() {
    ws_.document.modifiedFlag = false;
    ws_.document.captionMarked = false;
}

bool Document::ConfirmDiscard() {
    if (!ws_.document.modifiedFlag)
        return true;
    return ports_.AskDiscardChanges();
}

void Document::ResetToFresh() {
    ClearModified();
    ws_.profile.resetToFresh(ws_.language.freshLabel);
    ports_.RefreshSlotCaptions();
    ws_.document.fileName.clear();
    ResetCaption();
    ws_.profile.macros().clear();
    ports_.RebuildMacroMenu();
}

void Document::New() {
    if (!ConfirmDiscard())
        return;
    ResetToFresh();
}

void Document::Open() {
    if (!ConfirmDiscard())
        return;
    if (const auto chosen = ports_.AskOpenPath(ws_.document.fileName))
        openPath(*chosen);
}

void Document::OpenFromCommandLine(const std::vector<std::u16string>& arguments) {
    if (arguments.size() >= 2)
        openPath(arguments.back());
}

void Document::openPath(const std::u16string& path) {
    ClearModified();
    if (path.size() > MaxPathUnits) {
        // Longer than ProfilePath can hold: refused like a file that cannot be read.
        ports_.ShowReadFailed(path);
        ResetToFresh();
        return;
    }
    ws_.document.fileName = path;
    ws_.profile.macros().clear();
    if (!ports_.LoadProfile(path)) {
        ResetToFresh(); // asks nothing: the flag was cleared above
        return;
    }
    ports_.RebuildMacroMenu();
    ports_.RefreshSlotCaptions();
    SetCaptionFor(path);
}

bool Document::WriteTo(const std::u16string& path) {
    if (path.size() > MaxPathUnits) {
        ports_.ShowWriteFailed(path);
        return false;
    }
    return ports_.SaveProfile(path);
}

void Document::SettleAfterWrite(bool written) {
    if (written) {
        ClearModified();
        return;
    }
    // The file named in the caption does not hold the profile (a new name, or a file
    // that a write in place left incomplete), so the profile counts as unsaved and the
    // rebuilt caption gets its "*" back.
    ws_.document.modifiedFlag = true;
    ws_.document.captionMarked = false;
    MarkModified();
}

void Document::Save() {
    if (ws_.document.fileName.empty()) {
        SaveAs();
        return;
    }
    const bool written = WriteTo(ws_.document.fileName);
    SetCaptionFor(ws_.document.fileName);
    SettleAfterWrite(written);
}

void Document::SaveAs() {
    const std::u16string previousName = ws_.document.fileName;
    const auto chosen = ports_.AskSavePath(previousName);
    if (!chosen)
        return;
    const std::u16string path = SaveAsPath(*chosen);
    ws_.document.fileName = path;
    if (!ports_.PathExists(path)) {
        const bool written = WriteTo(path);
        SetCaptionFor(path);
        SettleAfterWrite(written);
        return;
    }
    if (ports_.AskKeepExistingFile()) {
        // Yes: nothing is written, and the document keeps the name it had, so a later
        // Save cannot overwrite the file the user just declined to overwrite.
        ws_.document.fileName = previousName;
        return;
    }
    // No: the file is overwritten.
    const bool written = WriteTo(path);
    SetCaptionFor(path);
    ports_.Beep();
    SettleAfterWrite(written);
}

void Document::Exit() {
    if (!ConfirmDiscard())
        return;
    ws_.document.modifiedFlag = false;
    ports_.CloseMainWindow();
}

bool Document::CloseQuery() {
    if (!ws_.document.modifiedFlag)
        return true;
    if (!ports_.AskDiscardChanges())
        return false;
    ClearModified();
    return true;
}

void Document::MarkModified() {
    if (ws_.document.modifiedFlag && !ws_.document.captionMarked) {
        caption_ += u'*';
        ports_.SetCaption(caption_);
        ws_.document.captionMarked = true;
    }
}

} // namespace pad
