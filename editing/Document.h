#pragma once
// The profile document: the commands New, Open, Save, Save As, Exit, the close
// query and the opening of a profile named on the command line, with the unsaved-
// changes flag and the window caption they keep. The commands decide; everything
// they need of the window (questions, file dialogs, file access, refreshes) goes
// through DocumentPorts, so the rules run and are tested without widgets.

#include "editing/Workspace.h"
#include "texts/UiTexts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pad {

inline constexpr std::u16string_view CaptionPrefix = CaptionPrefixText.english;
// ProfilePath is a 512-unit buffer with its terminator: longer paths are refused.
inline constexpr std::size_t MaxPathUnits = 511;

// The part of path after its last '/'; the whole path when it holds none.
std::u16string FileNameOf(std::u16string_view path);
// The name Save As writes to: the chosen name, with ".qd6" appended unless it ends
// in exactly ".qd6" (case-sensitive).
std::u16string SaveAsPath(std::u16string_view chosen);

class DocumentPorts {
  public:
    virtual ~DocumentPorts() = default;

    // "Key settings has been modified, ..." with Yes and No, no owner; true for Yes.
    virtual bool AskDiscardChanges() = 0;
    // The overwrite question of Save As, owned by the main window; true for Yes.
    virtual bool AskKeepExistingFile() = 0;
    // File dialogs with the filter "(*.qd6)"; nullopt when cancelled.
    virtual std::optional<std::u16string> AskOpenPath(const std::u16string& offered) = 0;
    virtual std::optional<std::u16string> AskSavePath(const std::u16string& offered) = 0;
    // Whether a file or directory exists at path.
    virtual bool PathExists(const std::u16string& path) = 0;
    // Write or read the profile file at path; on failure the message is shown and
    // false returned. A failed load leaves the profile as it was.
    virtual bool SaveProfile(const std::u16string& path) = 0;
    virtual bool LoadProfile(const std::u16string& path) = 0;
    // The read failure, for a path too long to be held.
    virtual void ShowReadFailed(const std::u16string& path) = 0;
    // The write failure, for a path too long to be held.
    virtual void ShowWriteFailed(const std::u16string& path) = 0;
    virtual void SetCaption(const std::u16string& caption) = 0;
    virtual void RefreshSlotCaptions() = 0;
    virtual void RebuildMacroMenu() = 0;
    virtual void Beep() = 0;
    // Closes the main window, which ends the program.
    virtual void CloseMainWindow() = 0;
};

class Document {
  public:
    Document(Workspace& workspace, DocumentPorts& ports);

    // Rebuilds the caption as the bare prefix (start-up).
    void ResetCaption();

    // Continue (true) or cancel (false): asks only while ModifiedFlag is set.
    bool ConfirmDiscard();
    void New();
    void Open();
    void Save();
    void SaveAs();
    void Exit();
    // The window is about to close: true allows it.
    bool CloseQuery();
    // Appends "*" once while ModifiedFlag is set.
    void MarkModified();
    // The program's arguments, its own path first: with two or more the last names
    // the profile, which replaces the document without a question.
    void OpenFromCommandLine(const std::vector<std::u16string>& arguments);

  private:
    // Opens the profile at path without a question; a path that is too long or does not
    // load leaves a fresh, unnamed document.
    void openPath(const std::u16string& path);
    // A fresh, unnamed profile with no macros, the menus and caption to match.
    void ResetToFresh();
    void SetCaptionFor(const std::u16string& fileName);
    bool WriteTo(const std::u16string& path);
    // After a write and the caption rebuilt: a success clears the flag; a failure
    // puts the "*" of the unsaved changes back on the caption.
    void SettleAfterWrite(bool written);
    void ClearModified();

    Workspace& ws_;
    DocumentPorts& ports_;
    std::u16string caption_;
};

} // namespace pad
