// sweep.cpp
// Workers take chunks of sample indices from one atomic counter; the caller waits and reports progress.
// A worker's failure (memory at large L) is carried back to the caller as the same exception.
#include "prag/sweep.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "prag/geometry.h"
#include "prag/sample_stream.h"

namespace prag {
namespace {

// Enough items per chunk that small lattices do not queue on the counter, one sample for large ones.
std::uint64_t ChunkSamples(std::uint64_t items) { return std::max<std::uint64_t>(1, (1u << 16) / items); }

constexpr auto kProgressInterval = std::chrono::milliseconds(200);

}  // namespace

std::pair<std::uint64_t, std::uint64_t> ShareOf(std::uint64_t samples, int rank, int count) {
    const auto r = static_cast<std::uint64_t>(rank);
    const auto c = static_cast<std::uint64_t>(count);
    // At most 1e9 samples and an int's worth of processes: the products stay far below 2^64.
    return {samples * r / c, samples * (r + 1) / c};
}

std::vector<std::uint32_t> SpanningNumbers(const SweepJob& job, int threads, const SweepProgress& progress) {
    return SweepSamples(job, threads, progress).first;
}

SweepResult SweepSamples(const SweepJob& job, int threads, const SweepProgress& progress) {
    const std::uint64_t total = job.end_sample - job.first_sample;
    const LatticeShape shape{job.lattice, job.boundary, job.side};
    const bool monotone = RuleIsMonotone(job.rule);
    SweepResult result;
    result.first.resize(total);
    if (!monotone) result.until.resize(total);
    const std::size_t points = job.strength != nullptr ? job.strength->Windows().size() : 0;
    result.strength = StrengthSums(points);
    const std::uint64_t chunk = ChunkSamples(Items(shape, job.model));
    std::atomic<std::uint64_t> next{0};
    std::atomic<std::uint64_t> done{0};
    std::mutex mutex;
    std::condition_variable finished;
    int running = std::max(1, threads);
    std::exception_ptr failure;

    const auto work = [&] {
        try {
            const std::unique_ptr<Sampler> sampler = MakeSampler(shape, job.model, job.strength != nullptr);
            ClusterSeries series;
            StrengthSums strength(points);
            for (;;) {
                const std::uint64_t begin = next.fetch_add(chunk);
                if (begin >= total) break;
                const std::uint64_t end = std::min(total, begin + chunk);
                for (std::uint64_t k = begin; k < end; ++k) {
                    SampleStream stream(job.seed, job.side, job.first_sample + k);
                    const SampleOutcome outcome =
                        sampler->Run(stream, job.rule, job.strength != nullptr ? &series : nullptr);
                    result.first[k] = outcome.first;
                    if (!monotone) result.until[k] = outcome.until;
                    if (job.strength != nullptr) strength.Add(*job.strength, series);
                }
                done.fetch_add(end - begin, std::memory_order_relaxed);
            }
            // Exact sums: the order in which the workers add theirs does not matter.
            const std::lock_guard lock(mutex);
            result.strength.Add(strength);
        } catch (...) {
            const std::lock_guard lock(mutex);
            if (!failure) failure = std::current_exception();
            next.store(total);  // the others stop at their next chunk
        }
        const std::lock_guard lock(mutex);
        if (--running == 0) finished.notify_all();
    };

    std::vector<std::jthread> workers;
    const int count = running;
    workers.reserve(static_cast<std::size_t>(count));
    for (int t = 0; t < count; ++t) workers.emplace_back(work);
    {
        std::unique_lock lock(mutex);
        while (!finished.wait_for(lock, kProgressInterval, [&] { return running == 0; })) {
            if (progress) {
                lock.unlock();
                progress(done.load(std::memory_order_relaxed));
                lock.lock();
            }
        }
    }
    workers.clear();
    if (failure) std::rethrow_exception(failure);
    if (progress) progress(total);
    return result;
}

}  // namespace prag
