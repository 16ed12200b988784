// lattice_view.cpp
// The lattice view's state and what its keys and clicks do. R draws new labels for the same side
// and share; + and - step along kLatticeSides with new labels; V and M move the share, further per
// press the longer they are held, so that 0 to 100 % takes about five seconds at 50 frames per second.
#include "app/lattice_view.h"

#include "app/lattice_layout.h"
#include "app/program_state.h"

#include <algorithm>
#include <chrono>
#include <iterator>

Lattice lattice;
bool spanningOnlyShown = false;
int selectedLatticeCell = -1;
bool latticePictureStale = true;

namespace {

// A repeat count beyond this moves no faster; it also keeps the count far from overflowing.
constexpr int kMaxShareRepeats = 100;

void OpenFirstLattice() {
    // In nanoseconds whatever the clock's own tick, so that one moment gives one lattice everywhere.
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    lattice.Seed(static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    lattice.SetShare(kFirstLatticeShare);
    lattice.NewLabels(kFirstLatticeSide);
}

void ChangeSide(int side) {
    if (side == lattice.Side()) return;
    lattice.NewLabels(side);
    selectedLatticeCell = -1; // the cell it named is elsewhere, or gone, on another side
    latticePictureStale = true;
}

void NewLabels() {
    lattice.NewLabels(lattice.Side());
    latticePictureStale = true;
}

void GrowLattice() {
    const int* larger = std::upper_bound(std::begin(kLatticeSides), std::end(kLatticeSides), lattice.Side());
    if (larger != std::end(kLatticeSides)) ChangeSide(*larger);
}

void ShrinkLattice() {
    const int* notSmaller = std::lower_bound(std::begin(kLatticeSides), std::end(kLatticeSides), lattice.Side());
    if (notSmaller != std::begin(kLatticeSides)) ChangeSide(*(notSmaller - 1));
}

void RaiseShare(int repeats) {
    lattice.SetShare(lattice.Share() + ShareStepsFor(repeats));
    latticePictureStale = true;
}

void LowerShare(int repeats) {
    lattice.SetShare(lattice.Share() - ShareStepsFor(repeats));
    latticePictureStale = true;
}

} // namespace

const ViewControls kLatticeControls = {NewLabels, GrowLattice, ShrinkLattice, RaiseShare, LowerShare};

int ShareStepsFor(int repeats) { return 1 + std::clamp(repeats, 0, kMaxShareRepeats) / 2; }

void ToggleLatticeView() {
    if (lattice.Side() == 0) OpenFirstLattice();
    latticeShown = !latticeShown;
}

void ToggleSpanningOnly() {
    spanningOnlyShown = !spanningOnlyShown;
    latticePictureStale = true;
}

void SelectLatticeCellUnderMouse() {
    float x = 0.0f;
    float y = 0.0f;
    engine->MousePosition(&x, &y);
    selectedLatticeCell = LatticeCellUnder(x, y, lattice.Side());
}
