#pragma once

#include "view/Zoom.h"

namespace splot {

// One axis of the picture on a screen: picture pixels 0..size-1 (left to
// right, or top row to bottom row) shown at a zoom on a screen with `ratio`
// device pixels per logical pixel, the picture's first edge at logical
// position `origin` of the window. Device pixels are counted in the window.
//
// Device pixel d shows, when a picture pixel covers at least one device
// pixel, the picture pixel that holds the centre of d (the way a picture is
// scaled without smoothing); otherwise the average of the picture pixels
// whose centres lie in d. At 100 % on an unscaled screen device pixel d
// shows picture pixel d - origin.
class ViewAxis {
public:
    ViewAxis(int size, Zoom zoom, double ratio, int origin);

    int size() const { return size_; }
    // Several picture pixels share a device pixel: it shows their average.
    bool averaged() const { return averaged_; }

    // The picture pixel whose area holds the centre of device pixel d; it
    // may lie outside 0..size-1.
    long long pictureAt(long long d) const;

    // The first picture pixel whose centre lies at or after the start of
    // device pixel d (not clamped). On an averaged axis device pixel d shows
    // pixels firstAt(d) .. firstAt(d + 1) - 1.
    long long firstAt(long long d) const;

    // The device pixels [first, second) that show some of the picture pixels
    // p0 .. p1 - 1 (p0 < p1).
    struct Range {
        long long begin = 0;
        long long end = 0;
    };
    Range devicePixels(long long p0, long long p1) const;

    // The whole number of device pixels that every picture pixel spans, the
    // picture starting on a device pixel edge; 0 when the spans differ.
    int wholeScale() const;

private:
    int size_;
    Zoom zoom_;
    double originDevice_; // origin * ratio
    double scaleNum_;     // ratio * zoom.num
    bool averaged_;
};

} // namespace splot
