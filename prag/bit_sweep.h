// bit_sweep.h
// The bit-mask sweep, written once and compiled by each kernel's file with its own instruction set,
// its way of filling a word's runs (`Pieces`, see console/run_fill.h) and of drawing the generator's
// outputs (`Draws`: Draws(state, increment), then Next(block) for the next kDrawBlock outputs).
// A flood spreads word by word: a seeded word fills its runs, and what is new seeds the same word of
// the rows above and below and, where a run reaches the word's edge, the next word of the row. Only
// new squares seed, so a flood costs in proportion to what it adds, whatever L is.
// Limits: internal linkage on purpose (a copy compiled for AVX-512 must never be linked in place of
// the portable one); the four open rules.
#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "console/run_fill.h"
#include "prag/bit_spanning.h"

namespace prag {
namespace {

constexpr std::uint64_t kPcgMultiplier = 6364136223846793005ull;
constexpr unsigned kDrawBlock = 64;

// pcg32's output of a state (XSH RR: an xorshift, then a rotation chosen by the top five bits).
inline std::uint32_t PcgOutput(std::uint64_t state) {
    const auto shifted = static_cast<std::uint32_t>(((state >> 18) ^ state) >> 27);
    const auto rotation = static_cast<unsigned>(state >> 59);
    return (shifted >> rotation) | (shifted << ((32 - rotation) & 31));
}

// k draws move a state s to multiplier[k] s + sum[k] increment (modulo 2^64), for k up to a block.
struct DrawJumps {
    std::uint64_t multiplier[kDrawBlock + 1];
    std::uint64_t sum[kDrawBlock + 1];
};
constexpr DrawJumps MakeDrawJumps() {
    DrawJumps jumps{};
    jumps.multiplier[0] = 1;
    jumps.sum[0] = 0;
    for (unsigned k = 0; k < kDrawBlock; ++k) {
        jumps.multiplier[k + 1] = jumps.multiplier[k] * kPcgMultiplier;
        jumps.sum[k + 1] = jumps.sum[k] * kPcgMultiplier + 1;
    }
    return jumps;
}
constexpr DrawJumps kDrawJumps = MakeDrawJumps();

// The states of the next kDrawBlock draws, each of which moves on by a whole block per block: the
// outputs of a block do not wait on each other, so they come several at a time. The states start
// from the jumps too, so that a sample of a few sites does not wait for a chain of 64 steps.
struct BlockStates {
    BlockStates(std::uint64_t state, std::uint64_t increment)
        : block_increment(kDrawJumps.sum[kDrawBlock] * increment) {
        for (unsigned k = 0; k < kDrawBlock; ++k) states[k] = kDrawJumps.multiplier[k] * state + kDrawJumps.sum[k] * increment;
    }
    alignas(64) std::uint64_t states[kDrawBlock];
    static constexpr std::uint64_t kBlockMultiplier = kDrawJumps.multiplier[kDrawBlock];
    std::uint64_t block_increment;
};

// Uniform picks below a bound from a sample's draws, exactly as SampleStream::Below makes them.
template <class Draws>
class Picks {
public:
    explicit Picks(const SampleStream& stream) : draws_(stream.State(), stream.Increment()) {}
    std::uint32_t Below(std::uint32_t bound) {
        return UniformBelow(bound, [this] { return Next(); });
    }

private:
    std::uint32_t Next() {
        if (used_ == kDrawBlock) {
            draws_.Next(block_);
            used_ = 0;
        }
        return block_[used_++];
    }
    Draws draws_;
    alignas(64) std::uint32_t block_[kDrawBlock];
    unsigned used_ = kDrawBlock;
};

template <class Pieces>
class BitSweep {
public:
    explicit BitSweep(BitMasks& masks) : m_(masks) {}

