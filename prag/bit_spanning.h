// bit_spanning.h
// The spanning number of site percolation on the open L x L square without union-find: the sites as
// row bit masks (64 a word), the set reached from the top row (and from the left column) as masks
// too. The first sites of the Fisher-Yates order, a little fewer than usually span, are tested at
// once; then each further site floods the reached set only when it touches it. Same order, same
// stream, so the same spanning number as the union-find, at a fraction of its memory (about 4.3
// bytes a site, the order included). Limits: the four open rules; L from 2 to 8192.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "prag/model.h"
#include "prag/sample_stream.h"

namespace prag {

class BitSpanning {
public:
    explicit BitSpanning(int side);

    std::uint32_t SpanningNumber(SampleStream& stream, Spanning rule);
    // The same for a given order of sites y * L + x.
    std::uint32_t SpanningNumber(std::span<const std::uint32_t> order, Spanning rule);

private:
    // Reached from one side: the top row, or the left column.
    struct Reach {
        std::vector<std::uint64_t> rows;
        bool from_top = false;
        bool spans = false;
    };
    // Seeds waiting to fill their runs: bits of one word of one row.
    struct PendingSeeds {
        std::uint32_t row;
        std::uint32_t word;
        std::uint64_t bits;
    };

    template <class Draw>
    std::uint32_t Sweep(Draw draw, Spanning rule);
    // Sites go by codes y << 13 | x, so that no step divides.
    static std::uint32_t X(std::uint32_t code) { return code & 8191u; }
    static std::uint32_t Y(std::uint32_t code) { return code >> 13; }
    void Occupy(std::uint32_t code) { occupied_[Word(code)] |= Bit(code); }
    void Clear(std::uint32_t code) { occupied_[Word(code)] &= ~Bit(code); }
    std::size_t Word(std::uint32_t code) const { return std::size_t{Y(code)} * words_ + X(code) / 64; }
    static std::uint64_t Bit(std::uint32_t code) { return std::uint64_t{1} << (X(code) % 64); }
    bool Touches(const Reach& reach, std::uint32_t code) const;
    // Adds to `reach` everything joined to the pending seeds (which lie on occupied sites).
    void Flood(Reach& reach);
    void FloodFromScratch(Reach& reach);
    void StartOrder();  // every site's code in row order, where each sample's order starts
    bool RuleHolds(Spanning rule) const;

    std::uint32_t side_;
    std::uint32_t words_;  // a row's words
    std::vector<std::uint64_t> occupied_;
    Reach top_, left_;
    std::vector<std::uint32_t> order_;
    std::vector<PendingSeeds> pending_;
};

}  // namespace prag
