// run.h
// The program around the library: options, the sweep of every size, and the outputs. Shared by prag
// and prag-mpi, which differ only in the Processes they pass: who runs which samples, and how they agree.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "prag/sweep.h"

namespace prag {

class Processes {
public:
    virtual ~Processes() = default;
    virtual int Rank() const = 0;        // rank 0 prints and writes the outputs
    virtual int Count() const = 0;
    virtual int OnThisMachine() const = 0;  // processes sharing this machine's cores
    // Rank 0's value, on every process.
    virtual bool ShareFlag(bool value) = 0;
    virtual std::uint64_t ShareNumber(std::uint64_t value) = 0;
    // Every process's spanning numbers of one size, in sample order, on rank 0 (others get nothing).
    virtual std::vector<std::uint32_t> Collect(std::vector<std::uint32_t> own, std::uint64_t samples) = 0;
    // Every process's words (the same count on each), one process after another in rank order, on rank 0.
    virtual std::vector<std::uint64_t> CollectWords(std::vector<std::uint64_t> own) = 0;
    // A process that cannot go on must not leave the others waiting for its share.
    virtual void AbandonOthers(int status) = 0;
};

class SingleProcess final : public Processes {
public:
    int Rank() const override { return 0; }
    int Count() const override { return 1; }
    int OnThisMachine() const override { return 1; }
    bool ShareFlag(bool value) override { return value; }
    std::uint64_t ShareNumber(std::uint64_t value) override { return value; }
    std::vector<std::uint32_t> Collect(std::vector<std::uint32_t> own, std::uint64_t) override { return own; }
    std::vector<std::uint64_t> CollectWords(std::vector<std::uint64_t> own) override { return own; }
    void AbandonOthers(int) override {}
};

// The whole program; returns the exit status for this process.
int RunProgram(int argc, const char* const* argv, std::string_view program, Processes& processes);

}  // namespace prag
