// program_state.h
// krondel's program-wide state besides the board and the lattice: the engine, the key-repeat delay,
// the cluster view, which view is shown and what P, L and the mouse did last frame. All live for the
// whole run; the program never frees the engine object itself (it calls Release).
#pragma once

#include "app/engine_interface.h"

// The engine taken by KrondelMain; null before start-up.
extern EngineInterface* engine;

// Seconds to wait before the keyboard is read again; 0 when the next frame reads it.
extern float KeyRepeatDelay;

// True while the scene marks the cells reached from the right-hand column and one shortest chain.
extern bool conductingPathShown;

// Polled frames in a row in which V, or M, acted: the lattice's share moves further the longer.
extern int raiseKeyRepeats;
extern int lowerKeyRepeats;

// True while the lattice view is shown instead of the board (L switches).
extern bool latticeShown;

// Whether P, the left mouse button and L were down in the previous frame: each acts once per press.
extern bool pathKeyWasDown;
extern bool leftButtonWasDown;
extern bool latticeKeyWasDown;
