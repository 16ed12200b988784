// prag_benchmark.cpp
// Cost of one Newman-Ziff sample at L = 256 (site, one thread) in ns per lattice site against the
// 15 ns target, with the curve's share included. Limits: wall-clock figures on a shared, noisy machine.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "prag/analysis.h"
#include "prag/lattice.h"
#include "prag/sample_stream.h"

namespace {

constexpr int kSide = 256;
constexpr double kTargetNsPerSite = 15.0;

void SiteSample(benchmark::State& state) {
    prag::Lattice lattice(prag::Model::kSite, kSide);
    std::uint64_t sample = 0;
    for (auto _ : state) {
        prag::SampleStream stream(1, kSide, sample++);
        benchmark::DoNotOptimize(lattice.SpanningNumber(stream, prag::Spanning::kTopBottom));
    }
    state.counters["ns_per_site"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kSide * kSide,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["ns_per_site"].value *= 1e9;
}
BENCHMARK(SiteSample)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
