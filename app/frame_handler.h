// frame_handler.h
// The per-frame controls of krondel: Escape ends the loop, other keys change the board, P shows or
// hides the conducting cluster, a left click flips a cell. Reads the engine in `engine`; draws nothing.
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

// Returns true to end the engine's frame loop (Escape held), false to go on.
bool FrameHandler();
