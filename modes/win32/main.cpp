// padconfig-modes.exe: switches the Corvask 12 keypad's mode with the foreground
// window, by the rules of %APPDATA%\PadConfig\modes.conf. One instance per user.
// Started with --at-sign-in (the machine's Run value) it ends at once for a user who
// switched it off in PadConfig (modes/control/Autostart.h).
//
// A Windows (not console) program, so that starting it at sign-in opens no console
// window; --print, --check, --help and --version write to the console it was started
// from, or to where its output is redirected.

#include "common/Console.h"
#include "common/FileAccess.h"
#include "modes/ServiceCommandLine.h"
#include "modes/bus/InstanceLock.h"
#include "modes/bus/WindowList.h"
#include "modes/control/Autostart.h"
#include "modes/focus/Win32FocusSource.h"
#include "modes/rules/RulesFile.h"
#include "modes/win32/WindowsModeService.h"

#include <cstdio>

#include <windows.h>

namespace {

// Output goes where the caller redirected it, else to the caller's console.
void UseCallersConsole() {
    const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE)
        return;
    if (!::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

// --list-windows: the top-level windows as the service sees them (class, title, program,
// pid), and whether the foreground window can be followed: whether the system takes
// the service's event hook.
int PrintOpenWindows() {
    pad::Win32FocusSource source(pad::FocusSource::Events{});
    pad::WindowList list;
    list.status = {source.description(), source.hooked(),
                   source.hooked() ? ""
                                   : "Windows refuses the event hook that announces the "
                                     "foreground window"};
    list.windows = source.openWindows();
    const std::string output = pad::WriteWindowList(list);
    std::fwrite(output.data(), 1, output.size(), stdout);
    return pad::ServiceExitOk;
}

} // namespace

int main(int argc, char** argv) {
    UseCallersConsole();
    pad::PrepareStandardStreams();
    pad::ServiceCommand options;
    if (const auto status = pad::ReadServiceCommand(pad::CommandLineArguments(argc, argv), options))
        return *status;
    if (options.check)
        return pad::CheckRules(options.file ? pad::PathOfArgument(*options.file)
                                            : pad::DefaultRulesPath());
    if (options.listWindows)
        return PrintOpenWindows();
    if (options.atSignIn && pad::SwitchedOffAtSignIn())
        return pad::ServiceExitOk;

    pad::InstanceLock::Attempt lock = pad::InstanceLock::acquire();
    if (const auto status = pad::SettleInstance(lock, options.print))
        return *status;
    pad::WindowsModeService service({options.print, pad::DefaultRulesPath(), lock.otherInstance});
    return service.run();
}
