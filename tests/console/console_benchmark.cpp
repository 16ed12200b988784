// console_benchmark.cpp: cost of one repetition of vrtinela2D at M = 200 near the threshold:
// generation alone, generation and the percolation test, and the literal labelling for scale.
// Limits: wall-clock figures on a shared machine; the closing ratio alternates both loops in
// rounds so that a noisy neighbour slows both alike.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "console/configuration.h"
#include "console/grid.h"
#include "console/percolation.h"
#include "tests/console/literal_labelling.h"

namespace {

constexpr int kSide = 200;
constexpr double kThreshold = 0.592746;
constexpr double kRatioLimit = 1.5;

void PrepareGrid() {
    static bool prepared = false;
    if (prepared) return;
    vrtinela::ColumnCount = kSide;
    vrtinela::RowCount = kSide;
    vrtinela::Threshold = kThreshold;
    prepared = vrtinela::AllocateGrid();
}

void GenerationOnly(benchmark::State& state) {
    PrepareGrid();
    for (auto _ : state) {
        vrtinela::GenerateConfiguration();
        benchmark::DoNotOptimize(vrtinela::Grid[0][0]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(GenerationOnly)->Unit(benchmark::kMicrosecond);

void GenerationAndTest(benchmark::State& state) {
    PrepareGrid();
    for (auto _ : state) {
        vrtinela::GenerateConfiguration();
        benchmark::DoNotOptimize(vrtinela::Percolates());
    }
}
BENCHMARK(GenerationAndTest)->Unit(benchmark::kMicrosecond);

void GenerationAndLiteralTest(benchmark::State& state) {
    PrepareGrid();
    for (auto _ : state) {
        vrtinela::GenerateConfiguration();
        benchmark::DoNotOptimize(vrtinela_testing::LiteralPercolates());
    }
}
BENCHMARK(GenerationAndLiteralTest)->Unit(benchmark::kMillisecond)->Iterations(10);

template <typename Step>
double SecondsFor(int repetitions, Step step) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repetitions; ++i) step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Best of several rounds for each, so a burst of foreign load does not decide the ratio.
void PrintRepetitionRatio() {
    PrepareGrid();
    constexpr int kRounds = 15;
    constexpr int kRepetitionsPerRound = 300;
    double bestGeneration = 1e9;
    double bestRepetition = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        const double generation = SecondsFor(kRepetitionsPerRound, [] { vrtinela::GenerateConfiguration(); });
        const double repetition = SecondsFor(kRepetitionsPerRound, [] {
            vrtinela::GenerateConfiguration();
            benchmark::DoNotOptimize(vrtinela::Percolates());
        });
        bestGeneration = generation < bestGeneration ? generation : bestGeneration;
        bestRepetition = repetition < bestRepetition ? repetition : bestRepetition;
    }
    const double ratio = bestRepetition / bestGeneration;
    std::printf("M = %d, threshold %.6f: generation %.1f us, generation and test %.1f us, ratio %.3f (limit %.1f): %s\n",
                kSide, kThreshold, bestGeneration / kRepetitionsPerRound * 1e6,
                bestRepetition / kRepetitionsPerRound * 1e6, ratio, kRatioLimit, ratio <= kRatioLimit ? "PASS" : "FAIL");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintRepetitionRatio();
    return 0;
}
