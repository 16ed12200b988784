// file_descriptor_streams.h: the process's standard streams as a ByteSource and OutputSinks.
// Limits: POSIX descriptors; interrupted calls are retried, every other failure is reported.
#pragma once

#include <cstddef>

#include "console/console_output.h"
#include "console/number_reader.h"

namespace vrtinela {

class DescriptorInput : public ByteSource {
public:
    explicit DescriptorInput(int descriptor);
    int Next() override;

private:
    static constexpr std::size_t kChunk = 4096;
    int descriptor_;
    unsigned char chunk_[kChunk];
    std::size_t filled_ = 0;
    std::size_t at_ = 0;
    bool ended_ = false;
};

class DescriptorOutput : public OutputSink {
public:
    explicit DescriptorOutput(int descriptor);
    bool Put(const char* bytes, std::size_t count) override;

private:
    int descriptor_;
};

bool IsTerminal(int descriptor);

}  // namespace vrtinela
