#pragma once

namespace splot {

// A rectangle of canvas pixels in canvas coordinates (y up), inclusive bounds.
struct CanvasRect {
    int left = 0;
    int bottom = 0;
    int right = -1;
    int top = -1;
    bool empty() const { return right < left || top < bottom; }
    // The smallest rectangle holding this one and r; an empty one adds nothing.
    CanvasRect united(const CanvasRect& r) const {
        if (r.empty())
            return *this;
        if (empty())
            return r;
        return CanvasRect{left < r.left ? left : r.left, bottom < r.bottom ? bottom : r.bottom,
                          right > r.right ? right : r.right, top > r.top ? top : r.top};
    }
};

struct CanvasPoint {
    int x = 0;
    int y = 0;
};

// The pixels left..right (inclusive) of canvas row y.
struct CanvasSpan {
    int y = 0;
    int left = 0;
    int right = -1;
};

} // namespace splot
