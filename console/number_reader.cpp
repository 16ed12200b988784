// number_reader.cpp: the run-and-rest-of-line reader and the two number grammars.
// Limits: values are checked for range while the digits are read, so no run can overflow.
#include "console/number_reader.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace vrtinela {

namespace {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Consumes a hexadecimal prefix; "0" alone is a decimal digit, not a prefix.
bool TakeHexPrefix(std::string_view& run) {
    if (!run.empty() && (run[0] == '$' || run[0] == 'x' || run[0] == 'X')) {
        run.remove_prefix(1);
        return true;
    }
    if (run.size() >= 2 && run[0] == '0' && (run[1] == 'x' || run[1] == 'X')) {
        run.remove_prefix(2);
        return true;
    }
    return false;
}

}  // namespace

bool ParseInteger(std::string_view run, std::int32_t& value) {
    bool negative = false;
    if (!run.empty() && (run[0] == '+' || run[0] == '-')) {
        negative = run[0] == '-';
        run.remove_prefix(1);
    }
    if (TakeHexPrefix(run)) {
        if (run.empty()) return false;
        std::uint64_t pattern = 0;
        for (char c : run) {
            const int digit = HexDigitValue(c);
            if (digit < 0) return false;
            pattern = pattern * 16 + static_cast<std::uint64_t>(digit);
            if (pattern > 0xFFFFFFFFu) return false;  // a ninth significant digit
        }
        std::uint32_t bits = static_cast<std::uint32_t>(pattern);
        if (negative) bits = 0u - bits;  // two's complement negation of the pattern
        value = static_cast<std::int32_t>(bits);
        return true;
    }
    if (run.empty()) return false;
    const std::uint64_t limit = negative ? 2147483648u : 2147483647u;
    std::uint64_t magnitude = 0;
    for (char c : run) {
        if (!IsDigit(c)) return false;
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
        if (magnitude > limit) return false;
    }
    value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                     : static_cast<std::int32_t>(magnitude);
    return true;
}

bool ParseReal(std::string_view run, double& value) {
    if (!run.empty() && (run[0] == 'e' || run[0] == 'E')) {
        value = 0.0;
        return true;
    }
    std::size_t at = 0;
    if (at < run.size() && (run[at] == '+' || run[at] == '-')) ++at;
    std::size_t mantissaDigits = 0;
    while (at < run.size() && IsDigit(run[at])) ++at, ++mantissaDigits;
    bool point = false;
    if (at < run.size() && run[at] == '.') {
        point = true;
        ++at;
        while (at < run.size() && IsDigit(run[at])) ++at, ++mantissaDigits;
    }
    if (mantissaDigits == 0 && !point) return false;  // a lone sign, or no number at all
    if (at < run.size() && (run[at] == 'e' || run[at] == 'E')) {
        ++at;
        if (at < run.size() && (run[at] == '+' || run[at] == '-')) ++at;
        std::size_t exponentDigits = 0;
        while (at < run.size() && IsDigit(run[at])) ++at, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    if (at != run.size()) return false;
    if (mantissaDigits == 0) {  // "." alone, or signed: no digits on either side
        value = 0.0;
        return true;
    }
    const std::string text(run);  // strtod needs a terminated string; runs are at most 64 bytes
    errno = 0;
    const double converted = std::strtod(text.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(converted)) return false;
    value = converted;  // an underflow reads as the nearest tiny value or 0
    return true;
}

NumberReader::NumberReader(ByteSource& source) : source_(source) {}

int NumberReader::Get() {
    if (pushedBack_ != kNothing) {
        const int c = pushedBack_;
        pushedBack_ = kNothing;
        return c;
    }
    if (ended_) return readError_ ? ByteSource::kReadError : ByteSource::kEnd;
    const int c = source_.Next();
    if (c == ByteSource::kReadError) {
        ended_ = readError_ = true;
        return c;
    }
    if (c == ByteSource::kEnd || c == kEndOfText) {
        ended_ = true;
        return ByteSource::kEnd;
    }
    return c;
}

ReadStatus NumberReader::TakeRun(std::size_t limit) {
    runLength_ = 0;
    int c = Get();
    while (c >= 0 && c <= ' ') c = Get();
    if (c == ByteSource::kReadError) return ReadStatus::ReadError;
    if (c == ByteSource::kEnd) return ReadStatus::EndOfInput;
    while (c > ' ' && runLength_ < limit) {
        run_[runLength_++] = static_cast<char>(c);
        if (runLength_ < limit) c = Get();
    }
    if (runLength_ < limit) pushedBack_ = c;  // the blank or line end that closed the run
    return ReadStatus::Number;
}

ReadStatus NumberReader::DiscardRestOfLine() {
    // A carriage return alone does not end the line; the line feed after it does.
    for (;;) {
        const int c = Get();
        if (c == '\n' || c == ByteSource::kEnd) return ReadStatus::Number;
        if (c == ByteSource::kReadError) return ReadStatus::ReadError;
    }
}

ReadStatus NumberReader::ReadInteger(std::int32_t& value) {
    ReadStatus status = TakeRun(kIntegerRunLimit);
    if (status != ReadStatus::Number) return status;
    const bool valid = ParseInteger(std::string_view(run_, runLength_), value);
    status = DiscardRestOfLine();
    if (status != ReadStatus::Number) return status;
    return valid ? ReadStatus::Number : ReadStatus::NotANumber;
}

ReadStatus NumberReader::ReadReal(double& value) {
    ReadStatus status = TakeRun(kRealRunLimit);
    if (status != ReadStatus::Number) return status;
    const bool valid = ParseReal(std::string_view(run_, runLength_), value);
    status = DiscardRestOfLine();
    if (status != ReadStatus::Number) return status;
    return valid ? ReadStatus::Number : ReadStatus::NotANumber;
}

}  // namespace vrtinela
