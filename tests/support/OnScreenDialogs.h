#pragma once
// Helpers of the tests that drive the dialogs on a real X display.

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace pad::testing {

// Runs action on the next modal dialog once it is shown on the screen.
inline void onNextModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* w = QApplication::activeModalWidget();
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        action(w);
    });
}

// The push button of dlg with the object name name; the test ends without it.
inline QPushButton* button(QWidget* dlg, const char* name) {
    auto* b = dlg->findChild<QPushButton*>(QLatin1String(name));
    if (!b)
        qFatal("no button %s", name);
    return b;
}

// The lines of the Macro Editor editor's event list, top to bottom.
inline QStringList listLines(QWidget* editor) {
    QStringList out;
    auto* list = editor->findChild<QListWidget*>(QStringLiteral("TntListBox1"));
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

} // namespace pad::testing
