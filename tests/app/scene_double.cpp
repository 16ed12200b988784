// scene_double.cpp
// The two scene functions of app/scene.h, recording instead of drawing.
#include "tests/app/scene_double.h"

#include "app/scene.h"
#include "tests/support/recording_engine.h"

int sceneResourcesCreated = 0;
int renderHandlerCalls = 0;

void ResetSceneDouble() {
    sceneResourcesCreated = 0;
    renderHandlerCalls = 0;
}

void CreateSceneResources() {
    ++sceneResourcesCreated;
    RecordingEngine::Instance().calls.push_back("CreateSceneResources");
}

bool RenderHandler() {
    ++renderHandlerCalls;
    RecordingEngine::Instance().calls.push_back("RenderHandler");
    return false;
}
