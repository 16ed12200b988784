// run_loop.cpp: the repetition loop with its early end and the closing statistics.
// Limits: one grid for all repetitions; nothing is allocated inside the loop.
#include "console/run_loop.h"

#include <string>

#include "console/configuration.h"
#include "console/console_io.h"
#include "console/dialogue.h"
#include "console/grid.h"
#include "console/percent_format.h"
#include "console/percolation.h"

namespace vrtinela {

std::int32_t PercolationCount = 0;
double PercolationPercent = 0.0;

namespace {

constexpr std::int32_t kEarlyEnd = 2;  // the only answer that stops the repetitions

void ShowInstructions() {
    WriteLine("Nekaj navodil: ");
    WriteLine("Elektrodi sta oznaceni z zvezdicami.");
    WriteLine("Neprevodni kvadratki so prazni, prevodni pa oznaceni s P");
    WriteLine("Pozor: dva sosednja P-ja se lahko stikata v vodoravni ali navpicni smeri.");
    WriteLine("Posevna povezava se ne steje kot stik");
    Write("Vtipkaj 1 za nadaljevanje. ");
    Answer = ReadIntegerChecked();
}

void WriteStatistics() {
    PercolationPercent = static_cast<double>(PercolationCount) * 100.0 / static_cast<double>(RepetitionCount);
    Write("Stev. perkolacij: ");
    Write(std::to_string(PercolationCount));
    Write(" od ");
    Write(std::to_string(RepetitionCount));
    Write(" --> ");
    Write(FormatPercent(PercolationPercent));
    WriteLine(" % ");
}

}  // namespace

int RunVrtinela() {
    PrepareRun();
    Threshold = ConductingPercent / 100.0;
    PercolationCount = 0;
    if (ShowEach) ShowInstructions();

    // The header is built in a buffer reserved once; it never grows past its first size.
    std::string header;
    header.reserve(64);
    for (std::int32_t i = 1;; ++i) {
        header = "----  Ponovitev: ";
        header += std::to_string(i);
        header += " od ";
        header += std::to_string(RepetitionCount);
        header += " ---- ";
        Write(header);
        // The grid of doubles is read only by the picture, so it is written only for one.
        if (ShowEach) {
            GenerateConfiguration();
            ShowConfiguration();
        } else {
            GenerateRowMasks();
        }
        const bool percolates = Percolates();
        WriteLine(percolates ? "Perkolira (prevaja)!!! " : "Ne perkolira (ne prevaja)");
        if (ShowEach) {
            Write("Vtipkaj 1 za nadaljevanje ali 2 za predcasen konec. ");
            Answer = ReadIntegerChecked();
        } else {
            Answer = 1;
        }
        if (percolates) ++PercolationCount;
        if (Answer == kEarlyEnd || i == RepetitionCount) break;
    }

    if (Answer != kEarlyEnd) {
        WriteStatistics();
        Write("Izpisi koncni rezultat. Sele nato vtipkaj 1 za konec. ");
        std::int32_t last = 0;
        if (ReadIntegerOrEnd(last)) Answer = last;
    }
    FreeGrid();
    FinishOutput();
    return 0;
}

}  // namespace vrtinela
