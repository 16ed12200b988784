// panel_layout.h
// Where krondel's texts sit on its two panels, in scene pixels (x right, y down), in the board view
// and the lattice view alike: the status lines and the key legend on the side panel, the verdict on
// the bottom one. Limits: the legend's height differs by view, so each view places its own top.
#pragma once

constexpr float kStatusTextX = 480.0f, kStatusTextY = 10.0f;
constexpr float kHelpTextX = 480.0f;
constexpr float kVerdictTextX = 15.0f, kVerdictTextY = 457.0f;