    template <class Draws>
    std::uint32_t FromStream(const SampleStream& stream, Spanning rule) {
        StartOrder();
        std::uint32_t* order = m_.order.get();
        const std::uint32_t count = m_.side * m_.side;
        // Picks are drawn kAhead steps early (they depend on the stream alone, not on the order) and
        // their entries fetched meanwhile: at large L the order is far bigger than the caches, and a
        // fetch from memory takes as long as some fifty steps. The stream is read in the same order.
        constexpr std::uint32_t kAhead = 64;
        Picks<Draws> picks(stream);
        std::uint32_t ahead[kAhead];
        std::uint32_t next_draw = 0;
        const auto draw_ahead = [&] {
            if (next_draw < count) {
                const std::uint32_t pick = next_draw + picks.Below(count - next_draw);
                __builtin_prefetch(order + pick, 1);
                ahead[next_draw % kAhead] = pick;
                ++next_draw;
            }
        };
        for (std::uint32_t k = 0; k < kAhead; ++k) draw_ahead();
        return Sweep(
            [&](std::uint32_t step) {
                const std::uint32_t pick = ahead[step % kAhead];
                draw_ahead();
                std::swap(order[step], order[pick]);
                return order[step];
            },
            rule);
    }

    std::uint32_t FromOrder(Spanning rule) {
        return Sweep([this](std::uint32_t step) { return m_.order[step]; }, rule);
    }

    void ReachFromTop() { FloodFromScratch(m_.top); }

private:
    using Reach = BitMasks::Reach;
    static std::uint32_t X(std::uint32_t code) { return code & 8191u; }
    static std::uint32_t Y(std::uint32_t code) { return code >> 13; }
    std::size_t Word(std::uint32_t code) const { return std::size_t{Y(code)} * m_.words + X(code) / 64; }
    static std::uint64_t Bit(std::uint32_t code) { return std::uint64_t{1} << (X(code) % 64); }
    void Occupy(std::uint32_t code) { m_.occupied[Word(code)] |= Bit(code); }
    void Clear(std::uint32_t code) { m_.occupied[Word(code)] &= ~Bit(code); }

    bool Touches(const Reach& reach, std::uint32_t code) const {
        const std::uint32_t x = X(code), y = Y(code);
        if (reach.from_top ? y == 0 : x == 0) return true;
        const auto reached = [&](std::uint32_t other) { return (reach.rows[Word(other)] & Bit(other)) != 0; };
        return (x > 0 && reached(code - 1)) || (x + 1 < m_.side && reached(code + 1)) ||
               (y > 0 && reached(code - (1u << 13))) || (y + 1 < m_.side && reached(code + (1u << 13)));
    }

    // Adds to `reach` everything joined to the pending seeds (which lie on occupied sites).
    void Flood(Reach& reach) {
        constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;
        const std::uint32_t words = m_.words;
        const std::uint64_t last_column = std::uint64_t{1} << ((m_.side - 1) % 64);
        while (!m_.pending.empty()) {
            const BitMasks::PendingSeeds seeds = m_.pending.back();
            m_.pending.pop_back();
            const std::size_t at = std::size_t{seeds.row} * words + seeds.word;
            const std::uint64_t filled = vrtinela::FillSeededRuns<Pieces>(m_.occupied[at], seeds.bits) & ~reach.rows[at];
            if (filled == 0) continue;
            reach.rows[at] |= filled;
            if (reach.from_top ? seeds.row + 1 == m_.side : seeds.word + 1 == words && (filled & last_column) != 0) {
                reach.spans = true;
            }
            const auto seed = [&](std::uint32_t row, std::uint32_t word, std::uint64_t bits) {
                const std::size_t there = std::size_t{row} * words + word;
                bits &= m_.occupied[there] & ~reach.rows[there];
                if (bits != 0) m_.pending.push_back({row, word, bits});
            };
            if (seeds.row > 0) seed(seeds.row - 1, seeds.word, filled);
            if (seeds.row + 1 < m_.side) seed(seeds.row + 1, seeds.word, filled);
            if ((filled & kTopBit) != 0 && seeds.word + 1 < words) seed(seeds.row, seeds.word + 1, 1u);
            if ((filled & 1u) != 0 && seeds.word > 0) seed(seeds.row, seeds.word - 1, kTopBit);
        }
    }

