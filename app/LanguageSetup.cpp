#include "app/LanguageSetup.h"

#include "common/FileAccess.h"
#include "texts/qt/QtPath.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QToolTip>
#include <QTranslator>

namespace pad {
namespace {

// QT_LOGGING_RULES=padconfig.language.info=true tells which file and Qt translation
// are in force.
Q_LOGGING_CATEGORY(languageLog, "padconfig.language", QtWarningMsg)

} // namespace

LanguageSetup::LanguageSetup() = default;

LanguageSetup::~LanguageSetup() {
    if (qtTranslator_)
        QCoreApplication::removeTranslator(qtTranslator_.get());
}

bool LanguageSetup::Select(const LanguageSearch& search) {
    texts_ = Texts();
    filePath_.clear();
    std::vector<UnusableLanguageFile> passedOver;
    if (auto found = FindLanguageFile(search, &passedOver)) {
        texts_ = Texts(std::move(found->file));
        filePath_ = QtPathOf(found->path);
    }
    for (const UnusableLanguageFile& unusable : passedOver)
        qCWarning(languageLog).noquote()
            << "language file" << QtPathOf(unusable.path)
            << "passed over:" << QString::fromStdString(FileErrorText(unusable.systemError));
    const LanguageFontRow row = FontRowFor(texts_.languageId());
    font_ = QFont(QString::fromStdU16String(row.name));
    font_.setPointSize(row.pointSize);
    QToolTip::setFont(font_);
    InstallQtTranslation();
    qCInfo(languageLog).noquote() << "language file:" << (Active() ? filePath_ : "none")
                                  << "- Qt translation:"
                                  << (qtLocale_.isEmpty() ? "none" : qtLocale_);
    return Active();
}

// Qt's dialogs speak the language of the file in force, so that a file dialog or a
// Yes/No box does not fall back to English amid translated texts.
void LanguageSetup::InstallQtTranslation() {
    if (qtTranslator_) {
        QCoreApplication::removeTranslator(qtTranslator_.get());
        qtTranslator_.reset();
    }
    qtLocale_.clear();
    const std::string name = Active() ? LocaleNameOfLanguageId(texts_.languageId()) : std::string();
    if (name.empty())
        return;
    auto translator = std::make_unique<QTranslator>();
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QString::fromStdString(name)), "qtbase", "_", folder))
        return; // Qt's translations are not installed: its dialogs stay English
    QCoreApplication::installTranslator(translator.get());
    qtTranslator_ = std::move(translator);
    qtLocale_ = QString::fromStdString(name);
}

} // namespace pad
