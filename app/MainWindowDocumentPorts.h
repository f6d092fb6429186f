#pragma once
// The main window's side of the document commands: the questions, file dialogs,
// file access, file messages and the caption.

#include "dialogs/UiServices.h"
#include "editing/Document.h"
#include "editing/Workspace.h"
#include "model/ProfileFile.h"
#include "texts/Texts.h"
#include "texts/qt/QtUtf16.h"

#include <functional>

class QWidget;

namespace pad {

class MainWindowDocumentPorts : public DocumentPorts {
  public:
    struct Refreshes {
        std::function<void()> slotCaptions; // RefreshSlotCaptions
        std::function<void()> macroMenu;    // RebuildMacroMenu
    };

    MainWindowDocumentPorts(Workspace& workspace, QWidget& window, UiServices& ui,
                            const Texts& texts, Refreshes refreshes);

    QString WarningCaption() const { return FromU16(texts_.text(WarningCaptionText)); }

    bool AskDiscardChanges() override;
    bool AskKeepExistingFile() override;
    std::optional<std::u16string> AskOpenPath(const std::u16string& offered) override;
    std::optional<std::u16string> AskSavePath(const std::u16string& offered) override;
    bool PathExists(const std::u16string& path) override;
    bool SaveProfile(const std::u16string& path) override;
    bool LoadProfile(const std::u16string& path) override;
    void ShowReadFailed(const std::u16string& path) override;
    void ShowWriteFailed(const std::u16string& path) override;
    void SetCaption(const std::u16string& caption) override;
    void RefreshSlotCaptions() override { refreshes_.slotCaptions(); }
    void RebuildMacroMenu() override { refreshes_.macroMenu(); }
    void Beep() override { ui_.beep(); }
    void CloseMainWindow() override;

  private:
    // The result's message, then the file's name and the system's reason, if any.
    void ShowFileResult(FileResult result, const std::u16string& path, int systemError);

    Workspace& ws_;
    QWidget& window_;
    UiServices& ui_;
    const Texts& texts_;
    Refreshes refreshes_;
};

} // namespace pad
