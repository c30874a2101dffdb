#pragma once

#include "base/Limits.h"
#include "base/Random.h"
#include "base/SplotState.h"
#include "base/WorkerPool.h"
#include "paint/Canvas.h"
#include "paint/KMingo.h"
#include "paint/PaintedAction.h"
#include "paint/StampKernel.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace splot {

// The brush: stamps, the per-pixel blends of every drawing mode, the brush
// outline and the choice of the colour in use. Reads the shared state at the
// moment of each call; writes pixels only through the canvas's row table.
class Painter {
public:
    // action is what the stamp paints with while Draw with action is on;
    // workers shares the rows of wide stamps among threads (null: one thread).
    Painter(SplotState& state, Canvas& canvas, Random& random, const PaintedAction& action,
            WorkerPool* workers = nullptr)
        : state_(state), canvas_(canvas), random_(random), action_(action), workers_(workers) {}

    // One stamp of the brush centred on the pen with the nominal width in
    // pixels (drift and the bounds 1..widest are applied here); repaints the
    // changed rectangle when refresh is true. widest is the widest stamp
    // allowed (widestStamp of the circle settings).
    void DrawOnImage(const KMingo& pen, int width, bool refresh, int widest = tbWMax);

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

    // The stamp width after drift and the bounds 1..widest, as DrawOnImage
    // computes it.
    int stampWidth(int width, int widest = tbWMax) const;

private:
    // The three ways a stamp treats the pixels that pass the distance test,
    // over square columns i0..i1 and rows j0..j1 (see StampMask); the square's
    // bottom-left pixel is (left, bottom).
    void stampBlend(int i0, int i1, int j0, int j1, std::int64_t left, std::int64_t bottom,
                    SpeckleTest& speckle);
    void stampColourPerPoint(int i0, int i1, int j0, int j1, std::int64_t left, std::int64_t bottom,
                             SpeckleTest& speckle);
    // The constants of one blended stamp's rows. blendRows takes them by
    // value: a copy nothing else can reach, so they stay in registers across
    // the kernels' calls instead of being read again for every row.
    struct BlendPlan {
        int i0 = 0;
        int i1 = -1;
        std::int64_t left = 0;
        std::int64_t bottom = 0;
        std::int64_t width = 0; // the canvas's
        int images = 1;
        std::int64_t shift[2] = {0, 0};
        bool ordered = false;
        AddKernels add{};
    };
    // Blends rows from..to of the stamp, slot naming the thread (StampMask::forRows).
    void blendRows(BlendPlan plan, const SpeckleTest& speckle, int from, int to, int slot);
    void stampWithAction(int i0, int i1, int j0, int j1, std::int64_t left, std::int64_t bottom,
                         SpeckleTest& speckle);

    SplotState& state_;
    Canvas& canvas_;
    Random& random_;
    const PaintedAction& action_;
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

} // namespace splot
