// Loading and saving a profile with the most macros the file holds (65,535), as a
// file round trip in the temporary folder. Not a test: run build/bin/profile_bench.
#include "model/ProfileFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <unistd.h>

namespace {

pad::Profile fullProfile() {
    pad::Profile p;
    for (std::size_t n = 0; n < pad::MacroList::MaxCount; ++n) {
        pad::MacroRecord m;
        m.name = u"Macro number " + std::u16string(1, char16_t(u'A' + n % 26));
        for (std::size_t e = 0; e < 16; e += 2) {
            m.action.events[e] = std::uint8_t(1 + (n + e) % 0x72);
            m.action.events[e + 1] = std::uint8_t(m.action.events[e] | 0x80);
        }
        m.action.playMode = pad::RepeatWhileHeld;
        p.macros().append(std::move(m));
    }
    for (int i = 0; i < pad::SlotCount; ++i)
        p.setKindAt(i, pad::KindMacroBase + i * 1000);
    return p;
}

// Argument 0: the temporary folder (a disk here, so a save waits for the disk to
// take the file); 1: /dev/shm (memory), which shows the cost of the program alone.
std::filesystem::path benchFile(const benchmark::State& state) {
    const std::filesystem::path folder = state.range(0) == 1
                                             ? std::filesystem::path("/dev/shm")
                                             : std::filesystem::temp_directory_path();
    return folder / ("padconfig-bench-" + std::to_string(::getpid()) + ".qd6");
}

void SaveFullProfile(benchmark::State& state) {
    const pad::Profile profile = fullProfile();
    const auto file = benchFile(state);
    for (auto _ : state)
        if (pad::SaveProfileFile(profile, file) != pad::FileResult::Ok)
            state.SkipWithError("save failed");
    state.SetBytesProcessed(std::int64_t(state.iterations()) *
                            std::int64_t(std::filesystem::file_size(file)));
    std::filesystem::remove(file);
}

void LoadFullProfile(benchmark::State& state) {
    const auto file = benchFile(state);
    if (pad::SaveProfileFile(fullProfile(), file) != pad::FileResult::Ok) {
        state.SkipWithError("save failed");
        return;
    }
    pad::Profile profile;
    for (auto _ : state)
        if (pad::LoadProfileFile(profile, file) != pad::FileResult::Ok)
            state.SkipWithError("load failed");
    if (profile.macros().count() != pad::MacroList::MaxCount)
        state.SkipWithError("wrong macro count");
    state.SetBytesProcessed(std::int64_t(state.iterations()) *
                            std::int64_t(std::filesystem::file_size(file)));
    std::filesystem::remove(file);
}

} // namespace

BENCHMARK(SaveFullProfile)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK(LoadFullProfile)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly();
BENCHMARK_MAIN();
