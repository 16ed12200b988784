// dialogue.cpp: the input dialogue, texts exactly as the users know them.
// Limits: Slovenian texts without diacritics; one number per line.
#include "console/dialogue.h"

#include "console/console_io.h"
#include "console/grid.h"

namespace vrtinela {

bool ShowEach = false;
std::int32_t Answer = 0;
double ConductingPercent = 0.0;
std::int32_t RepetitionCount = 0;

namespace {

constexpr std::int32_t kYes = 1;

std::int32_t ReadSide() {
    for (;;) {
        Write("  M =  ");
        const std::int32_t side = ReadIntegerChecked();
        if (side > kMaxSide) {
            WriteLine("Napaka! M najvec 200!");
        } else if (side < kMinSide) {
            WriteLine("Napaka! M najmanj 3!");
        } else {
            return side;
        }
    }
}

// A count below 1 would never meet the loop's last repetition, so it is asked again.
std::int32_t ReadRepetitionCount() {
    for (;;) {
        Write("Stevilo ponovitev: ");
        const std::int32_t count = ReadIntegerChecked();
        if (count >= 1) return count;
        WriteLine("Napaka! Stevilo ponovitev najmanj 1!");
    }
}

}  // namespace

void ReadInputs() {
    WriteLine("Vhodni podatki (vsako stevilko moras potrditi s tipko ENTER):");
    WriteLine("Ali pokazem vsakic konfiguracijo? ");
    WriteLine("Izberi NE, ce hoces samo koncno statistiko za veliko stevilo ponovitev.");
    WriteLine("Izberi DA, ce hoces malo testirati posamicne konfiguracije.");
    Write("Vtipkaj 1 za DA oziroma 0 za NE. --> ");
    Answer = ReadIntegerChecked();
    ShowEach = Answer == kYes;
    WriteLine("Velikost kvadratne mreze M x M?");
    if (ShowEach) {
        WriteLine("(priporocljivo okrog 20 ali manj, da se lepo vidi): ");
    } else {
        WriteLine("(M najvec 200, a pri velikih mrezah je racun pocasnejsi!)");
    }
    ColumnCount = ReadSide();
    RowCount = ColumnCount;
    Write("Verjetnost prevodnih kvadratkov (%): ");
    ConductingPercent = ReadRealChecked();
    RepetitionCount = ReadRepetitionCount();
}

void PrepareRun() {
    ReadInputs();
    if (!AllocateGrid()) EndRunWithError("Out of memory");
}

}  // namespace vrtinela
