// The mode service's cost for the largest rules file it reads (1 MB, 10,000 lines):
// reading it, of good rules or of lines that cannot be read, and deciding a focus
// change by its rules, for a short title and for the longest one it matches whole
// (64 KiB), which no rule matches. Not a test: run build/bin/mode_rules_bench.
#include "modes/rules/ModeRules.h"
#include "modes/rules/RulesDocument.h"
#include "modes/rules/RulesFile.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// MaxRulesFileLines - 1 lines of about 100 bytes: rules on the three fields, or lines
// that are not rules.
std::string LargeFile(bool good) {
    std::string text;
    for (std::size_t n = 0; n + 1 < pad::MaxRulesFileLines; ++n) {
        const std::string id = std::to_string(n);
        const std::string line = !good        ? "not a rule " + id
                                 : n % 3 == 0 ? "app:steam_app_" + id + " a"
                                 : n % 3 == 1 ? "exe:game-" + id + "* b"
                                              : "title:\"*Game " + id + " [Bb]eta *\" c";
        text += line + std::string(96 - line.size() % 96, ' ') + "# " + id + "\n";
    }
    return text;
}

void ReadRules(benchmark::State& state) {
    const std::string text = LargeFile(state.range(0) != 0);
    for (auto _ : state) {
        const pad::RulesDocument document(text);
        benchmark::DoNotOptimize(document.ruleSet().rules.size() + document.errors().size());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(ReadRules)->ArgName("good")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void DecideFocus(benchmark::State& state) {
    const pad::RuleSet rules = pad::RulesDocument(LargeFile(true)).ruleSet();
    const std::size_t titleBytes = std::size_t(state.range(0));
    const pad::WindowInfo window{"org.example.Other", "other", std::string(titleBytes, 'x'), 1,
                                 "other"};
    for (auto _ : state)
        benchmark::DoNotOptimize(pad::MatchWindow(rules, window));
}
BENCHMARK(DecideFocus)
    ->ArgName("title")
    ->Arg(16)
    ->Arg(pad::MaxWindowTextBytes)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
