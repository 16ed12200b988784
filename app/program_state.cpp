// program_state.cpp
// Definitions of the engine reference and the key-repeat delay.
#include "app/program_state.h"

EngineInterface* engine = nullptr;
float KeyRepeatDelay = 0.0f;
