#pragma once

#include "base/Random.h"
#include "base/SplotState.h"
#include "base/WorkerPool.h"
#include "paint/Canvas.h"
#include "paint/KMingo.h"
#include "paint/StampKernel.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace splot {

// The brush: stamps, the per-pixel blends of every drawing mode, the brush
// outline and the choice of the colour in use. Reads the shared state at the
// moment of each call; writes pixels only through the canvas's row table.
class Painter {
public:
    // workers shares the rows of wide stamps among threads; null: one thread.
    Painter(SplotState& state, Canvas& canvas, Random& random, WorkerPool* workers = nullptr)
        : state_(state), canvas_(canvas), random_(random), workers_(workers) {}

    // One stamp of the brush centred on the pen with the nominal width in
    // pixels (drift and the upper width bound are applied here); repaints the
    // changed rectangle when refresh is true.
    void DrawOnImage(const KMingo& pen, int width, bool refresh);

    // Blends the colour in use into pixel (Round(px), Round(py)) with the given
    // strength (0..1). Outside 3D that pixel must lie inside the canvas; in 3D
    // each shifted position is tested here.
    void DrawPoint(const KMingo& pen, double strength);

    // One outline dot at canvas pixel (x, y), if inside the canvas.
    void drawDots(int x, int y);

    // Shows the brush outline around the pen on screen and leaves the canvas
    // bytes exactly as they were.
    void BrushDisplay(const KMingo& pen);

    // The colour in use.
    void SetColorVariables();
    void SetProperColorVariables();
    void SetRandomColorVariables();

    // The stamp width after drift and bounds, as DrawOnImage computes it.
    int stampWidth(int width) const;

private:
    // The three ways a stamp treats the pixels that pass the distance test,
    // over square columns i0..i1 and rows j0..j1 (see StampMask); the square's
    // bottom-left pixel is (left, bottom).
    void stampBlend(int i0, int i1, int j0, int j1, std::int64_t left, std::int64_t bottom,
                    SpeckleTest& speckle);
    void stampColourPerPoint(int i0, int i1, int j0, int j1, std::int64_t left, std::int64_t bottom,
                             SpeckleTest& speckle);
    void stampWithAction(int i0, int i1, int j0, int j1, std::int64_t left, std::int64_t bottom,
                         SpeckleTest& speckle);

    SplotState& state_;
    Canvas& canvas_;
    Random& random_;
    // Spans, weights and byte changes of the last stamps, reused while the
    // brush and the pen's sub-pixel offset stay the same.
    StampMask mask_;
    WorkerPool* workers_;
    // One row of speckle outcomes (3 bytes per pixel) and of byte changes,
    // per thread of the pool.
    struct RowScratch {
        std::vector<std::uint8_t> keep;
        std::vector<std::int16_t> deltas;
    };
    RowScratch rowScratch_[WorkerPool::maxThreads];
    std::vector<CanvasPoint> outlineDots_;                  // reused by BrushDisplay
    std::vector<CanvasSpan> changedSpans_;                  // the last stamp's changed pixels
    std::vector<std::pair<double, double>> ringDirections_; // cos, sin of the round outline's dots
};

// Checks the Colours item named "none", "stroke" or "point" (exact, case
// sensitive); any other name leaves all three unchecked.
void SetRandomColourMethod(ColourState& colour, const std::string& name);

// The mode panel's text for the drawing mode.
std::string coloringModeStatusText(bool eraseMode, bool backgroundIsWhite);

} // namespace splot
