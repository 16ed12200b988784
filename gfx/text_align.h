// text_align.h
// Alignment flags of BitmapFont text: bits 0-1 horizontal, bits 2-3 vertical (boxed text only).
// Limits: a horizontal part of 3 acts as left, a vertical part of 12 as top.
#pragma once

constexpr int AlignLeft = 0;   // x is the left end of each line
constexpr int AlignRight = 1;  // x is the right end of each line
constexpr int AlignCenter = 2; // x is the middle of each line
constexpr int AlignTop = 0;    // boxed text starts at the box's top
constexpr int AlignBottom = 4; // boxed text ends at the box's bottom
constexpr int AlignMiddle = 8; // boxed text is centred vertically

constexpr int kAlignHorizontalMask = 3;
constexpr int kAlignVerticalMask = 12;
