// bit_spanning.cpp
// A flood spreads row by row: the occupied runs of a row that hold seeds are filled (doubling shifts
// inside a word, then across word edges), and what is new seeds the rows above and below. Only new
// squares seed, so a flood costs in proportion to what it adds.
#include "prag/bit_spanning.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>

namespace prag {
namespace {

// The occupied runs of a word that hold a seed: down to each run's first bit by doubling shifts,
// then up in one step, since adding a run's first bit carries through the whole run.
std::uint64_t FillWord(std::uint64_t occupied, std::uint64_t seeds) {
    std::uint64_t filled = seeds & occupied;
    std::uint64_t path = occupied;
    for (int width = 1; width < 64; width *= 2) {
        filled |= (filled >> width) & path;
        path &= path >> width;
    }
    const std::uint64_t firsts = filled & ~(occupied << 1);
    return filled | (((occupied + firsts) ^ occupied) & occupied);
}

constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;

}  // namespace

BitSpanning::BitSpanning(int side)
    : side_(static_cast<std::uint32_t>(side)), words_((static_cast<std::uint32_t>(side) + 63) / 64) {
    if (side < 2 || side > 8192) throw std::invalid_argument("lattice side out of range");
    const std::size_t masks = std::size_t{side_} * words_;
    occupied_.resize(masks);
    top_.rows.resize(masks);
    left_.rows.resize(masks);
    top_.from_top = true;
    order_.resize(std::size_t{side_} * side_);
}

bool BitSpanning::Touches(const Reach& reach, std::uint32_t code) const {
    const std::uint32_t x = X(code), y = Y(code);
    if (reach.from_top ? y == 0 : x == 0) return true;
    const auto reached = [&](std::uint32_t other) { return (reach.rows[Word(other)] & Bit(other)) != 0; };
    return (x > 0 && reached(code - 1)) || (x + 1 < side_ && reached(code + 1)) || (y > 0 && reached(code - (1u << 13))) ||
           (y + 1 < side_ && reached(code + (1u << 13)));
}

// Word by word: a popped seed word fills its runs, and what is new seeds the same word of the rows
// above and below and, where a run reaches the word's edge, the next word of the row. So a flood
// costs in proportion to the words it changes, whatever L is.
void BitSpanning::Flood(Reach& reach) {
    const std::uint32_t words = words_;
    const std::uint64_t last_column = std::uint64_t{1} << ((side_ - 1) % 64);
    while (!pending_.empty()) {
        const PendingSeeds seeds = pending_.back();
        pending_.pop_back();
        const std::size_t at = std::size_t{seeds.row} * words + seeds.word;
        const std::uint64_t filled = FillWord(occupied_[at], seeds.bits) & ~reach.rows[at];
        if (filled == 0) continue;
        reach.rows[at] |= filled;
        if (reach.from_top ? seeds.row + 1 == side_ : seeds.word + 1 == words && (filled & last_column) != 0) reach.spans = true;
        const auto seed = [&](std::uint32_t row, std::uint32_t word, std::uint64_t bits) {
            const std::size_t there = std::size_t{row} * words + word;
            bits &= occupied_[there] & ~reach.rows[there];
            if (bits != 0) pending_.push_back({row, word, bits});
        };
        if (seeds.row > 0) seed(seeds.row - 1, seeds.word, filled);
        if (seeds.row + 1 < side_) seed(seeds.row + 1, seeds.word, filled);
        if ((filled & kTopBit) != 0 && seeds.word + 1 < words) seed(seeds.row, seeds.word + 1, 1u);
        if ((filled & 1u) != 0 && seeds.word > 0) seed(seeds.row, seeds.word - 1, kTopBit);
    }
}

void BitSpanning::FloodFromScratch(Reach& reach) {
    std::fill(reach.rows.begin(), reach.rows.end(), 0);
    reach.spans = false;
    if (reach.from_top) {
        for (std::uint32_t word = 0; word < words_; ++word) {
            if (occupied_[word] != 0) pending_.push_back({0, word, occupied_[word]});
        }
    } else {
        for (std::uint32_t row = 0; row < side_; ++row) {
            if ((occupied_[std::size_t{row} * words_] & 1u) != 0) pending_.push_back({row, 0, 1u});
        }
    }
    Flood(reach);
}

void BitSpanning::StartOrder() {
    std::uint32_t* entry = order_.data();
    for (std::uint32_t y = 0; y < side_; ++y) {
        for (std::uint32_t x = 0; x < side_; ++x) *entry++ = y << 13 | x;
    }
}

bool BitSpanning::RuleHolds(Spanning rule) const {
    switch (rule) {
        case Spanning::kTopBottom: return top_.spans;
        case Spanning::kLeftRight: return left_.spans;
        case Spanning::kEither: return top_.spans || left_.spans;
        case Spanning::kBoth: return top_.spans && left_.spans;
        default: return false;
    }
}

template <class Draw>
std::uint32_t BitSpanning::Sweep(Draw draw, Spanning rule) {
    if (rule != Spanning::kTopBottom && rule != Spanning::kLeftRight && rule != Spanning::kEither && rule != Spanning::kBoth) {
        throw std::invalid_argument("the bit sweep knows the open rules only");
    }
    const bool top = rule != Spanning::kLeftRight, left = rule != Spanning::kTopBottom;
    const std::uint32_t count = side_ * side_;
    // Start a little below where samples usually span: p_c less about two of the spread of the
    // spanning points (0.51 L^-3/4), lower still for either, whose samples span first.
    const double spread = (rule == Spanning::kEither ? 1.0 : 0.51) * std::pow(static_cast<double>(side_), -0.75);
    std::uint32_t start = static_cast<std::uint32_t>(std::max(0.0, 0.5927 - spread) * count);
    std::fill(occupied_.begin(), occupied_.end(), 0);
    std::uint32_t drawn = 0;
    for (; drawn < start; ++drawn) Occupy(draw(drawn));
    const auto test = [&] {
        if (top) FloodFromScratch(top_);
        if (left) FloodFromScratch(left_);
        return RuleHolds(rule);
    };
    // The first sites already span: step back (halving) until they do not; the order is kept.
    while (start > 0 && test()) {
        const std::uint32_t back = start / 2;
        for (std::uint32_t k = back; k < start; ++k) Clear(order_[k]);
        start = back;
    }
    if (start == 0) {
        std::fill(top_.rows.begin(), top_.rows.end(), 0);
        std::fill(left_.rows.begin(), left_.rows.end(), 0);
        top_.spans = left_.spans = false;
    }
    for (std::uint32_t step = start; step < count; ++step) {
        const std::uint32_t code = step < drawn ? order_[step] : draw(step);
        drawn = std::max(drawn, step + 1);
        Occupy(code);
        const PendingSeeds seeds{Y(code), X(code) / 64, Bit(code)};
        for (Reach* reach : {&top_, &left_}) {
            if (!(reach == &top_ ? top : left) || reach->spans || !Touches(*reach, code)) continue;
            pending_.push_back(seeds);
            Flood(*reach);
        }
        if (RuleHolds(rule)) return step + 1;
    }
    return count;
}

std::uint32_t BitSpanning::SpanningNumber(SampleStream& stream, Spanning rule) {
    StartOrder();
    std::uint32_t* order = order_.data();
    const std::uint32_t count = side_ * side_;
    // Picks are drawn sixteen steps early (they depend on the stream alone, not on the order) and
    // their entries fetched meanwhile: at large L the order is far bigger than the caches. The
    // stream is read in the same order either way.
    constexpr std::uint32_t kAhead = 16;
    std::uint32_t picks[kAhead];
    std::uint32_t next_draw = 0;
    const auto draw_ahead = [&] {
        if (next_draw < count) {
            const std::uint32_t pick = next_draw + stream.Below(count - next_draw);
            __builtin_prefetch(order + pick, 1);
            picks[next_draw % kAhead] = pick;
            ++next_draw;
        }
    };
    for (std::uint32_t k = 0; k < kAhead; ++k) draw_ahead();
    return Sweep(
        [&](std::uint32_t step) {
            const std::uint32_t pick = picks[step % kAhead];
            draw_ahead();
            std::swap(order[step], order[pick]);
            return order[step];
        },
        rule);
}

std::uint32_t BitSpanning::SpanningNumber(std::span<const std::uint32_t> order, Spanning rule) {
    if (order.size() != order_.size()) throw std::invalid_argument("order must list every site once");
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (order[k] >= order_.size()) throw std::invalid_argument("order names a site beyond the lattice");
        order_[k] = (order[k] / side_) << 13 | order[k] % side_;
    }
    return Sweep([this](std::uint32_t step) { return order_[step]; }, rule);
}

}  // namespace prag
