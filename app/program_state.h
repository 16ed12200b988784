// program_state.h
// krondel's program-wide state besides the board: the engine and the key-repeat delay.
// Both live for the whole run; the program never frees the engine object itself (it calls Release).
#pragma once

#include "app/engine_interface.h"

// The engine taken by KrondelMain; null before start-up.
extern EngineInterface* engine;

// Seconds to wait before the keyboard is read again; 0 when the next frame reads it.
extern float KeyRepeatDelay;
