#include "dialogs/UiServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace pad {

bool DesktopUiServices::askYesNo(QWidget* owner, const QString& text, const QString& caption,
                                 Answer safe) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No, owner);
    const auto safeButton = safe == Answer::Yes ? QMessageBox::Yes : QMessageBox::No;
    box.setDefaultButton(safeButton);
    box.setEscapeButton(safeButton); // also the close box's answer
    return box.exec() == QMessageBox::Yes;
}

void DesktopUiServices::inform(QWidget* owner, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

void DesktopUiServices::note(QWidget* owner, const QString& text, const QString& caption) {
    QMessageBox::information(owner, caption, text);
}

std::optional<QString> DesktopUiServices::openFileName(QWidget* owner, const QString& offered,
                                                       const QString& filter) {
    const QString name = QFileDialog::getOpenFileName(owner, QString(), offered, filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> DesktopUiServices::saveFileName(QWidget* owner, const QString& offered,
                                                       const QString& filter) {
    const QString name = QFileDialog::getSaveFileName(owner, QString(), offered, filter, nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

void DesktopUiServices::beep() {
    QApplication::beep();
}

bool DesktopUiServices::openLocalFile(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool DesktopUiServices::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

QString DesktopUiServices::findProgram(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

} // namespace pad
