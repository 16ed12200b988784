// frame_handler.h
// The per-frame controls of krondel: Escape ends the loop, other keys change the board or the
// lattice, whichever is shown, P shows or hides the conducting cluster, a left click flips a cell of
// the board or picks one of the lattice, L switches the view. Reads the engine in `engine`; draws nothing.
#pragma once

// Key-repeat delays in seconds, single precision: a held key acts again only after its delay.
constexpr float kDelaySnapshot = 0.3f;
constexpr float kDelayReshuffle = 0.1f;
constexpr float kDelayResize = 0.3f;
constexpr float kDelayPercent = 0.04f;
// Added after every polled frame, so an idle keyboard is read every other frame at 50 fps.
constexpr float kDelayStep = 0.01f;

// Board size limits the keys keep W and H within.
constexpr int kMinBoardSide = 2;
constexpr int kMaxBoardSide = 8;

// What R, the plus keys, the minus keys, V and M do in the view on screen (the board or the
// lattice); the key order, the delays, S and Escape are the same in both. `repeats` counts the
// polled frames in a row, before this one, in which the same key acted.
struct ViewControls {
    void (*reshuffle)();
    void (*grow)();
    void (*shrink)();
    void (*raise)(int repeats);
    void (*lower)(int repeats);
};

// Returns true to end the engine's frame loop (Escape held), false to go on.
bool FrameHandler();
