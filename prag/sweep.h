// sweep.h
// Runs the samples of one size over worker threads, each with its own lattice (O(L^d) memory per
// thread), and keeps every sample's outcome in sample order and the strength in exact sums, so the
// result is thread-blind.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "prag/model.h"
#include "prag/strength.h"

namespace prag {

struct SweepJob {
    Model model = Model::kSite;
    Spanning rule = Spanning::kTopBottom;
    int side = 0;
    std::uint64_t seed = 0;
    std::uint64_t first_sample = 0;  // this process's share: samples [first_sample, end_sample)
    std::uint64_t end_sample = 0;
    LatticeKind lattice = LatticeKind::kSquare;
    Boundary boundary = Boundary::kOpen;
    const GridWindows* strength = nullptr;  // set: every sample runs to the end and adds to the strength sums
};

struct SweepResult {
    std::vector<std::uint32_t> first;  // entry k: the first n at which sample first_sample + k meets the rule
    std::vector<std::uint32_t> until;  // rules that can stop holding (one): the n at which it stops; else empty
    StrengthSums strength;             // with job.strength
};

// Called on the calling thread about five times a second and once at the end with the samples done.
using SweepProgress = std::function<void(std::uint64_t samples_done)>;

// Samples [first, end) of `samples` for process `rank` of `count`: contiguous shares in rank order.
std::pair<std::uint64_t, std::uint64_t> ShareOf(std::uint64_t samples, int rank, int count);

SweepResult SweepSamples(const SweepJob& job, int threads, const SweepProgress& progress = {});

// Entry k is the spanning number of sample first_sample + k.
std::vector<std::uint32_t> SpanningNumbers(const SweepJob& job, int threads, const SweepProgress& progress = {});

}  // namespace prag
