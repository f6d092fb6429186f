// Times the mode service's share of a focus change. Runs two focus commands in turn and
// times each change from the moment the command is started
// - until the desktop tells that the focus moved: the focus command alone (WATCH, a
//   command that prints a line for every change the desktop tells of, such as
//   "xprop -root -spy _NET_ACTIVE_WINDOW"), and
// - until a new mode-select line appears in the simulated keypad's log: the command
//   and the service;
// then prints the median and the 90th percentile of each.
//   mode_latency_probe LOG COUNT WATCH COMMAND_A COMMAND_B
// The commands are run by /bin/sh -c.

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
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

// Starts the command; with output, its standard output goes into a pipe read there,
// and the command runs in a process group of its own, so that the whole pipeline the
// shell starts for it can be ended (Stop).
pid_t Start(const char* command, int* output = nullptr) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (output) {
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attributes, 0);
    }
    int pipeEnds[2] = {-1, -1};
    if (output && pipe2(pipeEnds, O_CLOEXEC) == 0) {
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        *output = pipeEnds[0];
    }
    pid_t pid = 0;
    const char* argv[] = {"/bin/sh", "-c", command, nullptr};
    const int failed =
        posix_spawn(&pid, "/bin/sh", &actions, &attributes, const_cast<char**>(argv), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (pipeEnds[1] >= 0)
        close(pipeEnds[1]);
    return failed ? -1 : pid;
}

// Reads what the watch printed; true when it holds a line's end.
bool ReadLines(int watch) {
    char text[4096];
    const ssize_t got = read(watch, text, sizeof text);
    return got > 0 && std::find(text, text + got, '\n') != text + got;
}

// Drops what the watch has printed so far.
void Drain(int watch) {
    pollfd fd{watch, POLLIN, 0};
    while (poll(&fd, 1, 50) > 0 && ReadLines(watch)) {
    }
}

// Waits, woken by the log's changes and the watch's output, until the watch has told of
// a change and the log holds more than `before` mode lines, for at most 5 s; the times
// of both, when they came.
struct Arrivals {
    std::optional<Clock::time_point> told, reported;
};
Arrivals WaitForBoth(int inotify, int watch, const char* log, int before) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    Arrivals arrivals;
    while (!arrivals.told || !arrivals.reported) {
        if (!arrivals.reported && ModeLines(log) > before)
            arrivals.reported = Clock::now();
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            break;
        pollfd fds[2] = {{inotify, POLLIN, 0}, {watch, POLLIN, 0}};
        if (poll(fds, 2, int(left.count())) <= 0)
            continue;
        if (fds[1].revents & POLLIN && ReadLines(watch) && !arrivals.told)
            arrivals.told = Clock::now();
        if (fds[0].revents & POLLIN) {
            char events[4096];
            [[maybe_unused]] const ssize_t got = read(inotify, events, sizeof events);
        }
    }
    return arrivals;
}

double Percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values[std::size_t(share * double(values.size() - 1) + 0.5)];
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s LOG COUNT WATCH COMMAND_A COMMAND_B\n", argv[0]);
        return 2;
    }
    const char* log = argv[1];
    const int count = std::atoi(argv[2]);
    const int inotify = inotify_init1(IN_CLOEXEC);
    if (inotify < 0 || inotify_add_watch(inotify, log, IN_MODIFY) < 0) {
        std::perror(log);
        return 1;
    }
    int watch = -1;
    const pid_t watcher = Start(argv[3], &watch);
    if (watcher < 0 || watch < 0) {
        std::perror(argv[3]);
        return 1;
    }
    usleep(500000); // the watch starts and says what holds now
    std::vector<double> command, withService;
    int status = 0;
    for (int i = 0; i < count && status == 0; ++i) {
        Drain(watch);
        const int before = ModeLines(log);
        const auto start = Clock::now();
        const pid_t focus = Start(argv[4 + i % 2]);
        const Arrivals arrivals = WaitForBoth(inotify, watch, log, before);
        if (focus > 0)
            waitpid(focus, nullptr, 0);
        if (!arrivals.told || !arrivals.reported) {
            std::fprintf(stderr, "switch %d: %s within 5 s\n", i + 1,
                         arrivals.told ? "no mode report" : "the desktop told of no change");
            status = 1;
            break;
        }
        command.push_back(Milliseconds(*arrivals.told - start));
        withService.push_back(Milliseconds(*arrivals.reported - start));
        usleep(100000); // the desktop settles before the next change
    }
    // The shell's pipeline as well: a watch left running would hold the desktop's
    // session open.
    kill(-watcher, SIGTERM);
    waitpid(watcher, nullptr, 0);
    if (status != 0)
        return status;
    std::printf("%d switches: the focus command alone median %.1f ms, 90th percentile %.1f ms; "
                "the command and the service median %.1f ms, 90th percentile %.1f ms\n",
                count, Percentile(command, 0.5), Percentile(command, 0.9),
                Percentile(withService, 0.5), Percentile(withService, 0.9));
    return 0;
}
