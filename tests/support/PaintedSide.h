#pragma once

#include "paint/Canvas.h"

#include <algorithm>
#include <climits>

namespace splot::test {

// Width of the non-white area inside the box of half-size `half` around
// (cx, cy), or 0: the side of a hard square stamp painted on white.
inline int paintedSide(const Canvas& c, int cx, int cy, int half) {
    const BgrPixel white{255, 255, 255};
    int left = INT_MAX, right = INT_MIN;
    for (int y = std::max(cy - half, 0); y <= std::min(cy + half, c.imageHeight() - 1); ++y)
        for (int x = std::max(cx - half, 0); x <= std::min(cx + half, c.imageWidth() - 1); ++x)
            if (!(c.pixel(x, y) == white)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return left > right ? 0 : right - left + 1;
}

} // namespace splot::test
