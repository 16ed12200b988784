// main.cpp: vrtinela2D, Monte Carlo statistics of site percolation on an M x M grid.
// Limits: takes only --help and --version; reads standard input, writes standard output and error.
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "console/command_line.h"
#include "console/console_io.h"
#include "console/file_descriptor_streams.h"
#include "console/number_reader.h"
#include "console/run_loop.h"

int main(int argc, char** argv) {
    const int answered = vrtinela::HandleCommandLine(argc, argv, stdout, stderr);
    if (answered != vrtinela::kRunDialogue) return answered;
    // A closed reader on the output pipe is reported as a write error instead of killing us.
    std::signal(SIGPIPE, SIG_IGN);
    vrtinela::DescriptorInput input(STDIN_FILENO);
    vrtinela::DescriptorOutput output(STDOUT_FILENO);
    vrtinela::DescriptorOutput errors(STDERR_FILENO);
    vrtinela::NumberReader reader(input);
    vrtinela::ConsoleOutput console(output, vrtinela::IsTerminal(STDOUT_FILENO));
    vrtinela::BindConsole(reader, console, errors);
    return vrtinela::RunVrtinela();
}
