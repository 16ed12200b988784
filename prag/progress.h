// progress.h
// The progress line on standard error for long runs: samples done, rate and time left, redrawn in
// place. Only on a terminal and without --quiet; a log file or pipe gets nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace prag {

// "L=256: 12000/20000 samples, 5230/s, 0:03 left" (the time is m:ss, or h:mm:ss past an hour).
std::string ProgressText(int side, std::uint64_t done, std::uint64_t samples, double rate, double seconds_left);

class ProgressLine {
public:
    // `total_work` is the run's sum of samples x items, which sets the time left across all sizes.
    ProgressLine(bool shown, double total_work);
    ~ProgressLine();

    void StartSize(int side, std::uint64_t samples, double items);
    void Update(std::uint64_t done);
    void Finish();

private:
    using Clock = std::chrono::steady_clock;
    bool shown_;
    bool drawn_ = false;
    double total_work_;
    double finished_work_ = 0.0;  // of the sizes before this one
    int side_ = 0;
    std::uint64_t samples_ = 0;
    double items_ = 0.0;
    Clock::time_point run_start_ = Clock::now();
    Clock::time_point size_start_ = Clock::now();
};

}  // namespace prag
