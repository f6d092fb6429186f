#pragma once
// Runs a program as a child process without holding up the event loop, and calls back
// once with how it ended; and so asks `padconfig-modes --list-windows`. QtCore.

#include "modes/bus/WindowList.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

namespace pad {

struct ChildEnd {
    int exitCode = -1;  // -1: it could not start, crashed or did not end in time
    std::string output; // standard output
    std::string errors; // standard error, or why it did not run or end
};

// Calls done once, from the event loop and never once owner is gone; a child that has
// not ended after timeoutMs is killed.
void RunChildProcess(QObject* owner, const QString& program, const QStringList& arguments,
                     int timeoutMs, std::function<void(const ChildEnd&)> done);

// Runs `serviceProgram --list-windows` and calls back once with what it printed; when it
// cannot start, fails or prints something else, with a list whose failure and status
// hint say why. An empty serviceProgram is a service that is not installed.
void ListWindows(QObject* owner, const QString& serviceProgram,
                 std::function<void(const WindowList&)> done);

} // namespace pad
