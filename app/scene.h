// scene.h
// What krondel shows: the scene resources, made once at start-up, and the per-frame drawing.
#pragma once

// Loads the font, the textures and the five sprites of the scene. Called once, after Initiate.
void CreateSceneResources();

// Draws the board, the panels, the texts and the cursor; always returns false (only the frame
// handler ends the loop).
bool RenderHandler();
