// The macro manager and the key menu with the largest macro list a profile can
// hold (65,535 macros): opening the manager, and rebuilding and opening the key
// menu, which shows the last 12 macros.

#include "app/TForm1.h"
#include "dialogs/TMacroMngDlg.h"
#include "tests/support/ScriptedUi.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDebug>
#include <QListView>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace pad;

namespace {

void FillMacros(Workspace& ws) {
    auto& macros = ws.profile.macros();
    macros.clear();
    for (std::size_t i = 0; i < MacroList::MaxCount; ++i) {
        KeyAction action;
        action.events[0] = KeyEvent(1 + i % 0x60);
        action.events[1] = KeyEvent(action.events[0] | ReleaseFlag);
        macros.append({u"Macro " + QString::number(i).toStdU16String(), action});
    }
}

// A manager whose buttons are not pressed.
class NullPort : public ManagerPort {
  public:
    void newMacro() override {}
    std::optional<std::size_t> editMacro(std::size_t) override { return std::nullopt; }
    void deleteMacro(std::optional<std::size_t>) override {}
};

// Show (which reloads the list), paint, hide: what a user waits for.
void BM_MacroManagerOpens(benchmark::State& state) {
    Workspace ws;
    FillMacros(ws);
    ScriptedUi ui;
    const Texts texts;
    NullPort port;
    TMacroMngDlg manager({ui, texts, QFont()}, ws.profile.macros(), port);
    for (auto _ : state) {
        manager.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(manager.grab());
        manager.hide();
    }
    auto* list = manager.findChild<QListView*>(QStringLiteral("TntListBox1"));
    if (list->model()->rowCount() != int(MacroList::MaxCount))
        state.SkipWithError("the manager does not list every macro");
}
BENCHMARK(BM_MacroManagerOpens)->Unit(benchmark::kMillisecond)->Repetitions(5);

// RebuildMacroMenu after a change of the list, then the key menu opens.
void BM_KeyMenuRebuildAndOpen(benchmark::State& state) {
    QTemporaryDir dir;
    Workspace ws;
    FillMacros(ws);
    TForm1Options options;
    options.programFolder = dir.path();
    options.startLoader = false;
    TForm1 form(ws, options);
    form.CreateDialogs();
    form.SwitchViewMode(0);
    for (auto _ : state) {
        form.RebuildMacroMenu();
        form.KeyMenu()->popup(QPoint(0, 0));
        QApplication::processEvents();
        form.KeyMenu()->hide();
    }
    const QRegularExpression itemName(QStringLiteral("^Macro[0-9]+$"));
    QStringList visible;
    for (QAction* a : form.KeyMenu()->actions())
        if (a->isVisible() && itemName.match(a->objectName()).hasMatch())
            visible << a->text();
    QStringList expected;
    for (std::size_t i = MacroList::MaxCount - 12; i < MacroList::MaxCount; ++i)
        expected << QStringLiteral("Macro %1").arg(i);
    if (visible != expected) {
        qWarning() << "visible macro items:" << visible;
        state.SkipWithError("the key menu does not show the last 12 macros");
    }
}
BENCHMARK(BM_KeyMenuRebuildAndOpen)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
