// One real in "%f" form: the plug-in's formatter beside the C library's, on
// the values an aircraft has.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <iterator>

#include "text/DecimalText.h"

namespace {

constexpr double kValues[] = {47.4490123456789, -122.3093055555, 4050.4, 182.37f, 2.51f, 151.26f, 0.8125f, 8000.0f};

constexpr size_t kValueCount = std::size(kValues);

// One value per iteration, each in turn.
void FormatFixed(benchmark::State& state) {
    char text[64];
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(formatFixed(text, sizeof text, kValues[next]));
        benchmark::ClobberMemory();
        next = (next + 1) % kValueCount;
    }
}
BENCHMARK(FormatFixed);

void SnprintfFixed(benchmark::State& state) {
    char text[64];
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "%f", kValues[next]));
        benchmark::ClobberMemory();
        next = (next + 1) % kValueCount;
    }
}
BENCHMARK(SnprintfFixed);

}  // namespace
