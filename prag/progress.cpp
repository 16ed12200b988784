// progress.cpp
// The rate is per size (samples of different L cost different times); the time left comes from the
// work done per second over the whole run, so it holds across sizes.
#include "prag/progress.h"

#include <cmath>
#include <cstdio>

namespace prag {

std::string ProgressText(int side, std::uint64_t done, std::uint64_t samples, double rate, double seconds_left) {
    char time[32];
    const auto seconds = static_cast<long long>(std::llround(std::max(0.0, seconds_left)));
    if (seconds >= 3600) {
        std::snprintf(time, sizeof time, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    } else {
        std::snprintf(time, sizeof time, "%lld:%02lld", seconds / 60, seconds % 60);
    }
    char line[160];
    std::snprintf(line, sizeof line, "L=%d: %llu/%llu samples, %.0f/s, %s left", side,
                  static_cast<unsigned long long>(done), static_cast<unsigned long long>(samples), rate, time);
    return line;
}

ProgressLine::ProgressLine(bool shown, double total_work) : shown_(shown), total_work_(total_work) {}

ProgressLine::~ProgressLine() { Finish(); }

void ProgressLine::StartSize(int side, std::uint64_t samples, double items) {
    finished_work_ += static_cast<double>(samples_) * items_;
    side_ = side;
    samples_ = samples;
    items_ = items;
    size_start_ = Clock::now();
}

void ProgressLine::Update(std::uint64_t done) {
    if (!shown_) return;
    const auto now = Clock::now();
    const double size_seconds = std::chrono::duration<double>(now - size_start_).count();
    const double run_seconds = std::chrono::duration<double>(now - run_start_).count();
    const double work = finished_work_ + static_cast<double>(done) * items_;
    const double rate = size_seconds > 0.0 ? static_cast<double>(done) / size_seconds : 0.0;
    const double left = work > 0.0 ? (total_work_ - work) * run_seconds / work : 0.0;
    std::fprintf(stderr, "\r\033[K%s", ProgressText(side_, done, samples_, rate, left).c_str());
    std::fflush(stderr);
    drawn_ = true;
}

void ProgressLine::Finish() {
    if (!drawn_) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
    drawn_ = false;
}

}  // namespace prag
