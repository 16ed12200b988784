// frame_pacer.h
// Holds the frame loop at a frame-rate cap by sleeping until each frame's deadline (never by
// spinning) and measures frame times on the monotonic clock. Limits: a loop that falls more than one
// frame behind restarts its cadence from now instead of racing to catch up; a cap of 0 or less runs
// uncapped.
#pragma once

#include <chrono>

class FramePacer {
public:
    using Clock = std::chrono::steady_clock;

    void Begin(int framesPerSecond);
    // At the top of a frame: seconds since the previous frame began (since Begin for the first).
    float StartFrame();
    // At the end of a frame: sleeps until the next frame is due.
    void WaitForNextFrame();
    float LastDelta() const { return lastDelta_; }

private:
    Clock::duration period_{};
    Clock::time_point frameStart_{};
    Clock::time_point deadline_{};
    float lastDelta_ = 0.0f;
};
