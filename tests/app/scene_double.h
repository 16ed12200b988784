// scene_double.h
// Stands in for krondel's scene in the start-up tests: it draws nothing and records its calls, in the
// recording engine's call list ("CreateSceneResources", "RenderHandler") and in two counters.
#pragma once

extern int sceneResourcesCreated; // CreateSceneResources calls
extern int renderHandlerCalls;    // RenderHandler calls

// Both counters back to 0.
void ResetSceneDouble();
