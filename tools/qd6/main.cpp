// qd6: the command-line tool for profile files and the keypad.
//
// Each group of commands lives in its own file and registers its subcommands
// here. A command reports failure by throwing CLI::RuntimeError with its exit
// status (see CommandSupport.h).

#include "common/Console.h"
#include "common/Version.h"
#include "tools/qd6/CommandSupport.h"
#include "tools/qd6/DeviceCommands.h"
#include "tools/qd6/FileCommands.h"
#include "tools/qd6/KeyCommands.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <new>
#include <string>
#include <vector>

namespace {

// The first word of the command line when it names no command, else nullptr. The
// program's own options are flags, so the first word that is not an option is the
// command.
const char* UnknownCommand(const CLI::App& app, int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.starts_with("-"))
            continue;
        for (const CLI::App* command : app.get_subcommands({}))
            if (command->check_name(word))
                return nullptr;
        return argv[i];
    }
    return nullptr;
}

std::string CommandNames(const CLI::App& app) {
    std::string names;
    for (const CLI::App* command : app.get_subcommands({}))
        names += (names.empty() ? "" : ", ") + command->get_name();
    return names;
}

} // namespace

int main(int argc, char** argv) {
    pad::PrepareStandardStreams();
    std::vector<std::string> arguments = pad::CommandLineArguments(argc, argv);
    std::vector<char*> words;
    for (std::string& argument : arguments)
        words.push_back(argument.data());
    words.push_back(nullptr);
    argc = int(arguments.size());
    argv = words.data();

    CLI::App app{"Inspect, create and convert Corvask 12 keypad profiles (.qd6 files)", "qd6"};
    app.require_subcommand(1);
    // A file name may start with "/" on every platform; options start with "-".
    app.allow_windows_style_options(false);
    app.set_version_flag("--version", std::string("qd6 ") + pad::ProjectVersion,
                         "Print the version and exit");

    pad::addFileCommands(app);
    pad::addKeyCommands(app);
    pad::addDeviceCommands(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::RuntimeError& failure) {
        return failure.get_exit_code();
    } catch (const CLI::ParseError& error) {
        // --help and --version print their text and succeed; anything else is wrong usage.
        if (error.get_exit_code() != 0) {
            if (const char* word = UnknownCommand(app, argc, argv)) {
                std::cerr << "qd6: \"" << word << "\" is not a command; the commands are "
                          << CommandNames(app) << ".\nRun 'qd6 --help' for more information.\n";
                return pad::ExitUsage;
            }
        }
        return app.exit(error) == 0 ? pad::ExitOk : pad::ExitUsage;
    } catch (const std::bad_alloc&) {
        std::cerr << "qd6: not enough memory\n";
        return pad::ExitFailure;
    }

    std::cout.flush();
    if (!std::cout) {
        std::cerr << "qd6: cannot write the output\n";
        return pad::ExitFailure;
    }
    return pad::ExitOk;
}
