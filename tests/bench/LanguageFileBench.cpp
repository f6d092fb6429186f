// Parsing a language file whose section holds many entries (the shipped files hold
// 84), as at start-up: the bytes decoded, the section read, the texts looked up.
// Not a test: run build/bin/language_file_bench.
#include "texts/Texts.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// "[LNG]", then `entries` lines "n=Text", about 11 bytes each.
std::string languageFileText(std::int64_t entries) {
    std::string text = "[LNG]\r\n";
    for (std::int64_t n = 0; n < entries; ++n)
        text += std::to_string(n) + "=Text\r\n";
    return text;
}

void ParseLanguageFile(benchmark::State& state) {
    const std::string text = languageFileText(state.range(0));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    for (auto _ : state) {
        const pad::Texts texts(pad::LanguageFile::fromBytes({bytes, text.size()}));
        for (const pad::UiText& entry : pad::UiTexts)
            benchmark::DoNotOptimize(texts.text(entry));
        benchmark::DoNotOptimize(texts.languageId());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}

BENCHMARK(ParseLanguageFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
