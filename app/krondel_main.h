// krondel_main.h
// krondel's entry: configure the engine, build the first board, run the frame loop, shut down.
// Ignores its arguments; reads no command line, environment or configuration file.
#pragma once

// Takes the engine with CreateEngine and runs the program on it. Returns 0, or 1 when there is no
// engine at all or Initiate failed.
int KrondelMain(int argc, char** argv);

// Runs the program on the engine already held in `engine`: everything of KrondelMain after
// CreateEngine. Separate so that the missing-engine path can be exercised.
int RunKrondel();
