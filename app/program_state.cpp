// program_state.cpp
// Definitions of the engine reference, the key-repeat delay and its repeat count, and the toggles.
#include "app/program_state.h"

EngineInterface* engine = nullptr;
float KeyRepeatDelay = 0.0f;
int raiseKeyRepeats = 0;
int lowerKeyRepeats = 0;
bool conductingPathShown = false;
bool latticeShown = false;
bool pathKeyWasDown = false;
bool leftButtonWasDown = false;
bool latticeKeyWasDown = false;
