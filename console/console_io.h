// console_io.h: the program's checked console: every read and write is followed by a check
// that ends the run with a report on standard error and exit code 1 when it fails.
// Limits: one console per process; the run ends inside these calls, so they suit the program
// itself, not code that must survive a failed read.
#pragma once

#include <cstdint>
#include <string_view>

#include "console/console_output.h"
#include "console/number_reader.h"

namespace vrtinela {

inline constexpr std::string_view kLineEnd = "\r\n";

// Where the checked calls read and write, and where a failure report goes.
void BindConsole(NumberReader& reader, ConsoleOutput& output, OutputSink& errors);

void Write(std::string_view text);
void WriteLine(std::string_view text);  // text, then the line end

// The end of input counts as a failure: "Unexpected end of input".
std::int32_t ReadIntegerChecked();
double ReadRealChecked();

// For the last prompt, where the end of input ends the run as a typed number would:
// false at the end of input, the number otherwise.
bool ReadIntegerOrEnd(std::int32_t& value);

// Sends what is pending on standard output, reports the message on standard error and exits
// with code 1.
[[noreturn]] void EndRunWithError(std::string_view message);

// Sends what is pending on standard output; a failure ends the run.
void FinishOutput();

}  // namespace vrtinela
