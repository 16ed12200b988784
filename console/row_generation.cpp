// row_generation.cpp: the jump-ahead table of column starts, the portable kernel and the
// dispatch to the kernel in use.
// Limits: the table is rebuilt when the grid's size changes, not per configuration.
#include "console/row_generation.h"

#include <cmath>

#include "console/jump_ahead.h"
#include "console/kernel_choice.h"
#include "console/random_generator.h"
#include "console/x86_kernels.h"

namespace vrtinela {

namespace {

constexpr std::uint64_t kDrawsBeforeFirstSquare = 17;  // thrown away after every reseeding
constexpr double kTwoTo32 = 4294967296.0;

// Maps from the seed to the state just before each column's first square, and past the last
// draw; they depend only on the grid's size.
struct ColumnStartMaps {
    int columns = -1;
    int rows = -1;
    AffineStep beforeColumn[kRowBits];
    AffineStep afterLastDraw = kNoStep;
};

ColumnStartMaps startMaps;

void PrepareStartMaps(int columns, int rows) {
    if (startMaps.columns == columns && startMaps.rows == rows) return;
    const AffineStep columnStride = DrawsAhead(static_cast<std::uint64_t>(rows));
    AffineStep step = DrawsAhead(kDrawsBeforeFirstSquare);
    for (AffineStep& map : startMaps.beforeColumn) {
        map = step;
        step = Then(step, columnStride);
    }
    startMaps.afterLastDraw = DrawsAhead(kDrawsBeforeFirstSquare + static_cast<std::uint64_t>(columns) *
                                                                       static_cast<std::uint64_t>(rows));
    startMaps.columns = columns;
    startMaps.rows = rows;
}

RowGenerator GeneratorFor(GenerationKernel kernel) {
#if VRTINELA_X86_KERNELS
    if (kernel == GenerationKernel::Avx512) return &GenerateRowsAvx512;
    if (kernel == GenerationKernel::Avx2) return &GenerateRowsAvx2;
#else
    (void)kernel;
#endif
    return &GenerateRowsPortable;
}

}  // namespace

std::uint64_t DrawBound(double threshold) {
    // Scaling by a power of two is exact, so k / 2^32 < threshold holds exactly when
    // k < threshold x 2^32, that is when k is below its ceiling.
    const double scaled = threshold * kTwoTo32;
    if (!(scaled > 0.0)) return 0;
    if (scaled >= kTwoTo32) return std::uint64_t{1} << 32;
    return static_cast<std::uint64_t>(std::ceil(scaled));
}

void DrawRowMasks() {
    PrepareStartMaps(ColumnCount, RowCount);
    alignas(64) std::uint32_t starts[kRowBits];
    const std::uint32_t seed = RandomSeed;
    for (int column = 0; column < kRowBits; ++column) starts[column] = Apply(startMaps.beforeColumn[column], seed);
    GeneratorFor(ActiveKernels().generation)(starts, ColumnCount, RowCount, DrawBound(Threshold), RowMasks);
    RandomSeed = Apply(startMaps.afterLastDraw, seed);
}

void GenerateRowsPortable(const std::uint32_t* starts, int columns, int rows, std::uint64_t bound,
                          RowMask* masks) {
    // Blocks of eight columns, whose states stay in registers all the way down: the eight steps of
    // a row do not wait on each other, as the draws down one column must. A bound of 2^32 does
    // not fit 32 bits; every draw lies below it, so such rows are all ones.
    constexpr int kBlock = 8;
    const std::uint32_t limit = bound > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(bound);
    const std::uint64_t forced = bound > 0xFFFFFFFFu ? 0xFFu : 0u;
    for (int row = 0; row < rows; ++row) masks[row] = RowMask{};
    for (int block = 0; block * kBlock < columns; ++block) {
        std::uint32_t states[kBlock];
        for (int lane = 0; lane < kBlock; ++lane) states[lane] = starts[block * kBlock + lane];
        const int width = columns - block * kBlock < kBlock ? columns - block * kBlock : kBlock;
        const std::uint64_t keep = (std::uint64_t{1} << width) - 1;
        const int word = block * kBlock / 64;
        const int shift = block * kBlock % 64;
        for (int row = 0; row < rows; ++row) {
            std::uint64_t bits = 0;
            for (int lane = 0; lane < kBlock; ++lane) {
                states[lane] = states[lane] * kGeneratorMultiplier + kGeneratorIncrement;
                bits |= static_cast<std::uint64_t>(states[lane] < limit) << lane;
            }
            masks[row].words[word] |= ((bits | forced) & keep) << shift;
        }
    }
}

}  // namespace vrtinela
