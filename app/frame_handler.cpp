// frame_handler.cpp
// Keys are read in a fixed order and every held key acts, so one frame may apply several; the last
// acting key's delay wins. Escape is read in every frame, other keys only when the delay is 0.
// The step is added in double precision and stored back as a float; the delays depend on it bit
// for bit. P, the left mouse button and L are toggles, not repeating keys: they are read in every
// frame, after the others, and act once when they go down.
#include "app/frame_handler.h"

#include "app/board_layout.h"
#include "app/lattice_view.h"
#include "app/program_state.h"
#include "board/board.h"

// The size keys are what keeps W x H inside the board's fixed storage.
static_assert(kMaxBoardSide * kMaxBoardSide <= kBoardCapacity, "the largest board must fit the storage");
// Resizing never leaves fewer than two cells: a one-cell board would conduct trivially.
static_assert(kMinBoardSide >= 2, "a board needs at least two cells");

namespace {

void ReshuffleBoard() { RegenerateBoard(false); }

void GrowBoard() {
    if (boardWidth < kMaxBoardSide) {
        ++boardWidth;
        ++boardHeight;
        RegenerateBoard(true);
    } else {
        RegenerateBoard(false);
    }
}

void ShrinkBoard() {
    if (boardWidth > kMinBoardSide) {
        --boardWidth;
        --boardHeight;
        RegenerateBoard(true);
    } else {
        RegenerateBoard(false);
    }
}

// The board moves one percent per press however long the key is held.
void MoreMetal(int) {
    ++metalPercent;
    if (metalPercent > 100) metalPercent = 100;
    RegenerateBoard(true);
}

void LessMetal(int) {
    --metalPercent;
    if (metalPercent < 0) metalPercent = 0;
    RegenerateBoard(true);
}

constexpr ViewControls kBoardControls = {ReshuffleBoard, GrowBoard, ShrinkBoard, MoreMetal, LessMetal};

void ReadKeys(const ViewControls& view) {
    if (engine->KeyState(kKeyS)) {
        engine->Snapshot(nullptr);
        KeyRepeatDelay = kDelaySnapshot;
    }
    if (engine->KeyState(kKeyR)) {
        view.reshuffle();
        KeyRepeatDelay = kDelayReshuffle;
    }
    // The main-keyboard plus stands in for keypad plus on keyboards without a keypad. Both keys of
    // a pair are asked in every polled frame: the engine keeps a tap until its key is asked about,
    // so a key skipped by a short-circuit would act again in a later frame with nothing held.
    const bool padPlus = engine->KeyState(kKeyPadPlus);
    const bool mainPlus = engine->KeyState(kKeyMainPlus);
    if (padPlus || mainPlus) {
        view.grow();
        KeyRepeatDelay = kDelayResize;
    }
    const bool mainMinus = engine->KeyState(kKeyMainMinus);
    const bool padMinus = engine->KeyState(kKeyPadMinus);
    if (mainMinus || padMinus) {
        view.shrink();
        KeyRepeatDelay = kDelayResize;
    }
    if (engine->KeyState(kKeyV)) {
        view.raise(raiseKeyRepeats++);
        KeyRepeatDelay = kDelayPercent;
    } else {
        raiseKeyRepeats = 0;
    }
    if (engine->KeyState(kKeyM)) {
        view.lower(lowerKeyRepeats++);
        KeyRepeatDelay = kDelayPercent;
    } else {
        lowerKeyRepeats = 0;
    }
    KeyRepeatDelay = static_cast<float>(static_cast<double>(KeyRepeatDelay) + static_cast<double>(kDelayStep));
}

// A press that began in an earlier frame is still the same press: holding P must not blink the
// view, holding the button must not flip the cell again and again.
bool WentDown(int key, bool* wasDown) {
    const bool down = engine->KeyState(key);
    const bool pressed = down && !*wasDown;
    *wasDown = down;
    return pressed;
}

void FlipCellUnderMouse() {
    float x = 0.0f;
    float y = 0.0f;
    engine->MousePosition(&x, &y);
    const int cell = CellUnder(x, y);
    if (cell >= 0) FlipCell(cell % boardWidth, cell / boardWidth);
}

// Each view keeps its own P and its own meaning of a click.
void ReadToggles() {
    if (WentDown(kKeyP, &pathKeyWasDown)) {
        if (latticeShown) {
            ToggleSpanningOnly();
        } else {
            conductingPathShown = !conductingPathShown;
        }
    }
    if (WentDown(kKeyMouseLeft, &leftButtonWasDown)) {
        if (latticeShown) {
            SelectLatticeCellUnderMouse();
        } else {
            FlipCellUnderMouse();
        }
    }
    if (WentDown(kKeyL, &latticeKeyWasDown)) ToggleLatticeView();
}

} // namespace

bool FrameHandler() {
    if (engine->KeyState(kKeyEscape)) return true;

    if (KeyRepeatDelay != 0.0f) {
        float delta = engine->FrameDelta();
        // A frame time that is not a number or negative would freeze the keyboard for good.
        if (!(delta >= 0.0f)) delta = 0.0f;
        KeyRepeatDelay = KeyRepeatDelay - delta;
    } else {
        ReadKeys(latticeShown ? kLatticeControls : kBoardControls);
    }

    if (KeyRepeatDelay < 0.0f) KeyRepeatDelay = 0.0f;
    ReadToggles();
    return false;
}
