#pragma once

#include "base/Limits.h"
#include "base/Numbers.h"
#include "base/Random.h"
#include "base/WorkerPool.h"
#include "paint/StampDraws.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace splot {

// The columns [lo, hi] of one row of a stamp's square that pass the strict
// distance test; empty when hi < lo.
struct StampSpan {
    int lo = 0;
    int hi = -1;
    bool empty() const { return hi < lo; }
};

// Which weight a fuzzy stamp gives a pixel at distance d from the pen
// (radius r, core radius m):
//   Paint:  (1 - (max(d - m, 0) / (r - m))^(1/4)) / 2, so 0.5 in the core;
//   Action: min(1 - (d - m) / (r - m), 1), so 1 in the core.
enum class WeightRule : std::uint8_t { Paint, Action };

// How a pixel's weight becomes the change of its three bytes, for one image
// of the stamp (the plain stamp has one image; the 3D stamp has a blue image
// at the pixel and a red image shifted by the depth). With a := weight x amount,
// negated when erasing, the change of byte c (0 blue, 1 green, 2 red) is
//   Round(coef[c] x a x scale), negated when subtract is true.
// scale is 1, or 0.5 for the mean of two paint components; the product is
// formed in that order so that every change is the one the blend formulas give.
struct BlendRecipe {
    double coef[3] = {0, 0, 0};
    double scale = 1;
    bool subtract = false;
    friend bool operator==(const BlendRecipe&, const BlendRecipe&) = default;
};

// The change of one byte, halves to even, bounded to -255..255 (a larger
// change saturates the byte just the same; NaN changes nothing, as roundEven
// gives 0 for it).
inline double roundedChange(double product) {
    const double v = roundEvenToDouble(product);
    return v < -255.0 ? -255.0 : (v > 255.0 ? 255.0 : (v == v ? v : 0.0));
}
inline int blendDelta(const BlendRecipe& recipe, int c, double a) {
    const int d = static_cast<int>(roundedChange(recipe.coef[c] * a * recipe.scale));
    return recipe.subtract ? -d : d;
}

// The row kernels of the stamp work in whole blocks of this many columns; rows
// of weights and changes have room for a block past the square's last column.
inline constexpr int kernelBlock = 16;
inline int paddedCount(int lo, int hi) {
    return (hi - lo + kernelBlock) / kernelBlock * kernelBlock;
}

// The per-stamp masks of the brush, cached while their inputs stay the same:
// mouse strokes stamp at whole pixels with an unchanged brush, so consecutive
// stamps reuse the spans, the weights and the byte changes.
//
// Square coordinates: column i and row j run 0..w-1; the pixel (i, j) lies at
// (i - h, j - h) from the stamp's centre pixel, h = floor(w / 2). The pen
// lies at (fx, fy) from the centre pixel, |fx|, |fy| <= 0.5.
class StampMask {
public:
    // The square, shape and sub-pixel pen offset. r = w / 2.
    void setGeometry(int w, bool square, double fx, double fy);
    int width() const { return w_; }
    const StampSpan& span(int j) const { return spans_[static_cast<std::size_t>(j)]; }

    // Fuzzy weights with core radius m (0 <= m < r). Call after setGeometry.
    void setWeights(WeightRule rule, double m);
    // Weights of row j, indexed by column; valid inside span(j).
    const double* weightRow(int j);

    // The byte changes of up to two images. fuzzy false means weight 1 for
    // every pixel; amount multiplies the weight (the clamped intensity, or 1
    // in 3D). Call after setWeights when fuzzy.
    void setDeltas(bool fuzzy, double amount, bool erase, const BlendRecipe* recipes, int images);
    // Three changes per column (blue, green, red) of image g in row j; valid
    // inside span(j). slot names the thread asking (WorkerPool), whose
    // scratch space is used.
    const std::int16_t* deltaRow(int g, int j, int slot = 0) {
        if (!fuzzy_)
            return flat_[g].data();
        const auto row = static_cast<std::size_t>(j);
        if (deltaRowGen_[g][row] != deltaGen_) {
            computeDeltas(g, j, slot);
            deltaRowGen_[g][row] = deltaGen_;
        }
        return deltas_[g].data() + row * rowStride() * 3;
    }

