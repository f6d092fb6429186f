// The loader's status window speaks the language file's words, and English without.

#include "loader/TQd6LdrSDlg.h"

#include <QLabel>
#include <QtTest>

using namespace pad;

namespace {

QStringList LabelTexts(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

} // namespace

class StatusWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheLanguageFilesTextsWithTheNumbersFilledIn() {
        const std::string file = "[LNG]\n80=Schreibe\n81=%1/%2 Berichte\n82=Fertig\n";
        const auto language = LanguageFile::fromBytes(
            std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size()));
        TQd6LdrSDlg window{Texts(language)};
        window.apply({LoaderCommandKind::Progress, 12});
        QCOMPARE(LabelTexts(window), QStringList({"Schreibe", "12/240 Berichte"}));
        window.apply({LoaderCommandKind::Complete, 0});
        // Text 83 is missing: English.
        QCOMPARE(LabelTexts(window),
                 QStringList({"Fertig", "The profile has been written to the keypad."}));
    }

    void englishWithoutALanguageFile() {
        TQd6LdrSDlg window;
        window.apply({LoaderCommandKind::Progress, 3});
        QCOMPARE(LabelTexts(window),
                 QStringList({"Writing the profile to the keypad", "Report 3 of 240"}));
    }
};

QTEST_MAIN(StatusWindowTest)
#include "StatusWindowTest.moc"
