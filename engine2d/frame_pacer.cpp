// frame_pacer.cpp
// Sleep-based frame pacing on std::chrono::steady_clock.
#include "engine2d/frame_pacer.h"

#include <thread>

void FramePacer::Begin(int framesPerSecond) {
    period_ = framesPerSecond > 0
                  ? std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(1'000'000'000 / framesPerSecond))
                  : Clock::duration::zero();
    frameStart_ = Clock::now();
    deadline_ = frameStart_;
    lastDelta_ = 0.0f;
}

float FramePacer::StartFrame() {
    const Clock::time_point now = Clock::now();
    lastDelta_ = std::chrono::duration<float>(now - frameStart_).count();
    frameStart_ = now;
    return lastDelta_;
}

void FramePacer::WaitForNextFrame() {
    if (period_ == Clock::duration::zero()) return;
    deadline_ += period_;
    const Clock::time_point now = Clock::now();
    if (now > deadline_ + period_) {
        deadline_ = now; // far behind (a stall, a debugger): start a fresh cadence
        return;
    }
    std::this_thread::sleep_until(deadline_);
}
