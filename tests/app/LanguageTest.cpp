// The language PadConfig starts in, as the environment chooses it: the user's
// language file, the program folder's, the file shipped for the locale, and Qt's
// own dialogs in the same language.

#include "app/TForm1.h"
#include "common/KeypadProtocol.h"
#include "devicelink/WindowMessage.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestWindowOptions.h"
#include "texts/qt/QtUtf16.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace pad;

namespace {

void WriteFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// The main window as a user's environment starts it: no languageSearch given.
struct Started {
    Started(const QString& programFolder) {
        TForm1Options options = testing::TestWindowOptions(programFolder, ui);
        options.languageSearch.reset();
        form = std::make_unique<TForm1>(ws, options);
    }
    QString FileMenu() const { return form->findChild<QMenu*>("File1")->title(); }
    QString Presence() const { return form->findChild<QLabel*>("PadLinkStatus")->accessibleName(); }
    ScriptedUi ui;
    Workspace ws;
    std::unique_ptr<TForm1> form;
};

// The buttons of Qt's own open dialog.
QStringList FileDialogButtons() {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto* box = dialog.findChild<QDialogButtonBox*>();
    return {box->button(QDialogButtonBox::Open)->text(),
            box->button(QDialogButtonBox::Cancel)->text()};
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

    QTemporaryDir home, programFolder;

  private slots:
    void init() {
        qunsetenv("LC_ALL");
        qunsetenv("LC_MESSAGES");
        qputenv("LANG", "C.UTF-8");
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        QDir(home.filePath("config")).removeRecursively();
        QFile::remove(programFolder.filePath("UILANG.lng"));
    }

    void germanLocaleGivesGermanMenusTextsAndFileDialog() {
        qputenv("LANG", "de_DE.UTF-8");
        Started s(programFolder.path());
        QVERIFY(s.form->LanguageActive());
        QCOMPARE(s.FileMenu(), QString("&Datei"));
        QCOMPARE(s.Presence(), QString("Nicht verbunden"));
        QCOMPARE(s.form->findChild<QLabel*>("TntLabel1")->accessibleName(), "Taste 1: Q");
        WindowMessage noAccess(MSG_KEYPAD_NO_ACCESS, 0, 0);
        QCoreApplication::sendEvent(&s.form->Keypad(), &noAccess);
        QCOMPARE(s.Presence(), QString("Keine Berechtigung"));
        QVERIFY(s.form->findChild<QLabel*>("PadLinkStatus")->toolTip().contains("hidraw-Gerät"));

        s.form->StartDownload(); // the keypad may not be written to
        QCOMPARE(s.ui.shown.size(), std::size_t(1));
        QCOMPARE(s.ui.shown[0].caption, QString("Warnung"));
        const QString warning = s.ui.shown[0].text;
        QVERIFY2(warning.startsWith("Das Keypad ist verbunden, aber PadConfig darf nicht"),
                 qPrintable(warning));
        QVERIFY(warning.contains(QString::fromStdString(UdevRuleLine(KeypadVendorId()))));
        QVERIFY(warning.contains("führen Sie dann 'sudo udevadm"));

        QCOMPARE(FileDialogButtons(), QStringList({"&Öffnen", "Abbrechen"}));
    }

    void cLocaleStaysEnglishWithEnglishDialogs() {
        qputenv("LANG", "de_DE.UTF-8");
        qputenv("LC_ALL", "C");
        Started s(programFolder.path());
        QVERIFY(!s.form->LanguageActive());
        QCOMPARE(s.FileMenu(), QString("&File"));
        QCOMPARE(s.Presence(), QString("Not connected"));
        QCOMPARE(FileDialogButtons(), QStringList({"&Open", "Cancel"}));
    }

    void userFileWinsOverProgramFolderAndLocale() {
        qputenv("LANG", "de_DE.UTF-8");
        WriteFile(programFolder.filePath("UILANG.lng"), "[LNG]\n1=&Program\n61=Away\n");
        {
            Started s(programFolder.path());
            QCOMPARE(s.FileMenu(), QString("&Program"));
            QCOMPARE(s.Presence(), QString("Away"));
        }
        WriteFile(home.filePath("config/padconfig/UILANG.lng"), "[LNG]\n0=1036\n1=&Fichier\n");
        Started s(programFolder.path());
        QCOMPARE(s.FileMenu(), QString("&Fichier"));
        QCOMPARE(s.Presence(), QString("Not connected")); // absent from the file: English
        // Qt's dialogs follow the file's language, not the locale.
        QCOMPARE(FileDialogButtons(), QStringList({"&Ouvrir", "Annuler"}));
    }

    void englishAdviceMatchesTheCommandLineTools() {
        const auto english = [](const UiText& text) { return FromU16(text.english); };
        QCOMPARE(NoAccessAdviceText(english, 0x1C4F),
                 QString::fromStdString(NoAccessAdvice(0x1C4F)));
    }
};

QTEST_MAIN(LanguageTest)
#include "LanguageTest.moc"
