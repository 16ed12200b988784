// percolation.cpp: the percolation test as a walk over the row masks, with the kernel in use.
// Limits: the portable walk is compiled here; the BMI2 one lives in x86_kernels.cpp.
#include "console/percolation.h"

#include "console/grid.h"
#include "console/row_walk.h"
#include "console/x86_kernels.h"

namespace vrtinela {

bool Percolates() {
#if VRTINELA_X86_KERNELS
    if (ActiveKernels().fill == FillKernel::Bmi2) return WalkRowsBmi2(RowMasks, RowCount);
#endif
    return WalkRows<ShiftPieces>(RowMasks, RowCount);
}

RowMask FillTouchedRuns(FillKernel kernel, const RowMask& open, const RowMask& seeds) {
#if VRTINELA_X86_KERNELS
    if (kernel == FillKernel::Bmi2) return FillTouchedRunsBmi2(open, seeds);
#else
    (void)kernel;
#endif
    return FillTouchedRuns<ShiftPieces>(open, seeds);
}

}  // namespace vrtinela
