// lattice_view.h
// krondel's second view: a large lattice whose clusters grow and merge as the share rises, opened
// and closed with L. Its state lives for the whole run and is kept while the board is shown; the
// lattice gets its first labels when the view is first opened, so a run that never opens it draws
// nothing of it. Reads the engine in `engine`; draws nothing.
#pragma once

#include "app/frame_handler.h"
#include "board/lattice.h"

// The sides that + and - step through: each about twice the one before, from a lattice whose
// cells are large enough to count to one whose 160,000 cells fill the board's square at one pixel.
constexpr int kLatticeSides[] = {13, 25, 50, 100, 200, 400};
constexpr int kFirstLatticeSide = 100;
constexpr int kFirstLatticeShare = 500; // 50.0 %

extern Lattice lattice;
// P in the lattice view: only the conducting cluster in colour, all other metal grey.
extern bool spanningOnlyShown;
// The cell last clicked, whose cluster the panel tells about; -1 for none.
extern int selectedLatticeCell;
// Set by every change the picture shows (labels, size, share, P); the scene clears it once it has
// drawn the picture again.
extern bool latticePictureStale;

// L: shows the lattice instead of the board, or the board again.
void ToggleLatticeView();

// P in the lattice view.
void ToggleSpanningOnly();

// A left click in the lattice view: selects the cell under the mouse, or none beside the lattice.
void SelectLatticeCellUnderMouse();

// The share steps one press of V or M moves: one at first, more the longer the key is held.
int ShareStepsFor(int repeats);

// What R, +, -, V and M do in the lattice view.
extern const ViewControls kLatticeControls;
