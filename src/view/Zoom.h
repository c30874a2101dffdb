#pragma once

#include <array>

namespace splot {

// How large the picture is shown: one picture pixel is num / den logical
// screen pixels wide and high. Kept as a fraction so that every level of the
// ladder (a third, two thirds) and a fitted zoom map pixels exactly.
struct Zoom {
    int num = 1;
    int den = 1;
    double factor() const { return static_cast<double>(num) / den; }
    // Equal as fractions (1/2 equals 2/4).
    friend bool operator==(Zoom a, Zoom b) {
        return static_cast<long long>(a.num) * b.den == static_cast<long long>(b.num) * a.den;
    }
    friend bool operator<(Zoom a, Zoom b) {
        return static_cast<long long>(a.num) * b.den < static_cast<long long>(b.num) * a.den;
    }
};

// The zoom levels the View menu steps through, from 1/16 (6.25 %) to 16
// times (1600 %), smallest first; 100 % is actualPixels.
class ZoomLevels {
public:
    static constexpr std::array<Zoom, 12> levels{
        {{1, 16}, {1, 8}, {1, 4}, {1, 3}, {1, 2}, {2, 3}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {8, 1}, {16, 1}}};
    static constexpr Zoom actualPixels{1, 1};

    // The next level above (below) the zoom; the zoom itself at the top
    // (bottom) of the ladder. A zoom between levels steps to the neighbour.
    static Zoom zoomIn(Zoom z);
    static Zoom zoomOut(Zoom z);

    // The largest zoom, never above 100 % nor below the smallest level, at
    // which a picture of width x height pixels fits a box of boxWidth x
    // boxHeight logical pixels: the shown size, rounded up, stays inside the
    // box. Empty pictures and boxes give 100 %.
    static Zoom fit(int width, int height, int boxWidth, int boxHeight);

    // The index of the level equal to the zoom, or -1 between levels.
    static int levelIndex(Zoom z);

    // The shown length of n picture pixels: n * zoom rounded up.
    static int shownLength(int n, Zoom z);
};

} // namespace splot
