// bounds_rect.h
// An axis-aligned box grown point by point, as filled by Sprite::TransformedBounds.
// Limits: edges are floats; Contains does not look at `empty`, so ask only about a box with points.
#pragma once

struct BoundsRect {
    float left = 0.0f;   // screen pixels
    float top = 0.0f;    // screen pixels, y down
    float right = 0.0f;
    float bottom = 0.0f;
    bool empty = true;   // no point added yet

    // Grows the box to include (x, y); the first point sets all four edges.
    void AddPoint(float x, float y);
    // Left and top edges are inside, right and bottom edges outside (half-open), so tiled boxes
    // never both claim a point on their shared edge.
    bool Contains(float x, float y) const;
    // Strict: boxes that only share an edge or a corner do not overlap.
    bool Overlaps(const BoundsRect& other) const;
};
