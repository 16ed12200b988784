// bit_spanning_avx2.cpp
// The AVX2 + BMI2 kernel: four of the generator's 64-bit states a vector (AVX2 multiplies 32-bit
// halves only, so a step is three of those), the runs filled by pext and pdep.
// Limits: x86-64 with GCC or Clang; compiled for AVX2 and BMI2 alone, called only where the processor
// has been seen to run them.
#include "console/kernel_choice.h"
#include "console/target_region.h"
#include "prag/bit_spanning.h"

#if VRTINELA_X86_KERNELS

VRTINELA_BEGIN_TARGET("avx2,bmi,bmi2,prfchw")

#include <immintrin.h>

#include "console/deposit_pieces.h"
#include "prag/bit_sweep.h"

namespace prag {
namespace {

// a * b modulo 2^64 in each lane, from the 32-bit halves: the high halves' product only reaches
// bits 64 and up.
__m256i MultiplyLow64(__m256i a, __m256i b_low, __m256i b_high) {
    const __m256i cross = _mm256_add_epi64(_mm256_mul_epu32(_mm256_srli_epi64(a, 32), b_low), _mm256_mul_epu32(a, b_high));
    return _mm256_add_epi64(_mm256_mul_epu32(a, b_low), _mm256_slli_epi64(cross, 32));
}

class Avx2Draws {
public:
    Avx2Draws(std::uint64_t state, std::uint64_t increment) : block_(state, increment) {}
    void Next(std::uint32_t* outputs) {
        const __m256i multiplier_low = _mm256_set1_epi64x(static_cast<long long>(BlockStates::kBlockMultiplier & 0xFFFFFFFFu));
        const __m256i multiplier_high = _mm256_set1_epi64x(static_cast<long long>(BlockStates::kBlockMultiplier >> 32));
        const __m256i increment = _mm256_set1_epi64x(static_cast<long long>(block_.block_increment));
        const __m256i thirty_two = _mm256_set1_epi32(32);
        const __m256i even_lanes = _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7);
        auto* states = reinterpret_cast<__m256i*>(block_.states);
        for (unsigned k = 0; k < kDrawBlock / 4; ++k) {
            const __m256i state = _mm256_load_si256(states + k);
            // The output of each lane's low 32 bits; the high ones are thrown away.
            const __m256i shifted = _mm256_srli_epi64(_mm256_xor_si256(_mm256_srli_epi64(state, 18), state), 27);
            const __m256i rotation = _mm256_srli_epi64(state, 59);
            const __m256i rotated = _mm256_or_si256(_mm256_srlv_epi32(shifted, rotation),
                                                    _mm256_sllv_epi32(shifted, _mm256_sub_epi32(thirty_two, rotation)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(outputs + 4 * k),
                             _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(rotated, even_lanes)));
            _mm256_store_si256(states + k, _mm256_add_epi64(MultiplyLow64(state, multiplier_low, multiplier_high), increment));
        }
    }

private:
    BlockStates block_;
};

}  // namespace

BitSpanning::Calls Avx2BitCalls() { return BitCallsOf<vrtinela::DepositPieces, Avx2Draws>(); }

}  // namespace prag

VRTINELA_END_TARGET

#endif
