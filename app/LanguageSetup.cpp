#include "app/LanguageSetup.h"

#include <QFile>
#include <QFileInfo>
#include <QToolTip>

namespace pad {

QString WithoutAccelerators(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] != u'&' || (i + 1 < text.size() && text[i + 1] == u'&'))
            plain += text[i];
    return plain;
}

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
