// bounds_rect.cpp
// Point growth, the half-open point test and the strict overlap test of BoundsRect.
#include "gfx/bounds_rect.h"

#include <cmath>

void BoundsRect::AddPoint(float x, float y) {
    if (empty) {
        left = right = x;
        top = bottom = y;
        empty = false;
        return;
    }
    if (x < left) left = x;
    if (x > right) right = x;
    if (y < top) top = y;
    if (y > bottom) bottom = y;
}

bool BoundsRect::Contains(float x, float y) const {
    return left <= x && x < right && top <= y && y < bottom;
}

bool BoundsRect::Overlaps(const BoundsRect& other) const {
    // Centre distance against summed extents, both doubled; carried in double so that the sums of
    // two floats are exact and the comparison is not blurred by rounding.
    const double dx = std::fabs((double{left} + right) - (double{other.left} + other.right));
    const double dy = std::fabs((double{top} + bottom) - (double{other.top} + other.bottom));
    const double spanX = (double{right} - left) + (double{other.right} - other.left);
    const double spanY = (double{bottom} - top) + (double{other.bottom} - other.top);
    return dx < spanX && dy < spanY;
}
