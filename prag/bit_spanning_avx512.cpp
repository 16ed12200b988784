// bit_spanning_avx512.cpp
// The AVX-512 + BMI2 kernel: eight of the generator's 64-bit states a vector, rotated by AVX-512's
// own rotation, the runs filled by pext and pdep.
// Limits: x86-64 with GCC or Clang; compiled for AVX-512 Foundation and BMI2 alone, called only where
// the processor has been seen to run them.
#include "console/kernel_choice.h"
#include "console/target_region.h"
#include "prag/bit_spanning.h"

#if VRTINELA_X86_KERNELS

VRTINELA_BEGIN_TARGET("avx512f,bmi,bmi2,prfchw")

#include <immintrin.h>

#include "console/deposit_pieces.h"
#include "prag/bit_sweep.h"

namespace prag {
namespace {

// a * b modulo 2^64 in each lane, from the 32-bit halves (a 64-bit product needs AVX-512 DQ).
__m512i MultiplyLow64(__m512i a, __m512i b_low, __m512i b_high) {
    const __m512i cross = _mm512_add_epi64(_mm512_mul_epu32(_mm512_srli_epi64(a, 32), b_low), _mm512_mul_epu32(a, b_high));
    return _mm512_add_epi64(_mm512_mul_epu32(a, b_low), _mm512_slli_epi64(cross, 32));
}

class Avx512Draws {
public:
    Avx512Draws(std::uint64_t state, std::uint64_t increment) : block_(state, increment) {}
    void Next(std::uint32_t* outputs) {
        const __m512i multiplier_low = _mm512_set1_epi64(static_cast<long long>(BlockStates::kBlockMultiplier & 0xFFFFFFFFu));
        const __m512i multiplier_high = _mm512_set1_epi64(static_cast<long long>(BlockStates::kBlockMultiplier >> 32));
        const __m512i increment = _mm512_set1_epi64(static_cast<long long>(block_.block_increment));
        for (unsigned k = 0; k < kDrawBlock / 8; ++k) {
            const __m512i state = _mm512_load_si512(block_.states + 8 * k);
            // Rotating 32-bit lanes turns each 64-bit lane's low half, by a count below 32 that sits
            // in the low half too; narrowing keeps those halves.
            const __m512i shifted = _mm512_srli_epi64(_mm512_xor_si512(_mm512_srli_epi64(state, 18), state), 27);
            const __m512i rotated = _mm512_rorv_epi32(shifted, _mm512_srli_epi64(state, 59));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(outputs + 8 * k), _mm512_cvtepi64_epi32(rotated));
            _mm512_store_si512(block_.states + 8 * k, _mm512_add_epi64(MultiplyLow64(state, multiplier_low, multiplier_high), increment));
        }
    }

private:
    BlockStates block_;
};

}  // namespace

BitSpanning::Calls Avx512BitCalls() { return BitCallsOf<vrtinela::DepositPieces, Avx512Draws>(); }

}  // namespace prag

VRTINELA_END_TARGET

#endif
