#include "app/LanguageSetup.h"

#include <QFile>
#include <QFileInfo>
#include <QToolTip>

namespace pad {

bool LanguageSetup::Select(const QString& programFolder) {
    file_.reset();
    filePath_.clear();
    const QString candidate = programFolder + "/UILANG.lng";
    if (QFileInfo(candidate).isFile()) {
        file_ = LanguageFile::load(QFile::encodeName(candidate).toStdString());
        if (file_)
            filePath_ = candidate;
    }
    table_.fill(file_ ? &*file_ : nullptr);
    languageId_ = file_ ? file_->languageId() : DefaultLanguageId;

    const LanguageFontRow row = FontRowFor(languageId_);
    font_ = QFont(QString::fromStdU16String(row.name));
    font_.setPointSize(row.pointSize);
    QToolTip::setFont(font_);
    return Active();
}

bool LanguageSetup::Read(int n, QString& out) const {
    out.clear();
    if (!file_)
        return false;
    std::u16string text;
    const bool present = file_->ReadLanguageText(n, text);
    out = QString::fromStdU16String(text);
    return present;
}

} // namespace pad
