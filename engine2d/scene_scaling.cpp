// scene_scaling.cpp
// Fitting in integers, so that a window of exactly the scene's shape gets no one-pixel bar from
// rounding, and a window of the scene's size maps every position to itself.
#include "engine2d/scene_scaling.h"

#include <cstdint>

ScreenRect FitScene(int windowWidth, int windowHeight, int sceneWidth, int sceneHeight) {
    if (windowWidth <= 0 || windowHeight <= 0 || sceneWidth <= 0 || sceneHeight <= 0) return ScreenRect{0, 0, 0, 0};
    const std::int64_t ww = windowWidth, wh = windowHeight, sw = sceneWidth, sh = sceneHeight;
    std::int64_t width = ww;
    std::int64_t height = wh;
    if (ww * sh <= wh * sw) {
        height = (ww * sh + sw / 2) / sw; // the window is taller than the scene: bars above and below
    } else {
        width = (wh * sw + sh / 2) / sh; // wider: bars left and right
    }
    return ScreenRect{static_cast<int>((ww - width) / 2), static_cast<int>((wh - height) / 2), static_cast<int>(width),
                      static_cast<int>(height)};
}

void WindowToScene(const ScreenRect& shown, int sceneWidth, int sceneHeight, float windowX, float windowY,
                   float* sceneX, float* sceneY) {
    if (shown.width <= 0 || shown.height <= 0) {
        *sceneX = windowX;
        *sceneY = windowY;
        return;
    }
    // In double, so that the 1:1 case is exact and a large window loses nothing before the store.
    *sceneX = static_cast<float>((static_cast<double>(windowX) - shown.x) * sceneWidth / shown.width);
    *sceneY = static_cast<float>((static_cast<double>(windowY) - shown.y) * sceneHeight / shown.height);
}
