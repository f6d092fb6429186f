#include "tests/support/ScriptedUi.h"

#include <QProcess>

namespace pad {

QStringList ScriptedUi::Messages() const {
    QStringList out;
    for (const Shown& s : shown)
        out << s.caption + QStringLiteral(": ") + s.text;
    return out;
}

bool ScriptedUi::askYesNo(QWidget* owner, const QString& text, const QString& caption,
                          Answer safe) {
    shown.push_back({Box::Question, owner, text, caption});
    if (realQuestions)
        return DesktopUiServices().askYesNo(owner, text, caption, safe);
    if (answers.empty())
        return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedUi::inform(QWidget* owner, const QString& text, const QString& caption) {
    shown.push_back({Box::Warning, owner, text, caption});
}

void ScriptedUi::note(QWidget* owner, const QString& text, const QString& caption) {
    shown.push_back({Box::Note, owner, text, caption});
}

std::optional<QString> ScriptedUi::NextFileAnswer() {
    if (fileAnswers.empty())
        return std::nullopt;
    // Taken apart because GCC misreads a copied optional<QString> as uninitialized.
    const bool given = fileAnswers.front().has_value();
    const QString path = fileAnswers.front().value_or(QString());
    fileAnswers.pop_front();
    if (!given)
        return std::nullopt;
    return path;
}

std::optional<QString> ScriptedUi::openFileName(QWidget*, const QString&, const QString&) {
    return NextFileAnswer();
}

std::optional<QString> ScriptedUi::saveFileName(QWidget*, const QString&, const QString&) {
    return NextFileAnswer();
}

void ScriptedUi::beep() {
    ++beeps;
}

bool ScriptedUi::openLocalFile(const QString& path) {
    opened << path;
    return opensFiles;
}

bool ScriptedUi::startProgram(const QString& program, const QStringList& arguments) {
    started << (QStringList{program} + arguments).join(QLatin1Char(' '));
    return !launchPrograms || QProcess::startDetached(program, arguments);
}

QString ScriptedUi::findProgram(const QString& name) {
    return programs.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
}

} // namespace pad
