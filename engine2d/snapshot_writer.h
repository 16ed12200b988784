// snapshot_writer.h
// Pictures of the frame as image files in the current folder. A picked name is never an existing
// file: the name is claimed with an exclusive create, so even a file made a moment earlier by
// another process is skipped. Limits: a given name is written as JPEG when it ends in ".jpg" or
// ".jpeg" (any case), else as PNG, and replaces a file of that name.
#pragma once

#include <string>

struct SDL_Renderer;

// Reads the renderer's current target and writes it. `fileName` null: the next free
// "snapshot-NNNN.png". On success `written` holds the name; on failure `error` holds the reason.
bool WriteSnapshot(SDL_Renderer* renderer, const char* fileName, std::string* written, std::string* error);

// Name number `number` of the picked snapshots: "snapshot-0001.png" for 1.
std::string SnapshotName(int number);
