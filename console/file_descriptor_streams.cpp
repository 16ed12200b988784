// file_descriptor_streams.cpp: read and write loops over POSIX descriptors.
// Limits: blocking descriptors only.
#include "console/file_descriptor_streams.h"

#include <unistd.h>

#include <cerrno>

namespace vrtinela {

DescriptorInput::DescriptorInput(int descriptor) : descriptor_(descriptor) {}

int DescriptorInput::Next() {
    if (at_ == filled_) {
        if (ended_) return kEnd;
        ssize_t got = 0;
        do {
            got = ::read(descriptor_, chunk_, kChunk);
        } while (got < 0 && errno == EINTR);
        if (got < 0) return kReadError;
        if (got == 0) {
            ended_ = true;
            return kEnd;
        }
        filled_ = static_cast<std::size_t>(got);
        at_ = 0;
    }
    return chunk_[at_++];
}

DescriptorOutput::DescriptorOutput(int descriptor) : descriptor_(descriptor) {}

bool DescriptorOutput::Put(const char* bytes, std::size_t count) {
    while (count > 0) {
        const ssize_t put = ::write(descriptor_, bytes, count);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        bytes += put;
        count -= static_cast<std::size_t>(put);
    }
    return true;
}

bool IsTerminal(int descriptor) { return ::isatty(descriptor) == 1; }

}  // namespace vrtinela
