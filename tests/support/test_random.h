// test_random.h
// The board's generator written out again for the tests (state x 214013 + 2531011, value bits 16 to
// 30), so that expected boards and draw counts do not come from the code under test.
#pragma once

#include <cstdint>

class TestRandom {
public:
    explicit TestRandom(std::uint32_t seed) : state_(seed) {}
    int Next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }

private:
    std::uint32_t state_;
};
