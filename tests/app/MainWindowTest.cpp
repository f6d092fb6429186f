// The main window as a user meets it: captions, labels per mode, menus, key menu,
// check marks, document questions, language file, help and About.

#include "app/KeyedBitmap.h"
#include "app/TAboutBox.h"
#include "app/TForm1.h"
#include "devicelink/WindowMessage.h"
#include "model/FileSystemName.h"
#include "model/ProfileFile.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TestWindowOptions.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

using namespace pad;

namespace {

struct Fixture {
    explicit Fixture(const QString& folder = QString()) {
        options = testing::TestWindowOptions(folder.isEmpty() ? emptyFolder.path() : folder, ui);
        options.reportPause = std::chrono::milliseconds(10); // no test here waits 17 s
        options.deviceLink.initDriver = [this](QObject* host, std::uint32_t m, std::uint32_t page) {
            calls << QString("InitDriver %1 %2 %3")
                         .arg(qobject_cast<KeypadSession*>(host) != nullptr)
                         .arg(m)
                         .arg(page, 0, 16);
            return 1;
        };
        options.deviceLink.setKbdFeatures = [this](std::uint32_t page, std::uint32_t usage,
                                                   const std::uint8_t* r) {
            QByteArray bytes(reinterpret_cast<const char*>(r), 8);
            calls << QString("Set %1 %2 %3")
                         .arg(page, 0, 16)
                         .arg(usage, 0, 16)
                         .arg(QString(bytes.toHex(' ')));
        };
        form = std::make_unique<TForm1>(ws, options);
    }
    QTemporaryDir emptyFolder;
    ScriptedUi ui;
    Workspace ws;
    TForm1Options options;
    QStringList calls;
    std::unique_ptr<TForm1> form;

    QStringList Labels() const {
        QStringList texts;
        for (int k = 0; k < 16; ++k)
            texts << form->KeyLabel(k)->text();
        return texts;
    }
    template <typename T> T* Child(const char* name) const {
        T* child = form->findChild<T*>(name);
        if (!child)
            qFatal("no child %s", name);
        return child;
    }
    QAction* KeyItem(const char* name) const { return form->KeyMenu()->findChild<QAction*>(name); }
    QColor BackgroundColour() const {
        // A pixel of the picture that no bitmap covers: right of the label column.
        return form->findChild<QWidget*>("BkImg")->grab().toImage().pixelColor(180, 200);
    }
    // Hands the window a command line and runs the queued opening at once.
    void OpenCommandLine(std::vector<std::u16string> arguments) {
        form->OpenCommandLineLater(std::move(arguments));
        QCoreApplication::sendPostedEvents(form.get(), QEvent::MetaCall);
    }
    void OpenKeyMenuOn(int labelNumber) {
        form->KeyMenu()->hide();
        form->KeyLabelReleased(labelNumber);
    }
};

void SendMessage(QObject* to, std::uint32_t message) {
    WindowMessage event(message, 0, 0);
    QCoreApplication::sendEvent(to, &event);
}

const QStringList NormalTexts = {"Q",       "W",       "E",       "L-Ctrl", "A",     "S",
                                 "D",       "L-Shift", "L-Alt",   "Tab",    "Space", "M-Mouse",
                                 "U-Arrow", "D-Arrow", "L-Arrow", "R-Arrow"};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void creationBindsTheLinkThenSendsNormalMode() {
        Fixture f;
        QCOMPARE(f.form->windowTitle(), QString("Corvask 12 - "));
        QCOMPARE(f.calls.size(), 2);
        QCOMPARE(f.calls[0], QString("InitDriver 1 1124 ff00"));
        QCOMPARE(f.calls[1], QString("Set ff00 ff00 03 ff ff 00 00 00 00 00"));
        QCOMPARE(f.Labels(), NormalTexts);
        QCOMPARE(f.BackgroundColour(), QColor(6, 6, 6));
        // The keypad's picture covers a third of the view and more; without its artwork
        // little more than the mode colour and the labels would show.
        const QImage view = f.form->findChild<QWidget*>("BkImg")->grab().toImage();
        int drawn = 0;
        for (int y = 0; y < view.height(); ++y)
            for (int x = 0; x < view.width(); ++x)
                drawn += view.pixelColor(x, y) != QColor(6, 6, 6) ? 1 : 0;
        QVERIFY2(drawn > view.width() * view.height() / 3, qPrintable(QString::number(drawn)));
    }

