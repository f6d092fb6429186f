#pragma once
// The mode service's command line, the same on every platform: --print, --check
// [FILE], --list-windows, --help and --version, on Windows also --at-sign-in (the
// machine's Run value, modes/control/Autostart.h); its help and errors, what --check
// prints and what the instance lock's attempt means. Qt-free. (The Linux program reads
// its arguments with QCommandLineParser, as the suite's other Qt programs do, and says
// what this says.)

#include "modes/bus/InstanceLock.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pad {

inline constexpr int ServiceExitOk = 0;
inline constexpr int ServiceExitFailure = 1;
inline constexpr int ServiceExitUsage = 2;

struct ServiceCommand {
    bool print = false;
    bool check = false;
    bool listWindows = false;
    bool atSignIn = false;
    std::optional<std::string> file;
};

// --help's text on standard output.
void PrintServiceHelp();
// A usage error on standard error, with where to find help; ServiceExitUsage.
int ServiceUsageError(const std::string& message);

// Reads the arguments (argv[0] first, UTF-8). Returns the exit status when they are
// answered already (--help, --version) or wrong, having printed what to print.
std::optional<int> ReadServiceCommand(const std::vector<std::string>& arguments,
                                      ServiceCommand& command);

// --check: prints each line's error and a summary on standard output; 0 without
// errors, 1 with any or when the file cannot be read.
int CheckRules(const std::filesystem::path& path);

// What the instance lock's attempt means for this run: the exit status when it ends
// here (the lock failed; another instance runs and --print was not asked for), having
// said why; nullopt when the service runs.
std::optional<int> SettleInstance(const InstanceLock::Attempt& lock, bool print);

} // namespace pad
