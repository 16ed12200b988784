// command_line.h: vrtinela2D's command line.
// Limits: --help and --version only; they answer before the dialogue, anything else is a usage error.
#pragma once

#include <cstdio>

namespace vrtinela {

// Returned when the program should go on to its dialogue.
constexpr int kRunDialogue = -1;

// Answers --help or --version on `out` (exit code 0, or 1 when `out` cannot be written), reports
// any other argument and the usage on `errors` (exit code 2), and returns kRunDialogue when there
// are no arguments.
int HandleCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* errors);

}  // namespace vrtinela
