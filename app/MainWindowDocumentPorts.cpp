#include "app/MainWindowDocumentPorts.h"

#include "common/FileAccess.h"
#include "model/FileSystemName.h"
#include "texts/FileResultText.h"
#include "texts/qt/QtUtf16.h"

#include <QWidget>

#include <cerrno>
#include <filesystem>

namespace pad {
namespace {

const QString ProfileFilter = QStringLiteral("(*.qd6)");

// The file system's bytes of a path, as the command line or a file dialog gave it.
std::filesystem::path LocalPath(const std::u16string& path) {
    return EncodeFileName(path);
}

} // namespace

MainWindowDocumentPorts::MainWindowDocumentPorts(Workspace& workspace, QWidget& window,
                                                 UiServices& ui, const Texts& texts,
                                                 Refreshes refreshes)
    : ws_(workspace), window_(window), ui_(ui), texts_(texts), refreshes_(std::move(refreshes)) {}

bool MainWindowDocumentPorts::AskDiscardChanges() {
    // Yes throws the changes away: Enter, Escape and closing the box keep them.
    return ui_.askYesNo(nullptr, FromU16(texts_.text(DiscardChangesQuestion)), WarningCaption(),
                        UiServices::Answer::No);
}

bool MainWindowDocumentPorts::AskKeepExistingFile() {
    // No overwrites the file: Enter, Escape and closing the box keep it, as Yes does.
    return ui_.askYesNo(&window_, FromU16(texts_.overwriteQuestion()), WarningCaption(),
                        UiServices::Answer::Yes);
}

std::optional<std::u16string> MainWindowDocumentPorts::AskOpenPath(const std::u16string& offered) {
    const auto name = ui_.openFileName(&window_, QString::fromStdU16String(offered), ProfileFilter);
    if (!name)
        return std::nullopt;
    return name->toStdU16String();
}

std::optional<std::u16string> MainWindowDocumentPorts::AskSavePath(const std::u16string& offered) {
    const auto name = ui_.saveFileName(&window_, QString::fromStdU16String(offered), ProfileFilter);
    if (!name)
        return std::nullopt;
    return name->toStdU16String();
}

bool MainWindowDocumentPorts::PathExists(const std::u16string& path) {
    std::error_code error; // a failed query means that nothing is there
    return std::filesystem::exists(LocalPath(path), error);
}

void MainWindowDocumentPorts::ShowFileResult(FileResult result, const std::u16string& path,
                                             int systemError) {
    if (result == FileResult::Ok)
        return;
    QString text = FromU16(texts_.text(FileResultText(result))) + "\n" + FromU16(path);
    if (systemError != 0)
        text += ": " + QString::fromStdString(FileErrorText(systemError));
    ui_.inform(nullptr, text, WarningCaption());
}

bool MainWindowDocumentPorts::SaveProfile(const std::u16string& path) {
    int error = 0;
    const FileResult result = SaveProfileFile(ws_.profile, LocalPath(path), &error);
    ShowFileResult(result, path, error);
    return result == FileResult::Ok;
}

bool MainWindowDocumentPorts::LoadProfile(const std::u16string& path) {
    int error = 0;
    const FileResult result =
        LoadProfileFile(ws_.profile, LocalPath(path), ws_.language.freshLabel, nullptr, &error);
    ShowFileResult(result, path, error);
    return result == FileResult::Ok;
}

void MainWindowDocumentPorts::ShowReadFailed(const std::u16string& path) {
    ShowFileResult(FileResult::OpenForReadFailed, path, ENAMETOOLONG);
}

void MainWindowDocumentPorts::ShowWriteFailed(const std::u16string& path) {
    ShowFileResult(FileResult::OpenForWriteFailed, path, ENAMETOOLONG);
}

void MainWindowDocumentPorts::SetCaption(const std::u16string& caption) {
    window_.setWindowTitle(QString::fromStdU16String(caption));
}

void MainWindowDocumentPorts::CloseMainWindow() {
    window_.close();
}

} // namespace pad
