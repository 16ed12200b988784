// krondel_main.h
// krondel's entry: configure the engine, build the first board, run the frame loop, shut down.
// Reads no environment or configuration file; the command line only answers --help and --version.
#pragma once

// Answers --help, --version or a usage error (exit code 2) without an engine; otherwise takes the
// engine with CreateEngine and runs the program on it. Returns 0, or 1 when there is no engine at
// all or Initiate failed.
int KrondelMain(int argc, char** argv);

// Runs the program on the engine already held in `engine`: everything of KrondelMain after
// CreateEngine. Separate so that the missing-engine path can be exercised.
int RunKrondel();
