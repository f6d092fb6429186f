// The window side of the document commands: questions, file dialogs, file access
// and the caption.

#include "app/TForm1.h"

#include "app/LanguageSetup.h"
#include "profile/FileSystemName.h"
#include "profile/ProfileFile.h"

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

QString TForm1::WarningCaption() const {
    return TableText(53);
}

bool TForm1::AskDiscardChanges() {
    return ui_->askYesNo(nullptr, TableText(35), WarningCaption());
}

bool TForm1::AskKeepExistingFile() {
    const QString text =
        LanguageActive()
            ? OverwriteQuestionFor(language_->LanguageId())
            : QString("A file with the name your specified already exists. Specify a different "
                      "file name.");
    return ui_->askYesNo(this, text, WarningCaption());
}

std::optional<std::u16string> TForm1::AskOpenPath(const std::u16string& offered) {
    const auto name = ui_->openFileName(this, QString::fromStdU16String(offered), ProfileFilter);
    if (!name)
        return std::nullopt;
    return name->toStdU16String();
}

std::optional<std::u16string> TForm1::AskSavePath(const std::u16string& offered) {
    const auto name = ui_->saveFileName(this, QString::fromStdU16String(offered), ProfileFilter);
    if (!name)
        return std::nullopt;
    return name->toStdU16String();
}

bool TForm1::PathExists(const std::u16string& path) {
    std::error_code error; // a failed query means that nothing is there
    return std::filesystem::exists(LocalPath(path), error);
}

void TForm1::ShowFileResult(int result) {
    const auto r = FileResult(result);
    if (r == FileResult::Ok)
        return;
    ui_->inform(nullptr, TableText(languageTextNumber(r)), WarningCaption());
}

bool TForm1::SaveProfile(const std::u16string& path) {
    const FileResult result = SaveProfileFile(ws_.profile, LocalPath(path));
    ShowFileResult(int(result));
    return result == FileResult::Ok;
}

bool TForm1::LoadProfile(const std::u16string& path) {
    const FileResult result =
        LoadProfileFile(ws_.profile, LocalPath(path), ws_.language.freshLabel);
    ShowFileResult(int(result));
    return result == FileResult::Ok;
}

void TForm1::ShowReadFailed() {
    ShowFileResult(int(FileResult::OpenForReadFailed));
}

void TForm1::ShowWriteFailed() {
    ShowFileResult(int(FileResult::OpenForWriteFailed));
}

void TForm1::SetCaption(const std::u16string& caption) {
    setWindowTitle(QString::fromStdU16String(caption));
}

void TForm1::Beep() {
    ui_->beep();
}

void TForm1::CloseMainWindow() {
    close();
}

} // namespace pad
