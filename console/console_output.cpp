// console_output.cpp: block buffering in front of the output sink.
// Limits: no partial-write recovery beyond what the sink itself does.
#include "console/console_output.h"

#include <cstring>

namespace vrtinela {

ConsoleOutput::ConsoleOutput(OutputSink& sink, bool flushEachWrite)
    : sink_(sink), flushEachWrite_(flushEachWrite) {}

bool ConsoleOutput::Write(std::string_view text, std::string_view more) {
    Append(text);
    Append(more);
    if (flushEachWrite_) {
        Flush();
    }
    return !failed_;
}

void ConsoleOutput::Append(std::string_view text) {
    while (!failed_ && !text.empty()) {
        const std::size_t room = kBlockSize - used_;
        const std::size_t taken = text.size() < room ? text.size() : room;
        std::memcpy(block_ + used_, text.data(), taken);
        used_ += taken;
        text.remove_prefix(taken);
        if (used_ == kBlockSize) {
            Flush();
        }
    }
}

bool ConsoleOutput::Flush() {
    if (!failed_ && used_ > 0) {
        failed_ = !sink_.Put(block_, used_);
    }
    used_ = 0;
    return !failed_;
}

}  // namespace vrtinela
