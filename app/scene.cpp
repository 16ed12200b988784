// scene.cpp
// What krondel draws in every frame: the board of metal and wood cells, two panels, three texts and
// the mouse cursor. The resources are made once and live until the process ends; nothing frees them.
// Missing data files leave sprites on texture 0 and a font without glyphs; drawing carries on.
#include "app/scene.h"

#include "app/engine_interface.h"
#include "app/frame_handler.h"
#include "app/program_state.h"
#include "board/board.h"
#include "gfx/bitmap_font.h"
#include "gfx/sprite.h"

#include <cstdint>

namespace {

constexpr int kCellPitch = 55;        // pixels from one cell's origin to the next
constexpr int kBoardMargin = 10;      // top-left cell of the largest board
constexpr int kCentringStep = 25;     // a board one cell smaller moves this much right and down
constexpr float kCellScale = 0.1f;    // 512-pixel textures drawn 51.2 pixels wide
constexpr float kPanelVerticalScale = 2.0f;
constexpr float kTextScale = 0.65f;
constexpr std::uint32_t kClearColour = 0x00000000;
constexpr std::uint32_t kTextColour = 0xFF000000; // opaque black

constexpr float kBottomPanelX = 0.0f, kBottomPanelY = 450.0f;
constexpr float kSidePanelX = 465.0f, kSidePanelY = 0.0f;
constexpr float kStatusTextX = 480.0f, kStatusTextY = 10.0f;
constexpr float kHelpTextX = 480.0f, kHelpTextY = 360.0f;
constexpr float kVerdictTextX = 15.0f, kVerdictTextY = 457.0f;

} // namespace

BitmapFont* boardFont = nullptr;
Sprite* cursorSprite = nullptr;
Sprite* woodSprite = nullptr;
Sprite* metalSprite = nullptr;
Sprite* sidePanelSprite = nullptr;
Sprite* bottomPanelSprite = nullptr;
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
    const int offset = (kMaxBoardSide - boardWidth) * kCentringStep;
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
        cell->DrawTransformed(static_cast<float>(column * kCellPitch + offset + kBoardMargin),
                              static_cast<float>(row * kCellPitch + offset + kBoardMargin), 0.0f, kCellScale, 0.0f);
    }
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
}

bool RenderHandler() {
    engine->BeginScene(0);
    engine->Clear(kClearColour);

    // Cells first, so that the panels and texts lie on top of them.
    DrawBoard();
    bottomPanelSprite->DrawTransformed(kBottomPanelX, kBottomPanelY, 0.0f, 1.0f, kPanelVerticalScale);
    sidePanelSprite->DrawTransformed(kSidePanelX, kSidePanelY, 0.0f, 1.0f, kPanelVerticalScale);

    boardFont->SetTextScale(kTextScale);
    boardFont->SetTextColor(kTextColour);
    boardFont->DrawFormatted(kStatusTextX, kStatusTextY, AlignLeft, "Velikost kvadrata: %d\nProcent zeleza: %d\n",
                             boardWidth, metalPercent);
    boardFont->DrawFormatted(kHelpTextX, kHelpTextY, AlignLeft,
                             "Navodila za tipke:\nR - nakljucna postavitev\n+ - Vecje polje\n- - Majnse polje\n"
                             "V - vec kovine\nM - vec lesa");
    boardFont->DrawFormatted(kVerdictTextX, kVerdictTextY, AlignLeft, "Matrika trenutno %s!",
                             boardConducts ? "prevaja" : "ne prevaja");

    // The cursor last, on top of everything, with its tip (the hot spot) on the mouse.
    engine->MousePosition(&mouseX, &mouseY);
    cursorSprite->Draw(mouseX, mouseY);

    engine->EndScene();
    return false;
}
