// scene.cpp
// What krondel draws in every frame: the board of metal and wood cells, on P the conducting cluster
// and one shortest chain over them (or, in the lattice view, the lattice), two panels, three texts
// and the mouse cursor. The resources are made once and live until the process ends; nothing frees
// them. Missing data files leave sprites on texture 0 and a font without glyphs; drawing carries on.
#include "app/scene.h"

#include "app/board_layout.h"
#include "app/engine_interface.h"
#include "app/frame_handler.h"
#include "app/lattice_scene.h"
#include "app/lattice_view.h"
#include "app/panel_layout.h"
#include "app/program_state.h"
#include "board/board.h"
#include "gfx/bitmap_font.h"
#include "gfx/sprite.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr float kPanelVerticalScale = 2.0f;
constexpr float kTextScale = 0.65f;
constexpr std::uint32_t kClearColour = 0x00000000;
constexpr std::uint32_t kTextColour = 0xFF000000; // opaque black

constexpr float kBottomPanelX = 0.0f, kBottomPanelY = 450.0f;
constexpr float kSidePanelX = 465.0f, kSidePanelY = 0.0f;
constexpr float kHelpTextY = 360.0f;

// The cluster's marks are judged by how they read on brushed metal, beside wood, and printed in
// grey: a cool tint (a warm one makes metal look like wood) with a dark frame for every reached
// cell, and a thick dark red line with a bead in every cell for the chain, which stays darker than
// both textures when the colour is gone.
constexpr std::uint32_t kReachedTint = 0x403C8CFF;  // blue, a quarter opaque
constexpr std::uint32_t kReachedFrame = 0xFF1E1E1E; // near black
constexpr float kFrameWidth = 3.0f;
constexpr std::uint32_t kChainColour = 0xFFA00C0C;  // dark red
constexpr float kChainHalfWidth = 4.0f;
constexpr float kBeadHalfSize = 8.0f;

} // namespace

BitmapFont* boardFont = nullptr;
Sprite* cursorSprite = nullptr;
Sprite* woodSprite = nullptr;
Sprite* metalSprite = nullptr;
Sprite* sidePanelSprite = nullptr;
Sprite* bottomPanelSprite = nullptr;
Sprite* markSprite = nullptr;
float mouseX = 0.0f;
float mouseY = 0.0f;

namespace {

// Every scene sprite is placed by its top-left corner and blends with its alpha.
Sprite* MakeSceneSprite(std::uint32_t texture, float width, float height) {
    Sprite* sprite = new Sprite(texture, 0.0f, 0.0f, width, height);
    sprite->PlaceHotSpot(0.0f, 0.0f);
    sprite->SetBlending(kBlendAlpha);
    return sprite;
}

void DrawBoard() {
    const int cellCount = boardWidth * boardHeight;
    int column = 0;
    int row = 0;
    for (int i = 0; i < cellCount; ++i) {
        if (i > 0) {
            if (i % boardWidth == 0) {
                ++row;
                column = 0;
            } else {
                ++column;
            }
        }
        Sprite* cell = boardCells[i].metal != 0 ? metalSprite : woodSprite;
        cell->DrawTransformed(static_cast<float>(CellOrigin(column)), static_cast<float>(CellOrigin(row)), 0.0f,
                              kCellScale, 0.0f);
    }
}

void DrawMark(float left, float top, float right, float bottom, std::uint32_t colour) {
    markSprite->SetCornerColor(colour, -1);
    markSprite->DrawStretched(left, top, right, bottom);
}

// A bar of the chain's width from one point to another on the same row or column. It ends where
// the points are: the joints are under the beads, the two ends on the board's edges.
void DrawChainBar(float x1, float y1, float x2, float y2) {
    if (y1 == y2) {
        DrawMark(std::min(x1, x2), y1 - kChainHalfWidth, std::max(x1, x2), y1 + kChainHalfWidth, kChainColour);
    } else {
        DrawMark(x1 - kChainHalfWidth, std::min(y1, y2), x1 + kChainHalfWidth, std::max(y1, y2), kChainColour);
    }
}

void DrawReachedCells() {
    for (int i = 0; i < CellsInUse(); ++i) {
        if (boardCells[i].reached != 1) continue;
        const float left = static_cast<float>(CellOrigin(i % boardWidth));
        const float top = static_cast<float>(CellOrigin(i / boardWidth));
        const float right = left + kCellSize;
        const float bottom = top + kCellSize;
        DrawMark(left, top, right, bottom, kReachedTint);
        DrawMark(left, top, right, top + kFrameWidth, kReachedFrame);
        DrawMark(left, bottom - kFrameWidth, right, bottom, kReachedFrame);
        DrawMark(left, top + kFrameWidth, left + kFrameWidth, bottom - kFrameWidth, kReachedFrame);
        DrawMark(right - kFrameWidth, top + kFrameWidth, right, bottom - kFrameWidth, kReachedFrame);
    }
}

// From the right-hand edge of the board through the centre of every chain cell to its left-hand
// edge, so that the line reads as a current flowing from one side to the other.
void DrawShortestChain() {
    static int chain[kMaxBoardSide * kMaxBoardSide];
    const int length = std::min(ShortestConductingChain(chain, kMaxBoardSide * kMaxBoardSide),
                                kMaxBoardSide * kMaxBoardSide);
    if (length == 0) return;
    const float half = kCellSize / 2.0f;
    const auto centreX = [&](int k) { return static_cast<float>(CellOrigin(chain[k] % boardWidth)) + half; };
    const auto centreY = [&](int k) { return static_cast<float>(CellOrigin(chain[k] / boardWidth)) + half; };
    DrawChainBar(centreX(0) + half, centreY(0), centreX(0), centreY(0));
    for (int k = 1; k < length; ++k) DrawChainBar(centreX(k - 1), centreY(k - 1), centreX(k), centreY(k));
    DrawChainBar(centreX(length - 1), centreY(length - 1), centreX(length - 1) - half, centreY(length - 1));
    for (int k = 0; k < length; ++k) {
        DrawMark(centreX(k) - kBeadHalfSize, centreY(k) - kBeadHalfSize, centreX(k) + kBeadHalfSize,
                 centreY(k) + kBeadHalfSize, kChainColour);
    }
}

void DrawBoardTexts() {
    // Cells flipped by hand leave a metal count the share does not give: then it is said too.
    const int metalCells = MetalCellCount();
    if (metalCells == MetalCount(metalPercent)) {
        boardFont->DrawFormatted(kStatusTextX, kStatusTextY, AlignLeft, "Velikost kvadrata: %d\nProcent zeleza: %d\n",
                                 boardWidth, metalPercent);
    } else {
        boardFont->DrawFormatted(kStatusTextX, kStatusTextY, AlignLeft,
                                 "Velikost kvadrata: %d\nProcent zeleza: %d\nKovina: %d od %d\n", boardWidth,
                                 metalPercent, metalCells, CellsInUse());
    }
    boardFont->DrawFormatted(kHelpTextX, kHelpTextY, AlignLeft,
                             "Navodila za tipke:\nR - nakljucna postavitev\n+ - Vecje polje\n- - Majnse polje\n"
                             "V - vec kovine\nM - vec lesa");
}

} // namespace

