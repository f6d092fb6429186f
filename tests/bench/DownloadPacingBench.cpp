// How close a whole `qd6 download` comes to the nominal 240 reports x 70 ms = 16.8 s:
// each repetition runs the program against PadLink's simulated keypad and reports the
// wall time and its ratio to 16.8 s. Reports the median of the repetitions.
//
//   download_pacing_bench [--benchmark_repetitions=N]

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr double NominalSeconds = 240 * 0.070;

double runDownload(const std::string& log) {
    std::string simulator = "PADLINK_SIMULATOR=" + log;
    std::vector<char*> env;
    for (char** e = environ; *e; ++e)
        env.push_back(*e);
    env.push_back(simulator.data());
    env.push_back(nullptr);
    char qd6[] = QD6_PATH;
    char command[] = "download";
    char profile[] = PROFILE_PATH;
    char* argv[] = {qd6, command, profile, nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    int status = 0;
    bool ok = posix_spawn(&pid, qd6, &actions, nullptr, argv, env.data()) == 0 &&
              waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    auto end = std::chrono::steady_clock::now();
    posix_spawn_file_actions_destroy(&actions);
    return ok ? std::chrono::duration<double>(end - start).count() : -1.0;
}

void QD6DownloadWallTime(benchmark::State& state) {
    std::string log = "/tmp/download_pacing_bench." + std::to_string(getpid()) + ".log";
    for (auto _ : state) {
        double seconds = runDownload(log);
        std::remove(log.c_str());
        if (seconds < 0) {
            state.SkipWithError("qd6 download failed");
            return;
        }
        state.SetIterationTime(seconds);
        state.counters["ratio"] = seconds / NominalSeconds;
    }
}

BENCHMARK(QD6DownloadWallTime)
    ->UseManualTime()
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
