// scene_scaling.h
// The program's fixed-size scene fitted into a window of any size: the largest rectangle of the
// scene's shape that fits, centred, with black bars on the other two sides; and window positions
// mapped back into the scene. Limits: whole window pixels for the rectangle; no platform types.
#pragma once

struct ScreenRect {
    int x, y;          // top-left corner, window pixels, y down
    int width, height; // pixels; 0 when nothing fits
};

// The rectangle the scene is shown in: a window of the scene's own shape is filled exactly, any
// other gets bars left and right or above and below. Sizes of 0 or less give an empty rectangle.
ScreenRect FitScene(int windowWidth, int windowHeight, int sceneWidth, int sceneHeight);

// A position in window pixels as scene pixels, for a scene shown in `shown`. Positions in the bars
// fall outside the scene (below 0 or past its size); they are not clamped. An empty rectangle
// leaves the position as it is.
void WindowToScene(const ScreenRect& shown, int sceneWidth, int sceneHeight, float windowX, float windowY,
                   float* sceneX, float* sceneY);
