// program_state.cpp
// Definitions of the engine reference, the key-repeat delay and the toggles.
#include "app/program_state.h"

EngineInterface* engine = nullptr;
float KeyRepeatDelay = 0.0f;
bool conductingPathShown = false;
bool pathKeyWasDown = false;
bool leftButtonWasDown = false;
