// x86_kernels.cpp: AVX2 and AVX-512 row generators and the BMI2 walk, each compiled for its own
// instruction set by function attributes, so the rest of the program stays plain x86-64.
// Limits: x86-64 with GCC or Clang only; the vector lanes hold one column each.
#include "console/x86_kernels.h"

#if VRTINELA_X86_KERNELS

#include <immintrin.h>

#include <cstdint>

#include "console/random_generator.h"
#include "console/target_region.h"

namespace vrtinela {

namespace {

constexpr std::uint64_t kAllDrawsBelow = std::uint64_t{1} << 32;  // DrawBound of thresholds from 1 up

// The bits of the columns in use in word `word` of a row.
std::uint64_t ColumnsInWord(int columns, int word) {
    const int width = columns - word * 64;
    return width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
}

void ClearUnusedWords(int columns, int rows, RowMask* masks) {
    for (int row = 0; row < rows; ++row)
        for (int word = (columns + 63) / 64; word < kRowWords; ++word) masks[row].words[word] = 0;
}

}  // namespace

// Each vector holds the states of consecutive columns, and a row takes one generator step in
// every lane. A bound of 2^32 does not fit a lane: every draw lies below it, so such a row is
// simply all ones.
__attribute__((target("avx2"))) void GenerateRowsAvx2(const std::uint32_t* starts, int columns, int rows,
                                                       std::uint64_t bound, RowMask* masks) {
    const __m256i multiplier = _mm256_set1_epi32(static_cast<int>(kGeneratorMultiplier));
    const __m256i increment = _mm256_set1_epi32(static_cast<int>(kGeneratorIncrement));
    // AVX2 compares signed lanes only; flipping the sign bit of both sides orders them unsigned.
    const __m256i signBit = _mm256_set1_epi32(static_cast<int>(0x80000000u));
    const bool allConduct = bound >= kAllDrawsBelow;
    const auto bound32 = static_cast<int>(static_cast<std::uint32_t>(bound));
    const __m256i limit = _mm256_xor_si256(_mm256_set1_epi32(bound32), signBit);
    for (int word = 0; word * 64 < columns; ++word) {
        const std::uint64_t keep = ColumnsInWord(columns, word);
        const std::uint64_t forced = allConduct ? keep : 0;
        __m256i states[8];  // columns 8k to 8k + 7 of the word in states[k]
        for (int part = 0; part < 8; ++part)
            states[part] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(starts + word * 64 + part * 8));
        for (int row = 0; row < rows; ++row) {
            std::uint64_t bits = 0;
            for (int part = 0; part < 8; ++part) {
                states[part] = _mm256_add_epi32(_mm256_mullo_epi32(states[part], multiplier), increment);
                const __m256i below = _mm256_cmpgt_epi32(limit, _mm256_xor_si256(states[part], signBit));
                const auto partBits = static_cast<std::uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(below)));
                bits |= static_cast<std::uint64_t>(partBits) << (part * 8);
            }
            masks[row].words[word] = (bits | forced) & keep;
        }
    }
    ClearUnusedWords(columns, rows, masks);
}

__attribute__((target("avx512f"))) void GenerateRowsAvx512(const std::uint32_t* starts, int columns, int rows,
                                                            std::uint64_t bound, RowMask* masks) {
    const __m512i multiplier = _mm512_set1_epi32(static_cast<int>(kGeneratorMultiplier));
    const __m512i increment = _mm512_set1_epi32(static_cast<int>(kGeneratorIncrement));
    const bool allConduct = bound >= kAllDrawsBelow;
    const __m512i limit = _mm512_set1_epi32(static_cast<int>(static_cast<std::uint32_t>(bound)));
    for (int word = 0; word * 64 < columns; ++word) {
        const std::uint64_t keep = ColumnsInWord(columns, word);
        const std::uint64_t forced = allConduct ? keep : 0;
        __m512i states[4];  // columns 16k to 16k + 15 of the word in states[k]
        for (int part = 0; part < 4; ++part) states[part] = _mm512_loadu_si512(starts + word * 64 + part * 16);
        for (int row = 0; row < rows; ++row) {
            std::uint64_t bits = 0;
            for (int part = 0; part < 4; ++part) {
                states[part] = _mm512_add_epi32(_mm512_mullo_epi32(states[part], multiplier), increment);
                const __mmask16 below = _mm512_cmplt_epu32_mask(states[part], limit);
                bits |= static_cast<std::uint64_t>(_cvtmask16_u32(below)) << (part * 16);
            }
            masks[row].words[word] = (bits | forced) & keep;
        }
    }
    ClearUnusedWords(columns, rows, masks);
}

}  // namespace vrtinela

// Everything from here to the end of the region is compiled for BMI2, the shared walk included.
VRTINELA_BEGIN_TARGET("bmi,bmi2")

#include "console/deposit_pieces.h"
#include "console/row_walk.h"

namespace vrtinela {

bool WalkRowsBmi2(const RowMask* open, int rows) { return WalkRows<DepositPieces>(open, rows); }

RowMask FillTouchedRunsBmi2(const RowMask& open, const RowMask& seeds) {
    return FillTouchedRuns<DepositPieces>(open, seeds);
}

}  // namespace vrtinela

VRTINELA_END_TARGET

#endif
