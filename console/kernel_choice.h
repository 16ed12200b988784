// kernel_choice.h: which generator and which run fill this processor runs, picked once at start
// from the processor's features, with a hook that lets tests force each one in turn.
// Limits: vector and BMI2 kernels exist only on x86-64 with GCC or Clang; elsewhere (and on any
// x86-64 without them) the portable kernels run.
#pragma once

#include <vector>

// Defining VRTINELA_X86_KERNELS as 0 builds the portable kernels alone, as on other processors.
#ifndef VRTINELA_X86_KERNELS
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define VRTINELA_X86_KERNELS 1
#else
#define VRTINELA_X86_KERNELS 0
#endif
#endif

namespace vrtinela {

enum class GenerationKernel { Portable, Avx2, Avx512 };
enum class FillKernel { Portable, Bmi2 };

struct KernelChoice {
    GenerationKernel generation;
    FillKernel fill;
};

struct ProcessorFeatures {
    bool avx2 = false;
    bool avx512 = false;          // AVX-512 Foundation, with the operating system saving its registers
    bool bmi2 = false;
    bool slowBitDeposit = false;  // pext and pdep are microcoded, tens of times slower than a shift
};

ProcessorFeatures DetectProcessorFeatures();

// AMD's (and Hygon's) processors before family 0x19 (Zen 3) run pext and pdep in microcode.
bool BitDepositIsSlow(bool amdDesign, unsigned family);

// The fastest kernels the features allow; BMI2 is passed over where it is slow.
KernelChoice BestKernels(const ProcessorFeatures& features);

// Every combination that can run on a processor with these features, slow ones included.
std::vector<KernelChoice> RunnableKernels(const ProcessorFeatures& features);

// The kernels in use; BestKernels of this processor until a test changes them.
KernelChoice ActiveKernels();

// Test hook: false, and nothing changes, when this processor cannot run the choice.
bool UseKernels(KernelChoice choice);

const char* KernelName(GenerationKernel kernel);
const char* KernelName(FillKernel kernel);

}  // namespace vrtinela
