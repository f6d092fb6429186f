#include "app/MainWindowDocumentPorts.h"

#include "common/FileAccess.h"
#include "model/FileSystemName.h"
#include "texts/FileResultText.h"

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

// The overwrite question in the language of a loaded language file. The desktop
// offers no such string, so the common languages carry their own; others get the
// built-in English text.
QString OverwriteQuestionFor(int languageId) {
    switch (languageId & 0x3FF) { // primary language
    case 0x07:
        return "Eine Datei mit diesem Namen ist bereits vorhanden. Geben Sie einen anderen "
               "Dateinamen an.";
    case 0x0C:
        return "Un fichier portant ce nom existe déjà. Indiquez un autre nom de fichier.";
    case 0x0A:
        return "Ya existe un archivo con ese nombre. Especifique otro nombre de archivo.";
    case 0x10:
        return "Esiste già un file con questo nome. Specificare un nome file diverso.";
    case 0x11:
        return "その名前のファイルは既に存在します。別のファイル名を指定してください。";
    case 0x12:
        return "같은 이름의 파일이 이미 있습니다. 다른 파일 이름을 지정하십시오.";
    case 0x04:
        return languageId == 2052 || languageId == 4100 ? "已存在同名文件。请指定其他文件名。"
                                                        : "已有同名的檔案。請指定其他檔案名稱。";
    default:
        return "A file with the name your specified already exists. Specify a different file "
               "name.";
    }
}

} // namespace

MainWindowDocumentPorts::MainWindowDocumentPorts(Workspace& workspace, QWidget& window,
                                                 UiServices& ui, const LanguageSetup& language,
                                                 Refreshes refreshes)
    : ws_(workspace), window_(window), ui_(ui), language_(language),
      refreshes_(std::move(refreshes)) {}

bool MainWindowDocumentPorts::AskDiscardChanges() {
    // Yes throws the changes away: Enter, Escape and closing the box keep them.
    return ui_.askYesNo(nullptr, language_.TableText(DiscardChangesQuestion), WarningCaption(),
                        UiServices::Answer::No);
}

bool MainWindowDocumentPorts::AskKeepExistingFile() {
    // Without a language file the question is the built-in English (language 0).
    const QString text = OverwriteQuestionFor(language_.Active() ? language_.LanguageId() : 0);
    // No overwrites the file: Enter, Escape and closing the box keep it, as Yes does.
    return ui_.askYesNo(&window_, text, WarningCaption(), UiServices::Answer::Yes);
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
    QString text =
        language_.TableText(FileResultText(result)) + "\n" + QString::fromStdU16String(path);
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
