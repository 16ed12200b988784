// target_region.h: a stretch of a file compiled for extra instruction sets, so that one file can hold
// kernels for AVX2, AVX-512 or BMI2 while the rest of the program stays plain x86-64.
// Limits: GCC and Clang only; every VRTINELA_BEGIN_TARGET needs its VRTINELA_END_TARGET in the same
// file, and what lies between may run only where the processor has been seen to have the features.
#pragma once

#define VRTINELA_PRAGMA(text) _Pragma(#text)

#if defined(__clang__)
#define VRTINELA_BEGIN_TARGET(features) \
    VRTINELA_PRAGMA(clang attribute push(__attribute__((target(features))), apply_to = function))
#define VRTINELA_END_TARGET VRTINELA_PRAGMA(clang attribute pop)
#else
// GCC 12 takes the AVX-512 shifts' placeholder operand (_mm512_undefined_epi32) for a value used
// before it is set, so that warning is off inside the region.
#define VRTINELA_BEGIN_TARGET(features)                                        \
    VRTINELA_PRAGMA(GCC push_options) VRTINELA_PRAGMA(GCC target(features))    \
    VRTINELA_PRAGMA(GCC diagnostic push) VRTINELA_PRAGMA(GCC diagnostic ignored "-Wmaybe-uninitialized")
#define VRTINELA_END_TARGET VRTINELA_PRAGMA(GCC diagnostic pop) VRTINELA_PRAGMA(GCC pop_options)
#endif
