// number_reader.h: reads one number per input line, the way the dialogue expects it typed.
// Limits: ASCII only; the decimal separator is always "."; character 26 ends the input for good.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vrtinela {

// Gives the input one byte at a time.
struct ByteSource {
    static constexpr int kEnd = -1;        // no more input
    static constexpr int kReadError = -2;  // the input could not be read
    virtual int Next() = 0;                // 0..255, kEnd or kReadError
    virtual ~ByteSource() = default;
};

enum class ReadStatus { Number, NotANumber, EndOfInput, ReadError };

// Longest runs taken for a number; a longer run is cut and its remainder goes with the line.
inline constexpr std::size_t kIntegerRunLimit = 32;
inline constexpr std::size_t kRealRunLimit = 64;

// Integer: optional sign, then decimal digits within the 32-bit range, or a prefix "$", "x",
// "X", "0x", "0X" and at most 8 significant hexadecimal digits taken as a 32-bit pattern.
bool ParseInteger(std::string_view run, std::int32_t& value);

// Real: optional sign, digits, optional "." and digits, optional exponent with at least one
// digit. "." alone and a run beginning with the exponent letter read as 0. A value too large
// for a double is not a number.
bool ParseReal(std::string_view run, double& value);

class NumberReader {
public:
    explicit NumberReader(ByteSource& source);

    // Skips blanks and line ends, takes the number's run, then discards the rest of its line.
    ReadStatus ReadInteger(std::int32_t& value);
    ReadStatus ReadReal(double& value);

private:
    static constexpr int kEndOfText = 26;
    static constexpr int kNothing = -100;  // no byte pushed back

    // Leaves the run in run_ and its length in runLength_; EndOfInput when no run came first.
    ReadStatus TakeRun(std::size_t limit);
    ReadStatus DiscardRestOfLine();
    int Get();

    ByteSource& source_;
    bool ended_ = false;     // end of input or character 26 seen; every later read ends
    bool readError_ = false;
    int pushedBack_ = kNothing;
    char run_[kRealRunLimit];
    std::size_t runLength_ = 0;
};

}  // namespace vrtinela
