// main.cpp
// prag: one process, all its cores.
#include "prag/run.h"

int main(int argc, char** argv) {
    prag::SingleProcess process;
    return prag::RunProgram(argc, argv, "prag", process);
}
