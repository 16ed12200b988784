// x86_kernels.h: the kernels that need AVX2, AVX-512 or BMI2.
// Limits: declared only where VRTINELA_X86_KERNELS is 1; call them only after kernel_choice
// has seen the processor run the instructions they need.
#pragma once

#include <cstdint>

#include "console/kernel_choice.h"
#include "console/row_masks.h"

#if VRTINELA_X86_KERNELS

namespace vrtinela {

// Row generators (see RowGenerator in row_generation.h): 8 or 16 columns per vector.
void GenerateRowsAvx2(const std::uint32_t* starts, int columns, int rows, std::uint64_t bound, RowMask* masks);
void GenerateRowsAvx512(const std::uint32_t* starts, int columns, int rows, std::uint64_t bound, RowMask* masks);

// The percolation walk and the run fill, with each word's pieces found by pext and pdep.
bool WalkRowsBmi2(const RowMask* open, int rows);
RowMask FillTouchedRunsBmi2(const RowMask& open, const RowMask& seeds);

}  // namespace vrtinela

#endif
