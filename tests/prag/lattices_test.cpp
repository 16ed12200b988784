// lattices_test.cpp
// Every lattice's sweep against a literal search written here from the coordinates alone: for every
// set of items of tiny lattices, open and periodic, whether each rule holds after exactly those items
// (wrapping found by breadth-first search with unwrapped positions), and the largest cluster and chi.
// Then hand-made tori, thread-blindness of the new outcomes and strength sums, and cheap thresholds.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <map>
#include <numeric>
#include <queue>
#include <random>
#include <vector>

#include "prag/analysis.h"
#include "prag/geometry.h"
#include "prag/sweep.h"

namespace {

using prag::Boundary;
using prag::LatticeKind;
using prag::Model;
using prag::Spanning;
using Point = std::array<int, 3>;

struct Case {
    LatticeKind kind;
    Model model;
    Boundary boundary;
    int side;
};

int Dimensions(LatticeKind kind) { return kind == LatticeKind::kCubic ? 3 : 2; }

Point CoordinatesOf(int site, int side, int dimensions) {
    return {site % side, site / side % side, dimensions == 3 ? site / (side * side) : 0};
}

// The steps from a site that its bonds take forward; the backward ones are their negatives.
std::vector<Point> ForwardSteps(LatticeKind kind, const Point& at) {
    switch (kind) {
        case LatticeKind::kSquare: return {{1, 0, 0}, {0, 1, 0}};
        case LatticeKind::kTriangular: return {{1, 0, 0}, {0, 1, 0}, {1, -1, 0}};
        case LatticeKind::kHoneycomb:
            if ((at[0] + at[1]) % 2 == 0) return {{1, 0, 0}, {0, 1, 0}};
            return {{1, 0, 0}};
        case LatticeKind::kCubic: return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    }
    return {};
}

struct Edge {
    int a, b;
    Point step;  // from a to b, unwrapped
};

// Every bond of the lattice, from the coordinates; -1 as b where an open border cuts it.
std::vector<Edge> LiteralBonds(const Case& c) {
    const int dims = Dimensions(c.kind), sites = static_cast<int>(std::pow(c.side, dims));
    std::vector<Edge> edges;
    for (int a = 0; a < sites; ++a) {
        const Point at = CoordinatesOf(a, c.side, dims);
        for (const Point& step : ForwardSteps(c.kind, at)) {
            Point to{};
            bool inside = true;
            for (int k = 0; k < 3; ++k) {
                to[k] = at[k] + step[k];
                if (to[k] < 0 || to[k] >= c.side) inside = false;
                to[k] = (to[k] + c.side) % c.side;
            }
            if (!inside && c.boundary == Boundary::kOpen) continue;
            edges.push_back({a, to[0] + c.side * (to[1] + c.side * to[2]), step});
        }
    }
    return edges;
}

struct Literal {
    std::uint32_t axes = 0;  // spanned (open) or wrapped (periodic)
    double largest = 0.0, others = 0.0;
};

// Breadth-first search over the occupied sites and links, each site given an unwrapped position:
// meeting a site again at another position is a loop around the torus along the axes that differ.
Literal Search(const Case& c, const std::vector<bool>& site_on, const std::vector<Edge>& links) {
    const int dims = Dimensions(c.kind), sites = static_cast<int>(site_on.size());
    std::vector<std::vector<std::pair<int, Point>>> next(static_cast<std::size_t>(sites));
    for (const Edge& e : links) {
        next[static_cast<std::size_t>(e.a)].push_back({e.b, e.step});
        next[static_cast<std::size_t>(e.b)].push_back({e.a, {-e.step[0], -e.step[1], -e.step[2]}});
    }
    Literal result;
    std::vector<bool> seen(static_cast<std::size_t>(sites));
    std::vector<Point> position(static_cast<std::size_t>(sites));
    double squares = 0.0, largest = 0.0;
    for (int start = 0; start < sites; ++start) {
        if (!site_on[static_cast<std::size_t>(start)] || seen[static_cast<std::size_t>(start)]) continue;
        std::queue<int> queue;
        queue.push(start);
        seen[static_cast<std::size_t>(start)] = true;
        position[static_cast<std::size_t>(start)] = CoordinatesOf(start, c.side, dims);
        double size = 0.0;
        std::array<bool, 6> touches{};
        while (!queue.empty()) {
            const int site = queue.front();
            queue.pop();
            size += 1.0;
            const Point at = CoordinatesOf(site, c.side, dims);
            for (int k = 0; k < dims; ++k) {
                touches[static_cast<std::size_t>(2 * k)] = touches[static_cast<std::size_t>(2 * k)] || at[k] == 0;
                touches[static_cast<std::size_t>(2 * k + 1)] = touches[static_cast<std::size_t>(2 * k + 1)] || at[k] == c.side - 1;
            }
            for (const auto& [other, step] : next[static_cast<std::size_t>(site)]) {
                if (!site_on[static_cast<std::size_t>(other)]) continue;
                Point there{};
                for (int k = 0; k < 3; ++k) there[k] = position[static_cast<std::size_t>(site)][k] + step[k];
                if (!seen[static_cast<std::size_t>(other)]) {
                    seen[static_cast<std::size_t>(other)] = true;
                    position[static_cast<std::size_t>(other)] = there;
                    queue.push(other);
                } else if (c.boundary == Boundary::kPeriodic) {
                    for (int k = 0; k < dims; ++k) {
                        if (there[k] != position[static_cast<std::size_t>(other)][k]) result.axes |= 1u << k;
                    }
                }
            }
        }
        if (c.boundary == Boundary::kOpen) {
            for (int k = 0; k < dims; ++k) {
                if (touches[static_cast<std::size_t>(2 * k)] && touches[static_cast<std::size_t>(2 * k + 1)]) result.axes |= 1u << k;
            }
        }
        squares += size * size;
        largest = std::max(largest, size);
    }
    result.largest = largest / sites;
    result.others = (squares - largest * largest) / sites / sites;
    return result;
}

bool Holds(Spanning rule, int dims, std::uint32_t axes) {
    const std::uint32_t vertical = 1u << (dims - 1), all = (1u << dims) - 1;
    switch (rule) {
        case Spanning::kTopBottom:
        case Spanning::kVertical: return (axes & vertical) != 0;
        case Spanning::kLeftRight:
        case Spanning::kHorizontal: return (axes & 1u) != 0;
        case Spanning::kEither: return axes != 0;
        case Spanning::kBoth: return axes == all;
        case Spanning::kOne: return axes == 1u;
    }
    return false;
}

constexpr Spanning kAllRules[] = {Spanning::kTopBottom,  Spanning::kLeftRight, Spanning::kEither, Spanning::kBoth,
                                  Spanning::kHorizontal, Spanning::kVertical,  Spanning::kOne};

TEST(EveryLattice, EveryItemSetOfTinyLatticesMeetsTheRulesAndClusterSizesOfTheLiteralSearch) {
    const Case cases[] = {
        {LatticeKind::kSquare, Model::kSite, Boundary::kOpen, 3},        {LatticeKind::kSquare, Model::kSite, Boundary::kPeriodic, 3},
        {LatticeKind::kSquare, Model::kBond, Boundary::kOpen, 3},        {LatticeKind::kSquare, Model::kBond, Boundary::kPeriodic, 2},
        {LatticeKind::kTriangular, Model::kSite, Boundary::kOpen, 3},    {LatticeKind::kTriangular, Model::kSite, Boundary::kPeriodic, 3},
        {LatticeKind::kTriangular, Model::kBond, Boundary::kOpen, 3},    {LatticeKind::kTriangular, Model::kBond, Boundary::kPeriodic, 2},
        {LatticeKind::kHoneycomb, Model::kSite, Boundary::kOpen, 4},     {LatticeKind::kHoneycomb, Model::kSite, Boundary::kPeriodic, 4},
        {LatticeKind::kHoneycomb, Model::kBond, Boundary::kOpen, 3},     {LatticeKind::kHoneycomb, Model::kBond, Boundary::kPeriodic, 2},
        {LatticeKind::kCubic, Model::kSite, Boundary::kOpen, 2},         {LatticeKind::kCubic, Model::kSite, Boundary::kPeriodic, 2},
        {LatticeKind::kCubic, Model::kBond, Boundary::kOpen, 2},
    };
    for (const Case& c : cases) {
        const prag::LatticeShape shape{c.kind, c.boundary, c.side};
        const int dims = Dimensions(c.kind);
        const auto sites = static_cast<int>(prag::Sites(shape));
        const std::vector<Edge> bonds = LiteralBonds(c);
        const auto items = static_cast<std::uint32_t>(prag::Items(shape, c.model));
        const std::string name = std::string(prag::LatticeName(c.kind)) + " " + std::string(prag::ModelName(c.model)) + " " +
                                 std::string(prag::BoundaryName(c.boundary)) + " L=" + std::to_string(c.side);
        ASSERT_EQ(items, c.model == Model::kSite ? static_cast<std::uint32_t>(sites) : bonds.size()) << name;
        for (const bool with_series : {false, true}) {
            const auto sampler = prag::MakeSampler(shape, c.model, with_series);
            // The sampler's items, matched to the literal bonds by their two ends.
            std::map<std::pair<int, int>, Point> step_of;
            for (const Edge& e : bonds) step_of[{e.a, e.b}] = e.step;
            std::vector<Edge> item_edges;
            for (std::uint32_t k = 0; c.model == Model::kBond && k < items; ++k) {
                const auto [a, b] = sampler->ItemEnds(k);
                const auto found = step_of.find({static_cast<int>(a), static_cast<int>(b)});
                ASSERT_NE(found, step_of.end()) << name << ": item " << k << " joins " << a << " and " << b;
                item_edges.push_back({static_cast<int>(a), static_cast<int>(b), found->second});
                step_of.erase(found);
            }
            prag::ClusterSeries series;
            for (std::uint32_t mask = 0; mask < (1u << items); ++mask) {
                std::vector<std::uint32_t> order;
                for (std::uint32_t k = 0; k < items; ++k) if (mask >> k & 1u) order.push_back(k);
                const auto n = static_cast<std::uint32_t>(order.size());
                for (std::uint32_t k = 0; k < items; ++k) if (!(mask >> k & 1u)) order.push_back(k);
                std::vector<bool> site_on(static_cast<std::size_t>(sites), c.model == Model::kBond);
                std::vector<Edge> links;
                if (c.model == Model::kSite) {
                    for (std::uint32_t k = 0; k < n; ++k) site_on[sampler->ItemEnds(order[k]).first] = true;
                    for (const Edge& e : bonds) links.push_back(e);
                } else {
                    for (std::uint32_t k = 0; k < n; ++k) links.push_back(item_edges[order[k]]);
                }
                const Literal literal = Search(c, site_on, links);
                for (const Spanning rule : kAllRules) {
                    if (!prag::RuleFitsBoundary(rule, c.boundary)) continue;
                    const prag::SampleOutcome outcome = sampler->RunOrder(order, rule, with_series ? &series : nullptr);
                    ASSERT_EQ(outcome.first <= n && n < outcome.until, Holds(rule, dims, literal.axes))
                        << name << " " << prag::SpanningName(rule) << " mask " << mask << (with_series ? " with series" : "");
                    if (!with_series) continue;
                    ASSERT_NEAR(series.largest[n], literal.largest, 1e-12) << name << " mask " << mask;
                    ASSERT_NEAR(series.others[n], literal.others, 1e-12) << name << " mask " << mask;
                }
            }
        }
    }
}

TEST(EveryLattice, HandMadeToriWrapWithoutSpanningAndSpanWithoutWrapping) {
    // L = 4 squares, (x, y). A loop through both seams: wraps vertically, but no open piece reaches from
    // top to bottom. A snake from top to bottom whose ends have no neighbours across the seams.
    const std::vector<std::uint32_t> loop{3, 7, 4, 8, 12, 15};          // (3,0) (3,1) (0,1) (0,2) (0,3) (3,3)
    const std::vector<std::uint32_t> snake{0, 4, 5, 6, 10, 14};         // (0,0) (0,1) (1,1) (2,1) (2,2) (2,3)
    struct Expect {
        const std::vector<std::uint32_t>* sites;
        Boundary boundary;
        Spanning rule;
        bool holds;
    } const expected[] = {
        {&loop, Boundary::kPeriodic, Spanning::kVertical, true},  {&loop, Boundary::kPeriodic, Spanning::kHorizontal, false},
        {&loop, Boundary::kOpen, Spanning::kTopBottom, false},    {&snake, Boundary::kOpen, Spanning::kTopBottom, true},
        {&snake, Boundary::kPeriodic, Spanning::kEither, false},
    };
    for (const Expect& e : expected) {
        std::vector<std::uint32_t> order = *e.sites;
        for (std::uint32_t k = 0; k < 16; ++k) {
            if (std::find(order.begin(), order.end(), k) == order.end()) order.push_back(k);
        }
        const auto sampler = prag::MakeSampler({LatticeKind::kSquare, e.boundary, 4}, Model::kSite, false);
        const prag::SampleOutcome outcome = sampler->RunOrder(order, e.rule, nullptr);
        EXPECT_EQ(outcome.first <= 6 && 6 < outcome.until, e.holds)
            << (e.sites == &loop ? "loop " : "snake ") << prag::SpanningName(e.rule) << ": first " << outcome.first;
    }
}

// 256^2 sites is the most that 16-bit displacements serve, 257^2 takes 32-bit ones: on both sides the
// torus first wraps where the literal search first sees a loop.
TEST(EveryLattice, BothDisplacementWidthsWrapWhereTheLiteralSearchDoes) {
    for (const int side : {256, 257}) {
        const Case c{LatticeKind::kSquare, Model::kSite, Boundary::kPeriodic, side};
        const auto sampler = prag::MakeSampler({c.kind, c.boundary, side}, c.model, false);
        const auto sites = static_cast<std::uint32_t>(side * side);
        std::mt19937 random(static_cast<unsigned>(side));
        std::vector<std::uint32_t> order(sites);
        std::iota(order.begin(), order.end(), 0u);
        const std::vector<Edge> bonds = LiteralBonds(c);
        for (int sample = 0; sample < 2; ++sample) {
            std::shuffle(order.begin(), order.end(), random);
            const std::uint32_t first = sampler->RunOrder(order, Spanning::kEither, nullptr).first;
            for (const std::uint32_t n : {first - 1, first}) {
                std::vector<bool> site_on(sites);
                for (std::uint32_t k = 0; k < n; ++k) site_on[order[k]] = true;
                EXPECT_EQ(Search(c, site_on, bonds).axes != 0, n == first) << "L=" << side << " n=" << n;
            }
        }
    }
}

TEST(EveryLattice, ThreadsChangeNeitherTheOutcomesNorTheStrengthSums) {
    const std::vector<double> grid{0.3, 0.5, 0.7};
    const prag::GridWindows windows(prag::Items({LatticeKind::kTriangular, Boundary::kPeriodic, 10}, Model::kBond), grid);
    prag::SweepJob job{Model::kBond, Spanning::kOne, 10, 4, 0, 300, LatticeKind::kTriangular, Boundary::kPeriodic, &windows};
    const prag::SweepResult one = prag::SweepSamples(job, 1);
    ASSERT_EQ(one.until.size(), 300u);
    for (const int threads : {2, 5}) {
        const prag::SweepResult many = prag::SweepSamples(job, threads);
        EXPECT_EQ(many.first, one.first);
        EXPECT_EQ(many.until, one.until);
        EXPECT_EQ(many.strength.Words(), one.strength.Words()) << threads << " threads";
    }
}

// Wide tolerances: L = 16 and 32, 3000 samples each; the precise checks are in make bench.
TEST(EveryLattice, SmallRunsFindTheKnownThresholds) {
    const struct {
        LatticeKind kind;
        Model model;
        Boundary boundary;
        Spanning rule;
        double threshold;
    } runs[] = {
        {LatticeKind::kSquare, Model::kSite, Boundary::kPeriodic, Spanning::kEither, 0.5927460507},
        {LatticeKind::kTriangular, Model::kSite, Boundary::kOpen, Spanning::kTopBottom, 0.5},
        {LatticeKind::kHoneycomb, Model::kBond, Boundary::kPeriodic, Spanning::kBoth, 0.652703645},
        {LatticeKind::kCubic, Model::kSite, Boundary::kOpen, Spanning::kEither, 0.3116077},
    };
    for (const auto& run : runs) {
        const int smaller = run.kind == LatticeKind::kCubic ? 6 : 16;
        std::vector<prag::SweepResult> swept;
        prag::RunResult result;
        const prag::RunShape shape{run.kind, run.boundary, run.model, run.rule};
        for (const int side : {smaller, 2 * smaller}) {
            swept.push_back(prag::SweepSamples({run.model, run.rule, side, 9, 0, 3000, run.kind, run.boundary}, 2));
            result.sizes.push_back(prag::AnalyseSize(shape, side, swept.back(), {}));
        }
        prag::EstimateAll(shape, swept, result);
        EXPECT_NEAR(result.estimate.value, run.threshold, 0.02) << prag::LatticeName(run.kind) << ": " << result.estimate.method;
        EXPECT_GT(result.estimate.error, 0.0);
    }
}

}  // namespace
