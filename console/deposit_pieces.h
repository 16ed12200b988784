// deposit_pieces.h: the BMI2 way of filling a word's seeded pieces (see run_fill.h), by pext and pdep.
// Limits: x86-64 only; include it only inside a region compiled for BMI2 (a target pragma), and call
// it only where the processor has been seen to run BMI2.
#pragma once

#include <immintrin.h>

#include <cstdint>

#include "console/run_fill.h"

namespace vrtinela {
namespace {

// Pieces pair up in order with the places of their markers: the square right of a piece's end,
// or bit 63 standing in for the square past the word. pext numbers the marked pieces, pdep puts
// those numbers on the pieces' left ends, and each marked piece [a, b] is 2^(b + 1) - 2^a, summed
// without carries between pieces (the piece ending in bit 63 contributes -2^a, modulo 2^64).
struct DepositPieces {
    VRTINELA_ALWAYS_INLINE static std::uint64_t Fill(std::uint64_t open, std::uint64_t markers,
                                                     std::uint64_t topFilled) {
        const std::uint64_t leftEnds = open & ~(open << 1);
        const std::uint64_t markerPlaces = (~open & (open << 1)) | (open & (std::uint64_t{1} << 63));
        const std::uint64_t marked = _pext_u64(markers | (topFilled << 63), markerPlaces);
        return markers - _pdep_u64(marked, leftEnds);
    }
};

}  // namespace
}  // namespace vrtinela
