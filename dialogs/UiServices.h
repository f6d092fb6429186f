#pragma once
// The window system services the main window and the dialogs ask for: message
// boxes, file dialogs, the beep and starting other programs. The program uses the
// real ones; tests hand in a scripted set so that every question can be answered
// both ways.

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace pad {

class UiServices {
  public:
    virtual ~UiServices() = default;

    enum class Answer { Yes, No };
    // Modal question with the buttons Yes and No; true for Yes. A null owner gives
    // a box without owner window. safe is the answer that loses no work: it is the
    // default button, which Enter presses, and what Escape and closing the box mean.
    virtual bool askYesNo(QWidget* owner, const QString& text, const QString& caption,
                          Answer safe) = 0;
    // Modal warning with an OK button only.
    virtual void inform(QWidget* owner, const QString& text, const QString& caption) = 0;
    // Modal note with an OK button only: the simple message box of a refused name.
    virtual void note(QWidget* owner, const QString& text, const QString& caption) = 0;
    // File dialogs; nullopt when the user cancels. The save dialog asks no overwrite
    // question of its own.
    virtual std::optional<QString> openFileName(QWidget* owner, const QString& offered,
                                                const QString& filter) = 0;
    virtual std::optional<QString> saveFileName(QWidget* owner, const QString& offered,
                                                const QString& filter) = 0;
    virtual void beep() = 0;
    // Opens a local file with the desktop's handler (the help page); false when the
    // desktop has no program to open it with.
    virtual bool openLocalFile(const QString& path) = 0;
    // Starts a program detached; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // The full path of a program found in PATH, or empty.
    virtual QString findProgram(const QString& name) = 0;
};

// QMessageBox, QFileDialog, QApplication::beep, QDesktopServices and QProcess.
class DesktopUiServices : public UiServices {
  public:
    bool askYesNo(QWidget* owner, const QString& text, const QString& caption,
                  Answer safe) override;
    void inform(QWidget* owner, const QString& text, const QString& caption) override;
    void note(QWidget* owner, const QString& text, const QString& caption) override;
    std::optional<QString> openFileName(QWidget* owner, const QString& offered,
                                        const QString& filter) override;
    std::optional<QString> saveFileName(QWidget* owner, const QString& offered,
                                        const QString& filter) override;
    void beep() override;
    bool openLocalFile(const QString& path) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    QString findProgram(const QString& name) override;
};

} // namespace pad
