#pragma once
// Helpers of the tests that drive the dialogs as a user does: the next modal dialog,
// the buttons by name and by role, the Macro Editor's event list.

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

// Rec (Stop while recording) and OK of the Macro Editor (TRecDlg) or the Single Key
// dialog (TRecSingleDlg).
inline bool isSingleKeyDialog(QWidget* dialog) {
    return dialog->objectName() == QLatin1String("TRecSingleDlg");
}
inline QPushButton* recButton(QWidget* dialog) {
    return button(dialog, isSingleKeyDialog(dialog) ? "TntBitBtn1" : "TntBitBtn37");
}
inline QPushButton* okButton(QWidget* dialog) {
    return button(dialog, isSingleKeyDialog(dialog) ? "TntBitBtn2" : "TntBitBtn38");
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
