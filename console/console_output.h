// console_output.h: standard output of vrtinela2D with its flushing rule.
// Limits: one writer, no locale; a failed sink write is remembered and every later write fails.
#pragma once

#include <cstddef>
#include <string_view>

namespace vrtinela {

// Receives finished blocks of output; returns false when they could not be written.
struct OutputSink {
    virtual bool Put(const char* bytes, std::size_t count) = 0;
    virtual ~OutputSink() = default;
};

class ConsoleOutput {
public:
    // On a terminal every write leaves at once so prompts show before a read; into a file or a
    // pipe the text leaves in blocks of kBlockSize bytes and at Flush.
    static constexpr std::size_t kBlockSize = 128;

    ConsoleOutput(OutputSink& sink, bool flushEachWrite);

    // Each returns false on a write error, which stays in force. The two parts of a write
    // leave together.
    bool Write(std::string_view text, std::string_view more = {});
    bool Flush();

private:
    void Append(std::string_view text);

    OutputSink& sink_;
    bool flushEachWrite_;
    bool failed_ = false;
    char block_[kBlockSize];
    std::size_t used_ = 0;  // bytes waiting in block_
};

}  // namespace vrtinela
