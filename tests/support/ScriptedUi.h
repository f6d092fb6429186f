#pragma once
// A UiServices for tests: records every message box and beep, answers questions
// and file dialogs from queues, and starts programs only when asked to.

#include "dialogs/UiServices.h"

#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace pad {

class ScriptedUi : public UiServices {
  public:
    enum class Box { Question, Warning, Note };
    struct Shown {
        Box box;
        QWidget* owner;
        QString text, caption;
        bool question() const { return box == Box::Question; }
        bool owned() const { return owner != nullptr; }
    };

    // Answers of the coming questions, in order; Yes once they run out.
    std::deque<bool> answers;
    // Ask the questions with the real message boxes instead.
    bool realQuestions = false;
    // Answers of the coming file dialogs, in order (nullopt: cancelled); cancelled
    // once they run out.
    std::deque<std::optional<QString>> fileAnswers;
    // The programs findProgram finds, as /usr/bin/<name>.
    QStringList programs;
    // Start programs for real (detached) rather than only record them.
    bool launchPrograms = false;
    // Whether the desktop has a program that opens local files.
    bool opensFiles = true;

    std::vector<Shown> shown; // every message box, in order
    int beeps = 0;
    QStringList opened;  // files opened with the desktop's handler
    QStringList started; // programs started: the path, then the arguments, space-separated

    // "caption: text" of every message box, in order.
    QStringList Messages() const;

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

  private:
    std::optional<QString> NextFileAnswer();
};

} // namespace pad
