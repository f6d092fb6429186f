// Times the mode service from a focus change to the mode report reaching the simulated
// keypad: runs two focus commands in turn, each time from the moment the command is
// started until a new mode-select line appears in the simulated keypad's log, and
// prints the median and the 90th percentile.
//   mode_latency_probe LOG COUNT COMMAND_A COMMAND_B
// Each command is run by /bin/sh -c.

#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

int ModeLines(const char* log) {
    std::ifstream in(log);
    int count = 0;
    for (std::string line; std::getline(in, line);)
        count += line.rfind("03 ff ff", 0) == 0;
    return count;
}

pid_t Start(const char* command) {
    pid_t pid = 0;
    const char* argv[] = {"/bin/sh", "-c", command, nullptr};
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return -1;
    return pid;
}

// Waits, woken by the log's changes, until it holds more than `before` mode lines; false
// after 5 s.
bool WaitForModeLine(int inotify, const char* log, int before) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (ModeLines(log) <= before) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fd{inotify, POLLIN, 0};
        if (poll(&fd, 1, int(left.count())) > 0) {
            char events[4096];
            [[maybe_unused]] const ssize_t got = read(inotify, events, sizeof events);
        }
    }
    return true;
}

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[std::size_t(share * double(values.size() - 1) + 0.5)];
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s LOG COUNT COMMAND_A COMMAND_B\n", argv[0]);
        return 2;
    }
    const char* log = argv[1];
    const int count = std::atoi(argv[2]);
    const int inotify = inotify_init1(IN_CLOEXEC);
    if (inotify < 0 || inotify_add_watch(inotify, log, IN_MODIFY) < 0) {
        std::perror(log);
        return 1;
    }
    std::vector<double> milliseconds;
    for (int i = 0; i < count; ++i) {
        const int before = ModeLines(log);
        const auto start = Clock::now();
        const pid_t command = Start(argv[3 + i % 2]);
        const bool arrived = WaitForModeLine(inotify, log, before);
        const auto end = Clock::now();
        if (command > 0)
            waitpid(command, nullptr, 0);
        if (!arrived) {
            std::fprintf(stderr, "switch %d: no mode report within 5 s\n", i + 1);
            return 1;
        }
        milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        usleep(100000); // the desktop settles before the next change
    }
    std::printf("%d switches: median %.1f ms, 90th percentile %.1f ms\n", count,
                Percentile(milliseconds, 0.5), Percentile(milliseconds, 0.9));
    return 0;
}
