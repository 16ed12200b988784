// mpi_main.cpp
// prag-mpi: the same program over MPI. Each process sweeps its share of every size's samples and
// rank 0 gathers the spanning numbers (integers, so exactly) and writes the outputs.
#include <mpi.h>

#include "prag/run.h"

namespace {

class MpiProcesses final : public prag::Processes {
public:
    MpiProcesses() {
        MPI_Comm_rank(MPI_COMM_WORLD, &rank_);
        MPI_Comm_size(MPI_COMM_WORLD, &count_);
        MPI_Comm machine;
        MPI_Comm_split_type(MPI_COMM_WORLD, MPI_COMM_TYPE_SHARED, rank_, MPI_INFO_NULL, &machine);
        MPI_Comm_size(machine, &on_this_machine_);
        MPI_Comm_free(&machine);
    }

    int Rank() const override { return rank_; }
    int Count() const override { return count_; }
    int OnThisMachine() const override { return on_this_machine_; }

    bool ShareFlag(bool value) override {
        int flag = value ? 1 : 0;
        MPI_Bcast(&flag, 1, MPI_INT, 0, MPI_COMM_WORLD);
        return flag != 0;
    }

    std::uint64_t ShareNumber(std::uint64_t value) override {
        MPI_Bcast(&value, 1, MPI_UINT64_T, 0, MPI_COMM_WORLD);
        return value;
    }

    std::vector<std::uint32_t> Collect(std::vector<std::uint32_t> own, std::uint64_t samples) override {
        // The sample limit (1e9) keeps every count and offset within MPI's int.
        std::vector<int> counts(static_cast<std::size_t>(count_));
        std::vector<int> offsets(static_cast<std::size_t>(count_));
        for (int r = 0; r < count_; ++r) {
            const auto [first, end] = prag::ShareOf(samples, r, count_);
            counts[static_cast<std::size_t>(r)] = static_cast<int>(end - first);
            offsets[static_cast<std::size_t>(r)] = static_cast<int>(first);
        }
        std::vector<std::uint32_t> all(rank_ == 0 ? samples : 0);
        MPI_Gatherv(own.data(), static_cast<int>(own.size()), MPI_UINT32_T, all.data(), counts.data(), offsets.data(),
                    MPI_UINT32_T, 0, MPI_COMM_WORLD);
        return all;
    }

    std::vector<std::uint64_t> CollectWords(std::vector<std::uint64_t> own) override {
        std::vector<std::uint64_t> all(rank_ == 0 ? own.size() * static_cast<std::size_t>(count_) : 0);
        MPI_Gather(own.data(), static_cast<int>(own.size()), MPI_UINT64_T, all.data(), static_cast<int>(own.size()),
                   MPI_UINT64_T, 0, MPI_COMM_WORLD);
        return all;
    }

    void AbandonOthers(int status) override { MPI_Abort(MPI_COMM_WORLD, status); }

private:
    int rank_ = 0;
    int count_ = 1;
    int on_this_machine_ = 1;
};

}  // namespace

int main(int argc, char** argv) {
    MPI_Init(&argc, &argv);
    int status = 0;
    {
        MpiProcesses processes;
        status = prag::RunProgram(argc, argv, "prag-mpi", processes);
    }
    MPI_Finalize();
    return status;
}
