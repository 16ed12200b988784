// kernel_agreement_check.cpp: the long comparison of every kernel combination with the oracles,
// run by `make bench`: 100000 random grids of sides 3 to 200.
// Limits: takes a few tens of seconds; prints one summary line and PASS or FAIL.
#include <cstdio>
#include <cstdlib>

#include "tests/console/kernel_agreement.h"

int main(int argc, char** argv) {
    const int grids = argc > 1 ? std::atoi(argv[1]) : 100000;
    constexpr std::uint32_t kRunSeed = 20240611u;
    constexpr int kLiteralSideLimit = 24;  // the literal labelling is quadratic in the squares
    const vrtinela_testing::AgreementReport report =
        vrtinela_testing::CompareKernelsWithOracles(grids, kRunSeed, kLiteralSideLimit);
    std::printf("%d random grids, %d kernel combinations, %d kernel runs, %d also by the literal labelling, "
                "%d percolating\n",
                report.grids, report.combinations, report.kernelRuns, report.literalChecks, report.percolating);
    const bool pass = report.firstMismatch.empty() && report.grids == grids;
    if (!report.firstMismatch.empty()) std::printf("first mismatch: %s\n", report.firstMismatch.c_str());
    std::printf("%s\n", pass ? "PASS" : "FAIL");
    return pass ? 0 : 1;
}