    // Whether row j's changes (fuzzy brush) are computed already: consecutive
    // stamps with the same brush and sub-pixel offset reuse them.
    bool deltasReady(int j) const {
        return !fuzzy_ || deltaRowGen_[0][static_cast<std::size_t>(j)] == deltaGen_;
    }

    // The work of a stamp, for deciding whether to share it among threads,
    // in units of one pixel blended with cached changes (about 0.15 ns here).
    static constexpr int workCachedPixel = 1;
    static constexpr int workSpecklePixel = 4;   // a cached blend with a speckle draw
    static constexpr int workComputedPixel = 10; // weights and changes computed, or colour draws
    // The least work that is shared: below it, waking the workers and
    // splitting the rows costs more than they save (measured with the stamp
    // benchmarks: shared cached stamps pay from about 500 x 500 pixels,
    // computed ones from about 150 x 150).
    static constexpr std::int64_t parallelWork = 240000;

    // Calls body(from, to, slot) for runs of rows that together cover
    // j0..j1 once, each run in order from its first row. A stamp of at least
    // parallelWork shares its rows among the pool's threads (pool may be
    // null: one thread), a row at a time; otherwise body(j0, j1, 0) runs them
    // all on the calling thread. The rows are independent but for the masks'
    // mirror copies, so a row and its mirror image always run on the same
    // thread; weightRow and deltaRow may then be called from every thread,
    // each for its own rows.
    template <class Body> void forRows(WorkerPool* pool, int j0, int j1, std::int64_t work, Body&& body) {
        if (pool == nullptr || !pool->shares(work, parallelWork) || j1 <= j0) {
            body(j0, j1, 0);
            return;
        }
        const RowPairs pairs = rowPairs(j0, j1);
        const int keys = pairs.last - pairs.first + 1;
        const int tasks = std::min(keys, pool->threads() * tasksPerThread);
        pool->run(tasks, [&](int task, int slot) {
            const int from = pairs.first + static_cast<int>(static_cast<std::int64_t>(keys) * task / tasks);
            const int to =
                pairs.first + static_cast<int>(static_cast<std::int64_t>(keys) * (task + 1) / tasks);
            for (int p = from; p < to; ++p) {
                if (p >= j0 && p <= j1)
                    body(p, p, slot);
                const int q = pairs.centre - p;
                if (pairs.mirrored && q != p && q >= j0 && q <= j1)
                    body(q, q, slot);
            }
        });
    }

private:
    // Rows grouped with their mirror images for forRows: key p stands for
    // rows p and centre - p (one row when not mirrored), p in first..last.
    struct RowPairs {
        int first = 0;
        int last = -1;
        int centre = 0;
        bool mirrored = false;
    };
    RowPairs rowPairs(int j0, int j1) const;
    // Parts per thread, so that a thread slowed by other work is made up for.
    static constexpr int tasksPerThread = 4;

    // Columns of a row's span split by the pen's mirror symmetry: the two
    // computed parts, and the copied part whose column i takes column centre - i.
    struct ColumnSplit {
        StampSpan computeRight;
        StampSpan computeLeft;
        StampSpan copy;
        int centre = 0;
    };
    std::size_t rowStride() const { return static_cast<std::size_t>(w_ + kernelBlock); }
    bool inside(int i, double dy) const;
    int mirrorRow(int j) const;
    ColumnSplit columnSplit(StampSpan s) const;
    void computeSpans();
    void computeWeights(int j);
    void computeDeltas(int g, int j, int slot);