    void FloodFromScratch(Reach& reach) {
        std::fill(reach.rows.begin(), reach.rows.end(), 0);
        reach.spans = false;
        if (reach.from_top) {
            for (std::uint32_t word = 0; word < m_.words; ++word) {
                if (m_.occupied[word] != 0) m_.pending.push_back({0, word, m_.occupied[word]});
            }
        } else {
            for (std::uint32_t row = 0; row < m_.side; ++row) {
                if ((m_.occupied[std::size_t{row} * m_.words] & 1u) != 0) m_.pending.push_back({row, 0, 1u});
            }
        }
        Flood(reach);
    }

    // Every site's code in row order, where each sample's order starts.
    void StartOrder() {
        std::uint32_t* entry = m_.order.get();
        for (std::uint32_t y = 0; y < m_.side; ++y) {
            for (std::uint32_t x = 0; x < m_.side; ++x) *entry++ = y << 13 | x;
        }
    }

    bool RuleHolds(Spanning rule) const {
        switch (rule) {
            case Spanning::kTopBottom: return m_.top.spans;
            case Spanning::kLeftRight: return m_.left.spans;
            case Spanning::kEither: return m_.top.spans || m_.left.spans;
            case Spanning::kBoth: return m_.top.spans && m_.left.spans;
            default: return false;
        }
    }

    template <class Draw>
    std::uint32_t Sweep(Draw draw, Spanning rule) {
        if (rule != Spanning::kTopBottom && rule != Spanning::kLeftRight && rule != Spanning::kEither &&
            rule != Spanning::kBoth) {
            throw std::invalid_argument("the bit sweep knows the open rules only");
        }
        const bool top = rule != Spanning::kLeftRight, left = rule != Spanning::kTopBottom;
        const std::uint32_t count = m_.side * m_.side;
        std::uint32_t start = rule == Spanning::kEither ? m_.first_test_either : m_.first_test;
        std::fill(m_.occupied.begin(), m_.occupied.end(), 0);
        std::uint32_t drawn = 0;
        for (; drawn < start; ++drawn) Occupy(draw(drawn));
        const auto test = [&] {
            if (top) FloodFromScratch(m_.top);
            if (left) FloodFromScratch(m_.left);
            return RuleHolds(rule);
        };
        // The first sites already span: step back (halving) until they do not; the order is kept.
        while (start > 0 && test()) {
            const std::uint32_t back = start / 2;
            for (std::uint32_t k = back; k < start; ++k) Clear(m_.order[k]);
            start = back;
        }
        if (start == 0) {
            std::fill(m_.top.rows.begin(), m_.top.rows.end(), 0);
            std::fill(m_.left.rows.begin(), m_.left.rows.end(), 0);
            m_.top.spans = m_.left.spans = false;
        }
        for (std::uint32_t step = start; step < count; ++step) {
            const std::uint32_t code = step < drawn ? m_.order[step] : draw(step);
            drawn = std::max(drawn, step + 1);
            Occupy(code);
            const BitMasks::PendingSeeds seeds{Y(code), X(code) / 64, Bit(code)};
            for (Reach* reach : {&m_.top, &m_.left}) {
                if (!(reach == &m_.top ? top : left) || reach->spans || !Touches(*reach, code)) continue;
                m_.pending.push_back(seeds);
                Flood(*reach);
            }
            if (RuleHolds(rule)) return step + 1;
        }
        return count;
    }

    BitMasks& m_;
};

// One kernel's entry points, for BitSpanning::Calls.
template <class Pieces, class Draws>
BitSpanning::Calls BitCallsOf() {
    return {
        [](BitMasks& masks, const SampleStream& stream, Spanning rule) {
            return BitSweep<Pieces>(masks).template FromStream<Draws>(stream, rule);
        },
        [](BitMasks& masks, Spanning rule) { return BitSweep<Pieces>(masks).FromOrder(rule); },
        [](BitMasks& masks) { BitSweep<Pieces>(masks).ReachFromTop(); },
    };
}

}  // namespace
}  // namespace prag
