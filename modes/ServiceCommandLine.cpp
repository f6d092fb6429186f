#include "modes/ServiceCommandLine.h"

#include "common/Version.h"
#include "modes/ServiceText.h"

#include <cstdio>
#include <string_view>

namespace pad {
namespace {

#ifdef _WIN32
constexpr const char* RulesFileText = "%APPDATA%\\PadConfig\\modes.conf";
constexpr bool AtSignInKnown = true;
#else
constexpr const char* RulesFileText =
    "~/.config/padconfig/modes.conf\n($XDG_CONFIG_HOME/padconfig/modes.conf)";
constexpr bool AtSignInKnown = false;
#endif

} // namespace

void PrintServiceHelp() {
    std::printf(
        "Usage: padconfig-modes [--print]\n"
        "       padconfig-modes --check [FILE]\n"
        "       padconfig-modes --list-windows\n"
        "Switches the Corvask 12 Gaming Keypad to the mode that the focused application's\n"
        "rule names, by the rules in %s. One instance runs per user.\n"
        "\n"
        "  --print         print every change of the focused window (application id or\n"
        "                  window class, executable, title) and the decision; beside a\n"
        "                  running instance it only prints\n"
        "  --check [FILE]  check a rules file (the one above without FILE) and exit;\n"
        "                  exit status 1 and the lines' errors when it has any\n"
        "  --list-windows  print the open windows as the service sees them, and whether\n"
        "                  the focus can be followed, as one JSON object, and exit;\n"
        "                  exit status 1 when the windows cannot be listed\n"
        "%s"
        "  -h, --help      print this help and exit\n"
        "  --version       print the version and exit\n"
        "\n"
        "See padconfig-modes(1) for the rules, the desktops and how to enable the service.\n",
        RulesFileText,
        AtSignInKnown
            ? "  --at-sign-in    as started at sign-in for every user: end at once when this\n"
              "                  user switched the service off in PadConfig\n"
            : "");
}

int ServiceUsageError(const std::string& message) {
    std::fprintf(stderr,
                 "padconfig-modes: %s\nTry 'padconfig-modes --help' for more information.\n",
                 message.c_str());
    return ServiceExitUsage;
}

std::optional<int> ReadServiceCommand(const std::vector<std::string>& arguments,
                                      ServiceCommand& command) {
    bool optionsEnd = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!optionsEnd && argument == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && (argument == "--help" || argument == "-h")) {
            PrintServiceHelp();
            return ServiceExitOk;
        } else if (!optionsEnd && argument == "--version") {
            std::printf("padconfig-modes %s\n", ProjectVersion);
            return ServiceExitOk;
        } else if (!optionsEnd && argument == "--print") {
            command.print = true;
        } else if (!optionsEnd && argument == "--check") {
            command.check = true;
        } else if (!optionsEnd && argument == "--list-windows") {
            command.listWindows = true;
        } else if (!optionsEnd && AtSignInKnown && argument == "--at-sign-in") {
            command.atSignIn = true;
        } else if (!optionsEnd && argument.size() > 1 && argument.front() == '-') {
            return ServiceUsageError("unknown option '" + std::string(argument) + "'");
        } else if (command.file) {
            return ServiceUsageError("one rules file at a time: '" + std::string(argument) + "'");
        } else {
            command.file = std::string(argument);
        }
    }
    if (command.file && !command.check)
        return ServiceUsageError("a rules file is named only with --check: '" + *command.file +
                                 "'");
    if (command.check && command.print)
        return ServiceUsageError("--check and --print do not go together");
    if (command.listWindows && (command.check || command.print || command.atSignIn))
        return ServiceUsageError("--list-windows goes with no other option");
    if (command.atSignIn && (command.check || command.print))
        return ServiceUsageError("--at-sign-in goes with no other option");
    return std::nullopt;
}

int CheckRules(const std::filesystem::path& path) {
    return PrintRulesCheck(path) ? ServiceExitOk : ServiceExitFailure;
}

std::optional<int> SettleInstance(const InstanceLock::Attempt& lock, bool print) {
    if (!lock.failure.empty()) {
        std::fprintf(stderr, "padconfig-modes: %s\n", lock.failure.c_str());
        return ServiceExitFailure;
    }
    if (lock.otherInstance && !print) {
        std::fprintf(stderr,
                     "padconfig-modes: already runs for this user (pid %ld); "
                     "'padconfig-modes --print' shows what each window wants\n",
                     long(*lock.otherInstance));
        return ServiceExitOk;
    }
    return std::nullopt;
}

} // namespace pad
