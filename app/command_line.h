// command_line.h
// krondel's command line: --help and --version answer and end the program before any window opens;
// anything else is a usage error. With no arguments the program starts as always.
#pragma once

#include <cstdio>

// Returned when the program should go on and open its window.
constexpr int kStartProgram = -1;

// Answers --help or --version on `out` (exit code 0, or 1 when `out` cannot be written), reports any other argument and the usage
// on `errors` (exit code 2), and returns kStartProgram when there are no arguments.
int HandleCommandLine(int argc, const char* const* argv, std::FILE* out, std::FILE* errors);
