// padconfig-modes.exe: switches the Corvask 12 keypad's mode with the foreground
// window, by the rules of %APPDATA%\PadConfig\modes.conf. One instance per user.
//
// A Windows (not console) program, so that starting it at sign-in opens no console
// window; --print, --check, --help and --version write to the console it was started
// from, or to where its output is redirected.

#include "common/Console.h"
#include "common/FileAccess.h"
#include "modes/ServiceCommandLine.h"
#include "modes/bus/InstanceLock.h"
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

    pad::InstanceLock::Attempt lock = pad::InstanceLock::acquire();
    if (const auto status = pad::SettleInstance(lock, options.print))
        return *status;
    pad::WindowsModeService service({options.print, pad::DefaultRulesPath(), lock.otherInstance});
    return service.run();
}
