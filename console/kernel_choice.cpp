// kernel_choice.cpp: processor detection and the kernels in use.
// Limits: reads CPUID once per call; the choice itself is a plain program-wide variable.
#include "console/kernel_choice.h"

#if VRTINELA_X86_KERNELS
#include <cpuid.h>

#include <cstring>
#endif

namespace vrtinela {

namespace {

#if VRTINELA_X86_KERNELS
struct Identity {
    bool amdDesign = false;
    unsigned family = 0;
};

Identity ReadIdentity() {
    Identity identity;
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    if (__get_cpuid(0, &eax, &ebx, &ecx, &edx) == 0) return identity;
    char vendor[13] = {};
    std::memcpy(vendor, &ebx, 4);
    std::memcpy(vendor + 4, &edx, 4);
    std::memcpy(vendor + 8, &ecx, 4);
    identity.amdDesign = std::strcmp(vendor, "AuthenticAMD") == 0 || std::strcmp(vendor, "HygonGenuine") == 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx) == 0) return identity;
    const unsigned baseFamily = (eax >> 8) & 0xFu;
    identity.family = baseFamily == 0xFu ? baseFamily + ((eax >> 20) & 0xFFu) : baseFamily;
    return identity;
}
#endif

bool Runs(KernelChoice choice, const ProcessorFeatures& features) {
    const bool generationRuns = choice.generation == GenerationKernel::Portable ||
                                (choice.generation == GenerationKernel::Avx2 && features.avx2) ||
                                (choice.generation == GenerationKernel::Avx512 && features.avx512);
    const bool fillRuns = choice.fill == FillKernel::Portable || (choice.fill == FillKernel::Bmi2 && features.bmi2);
    return generationRuns && fillRuns;
}

KernelChoice activeKernels = BestKernels(DetectProcessorFeatures());

}  // namespace

ProcessorFeatures DetectProcessorFeatures() {
    ProcessorFeatures features;
#if VRTINELA_X86_KERNELS
    // These builtins also ask the operating system whether it saves the wide registers.
    __builtin_cpu_init();
    features.avx2 = __builtin_cpu_supports("avx2") != 0;
    features.avx512 = __builtin_cpu_supports("avx512f") != 0;
    features.bmi2 = __builtin_cpu_supports("bmi2") != 0;
    const Identity identity = ReadIdentity();
    features.slowBitDeposit = features.bmi2 && BitDepositIsSlow(identity.amdDesign, identity.family);
#endif
    return features;
}

bool BitDepositIsSlow(bool amdDesign, unsigned family) { return amdDesign && family < 0x19u; }

KernelChoice BestKernels(const ProcessorFeatures& features) {
    KernelChoice choice{GenerationKernel::Portable, FillKernel::Portable};
    if (features.avx2) choice.generation = GenerationKernel::Avx2;
    if (features.avx512) choice.generation = GenerationKernel::Avx512;
    if (features.bmi2 && !features.slowBitDeposit) choice.fill = FillKernel::Bmi2;
    return choice;
}

std::vector<KernelChoice> RunnableKernels(const ProcessorFeatures& features) {
    std::vector<KernelChoice> choices;
    for (const GenerationKernel generation :
         {GenerationKernel::Portable, GenerationKernel::Avx2, GenerationKernel::Avx512}) {
        for (const FillKernel fill : {FillKernel::Portable, FillKernel::Bmi2}) {
            if (Runs({generation, fill}, features)) choices.push_back({generation, fill});
        }
    }
    return choices;
}

KernelChoice ActiveKernels() { return activeKernels; }

bool UseKernels(KernelChoice choice) {
    if (!Runs(choice, DetectProcessorFeatures())) return false;
    activeKernels = choice;
    return true;
}

const char* KernelName(GenerationKernel kernel) {
    switch (kernel) {
        case GenerationKernel::Avx2: return "AVX2";
        case GenerationKernel::Avx512: return "AVX-512";
        case GenerationKernel::Portable: break;
    }
    return "portable";
}

const char* KernelName(FillKernel kernel) { return kernel == FillKernel::Bmi2 ? "BMI2" : "portable"; }

}  // namespace vrtinela
