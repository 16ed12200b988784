// lattice_scene.cpp
// The lattice is one texture of one pixel per cell, drawn as one quad at a whole number of screen
// pixels per cell: 160,000 quads a frame would cost far more than the 10 % of a core krondel keeps
// to. The picture is painted and handed to the engine again only when it changed; the texture is
// made when the view is first drawn and again when the side changes. A texture the engine cannot
// make (logged by the engine) leaves the frame empty and the texts still right.
#include "app/lattice_scene.h"

#include "app/engine_interface.h"
#include "app/lattice_layout.h"
#include "app/lattice_picture.h"
#include "app/lattice_view.h"
#include "app/panel_layout.h"
#include "app/program_state.h"
#include "gfx/bitmap_font.h"
#include "gfx/sprite.h"

#include <cstdio>
#include <vector>

namespace {

constexpr std::uint32_t kFrameColour = 0xFF505050; // grey: the dark wood at the edges ends somewhere
constexpr float kFrameWidth = 2.0f;
constexpr float kHelpTextY = 334.0f; // two lines more than the board's legend, so higher

std::uint32_t latticeTexture = 0;
int textureSide = 0; // the side the texture was made for (also when making it failed)
Sprite* latticeSprite = nullptr;
std::vector<std::uint32_t> latticePixels;

void RefreshPicture() {
    const int side = lattice.Side();
    if (!latticePictureStale && side == textureSide) return;
    latticePixels.resize(static_cast<std::size_t>(lattice.CellCount()));
    PaintLattice(lattice, spanningOnlyShown, latticePixels.data());
    latticePictureStale = false;
    if (side == textureSide) {
        if (latticeTexture != 0) engine->UpdateTexture(latticeTexture, latticePixels.data());
        return;
    }
    if (latticeTexture != 0) engine->FreeTexture(latticeTexture);
    latticeTexture = engine->CreateTexture(side, side, latticePixels.data());
    textureSide = side;
    const float extent = static_cast<float>(side);
    if (latticeSprite == nullptr) {
        latticeSprite = new Sprite(latticeTexture, 0.0f, 0.0f, extent, extent);
        latticeSprite->PlaceHotSpot(0.0f, 0.0f);
        latticeSprite->SetBlending(kBlendAlpha);
    } else {
        latticeSprite->ChangeTexture(latticeTexture);
        latticeSprite->SetSourceRect(0.0f, 0.0f, extent, extent);
    }
}

} // namespace

int Permille(int part, int whole) {
    if (whole <= 0) return 0;
    return static_cast<int>((static_cast<long long>(part) * 1000 + whole / 2) / whole);
}

void DrawLattice(Sprite* frameSprite) {
    RefreshPicture();
    const int side = lattice.Side();
    const float left = static_cast<float>(LatticeOrigin(side));
    const float right = left + static_cast<float>(side * LatticeCellPixels(side));
    // Four bars, not one square under the lattice: filling 400 x 400 pixels only to cover them
    // again would cost as much as the lattice itself, every frame.
    const float outer = left - kFrameWidth;
    const float far = right + kFrameWidth;
    frameSprite->SetCornerColor(kFrameColour, -1);
    frameSprite->DrawStretched(outer, outer, far, left);
    frameSprite->DrawStretched(outer, right, far, far);
    frameSprite->DrawStretched(outer, left, left, right);
    frameSprite->DrawStretched(right, left, far, right);
    if (latticeTexture != 0) latticeSprite->DrawStretched(left, left, right, right);
}

void DrawLatticeTexts(BitmapFont* font) {
    const int cells = lattice.CellCount();
    const int share = lattice.Share();
    const int largest = Permille(lattice.LargestCluster(), cells);
    const int threshold = lattice.OwnThreshold();
    char selected[64] = "";
    if (selectedLatticeCell >= 0 && selectedLatticeCell < cells) {
        const int size = lattice.ClusterAt(selectedLatticeCell).size;
        if (size == 0) {
            std::snprintf(selected, sizeof selected, "Izbrana celica: les\n");
        } else {
            std::snprintf(selected, sizeof selected, "Izbrana gruca: %d\n", size);
        }
    }
    font->DrawFormatted(kStatusTextX, kStatusTextY, AlignLeft,
                        "Mreza: %d x %d\nDelez kovine: %d.%d %%\nNajvecja gruca: %d.%d %%\nStevilo gruc: %d\n"
                        "Prag te mreze: %d.%d %%\n%s",
                        lattice.Side(), lattice.Side(), share / 10, share % 10, largest / 10, largest % 10,
                        lattice.ClusterCount(), threshold / 10, threshold % 10, selected);
    font->DrawFormatted(kHelpTextX, kHelpTextY, AlignLeft,
                        "Navodila za tipke:\nR - nova mreza\n+ - Vecja mreza\n- - Manjsa mreza\nV - vec kovine\n"
                        "M - vec lesa\nP - prevodna gruca\nL - nazaj na polje");
}