void CreateSceneResources() {
    boardFont = new BitmapFont("font1.fnt");

    cursorSprite = MakeSceneSprite(engine->LoadTexture("Arrow.png", 0, false), 29.0f, 31.0f);
    cursorSprite->SetCornerZ(0.0f, -1);
    woodSprite = MakeSceneSprite(engine->LoadTexture("284.jpg", 0, false), 512.0f, 512.0f);
    metalSprite = MakeSceneSprite(engine->LoadTexture("brushed-metal.jpg", 0, false), 512.0f, 512.0f);
    // One panel texture, two cuts of it.
    const std::uint32_t panel = engine->LoadTexture("background1.png", 0, false);
    sidePanelSprite = MakeSceneSprite(panel, 180.0f, 240.0f);
    bottomPanelSprite = MakeSceneSprite(panel, 640.0f, 100.0f);
    // One untextured pixel, stretched and coloured for each mark of the cluster view.
    markSprite = MakeSceneSprite(0, 1.0f, 1.0f);
}

bool RenderHandler() {
    engine->BeginScene(0);
    engine->Clear(kClearColour);

    // Cells first, so that the marks, panels and texts lie on top of them.
    if (latticeShown) {
        DrawLattice(markSprite);
    } else {
        DrawBoard();
        if (conductingPathShown) {
            DrawReachedCells();
            DrawShortestChain();
        }
    }
    bottomPanelSprite->DrawTransformed(kBottomPanelX, kBottomPanelY, 0.0f, 1.0f, kPanelVerticalScale);
    sidePanelSprite->DrawTransformed(kSidePanelX, kSidePanelY, 0.0f, 1.0f, kPanelVerticalScale);

    boardFont->SetTextScale(kTextScale);
    boardFont->SetTextColor(kTextColour);
    if (latticeShown) {
        DrawLatticeTexts(boardFont);
    } else {
        DrawBoardTexts();
    }
    const bool conducts = latticeShown ? lattice.Conducts() : boardConducts;
    boardFont->DrawFormatted(kVerdictTextX, kVerdictTextY, AlignLeft, "Matrika trenutno %s!",
                             conducts ? "prevaja" : "ne prevaja");

    // The cursor last, on top of everything, with its tip (the hot spot) on the mouse.
    engine->MousePosition(&mouseX, &mouseY);
    cursorSprite->Draw(mouseX, mouseY);

    engine->EndScene();
    return false;
}
