// bit_spanning.h
// The spanning number of site percolation on the open L x L square without union-find: the sites as
// row bit masks (64 a word), the set reached from the top row (and from the left column) as masks
// too. The first sites of the Fisher-Yates order, a little fewer than usually span, are tested at
// once; then each further site floods the reached set only when it touches it. Same order, same
// stream, so the same spanning number as the union-find, in about 4.4 bytes a site, the order
// included. Three kernels, picked on the processor: portable, and AVX2 or AVX-512 with BMI2 (the
// generator's draws side by side, the runs filled by pext and pdep).
// Limits: the four open rules; L from 2 to 8192.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "console/kernel_choice.h"
#include "prag/model.h"
#include "prag/sample_stream.h"

namespace prag {

enum class BitKernel { kPortable, kAvx2, kAvx512 };

// The kernels a processor with these features runs, the portable one first, and the fastest of them;
// without an argument, those of this processor.
std::vector<BitKernel> RunnableBitKernels(const vrtinela::ProcessorFeatures& features);
BitKernel BestBitKernel(const vrtinela::ProcessorFeatures& features);
std::vector<BitKernel> RunnableBitKernels();
BitKernel BestBitKernel();
const char* BitKernelName(BitKernel kernel);

// What every kernel works on, for one side.
struct BitMasks {
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
    struct FreeOrder {
        void operator()(std::uint32_t* order) const;
    };

    explicit BitMasks(int side);

    std::uint32_t side;
    std::uint32_t words;  // a row's words
    std::vector<std::uint64_t> occupied;
    Reach top, left;
    // Sites by codes y << 13 | x, so that no step divides; on large pages where the system has them,
    // since at large L every draw reaches a random entry of it.
    std::unique_ptr<std::uint32_t[], FreeOrder> order;
    std::vector<PendingSeeds> pending;
    // How many sites the first test holds: for either, and for the other rules.
    std::uint32_t first_test_either, first_test;
};

class BitSpanning {
public:
    explicit BitSpanning(int side, BitKernel kernel = BestBitKernel());

    // Draws from the stream's state on (the stream itself is left as it was: a sample has a stream of
    // its own).
    std::uint32_t SpanningNumber(const SampleStream& stream, Spanning rule);
    // The same for a given order of sites y * L + x.
    std::uint32_t SpanningNumber(std::span<const std::uint32_t> order, Spanning rule);
    // The sites joined to the top row through occupied sites, for masks of L rows of (L + 63) / 64
    // words, bit x % 64 of word x / 64 being column x.
    std::vector<std::uint64_t> ReachFromTop(std::span<const std::uint64_t> occupied);

    // One kernel's entry points (see bit_sweep.h).
    struct Calls {
        std::uint32_t (*from_stream)(BitMasks&, const SampleStream&, Spanning);
        std::uint32_t (*from_order)(BitMasks&, Spanning);  // the codes already in the order
        void (*reach_from_top)(BitMasks&);
    };

private:
    BitMasks masks_;
    Calls calls_;
};

BitSpanning::Calls Avx2BitCalls();    // only where RunnableBitKernels lists the kernel
BitSpanning::Calls Avx512BitCalls();

}  // namespace prag
