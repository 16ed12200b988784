// prag_benchmark.cpp
// Cost of Newman-Ziff samples at L = 256 (site, top-bottom, one thread) in ns per lattice site: one
// sample alone, and a run of samples with its whole R(p) curve, crossing and jackknife included, against
// the 15 ns target. Then one sample of every lattice (site, until its rule holds), the torus's
// wrapping against the open square (1.3x at most), and --strength's convolution against the full
// sweep it needs anyway (1.3x at most). Limits: CPU time of one thread on a shared machine, whose
// neighbours still share its caches; the best repetition is taken.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include <map>
#include <string>

#include "prag/analysis.h"
#include "prag/bit_spanning.h"
#include "prag/geometry.h"
#include "prag/lattice.h"
#include "prag/sample_stream.h"

namespace {

constexpr int kSide = 256;
constexpr double kSites = static_cast<double>(kSide) * kSide;
constexpr std::uint64_t kCurveSamples = 200;
constexpr double kTargetNsPerSite = 15.0;

void SetNsPerSite(benchmark::State& state, double sites_per_iteration) {
    // Shown with an SI prefix: "s_per_site=14n" is 14 ns a site.
    state.counters["s_per_site"] = benchmark::Counter(sites_per_iteration, benchmark::Counter::kIsIterationInvariantRate |
                                                                                benchmark::Counter::kInvert);
}

void OneSample(benchmark::State& state) {
    prag::Lattice lattice(prag::Model::kSite, kSide);
    std::uint64_t sample = 0;
    for (auto _ : state) {
        prag::SampleStream stream(1, kSide, sample++);
        benchmark::DoNotOptimize(lattice.SpanningNumber(stream, prag::Spanning::kTopBottom));
    }
    SetNsPerSite(state, kSites);
}
BENCHMARK(OneSample)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(false);

// The samples run on the benchmark's own thread, as a one-thread sweep runs them, so that the CPU
// time counts them while other programs on the machine do not.
void SamplesWithTheirCurve(benchmark::State& state) {
    const std::vector<double> grid = prag::GridPoints(0.45, 0.75, 0.0025);
    prag::Lattice lattice(prag::Model::kSite, kSide);
    std::vector<std::uint32_t> spanning(kCurveSamples);
    std::uint64_t seed = 1;
    for (auto _ : state) {
        for (std::uint64_t k = 0; k < kCurveSamples; ++k) {
            prag::SampleStream stream(seed, kSide, k);
            spanning[k] = lattice.SpanningNumber(stream, prag::Spanning::kTopBottom);
        }
        ++seed;
        benchmark::DoNotOptimize(prag::AnalyseSize(prag::Model::kSite, kSide, spanning, grid));
    }
    SetNsPerSite(state, kSites * kCurveSamples);
}
BENCHMARK(SamplesWithTheirCurve)->Unit(benchmark::kMillisecond)->Repetitions(5);

struct LatticeCase {
    const char* name;
    prag::LatticeShape shape;
    prag::Spanning rule;
};

const LatticeCase kLatticeCases[] = {
    {"square open", {prag::LatticeKind::kSquare, prag::Boundary::kOpen, kSide}, prag::Spanning::kTopBottom},
    {"square torus", {prag::LatticeKind::kSquare, prag::Boundary::kPeriodic, kSide}, prag::Spanning::kEither},
    {"triangular torus", {prag::LatticeKind::kTriangular, prag::Boundary::kPeriodic, kSide}, prag::Spanning::kEither},
    {"honeycomb torus", {prag::LatticeKind::kHoneycomb, prag::Boundary::kPeriodic, kSide}, prag::Spanning::kEither},
    {"cubic torus", {prag::LatticeKind::kCubic, prag::Boundary::kPeriodic, 40}, prag::Spanning::kEither},
};

// One site sample of a lattice until its rule holds; with `series` to the end, and with `strength`
// its P and chi convolved on the default 121-point grid as well.
void LatticeSample(benchmark::State& state, const LatticeCase& c, bool series, bool strength) {
    const auto sampler = prag::MakeSampler(c.shape, prag::Model::kSite, series);
    const auto sites = static_cast<double>(prag::Sites(c.shape));
    const prag::GridWindows windows(prag::Items(c.shape, prag::Model::kSite), prag::GridPoints(0.45, 0.75, 0.0025));
    prag::StrengthSums sums(windows.Windows().size());
    prag::ClusterSeries cluster_series;
    std::uint64_t sample = 0;
    for (auto _ : state) {
        prag::SampleStream stream(1, c.shape.side, sample++);
        benchmark::DoNotOptimize(sampler->Run(stream, c.rule, series ? &cluster_series : nullptr));
        if (strength) sums.Add(windows, cluster_series);
    }
    SetNsPerSite(state, sites);
}

// The open square's site sweep: each kernel of the bit masks (prag runs the fastest) against the
// union-find, one sample, top-bottom, at L = 64, 256, 1024 and 4096.
template <class Sweep>
void OpenSquareSites(benchmark::State& state, Sweep& sweep) {
    const int side = static_cast<int>(state.range(0));
    std::uint64_t sample = 0;
    for (auto _ : state) {
        prag::SampleStream stream(1, side, sample++);
        benchmark::DoNotOptimize(sweep.SpanningNumber(stream, prag::Spanning::kTopBottom));
    }
    SetNsPerSite(state, static_cast<double>(side) * side);
}
void BitMasks(benchmark::State& state, prag::BitKernel kernel) {
    prag::BitSpanning sweep(static_cast<int>(state.range(0)), kernel);
    OpenSquareSites(state, sweep);
}
void UnionFind(benchmark::State& state) {
    prag::Lattice sweep(prag::Model::kSite, static_cast<int>(state.range(0)));
    OpenSquareSites(state, sweep);
}
constexpr int kOpenSides[] = {64, 256, 1024, 4096};

// Keeps the best time per site of each benchmark for the closing lines.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    SummaryReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) continue;
            const auto counter = run.counters.find("s_per_site");
            if (counter == run.counters.end()) continue;
            const std::string name = run.benchmark_name();
            const double ns = counter->second.value * 1e9;
            double& best = name.rfind("OneSample", 0) == 0 ? one_sample_
                           : name.rfind("SamplesWithTheirCurve", 0) == 0 ? with_curve_
                                                                          : lattices_[name.substr(0, name.find("/repeats"))];
            if (best == 0.0 || ns < best) best = ns;
        }
    }
    double one_sample_ = 0.0;
    double with_curve_ = 0.0;
    std::map<std::string, double> lattices_;
};

}  // namespace

