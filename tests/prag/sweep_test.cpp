// sweep_test.cpp
// The sweep's results depend on the seed and the sample index only: not on threads, not on how the
// samples are split between processes; and the progress it reports reaches the total.
#include <gtest/gtest.h>

#include <vector>

#include "prag/sweep.h"

namespace {

using prag::Model;
using prag::Spanning;

TEST(Sweep, ThreadCountDoesNotChangeAnySample) {
    for (const Model model : {Model::kSite, Model::kBond}) {
        const prag::SweepJob job{model, Spanning::kEither, 12, 99, 0, 500};
        const std::vector<std::uint32_t> one = prag::SpanningNumbers(job, 1);
        ASSERT_EQ(one.size(), 500u);
        for (const int threads : {2, 3, 8}) {
            EXPECT_EQ(prag::SpanningNumbers(job, threads), one) << prag::ModelName(model) << ", " << threads << " threads";
        }
    }
}

TEST(Sweep, SharesOfProcessesJoinToTheWholeRun) {
    constexpr std::uint64_t kSamples = 301;  // not a multiple of the process counts
    const prag::SweepJob whole{Model::kSite, Spanning::kTopBottom, 10, 3, 0, kSamples};
    const std::vector<std::uint32_t> expected = prag::SpanningNumbers(whole, 2);
    for (const int processes : {2, 3, 7}) {
        std::vector<std::uint32_t> joined;
        std::uint64_t next = 0;
        for (int rank = 0; rank < processes; ++rank) {
            const auto [first, end] = prag::ShareOf(kSamples, rank, processes);
            ASSERT_EQ(first, next) << "shares must be contiguous";
            next = end;
            prag::SweepJob share = whole;
            share.first_sample = first;
            share.end_sample = end;
            const std::vector<std::uint32_t> part = prag::SpanningNumbers(share, 1);
            joined.insert(joined.end(), part.begin(), part.end());
        }
        EXPECT_EQ(next, kSamples);
        EXPECT_EQ(joined, expected) << processes << " processes";
    }
}

TEST(Sweep, ProgressEndsAtTheTotalAndNeverGoesBack) {
    std::vector<std::uint64_t> reports;
    const auto spanning = prag::SpanningNumbers({Model::kBond, Spanning::kTopBottom, 24, 5, 100, 900}, 2,
                                                [&reports](std::uint64_t done) { reports.push_back(done); });
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back(), 800u);
    for (std::size_t k = 1; k < reports.size(); ++k) EXPECT_LE(reports[k - 1], reports[k]);
    EXPECT_EQ(spanning.size(), 800u);
}

}  // namespace
