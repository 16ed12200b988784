// sweep.h
// Runs the samples of one size over worker threads, each with its own lattice (O(L^2) memory per
// thread), and keeps every sample's spanning number in sample order, so the result is thread-blind.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "prag/model.h"

namespace prag {

struct SweepJob {
    Model model = Model::kSite;
    Spanning rule = Spanning::kTopBottom;
    int side = 0;
    std::uint64_t seed = 0;
    std::uint64_t first_sample = 0;  // this process's share: samples [first_sample, end_sample)
    std::uint64_t end_sample = 0;
};

// Called on the calling thread about five times a second and once at the end with the samples done.
using SweepProgress = std::function<void(std::uint64_t samples_done)>;

// Samples [first, end) of `samples` for process `rank` of `count`: contiguous shares in rank order.
std::pair<std::uint64_t, std::uint64_t> ShareOf(std::uint64_t samples, int rank, int count);

// Entry k is the spanning number of sample first_sample + k.
std::vector<std::uint32_t> SpanningNumbers(const SweepJob& job, int threads, const SweepProgress& progress = {});

}  // namespace prag