int main(int argc, char** argv) {
    for (const LatticeCase& c : kLatticeCases) {
        benchmark::RegisterBenchmark(c.name, [&c](benchmark::State& state) { LatticeSample(state, c, false, false); })
            ->Unit(benchmark::kMicrosecond)->Repetitions(5);
    }
    const LatticeCase& torus = kLatticeCases[1];
    benchmark::RegisterBenchmark("square torus, to the end", [&torus](benchmark::State& state) { LatticeSample(state, torus, true, false); })
        ->Unit(benchmark::kMicrosecond)->Repetitions(5);
    benchmark::RegisterBenchmark("square torus, strength", [&torus](benchmark::State& state) { LatticeSample(state, torus, true, true); })
        ->Unit(benchmark::kMicrosecond)->Repetitions(5);
    for (const prag::BitKernel kernel : prag::RunnableBitKernels()) {
        auto* bench = benchmark::RegisterBenchmark((std::string("bit masks ") + prag::BitKernelName(kernel)).c_str(),
                                                   [kernel](benchmark::State& state) { BitMasks(state, kernel); });
        for (const int side : kOpenSides) bench->Arg(side);
        bench->Unit(benchmark::kMillisecond)->Repetitions(3);
    }
    auto* union_find = benchmark::RegisterBenchmark("union-find", UnionFind);
    for (const int side : kOpenSides) union_find->Arg(side);
    union_find->Unit(benchmark::kMillisecond)->Repetitions(3);
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("L=%d site, one thread, one sample: %.1f ns per site\n", kSide, reporter.one_sample_);
    std::printf("L=%d site, one thread, %llu samples with the whole R(p) curve: %.1f ns per site, %.2f of the %.0f ns target\n",
                kSide, static_cast<unsigned long long>(kCurveSamples), reporter.with_curve_,
                reporter.with_curve_ / kTargetNsPerSite, kTargetNsPerSite);
    for (const auto& [name, ns] : reporter.lattices_) std::printf("%s site, one sample: %.1f ns per site\n", name.c_str(), ns);
    for (const int side : kOpenSides) {
        char name[64];
        std::snprintf(name, sizeof name, "union-find/%d", side);
        std::printf("open square site L=%d, top-bottom, ns per site: union-find %.1f", side, reporter.lattices_[name]);
        for (const prag::BitKernel kernel : prag::RunnableBitKernels()) {
            std::snprintf(name, sizeof name, "bit masks %s/%d", prag::BitKernelName(kernel), side);
            std::printf(", bit masks %s %.1f", prag::BitKernelName(kernel), reporter.lattices_[name]);
        }
        std::printf(" (%s runs here)\n", prag::BitKernelName(prag::BestBitKernel()));
    }
    // Today's open square is the union-find (OneSample); prag's own open square now runs the bit masks.
    const double open = reporter.one_sample_, torus_ns = reporter.lattices_["square torus"];
    const double to_end = reporter.lattices_["square torus, to the end"], strength = reporter.lattices_["square torus, strength"];
    std::printf("wrapping on the torus: %.2fx the open square's union-find ns per site (target at most 1.3x)\n", torus_ns / open);
    std::printf("--strength: %.2fx the full sweep with its series alone (target at most 1.3x)\n", strength / to_end);
    benchmark::Shutdown();
    return 0;
}
