// console_benchmark.cpp: cost of one repetition of vrtinela2D at M = 200 (drawing the row masks
// and the percolation walk) with every kernel combination this processor runs, against the
// square-by-square serial generation measured in the same rounds.
// Limits: wall-clock figures on a shared machine; the ratios alternate the loops in short rounds
// and keep the best round of each, so a noisy neighbour slows both sides alike.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "console/configuration.h"
#include "console/grid.h"
#include "console/kernel_choice.h"
#include "console/percolation.h"
#include "console/random_generator.h"
#include "tests/console/literal_generation.h"
#include "tests/console/literal_labelling.h"
#include "tests/console/union_find_labelling.h"

namespace {

constexpr int kSide = 200;
constexpr double kCriticalThreshold = 0.592746;
constexpr double kBestRatioLimit = 0.35;      // the fastest kernels against the serial generation
constexpr double kPortableRatioLimit = 1.0;   // the portable kernels, on any processor

// Seeds move on by a large odd step, as the clock would, so no two repetitions repeat.
std::uint32_t benchSeed = 1;
std::uint32_t NextSeed() { return benchSeed += 2654435761u; }

void PrepareGrid(double threshold) {
    static bool prepared = false;
    if (!prepared) {
        vrtinela::ColumnCount = kSide;
        vrtinela::RowCount = kSide;
        prepared = vrtinela::AllocateGrid();
        vrtinela::SetSeedClock(&NextSeed);
    }
    vrtinela::Threshold = threshold;
}

void Repetition() {
    vrtinela::GenerateRowMasks();
    benchmark::DoNotOptimize(vrtinela::Percolates());
}

void SerialGeneration(benchmark::State& state) {
    PrepareGrid(kCriticalThreshold);
    for (auto _ : state) {
        vrtinela_testing::GenerateSquareBySquare();
        benchmark::DoNotOptimize(vrtinela::Grid[0][0]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(SerialGeneration)->Unit(benchmark::kMicrosecond);

void RepetitionWithBestKernels(benchmark::State& state) {
    PrepareGrid(kCriticalThreshold);
    vrtinela::UseKernels(vrtinela::BestKernels(vrtinela::DetectProcessorFeatures()));
    for (auto _ : state) Repetition();
}
BENCHMARK(RepetitionWithBestKernels)->Unit(benchmark::kMicrosecond);

void RepetitionWithPortableKernels(benchmark::State& state) {
    PrepareGrid(kCriticalThreshold);
    vrtinela::UseKernels({vrtinela::GenerationKernel::Portable, vrtinela::FillKernel::Portable});
    for (auto _ : state) Repetition();
    vrtinela::UseKernels(vrtinela::BestKernels(vrtinela::DetectProcessorFeatures()));
}
BENCHMARK(RepetitionWithPortableKernels)->Unit(benchmark::kMicrosecond);

void UnionFindLabelling(benchmark::State& state) {
    PrepareGrid(kCriticalThreshold);
    for (auto _ : state) {
        vrtinela_testing::GenerateSquareBySquare();
        benchmark::DoNotOptimize(vrtinela_testing::UnionFindPercolates());
    }
}
BENCHMARK(UnionFindLabelling)->Unit(benchmark::kMicrosecond);

void LiteralLabelling(benchmark::State& state) {
    PrepareGrid(kCriticalThreshold);
    for (auto _ : state) {
        vrtinela_testing::GenerateSquareBySquare();
        benchmark::DoNotOptimize(vrtinela_testing::LiteralPercolates());
    }
}
BENCHMARK(LiteralLabelling)->Unit(benchmark::kMillisecond)->Iterations(5);

template <typename Step>
double SecondsFor(int repetitions, Step step) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < repetitions; ++i) step();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Timing {
    double serialMicroseconds;
    double repetitionMicroseconds;
    double Ratio() const { return repetitionMicroseconds / serialMicroseconds; }
};

// Best of many short rounds for each side, the two sides taking turns.
Timing TimeAgainstSerialGeneration(vrtinela::KernelChoice kernels, double threshold) {
    PrepareGrid(threshold);
    vrtinela::UseKernels(kernels);
    constexpr int kRounds = 40;
    constexpr int kRepetitionsPerRound = 100;
    double bestSerial = 1e9;
    double bestRepetition = 1e9;
    for (int round = 0; round < kRounds; ++round) {
        const double serial = SecondsFor(kRepetitionsPerRound, [] { vrtinela_testing::GenerateSquareBySquare(); });
        const double repetition = SecondsFor(kRepetitionsPerRound, Repetition);
        bestSerial = serial < bestSerial ? serial : bestSerial;
        bestRepetition = repetition < bestRepetition ? repetition : bestRepetition;
    }
    return {bestSerial / kRepetitionsPerRound * 1e6, bestRepetition / kRepetitionsPerRound * 1e6};
}

std::string Describe(vrtinela::KernelChoice kernels) {
    return std::string(vrtinela::KernelName(kernels.generation)) + " generation + " +
           vrtinela::KernelName(kernels.fill) + " fill";
}

// One line per kernel combination and threshold; the limits apply at the critical threshold.
bool PrintRatios() {
    const vrtinela::ProcessorFeatures features = vrtinela::DetectProcessorFeatures();
    const vrtinela::KernelChoice best = vrtinela::BestKernels(features);
    const vrtinela::KernelChoice portable{vrtinela::GenerationKernel::Portable, vrtinela::FillKernel::Portable};
    bool pass = true;
    std::printf("M = %d, one repetition (row masks and walk) against the serial generation of the same round:\n",
                kSide);
    for (const vrtinela::KernelChoice kernels : vrtinela::RunnableKernels(features)) {
        const bool isBest = kernels.generation == best.generation && kernels.fill == best.fill;
        const bool isPortable = kernels.generation == portable.generation && kernels.fill == portable.fill;
        for (const double percent : {59.2746, 80.0, 100.0}) {
            const Timing timing = TimeAgainstSerialGeneration(kernels, percent / 100.0);
            std::string verdict;
            if (percent == 59.2746 && (isBest || isPortable)) {
                const double limit = isBest ? kBestRatioLimit : kPortableRatioLimit;
                const bool within = timing.Ratio() <= limit;
                pass = pass && within;
                char text[64];
                std::snprintf(text, sizeof text, "  limit %.2f: %s", limit, within ? "PASS" : "FAIL");
                verdict = text;
            }
            std::printf("  %-36s %s%8.4f %%: %7.2f us, serial generation %6.2f us, ratio %.3f%s\n",
                        Describe(kernels).c_str(), isBest ? "(in use) " : "         ", percent,
                        timing.repetitionMicroseconds, timing.serialMicroseconds, timing.Ratio(), verdict.c_str());
        }
    }
    vrtinela::UseKernels(best);
    std::printf("%s\n", pass ? "PASS" : "FAIL");
    return pass;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return PrintRatios() ? 0 : 1;
}
