// The "By Application..." dialog driven through its buttons, offscreen, with a fake
// link to the mode service: what OK writes into the rules file, and what it leaves.

#include "dialogs/TModeRuleDlg.h"
#include "dialogs/TModeRulesDlg.h"
#include "modes/control/ServiceLink.h"
#include "tests/support/OnScreenDialogs.h"
#include "tests/support/ScriptedUi.h"
#include "tests/support/TempDir.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

#include <fstream>
#include <sstream>

using namespace pad;
using pad::testing::onNextModal;

namespace {

class FakeLink : public ModeServiceLink {
  public:
    bool serviceRuns() const override { return false; }
    void requestOpenWindows(std::function<void(const OpenWindows&)> done) override {
        done({{{"game", {}, "Game"}}, {}});
    }
    void requestStatus(std::function<void(const FocusStatus&)> done) override {
        done({"X11 (display :9)", true, {}});
    }
};

constexpr const char* ThreeRules = "# mine\napp:one a\napp:two b\napp:three c\n";

std::string FileText(const std::filesystem::path& path) {
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

QPushButton* ButtonNamed(QWidget* dialog, const QString& text) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    qFatal("no button %s", qPrintable(text));
}

void Press(QWidget* dialog, QDialogButtonBox::StandardButton which) {
    dialog->findChild<QDialogButtonBox*>()->button(which)->click();
}

// The dialog, shown, on its own rules file: rules, or a folder where the file belongs.
struct Rig {
    explicit Rig(const char* rulesText) : rules(rulesText) {
        dialog.show();
        list = dialog.findChild<QTreeWidget*>(QStringLiteral("RuleList"));
    }
    void select(int row) { list->setCurrentItem(list->topLevelItem(row)); }
    static bool Prepare(const std::filesystem::path& path, const char* rules) {
        if (rules)
            std::ofstream(path) << rules;
        else
            std::filesystem::create_directory(path);
        return true;
    }

    test::TempDir dir;
    std::filesystem::path path = dir / "modes.conf";
    const char* rules;
    bool prepared = Prepare(path, rules);
    ScriptedUi ui;
    Texts texts;
    FakeLink link;
    TModeRulesDlg dialog{DialogContext{ui, texts, {}}, link, QString(), path};
    QTreeWidget* list = nullptr;
};

} // namespace

class ModeRulesDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void upDownAndRemoveReorderTheFileOnOk() {
        Rig rig(ThreeRules);
        rig.select(2);
        ButtonNamed(&rig.dialog, "&Up")->click(); // one, three, two
        rig.select(0);
        ButtonNamed(&rig.dialog, "Do&wn")->click();   // three, one, two
        ButtonNamed(&rig.dialog, "Re&move")->click(); // one removed: three, two
        Press(&rig.dialog, QDialogButtonBox::Ok);
        QCOMPARE(rig.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(FileText(rig.path), std::string("# mine\napp:three c\napp:two b\n"));
    }

    void cancelLeavesTheFileAsItWas() {
        Rig rig(ThreeRules);
        rig.select(0);
        ButtonNamed(&rig.dialog, "Re&move")->click();
        Press(&rig.dialog, QDialogButtonBox::Cancel);
        QCOMPARE(rig.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(FileText(rig.path), std::string(ThreeRules));
    }

    void aFileChangedElsewhereIsKeptWhenTheUserSaysNo() {
        Rig rig(ThreeRules);
        rig.select(0);
        ButtonNamed(&rig.dialog, "Re&move")->click();
        std::ofstream(rig.path) << "app:other b\n";
        rig.ui.answers = {false};
        Press(&rig.dialog, QDialogButtonBox::Ok);
        QCOMPARE(rig.ui.shown.size(), std::size_t(1));
        QVERIFY(rig.ui.shown.front().question());
        QVERIFY(rig.dialog.isVisible()); // still open, to be cancelled or saved
        QCOMPARE(FileText(rig.path), std::string("app:other b\n"));
    }

    void anUnreadableFileCanBeNeitherEditedNorOverwritten() {
        Rig rig(nullptr);
        for (const char* text : {"&Add...", "&Edit...", "Re&move", "&Up", "Do&wn"})
            QVERIFY2(!ButtonNamed(&rig.dialog, text)->isEnabled(), text);
        QVERIFY(!rig.list->isEnabled());
        Press(&rig.dialog, QDialogButtonBox::Ok);
        QCOMPARE(rig.dialog.result(), int(QDialog::Accepted));
        QVERIFY(std::filesystem::is_directory(rig.path));
    }

    void aBadPatternIsRefusedAndAskedAgain() {
        Rig rig(ThreeRules);
        onNextModal([](QWidget* rule) {
            rule->findChild<QLineEdit*>(QStringLiteral("PatternEdit"))->setText("[");
            onNextModal([](QWidget* again) { Press(again, QDialogButtonBox::Cancel); });
            Press(rule, QDialogButtonBox::Ok);
        });
        ButtonNamed(&rig.dialog, "&Add...")->click();
        QCOMPARE(rig.ui.Messages().size(), 1);
        QVERIFY(rig.ui.Messages().front().contains("This pattern cannot be used"));
        QCOMPARE(rig.list->topLevelItemCount(), 3);
    }
};

QTEST_MAIN(ModeRulesDialogTest)
#include "ModeRulesDialogTest.moc"