    // Every item of the menu bar reaches its command: what the user then meets is a
    // file dialog, a question, a warning, another mode or a dialog of its own.
    void menuBarItemsRunTheirCommands() {
        Fixture f;
        f.form->show();
        f.form->CreateDialogs();
        const auto dialogShown = [&](const char* item, const char* dialog) {
            QString active;
            QTimer::singleShot(0, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                active = modal ? modal->objectName() : QString();
                if (modal)
                    modal->close();
            });
            f.Child<QAction>(item)->trigger();
            return active == dialog;
        };
        const auto fileDialogShown = [&](const char* item) {
            f.ui.fileAnswers = {std::nullopt};
            f.Child<QAction>(item)->trigger();
            return f.ui.fileAnswers.empty();
        };
        const auto messageShown = [&](const char* item, const QString& start) {
            f.ui.answers = {false};
            f.Child<QAction>(item)->trigger();
            return !f.ui.shown.empty() && f.ui.shown.back().text.startsWith(start);
        };
        const auto modeShown = [&](const char* item, int mode) {
            f.Child<QAction>(item)->trigger();
            return f.form->ViewMode() == mode;
        };
        QVERIFY(fileDialogShown("Open1"));
        QVERIFY(fileDialogShown("Save1")); // an unnamed profile is saved under a new name
        QVERIFY(fileDialogShown("SaveAs1"));
        QVERIFY(messageShown("Import1", "No keypad connected"));
        QVERIFY(modeShown("ModeB1", 1));
        QVERIFY(modeShown("ModeC1", 2));
        QVERIFY(modeShown("ModeA1", 0));
        QVERIFY(dialogShown("NewMacro1", "TRecDlg"));
        QVERIFY(dialogShown("EditMarcos1", "TMacroMngDlg"));
        QVERIFY(dialogShown("About1", "AboutBox"));
        f.Child<QAction>("Help2")->trigger();
        QCOMPARE(f.ui.opened.size(), 1);
        f.ws.document.modifiedFlag = true;
        QVERIFY(messageShown("New1", "Key settings has been modified"));
        QVERIFY(messageShown("Exit1", "Key settings has been modified"));
        QVERIFY(f.form->isVisible()); // No keeps the window open
    }

    void modeSwitchRepaintsRelabelsAndSelectsTheKeypadMode() {
        Fixture f;
        f.ws.profile.slot(1, 4).label = u"Grenade";
        f.calls.clear();
        f.Child<QToolButton>("ToolButton2")->click();
        QCOMPARE(f.form->ViewMode(), 1);
        QCOMPARE(f.calls, QStringList({"Set ff00 ff00 03 ff ff 02 00 00 00 00"}));
        QCOMPARE(f.BackgroundColour(), QColor(0, 128, 0));
        QCOMPARE(f.Labels()[4], QString("Grenade"));
        QCOMPARE(f.Labels()[0], QString("Normal"));

        f.calls.clear();
        f.Child<QAction>("ModeA1")->trigger();
        QCOMPARE(f.calls, QStringList({"Set ff00 ff00 03 ff ff 01 00 00 00 00"}));
        QCOMPARE(f.BackgroundColour(), QColor(0, 0, 128));
        QCOMPARE(f.Labels()[4], QString("Normal"));
        // Menu and buttons show one mode: the one in view, even after a second click.
        QVERIFY(f.Child<QToolButton>("ToolButton1")->isChecked());
        QVERIFY(!f.Child<QToolButton>("ToolButton2")->isChecked());
        f.Child<QAction>("ModeA1")->trigger(); // sent again although already shown
        f.Child<QAction>("ModeC1")->trigger();
        QCOMPARE(f.BackgroundColour(), QColor(128, 0, 0));
        f.Child<QToolButton>("ToolButton8")->click();
        f.Child<QToolButton>("ToolButton8")->click();
        QVERIFY(f.Child<QToolButton>("ToolButton8")->isChecked());
        QVERIFY(!f.Child<QAction>("ModeC1")->isChecked());
        QCOMPARE(f.Labels(), NormalTexts);
        QCOMPARE(f.calls.mid(1), QStringList({"Set ff00 ff00 03 ff ff 01 00 00 00 00",
                                              "Set ff00 ff00 03 ff ff 03 00 00 00 00",
                                              "Set ff00 ff00 03 ff ff 00 00 00 00 00",
                                              "Set ff00 ff00 03 ff ff 00 00 00 00 00"}));
    }

    // A text wider than its key label is centred and cut at both edges: bars further
    // apart than the label is wide both fall outside it, closer ones stand as far
    // from either edge.
    void longLabelTextIsCentredAndCutAtBothEdges() {
        Fixture f;
        QLabel* label = f.form->KeyLabel(0);
        const int width = label->width();
        auto inkEdges = [&](int barDistance) { // the first and the last column with ink
            QString text = "|";
            while (label->fontMetrics().horizontalAdvance(text + " |") < barDistance)
                text += ' ';
            label->setText(text + '|');
            QImage image(label->size(), QImage::Format_RGB32);
            image.fill(Qt::black);
            label->render(&image);
            QPoint edges(width, -1);
            for (int x = 0; x < width; ++x)
                for (int y = 0; y < image.height(); ++y)
                    if (qGray(image.pixel(x, y)) > 128)
                        edges = {std::min(edges.x(), x), x};
            return edges;
        };
        QCOMPARE(inkEdges(width + 20), QPoint(width, -1)); // no ink
        const QPoint ink = inkEdges(width - 20);
        QVERIFY(ink.y() >= 0 && qAbs(ink.x() + ink.y() - (width - 1)) <= 1);
    }

    void keyMenuOpensOnlyInModesAtoC() {
        Fixture f;
        f.form->show();
        f.OpenKeyMenuOn(5);
        QVERIFY(!f.form->KeyMenu()->isVisible());
        f.Child<QAction>("ModeB1")->trigger();
        f.OpenKeyMenuOn(5);
        QVERIFY(f.form->KeyMenu()->isVisible());
        QCOMPARE(int(f.ws.selection.currentMode), 1);
        QCOMPARE(int(f.ws.selection.currentKey), 4);
        QCOMPARE(f.form->SelectedLabel(), f.form->KeyLabel(4));
        f.form->KeyMenu()->hide();
    }

    void keyMenuItemsAndCheckMarks() {
        Fixture f;
        f.form->show();
        QStringList items;
        for (QAction* a : f.form->KeyMenu()->actions())
            items << (a->isSeparator() ? QString("-") : a->text());
        // No macros: the rebuild's separator stands next to the fixed one.
        QCOMPARE(items, QStringList({"Single Key...", "New Macro...", "-", "-", "Macro Off", "-",
                                     "Mouse Button...", "-", "Default"}));
        f.Child<QAction>("ModeA1")->trigger();
        f.ws.profile.setKind(0, 2, KindMouseButton);
        f.OpenKeyMenuOn(3);
        QVERIFY(f.KeyItem("MouseButton1")->isChecked());
        QVERIFY(!f.KeyItem("Default1")->isChecked());
        f.ws.profile.setKind(0, 2, KindNone);
        f.OpenKeyMenuOn(3);
        for (const char* name : {"SingeKey1", "MacrosOff1", "MouseButton1", "Default1"})
            QVERIFY2(!f.KeyItem(name)->isChecked(), name);
        f.form->KeyMenu()->hide();
    }

    void defaultAndMacroOffFromTheKeyMenu() {
        Fixture f;
        f.form->show();
        f.Child<QAction>("ModeB1")->trigger();
        f.OpenKeyMenuOn(4);
        f.KeyItem("Default1")->trigger();
        QCOMPARE(f.ws.profile.slot(1, 3).action, KeyAction::direct(0x63));
        QCOMPARE(f.ws.profile.kindOf(1, 3), KindDefault);
        QCOMPARE(f.Labels()[3], QString("L-Ctrl"));
        QVERIFY(f.KeyItem("Default1")->isChecked());
        QCOMPARE(f.form->windowTitle(), QString("Corvask 12 - *"));

        f.OpenKeyMenuOn(1);
        f.KeyItem("MacrosOff1")->trigger();
        QCOMPARE(f.ws.profile.slot(1, 0).action, KeyAction::empty());
        QCOMPARE(f.ws.profile.kindOf(1, 0), KindMacroOff);
        QCOMPARE(f.Labels()[0], QString("Macro Off"));
        QCOMPARE(f.form->windowTitle(), QString("Corvask 12 - *"));
        f.form->KeyMenu()->hide();
    }

    void macroItemsShowTheLastTwelve() {
        Fixture f;
        for (int i = 0; i < 13; ++i)
            f.ws.profile.macros().append(
                {u"m" + QString::number(i).toStdU16String(), KeyAction::empty()});
        f.form->RebuildMacroMenu();
        f.form->RebuildMacroMenu(); // twice leaves the same items
        QStringList visible;
        for (QAction* a : f.form->KeyMenu()->actions())
            if (a->isVisible())
                visible << (a->isSeparator() ? QString("-") : a->objectName());
        QCOMPARE(
            visible,
            QStringList({"SingeKey1", "Marco1",       "-",       "Macro1",  "Macro2", "Macro3",
                         "Macro4",    "Macro5",       "Macro6",  "Macro7",  "Macro8", "Macro9",
                         "Macro10",   "Macro11",      "Macro12", "More1",   "-",      "MacrosOff1",
                         "-",         "MouseButton1", "-",       "Default1"}));
        QVERIFY(f.KeyItem("Macro0") && !f.KeyItem("Macro0")->isVisible());
        QCOMPARE(f.KeyItem("Macro12")->text(), QString("m12"));

        // A key of macro 12 checks its item; one of the hidden macro 0 shows none.
        f.Child<QAction>("ModeC1")->trigger();
        f.ws.profile.setKind(2, 0, KindMacroBase + 12);
        f.form->show();
        f.OpenKeyMenuOn(1);
        QVERIFY(f.KeyItem("Macro12")->isChecked());
        f.ws.profile.setKind(2, 0, KindMacroBase);
        f.OpenKeyMenuOn(1);
        for (QAction* a : f.form->KeyMenu()->actions())
            QVERIFY(!(a->isVisible() && a->isChecked()));
        f.form->KeyMenu()->hide();
    }

    void commandLineOpensAfterTheLoopAndMarksChanges() {
        QTemporaryDir dir;
        const QString path = dir.filePath("game.qd6");
        Profile stored;
        stored.slot(0, 0).label = u"Fire";
        QCOMPARE(SaveProfileFile(stored, path.toStdString()), FileResult::Ok);
        Fixture f;
        f.form->OpenCommandLineLater({u"/usr/bin/padconfig", path.toStdU16String()});
        QCOMPARE(f.form->windowTitle(), QString("Corvask 12 - ")); // only once the loop runs
        QTRY_COMPARE(f.form->windowTitle(), QString("Corvask 12 - game.qd6"));
        f.Child<QAction>("ModeA1")->trigger();
        QCOMPARE(f.Labels()[0], QString("Fire"));
        f.form->show();
        f.OpenKeyMenuOn(2);
        f.KeyItem("Default1")->trigger();
        QCOMPARE(f.form->windowTitle(), QString("Corvask 12 - game.qd6*"));
        f.Child<QAction>("Save1")->trigger();
        QCOMPARE(f.form->windowTitle(), QString("Corvask 12 - game.qd6"));
        Profile back;
        QCOMPARE(LoadProfileFile(back, path.toStdString()), FileResult::Ok);
        QCOMPARE(back.slot(0, 1).label, std::u16string(u"W"));
        QCOMPARE(back.kindOf(0, 1), KindDefault);
    }

    void aNameThatIsNotUtf8OpensSavesAndIsFound() {
        QTemporaryDir dir;
        const std::string path = QFile::encodeName(dir.path()).toStdString() + "/\xFFgame.qd6";
        // QTemporaryDir cannot name this file to remove it.
        struct Remove {
            std::string path;
            ~Remove() { std::filesystem::remove(path); }
        } removeLater{path};
        Profile stored;
        stored.slot(0, 0).label = u"Fire";
        QCOMPARE(SaveProfileFile(stored, path), FileResult::Ok);
        Fixture f;
        const std::u16string name = DecodeFileName(path);
        f.OpenCommandLine({u"padconfig", name});
        QVERIFY(f.ui.shown.empty());
        QCOMPARE(f.form->windowTitle(), QString::fromStdU16String(u"Corvask 12 - \xDCFFgame.qd6"));
        QVERIFY(f.ws.profile.slot(0, 0).label == u"Fire");

        f.ws.profile.slot(0, 0).label = u"Ice";
        f.ws.document.modifiedFlag = true;
        f.Child<QAction>("Save1")->trigger();
        Profile back;
        QCOMPARE(LoadProfileFile(back, path), FileResult::Ok);
        QVERIFY(back.slot(0, 0).label == u"Ice");
        // Save As finds the file under its own name and asks before overwriting it.
        f.ui.fileAnswers = {QString::fromStdU16String(name)};
        f.ui.answers = {true};
        f.Child<QAction>("SaveAs1")->trigger();
        QCOMPARE(f.ui.shown.size(), std::size_t(1));
        QVERIFY(f.ui.shown[0].question());
    }

    void macroItemBeyondTheKeysReachIsRefused() {
        Fixture f;
        f.form->CreateDialogs();
        for (std::size_t i = 0; i < 65527; ++i)
            f.ws.profile.macros().append({u"m", KeyAction::empty()});
        f.form->RebuildMacroMenu();
        f.Child<QAction>("ModeA1")->trigger();
        f.form->show();
        f.OpenKeyMenuOn(1);
        const Profile before = f.ws.profile;
        // Should the editor open, it is closed again, so that the test fails, not hangs.
        QTimer::singleShot(0, f.form.get(), [] {
            if (QWidget* editor = QApplication::activeModalWidget())
                editor->close();
        });
        QAction* item = f.KeyItem("Macro65526");
        QVERIFY(item);
        item->trigger();
        QCOMPARE(f.ui.shown.size(), std::size_t(1));
        QCOMPARE(f.ui.shown[0].text,
                 QString("This macro cannot be assigned to a key: keys can play only the first "
                         "65,526 macros of a profile."));
        QVERIFY(f.ws.profile == before);
        f.form->KeyMenu()->hide();
    }

    void unsupportedFileWarnsAndLeavesAFreshDocument() {
        QTemporaryDir dir;
        const QString path = dir.filePath("notes.qd6");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(30000, 'x'));
        file.close();
        Fixture f;
        f.OpenCommandLine({u"padconfig", path.toStdU16String()});
        QCOMPARE(f.ui.shown.size(), size_t(1));
        QCOMPARE(f.ui.shown[0].text, "Unsupported file\n" + path);
        QCOMPARE(f.ui.shown[0].caption, QString("Warning"));
        QVERIFY(!f.ui.shown[0].owned());
        QCOMPARE(f.form->windowTitle(), QString("Corvask 12 - "));

        // A FIFO is refused at once, never waited on.
        const QString fifo = dir.filePath("fifo.qd6");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        f.OpenCommandLine({u"padconfig", fifo.toStdU16String()});
        QCOMPARE(f.ui.shown.back().text,
                 "File open for read failed\n" + fifo + ": Not a regular file");
    }

    void saveAsOverwriteQuestionBothAnswers() {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.qd6");
        Profile stored;
        stored.slot(2, 2).label = u"Stored";
        QCOMPARE(SaveProfileFile(stored, path.toStdString()), FileResult::Ok);

        Fixture f;
        f.ws.profile.slot(2, 2).label = u"Edited";
        f.ws.document.modifiedFlag = true;
        f.form->MarkModified();
        // Yes: nothing is written and the document stays unnamed.
        f.ui.fileAnswers = {path};
        f.ui.answers = {true};
        f.Child<QAction>("SaveAs1")->trigger();
        QCOMPARE(f.ui.shown.back().text,
                 QString("A file with the name your specified already exists. Specify a "
                         "different file name."));
        QCOMPARE(f.ui.shown.back().caption, QString("Warning"));
        QVERIFY(f.ui.shown.back().owned());
        Profile back;
        QCOMPARE(LoadProfileFile(back, path.toStdString()), FileResult::Ok);
        QCOMPARE(back.slot(2, 2).label, std::u16string(u"Stored"));
        QCOMPARE(f.form->windowTitle(), QString("Corvask 12 - *"));
        QCOMPARE(f.ui.beeps, 0);

        // No: overwritten, beep, named, unmarked.
        f.ui.fileAnswers = {path};
        f.ui.answers = {false};
        f.Child<QAction>("SaveAs1")->trigger();
        QCOMPARE(LoadProfileFile(back, path.toStdString()), FileResult::Ok);
        QCOMPARE(back.slot(2, 2).label, std::u16string(u"Edited"));
        QCOMPARE(f.ui.beeps, 1);
        QCOMPARE(f.form->windowTitle(), QString("Corvask 12 - old.qd6"));
    }

    void discardQuestionGuardsNewAndClose() {
        Fixture f;
        f.form->show();
        f.ws.document.modifiedFlag = true;
        f.form->MarkModified();
        f.ui.answers = {false};
        f.Child<QAction>("New1")->trigger();
        QCOMPARE(f.ui.shown.back().text,
                 QString("Key settings has been modified, you will lost the current settings "
                         "when you close the window without saving. Continue?"));
        QVERIFY(!f.ui.shown.back().owned());
        QVERIFY(f.ws.document.modifiedFlag);
        f.ui.answers = {false};
        QVERIFY(!f.form->close());
        QVERIFY(f.form->isVisible());
        f.ui.answers = {true};
        QVERIFY(f.form->close());
    }

    void germanLanguageFileTranslatesMenusTipsAndSlots() {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(PADCONFIG_RESOURCES_DIR "/lang/UILANG-de.lng",
                            folder.filePath("UILANG.lng")));
        Fixture f(folder.path());
        QVERIFY(f.form->LanguageActive());
        QCOMPARE(f.Child<QMenu>("File1")->title(), QString("&Datei"));
        QCOMPARE(f.Child<QMenu>("MacroMenu1")->title(), QString("M&akro"));
        QCOMPARE(f.Child<QAction>("Open1")->text(), QString("&Öffnen..."));
        QCOMPARE(f.Child<QAction>("ModeB1")->text(), QString("Modus B"));
        QCOMPARE(f.KeyItem("MacrosOff1")->text(), QString("Makro aus"));
        QCOMPARE(f.Child<QToolButton>("ToolButton5")->toolTip(), QString("Öffnen..."));
        QCOMPARE(f.Child<QToolButton>("ToolButton8")->toolTip(), QString("Normalmodus"));
        QCOMPARE(f.Child<QWidget>("Image5")->toolTip(), QString("LADEN"));
        QCOMPARE(f.form->Download().Hidden().loadingLabel->text(), QString("LADE ..."));
        QCOMPARE(f.form->WarningCaption(), QString("Warnung"));
        // Buttons that show a picture are announced by their translated names.
        auto announced = [&](const char* name) {
            return QAccessible::queryAccessibleInterface(f.Child<QWidget>(name))
                ->text(QAccessible::Name);
        };
        QCOMPARE(announced("ToolButton5"), QString("Öffnen..."));
        QCOMPARE(announced("ToolButton8"), QString("Normalmodus"));
        QCOMPARE(announced("ToolButton2"), QString("Modus B"));
        QCOMPARE(announced("Image5"), QString("LADEN"));

        QCOMPARE(f.Child<QLabel>("ModeTitle")->text(), QString("NORMALMODUS"));
        f.form->show();
        f.Child<QAction>("ModeA1")->trigger();
        QCOMPARE(f.Child<QLabel>("ModeTitle")->text(), QString("MODUS A"));
        QCOMPARE(f.Labels()[0], QString("Normal"));
        f.OpenKeyMenuOn(2);
        f.KeyItem("MacrosOff1")->trigger();
        QCOMPARE(f.Labels()[1], QString("Makro aus"));
        f.OpenKeyMenuOn(3);
        f.KeyItem("Default1")->trigger();
        QCOMPARE(f.Labels()[2], QString("E")); // native labels stay English
        f.form->KeyMenu()->hide();

        // Questions come from the file too.
        f.ui.answers = {false};
        f.Child<QAction>("New1")->trigger();
        QCOMPARE(f.ui.shown.back().caption, QString("Warnung"));
        QVERIFY(f.ui.shown.back().text.startsWith("Die Tastenbelegung"));
        // And the file errors, each its own.
        f.ui.fileAnswers = {folder.filePath("missing.qd6")};
        f.ui.answers = {true};
        f.Child<QAction>("Open1")->trigger();
        QVERIFY(
            f.ui.shown.back().text.startsWith("Datei konnte nicht zum Lesen geöffnet werden\n"));
        QFile notAProfile(folder.filePath("notes.qd6"));
        QVERIFY(notAProfile.open(QIODevice::WriteOnly) && notAProfile.write("notes") == 5);
        notAProfile.close();
        f.ui.fileAnswers = {notAProfile.fileName()};
        f.ui.answers = {true};
        f.Child<QAction>("Open1")->trigger();
        QCOMPARE(f.ui.shown.back().text,
                 "Kein unterstütztes Dateiformat\n" + notAProfile.fileName());
    }

    void languageFileWithoutTextsKeepsEnglishMessagesAndLabels() {
        QTemporaryDir folder;
        QFile file(folder.filePath("UILANG.lng"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[LNG]\n0=1041\n");
        file.close();
        Fixture f(folder.path());
        QCOMPARE(f.form->LanguageFont().family(), QString("MS PGothic"));
        QCOMPARE(f.form->LanguageFont().pointSize(), 9);
        QCOMPARE(f.Child<QAction>("Open1")->text(), QString("&Open..."));
        f.form->show();
        f.Child<QAction>("ModeA1")->trigger();
        QCOMPARE(f.Labels()[7], QString("Normal"));
        f.OpenKeyMenuOn(2);
        f.KeyItem("MacrosOff1")->trigger();
        QCOMPARE(f.Labels()[1], QString("Macro Off"));

        // The discard question and a file error are never shown without text.
        f.ui.answers = {false};
        f.Child<QAction>("New1")->trigger();
        QVERIFY(f.ui.shown.back().question());
        QVERIFY(f.ui.shown.back().text.startsWith("Key settings has been modified"));
        QCOMPARE(f.ui.shown.back().caption, QString("Warning"));
        f.ui.fileAnswers = {folder.filePath("missing.qd6")};
        f.ui.answers = {true};
        f.Child<QAction>("Open1")->trigger();
        QCOMPARE(f.ui.shown.back().text, "File open for read failed\n" +
                                             folder.filePath("missing.qd6") + ": " +
                                             std::strerror(ENOENT));
        QCOMPARE(f.ui.shown.back().caption, QString("Warning"));
    }

    void hoverHighlightDrawsOnScreenOnly() {
        Fixture f;
        f.form->show();
        auto* view = f.form->findChild<QWidget*>("BkImg");
        const QImage plain = view->grab().toImage();
        const QPoint inBar(60, 29 + 140); // zone 5, left of its label
        f.form->PointerMovedTo(inBar);
        QVERIFY(f.form->HoverTimer().isActive());
        f.form->HoverTimerTick();
        QCOMPARE(f.form->Hover().DrawnHoverZone(), 5);
        QVERIFY(view->grab().toImage().pixel(inBar) != plain.pixel(inBar));
        f.form->PointerMovedTo(QPoint(5, 200));
        f.form->HoverTimerTick();
        QCOMPARE(f.form->Hover().DrawnHoverZone(), 17);
        QCOMPARE(view->grab().toImage().pixel(inBar), plain.pixel(inBar));
        // A mode switch resets the zones.
        f.Child<QAction>("ModeA1")->trigger();
        QCOMPARE(f.form->Hover().HoverZone(), 0);
    }

    void loadButtonShowsItsPressedLook() {
        Fixture f;
        f.form->show();
        auto* view = f.form->findChild<QWidget*>("BkImg");
        auto* hot = f.Child<QWidget>("Image5");
        const QPoint inside(402 + 25, 43 + 25);
        const QImage normal = view->grab().toImage();
        QTest::mousePress(hot, Qt::LeftButton, {}, QPoint(45, 45)); // off the arrow, on the face
        const QImage pressed = view->grab().toImage();
        QVERIFY(pressed != normal);
        QCOMPARE(pressed.pixel(inside.x() - 30, inside.y() - 30),
                 normal.pixel(inside.x() - 30, inside.y() - 30)); // outside the button: unchanged
        QTest::mouseRelease(hot, Qt::LeftButton, {},
                            QPoint(200, 200)); // released outside: no click
        QCOMPARE(view->grab().toImage(), normal);
    }

    void helpSoundAndAbout() {
        Fixture f;
        const QString page = f.options.programFolder + "/CV12HLP.htm";
        f.Child<QAction>("Help2")->trigger();
        QCOMPARE(f.ui.opened, QStringList({page}));
        QVERIFY(f.ui.shown.empty());
        // No program shows the page, and none the sound settings: each says so.
        f.ui.opensFiles = false;
        f.Child<QToolButton>("ToolButton7")->click();
        f.Child<QToolButton>("ToolButton10")->click();
        QVERIFY(f.ui.started.isEmpty());
        QCOMPARE(f.ui.Messages(),
                 QStringList({"Warning: No program to show the help page was found. Install a "
                              "web browser, or open " +
                                  page + " yourself.",
                              "Warning: No sound settings program was found. PadConfig opens the "
                              "first of these that is installed: gnome-control-center, "
                              "systemsettings, pavucontrol."}));
        QVERIFY(f.ui.shown[0].owned() && f.ui.shown[1].owned());
        f.ui.programs = {"pavucontrol", "systemsettings"};
        f.Child<QToolButton>("ToolButton10")->click();
        QCOMPARE(f.ui.started, QStringList({"/usr/bin/systemsettings kcm_pulseaudio"}));
        QCOMPARE(f.ui.shown.size(), std::size_t(2));

        f.form->CreateDialogs();
        TAboutBox* about = f.form->AboutBox();
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QString("About"));
        QStringList texts;
        for (QLabel* label : about->findChildren<QLabel*>())
            texts << label->text();
        QVERIFY(texts.contains("Corvask 12 Gaming Keypad"));
        QVERIFY(texts.contains("Version"));
        QVERIFY(texts.contains("1.7.0.0"));

        // Centred on the screen, also with the main window in a corner.
        f.form->show();
        f.form->move(0, 0);
        about->show();
        const QPoint screenCentre = about->screen()->availableGeometry().center();
        QVERIFY((about->frameGeometry().center() - screenCentre).manhattanLength() <= 6);
        about->hide();
    }

    void presenceMessagesShowInTheToolBarStrip() {
        Fixture f;
        auto* status = f.Child<QLabel>("PadLinkStatus");
        QCOMPARE(status->accessibleName(), QString("Not connected"));
        SendMessage(&f.form->Keypad(), MSG_KEYPAD_PRESENT);
        QCOMPARE(status->accessibleName(), QString("Keypad connected"));
        SendMessage(&f.form->Keypad(), MSG_KEYPAD_NO_ACCESS);
        QCOMPARE(status->accessibleName(), QString("No permission"));
        QVERIFY(status->toolTip().contains("udev"));
        SendMessage(&f.form->Keypad(), MSG_KEYPAD_ABSENT);
        QCOMPARE(status->accessibleName(), QString("Not connected"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
