// kernel_choice_test.cpp: which kernels a processor gets, from its features, and the hook that
// forces them.
// Limits: detection itself is only checked for consistency on the machine that runs the test.
#include <gtest/gtest.h>

#include <vector>

#include "console/kernel_choice.h"

namespace vrtinela {
namespace {

bool Same(KernelChoice a, KernelChoice b) { return a.generation == b.generation && a.fill == b.fill; }

ProcessorFeatures Features(bool avx2, bool avx512, bool bmi2, bool slowBitDeposit) {
    ProcessorFeatures features;
    features.avx2 = avx2;
    features.avx512 = avx512;
    features.bmi2 = bmi2;
    features.slowBitDeposit = slowBitDeposit;
    return features;
}

TEST(KernelChoice, BitDepositIsSlowOnAmdDesignsBeforeZen3Only) {
    EXPECT_TRUE(BitDepositIsSlow(true, 0x15));   // Excavator
    EXPECT_TRUE(BitDepositIsSlow(true, 0x17));   // Zen, Zen 2
    EXPECT_TRUE(BitDepositIsSlow(true, 0x18));   // Hygon Dhyana
    EXPECT_FALSE(BitDepositIsSlow(true, 0x19));  // Zen 3, Zen 4
    EXPECT_FALSE(BitDepositIsSlow(true, 0x1A));  // Zen 5
    EXPECT_FALSE(BitDepositIsSlow(false, 0x06));
    EXPECT_FALSE(BitDepositIsSlow(false, 0x17));
}

TEST(KernelChoice, TheFastestKernelsThatRunWellArePicked) {
    struct Case {
        ProcessorFeatures features;
        KernelChoice best;
    };
    const Case cases[] = {
        {Features(false, false, false, false), {GenerationKernel::Portable, FillKernel::Portable}},
        {Features(true, false, true, false), {GenerationKernel::Avx2, FillKernel::Bmi2}},
        {Features(true, false, true, true), {GenerationKernel::Avx2, FillKernel::Portable}},
        {Features(true, true, true, false), {GenerationKernel::Avx512, FillKernel::Bmi2}},
        {Features(false, false, true, false), {GenerationKernel::Portable, FillKernel::Bmi2}},
    };
    for (const Case& c : cases) {
        const KernelChoice best = BestKernels(c.features);
        EXPECT_TRUE(Same(best, c.best)) << KernelName(best.generation) << " + " << KernelName(best.fill)
                                        << " instead of " << KernelName(c.best.generation) << " + "
                                        << KernelName(c.best.fill);
    }
}

TEST(KernelChoice, RunnableKernelsIncludeSlowOnesButNothingMissing) {
    EXPECT_EQ(RunnableKernels(Features(false, false, false, false)).size(), 1u);
    EXPECT_EQ(RunnableKernels(Features(true, false, true, true)).size(), 4u);  // slow BMI2 still runs
    EXPECT_EQ(RunnableKernels(Features(true, true, true, false)).size(), 6u);
    for (const KernelChoice choice : RunnableKernels(Features(true, false, false, false))) {
        EXPECT_NE(choice.generation, GenerationKernel::Avx512);
        EXPECT_NE(choice.fill, FillKernel::Bmi2);
    }
}

TEST(KernelChoice, TheHookForcesWhatRunsAndRefusesTheRest) {
    const KernelChoice atStart = ActiveKernels();
    const ProcessorFeatures here = DetectProcessorFeatures();
    EXPECT_TRUE(Same(atStart, BestKernels(here)));
    const std::vector<KernelChoice> runnable = RunnableKernels(here);
    for (const GenerationKernel generation :
         {GenerationKernel::Portable, GenerationKernel::Avx2, GenerationKernel::Avx512}) {
        for (const FillKernel fill : {FillKernel::Portable, FillKernel::Bmi2}) {
            const KernelChoice choice{generation, fill};
            bool runs = false;
            for (const KernelChoice r : runnable) runs = runs || Same(r, choice);
            const KernelChoice before = ActiveKernels();
            EXPECT_EQ(UseKernels(choice), runs) << KernelName(generation) << " + " << KernelName(fill);
            EXPECT_TRUE(Same(ActiveKernels(), runs ? choice : before));
        }
    }
    UseKernels(atStart);
#if !VRTINELA_X86_KERNELS
    EXPECT_EQ(runnable.size(), 1u);
#endif
}

}  // namespace
}  // namespace vrtinela