    // Geometry.
    int w_ = 0;
    int h_ = 0;
    double r_ = 0;
    bool square_ = false;
    double fx_ = 0;
    double fy_ = 0;
    std::vector<StampSpan> spans_;
    bool mirrorX_ = false; // 2 fx and 2 fy are whole numbers kx, ky
    bool mirrorY_ = false;
    int mirrorKx_ = 0;
    int mirrorKy_ = 0;

    // Weights; a row is current when its generation matches.
    bool weightsValid_ = false;
    WeightRule rule_ = WeightRule::Paint;
    double m_ = 0;
    std::uint64_t weightGen_ = 1;
    std::vector<double> weights_;
    std::vector<std::uint64_t> weightRowGen_;

    // Byte changes.
    bool deltasValid_ = false;
    bool fuzzy_ = false;
    double amount_ = 0;
    bool erase_ = false;
    int images_ = 0;
    BlendRecipe recipes_[2];
    std::uint64_t deltaGen_ = 1;
    std::vector<std::int16_t> deltas_[2];
    std::vector<std::uint64_t> deltaRowGen_[2];
    std::vector<std::int16_t> flat_[2];                   // hard brush: one row serves every row
    std::vector<double> scratch_[WorkerPool::maxThreads]; // per slot
};

// The speckle test of one stamp. A pixel paints when Round(t + speckleOffset)
// < speckly for its draw t (0..99); that rounded sum never falls as t grows,
// so the painting draws are exactly t < threshold, and no draw is taken when
// the threshold is 0 or 100 (the outcome is certain).
class SpeckleTest {
public:
    SpeckleTest(Random& random, int speckly, double offset) : random_(random) {
        // The threshold is the first t (or 100) whose rounded sum reaches
        // speckly, found by halving 0..100.
        int above = tbSpecklyMax;
        while (threshold_ < above) {
            const int t = (threshold_ + above) / 2;
            if (roundEven(t + offset) < speckly)
                threshold_ = t + 1;
            else
                above = t;
        }
    }
    bool always() const { return threshold_ == tbSpecklyMax; }
    bool never() const { return threshold_ == 0; }
    int threshold() const { return threshold_; }

    // Keys the stamp's draws for a square of this width with one draw from
    // the program's generator, when any draw is needed: speckles, or colours
    // per pixel when colourDraws is true. Call once per stamp, before any
    // pixel is visited.
    void keyDraws(int width, bool colourDraws) {
        if (!always() || colourDraws)
            draws_ = StampDraws(random_.key(), width);
    }
    const StampDraws& draws() const { return draws_; }

    // Whether pixel (i, j) of the square paints.
    bool paints(int i, int j) const {
        return always() || draws_.draw(i, j, StampDraws::Stream::Speckle, tbSpecklyMax) <
                               static_cast<std::uint32_t>(threshold_);
    }
    // keep[3k..3k+2] := 0xFF when pixel (lo + k, j) paints, else 0, for k < n;
    // keep has room for 3 x drawRoom(n) bytes.
    void row(std::uint8_t* keep, int j, int lo, int n) const {
        speckleRow(draws_, j, lo, n, threshold_, keep);
    }

private:
    Random& random_;
    int threshold_ = 0;
    StampDraws draws_;
};

// bytes[k] := clamp(bytes[k] + deltas[k], 0, 255) for k < n.
void addClamped(std::uint8_t* bytes, const std::int16_t* deltas, std::size_t n);
// The same where keep[k] is non-zero; other bytes stay as they are.
void addClampedWhere(std::uint8_t* bytes, const std::int16_t* deltas, const std::uint8_t* keep,
                     std::size_t n);

// addClamped and addClampedWhere of the dispatch level in use, for a caller
// that looks them up once for many rows (the level changes only between
// stamps).
struct AddKernels {
    void (*add)(std::uint8_t* bytes, const std::int16_t* deltas, std::size_t n);
    void (*addWhere)(std::uint8_t* bytes, const std::int16_t* deltas, const std::uint8_t* keep,
                     std::size_t n);
};
AddKernels addKernels();

} // namespace splot
