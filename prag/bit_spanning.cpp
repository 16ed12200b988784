// bit_spanning.cpp
// The masks and order of one side, the choice of kernel on the processor, and the portable kernel: the
// runs filled by doubling shifts, the generator's draws a block of independent states at a time.
#include "prag/bit_spanning.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <stdexcept>

#include "console/kernel_choice.h"
#include "prag/bit_sweep.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace prag {
namespace {

// Each state steps a whole block at once: kDrawBlock independent chains, where one chain of draws
// would wait a multiplication for every draw.
class PortableDraws {
public:
    PortableDraws(std::uint64_t state, std::uint64_t increment) : block_(state, increment) {}
    void Next(std::uint32_t* outputs) {
        for (unsigned k = 0; k < kDrawBlock; ++k) {
            outputs[k] = PcgOutput(block_.states[k]);
            block_.states[k] = block_.states[k] * BlockStates::kBlockMultiplier + block_.block_increment;
        }
    }

private:
    BlockStates block_;
};

constexpr std::size_t kLargePage = std::size_t{2} << 20;

// The order on 2 MiB pages when it fills at least two: at large L each draw reaches a random entry,
// and small pages would cost a miss in the address cache on top of the miss in the data cache.
std::uint32_t* AllocateOrder(std::size_t entries) {
    const std::size_t bytes = entries * sizeof(std::uint32_t);
    if (bytes < 2 * kLargePage) return static_cast<std::uint32_t*>(std::malloc(bytes));
    const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    void* order = std::aligned_alloc(kLargePage, rounded);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (order != nullptr) madvise(order, rounded, MADV_HUGEPAGE);  // only advice: small pages work too
#endif
    return static_cast<std::uint32_t*>(order);
}

}  // namespace

void BitMasks::FreeOrder::operator()(std::uint32_t* order) const { std::free(order); }

BitMasks::BitMasks(int lattice_side)
    : side(static_cast<std::uint32_t>(lattice_side)), words((static_cast<std::uint32_t>(lattice_side) + 63) / 64) {
    if (lattice_side < 2 || lattice_side > 8192) throw std::invalid_argument("lattice side out of range");
    const std::size_t masks = std::size_t{side} * words;
    occupied.resize(masks);
    top.rows.resize(masks);
    left.rows.resize(masks);
    top.from_top = true;
    order.reset(AllocateOrder(std::size_t{side} * side));
    if (!order) throw std::bad_alloc();
    // A little below where samples usually span: p_c less about two of the spread of the spanning
    // points (0.51 L^-3/4), lower still for either, whose samples span first.
    const double spread = std::pow(static_cast<double>(side), -0.75), sites = static_cast<double>(side) * side;
    first_test_either = static_cast<std::uint32_t>(std::max(0.0, 0.5927 - spread) * sites);
    first_test = static_cast<std::uint32_t>(std::max(0.0, 0.5927 - 0.51 * spread) * sites);
}

std::vector<BitKernel> RunnableBitKernels(const vrtinela::ProcessorFeatures& features) {
    std::vector<BitKernel> kernels{BitKernel::kPortable};
    if (!VRTINELA_X86_KERNELS) return kernels;  // built without the others
    if (features.bmi2 && features.avx2) kernels.push_back(BitKernel::kAvx2);
    if (features.bmi2 && features.avx512) kernels.push_back(BitKernel::kAvx512);
    return kernels;
}

// Where pext and pdep run in microcode the portable fill is faster, and so is the portable kernel.
BitKernel BestBitKernel(const vrtinela::ProcessorFeatures& features) {
    return features.slowBitDeposit ? BitKernel::kPortable : RunnableBitKernels(features).back();
}

namespace {
// CPUID once: every sampler of every size asks.
const vrtinela::ProcessorFeatures& ThisProcessor() {
    static const vrtinela::ProcessorFeatures features = vrtinela::DetectProcessorFeatures();
    return features;
}
}  // namespace

std::vector<BitKernel> RunnableBitKernels() { return RunnableBitKernels(ThisProcessor()); }

BitKernel BestBitKernel() { return BestBitKernel(ThisProcessor()); }

const char* BitKernelName(BitKernel kernel) {
    switch (kernel) {
        case BitKernel::kAvx2: return "AVX2+BMI2";
        case BitKernel::kAvx512: return "AVX-512+BMI2";
        case BitKernel::kPortable: break;
    }
    return "portable";
}

BitSpanning::BitSpanning(int side, BitKernel kernel) : masks_(side) {
    const std::vector<BitKernel> runnable = RunnableBitKernels();
    if (std::find(runnable.begin(), runnable.end(), kernel) == runnable.end()) {
        throw std::invalid_argument("this processor cannot run that kernel");
    }
    switch (kernel) {
#if VRTINELA_X86_KERNELS
        case BitKernel::kAvx2: calls_ = Avx2BitCalls(); break;
        case BitKernel::kAvx512: calls_ = Avx512BitCalls(); break;
#endif
        default: calls_ = BitCallsOf<vrtinela::ShiftPieces, PortableDraws>(); break;
    }
}

std::uint32_t BitSpanning::SpanningNumber(const SampleStream& stream, Spanning rule) {
    return calls_.from_stream(masks_, stream, rule);
}

std::uint32_t BitSpanning::SpanningNumber(std::span<const std::uint32_t> order, Spanning rule) {
    const std::size_t count = std::size_t{masks_.side} * masks_.side;
    if (order.size() != count) throw std::invalid_argument("order must list every site once");
    for (std::size_t k = 0; k < count; ++k) {
        if (order[k] >= count) throw std::invalid_argument("order names a site beyond the lattice");
        masks_.order[k] = (order[k] / masks_.side) << 13 | order[k] % masks_.side;
    }
    return calls_.from_order(masks_, rule);
}

std::vector<std::uint64_t> BitSpanning::ReachFromTop(std::span<const std::uint64_t> occupied) {
    if (occupied.size() != masks_.occupied.size()) throw std::invalid_argument("masks must hold L rows of words");
    const std::uint64_t past_last_column = masks_.side % 64 == 0 ? 0 : ~std::uint64_t{0} << (masks_.side % 64);
    for (std::size_t row = 0; row < masks_.side; ++row) {
        if ((occupied[(row + 1) * masks_.words - 1] & past_last_column) != 0) {
            throw std::invalid_argument("masks hold sites beyond the last column");
        }
    }
    std::copy(occupied.begin(), occupied.end(), masks_.occupied.begin());
    calls_.reach_from_top(masks_);
    return masks_.top.rows;
}

}  // namespace prag
