// quad_drawing.h
// One Quad on the renderer as two triangles (corners 0-1-2 and 0-2-3) with per-vertex colours.
// Limits: z is not used (there is no depth buffer: later quads cover earlier ones); blend modes with
// the alpha bit (2) blend, without it they add; vertex colour always multiplies the texture.
#pragma once

#include "app/engine_interface.h"

struct SDL_Renderer;
struct LoadedTexture;

// Draws with `texture` (null: vertex colours alone). Returns false with SDL's error pending when
// the renderer refuses.
bool DrawQuad(SDL_Renderer* renderer, const Quad& quad, const LoadedTexture* texture);
