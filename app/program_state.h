// program_state.h
// krondel's program-wide state besides the board: the engine, the key-repeat delay, the cluster
// view and what P and the mouse did last frame. All live for the whole run; the program never
// frees the engine object itself (it calls Release).
#pragma once

#include "app/engine_interface.h"

// The engine taken by KrondelMain; null before start-up.
extern EngineInterface* engine;

// Seconds to wait before the keyboard is read again; 0 when the next frame reads it.
extern float KeyRepeatDelay;

// True while the scene marks the cells reached from the right-hand column and one shortest chain.
extern bool conductingPathShown;

// Whether P and the left mouse button were down in the previous frame: each acts once per press.
extern bool pathKeyWasDown;
extern bool leftButtonWasDown;
