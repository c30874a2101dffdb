#include "paint/StampKernel.h"

#include "paint/KMingo.h"

#include <algorithm>
#include <cmath>

namespace splot {

namespace {

// Fills o[lo..hi] with the weights of one row. The distance and weight are
// formed exactly as the plain per-pixel formulas do, so the cached values are
// bit for bit the ones a pixel-by-pixel stamp computes.
template <bool Square, WeightRule Rule>
void fillWeights(double* __restrict o, int lo, int hi, int h, double fx, double dy, double r, double m) {
    const double rm = r - m;
    for (int i = lo; i <= hi; ++i) {
        const double dx = static_cast<double>(i - h) - fx;
        const double d = KMingo::metric(dx, dy, Square);
        if constexpr (Rule == WeightRule::Paint) {
            const double q = std::max(d - m, 0.0) / rm;
            o[i] = (1 - std::sqrt(std::sqrt(q))) / 2;
        } else {
            o[i] = std::min(1 - (d - m) / rm, 1.0);
        }
    }
}

} // namespace

bool StampMask::inside(int i, double dy) const {
    return KMingo::metric(static_cast<double>(i - h_) - fx_, dy, square_) < r_;
}

void StampMask::setGeometry(int w, bool square, double fx, double fy) {
    if (w == w_ && square == square_ && fx == fx_ && fy == fy_ && !spans_.empty())
        return;
    w_ = w;
    h_ = w / 2;
    r_ = w / 2.0;
    square_ = square;
    fx_ = fx;
    fy_ = fy;
    computeSpans();
    weightsValid_ = false;
    deltasValid_ = false;
}

// The pixels of a row that pass the test form one run of columns around the
// centre column h: the computed |dx| grows monotonically away from h (|fx| <=
// 0.5), and squaring, adding and the square root keep that order. The run's
// ends are estimated from the circle equation and then settled with the exact
// test, which moves them by at most a pixel or two.
void StampMask::computeSpans() {
    spans_.assign(static_cast<std::size_t>(w_), StampSpan{});
    for (int j = 0; j < w_; ++j) {
        const double dy = static_cast<double>(j - h_) - fy_;
        if (!inside(h_, dy))
            continue;
        double t = r_;
        if (!square_) {
            const double t2 = r_ * r_ - dy * dy;
            t = t2 > 0 ? std::sqrt(t2) : 0;
        }
        int lo = std::clamp(static_cast<int>(std::floor(h_ + fx_ - t)) + 1, 0, h_);
        if (inside(lo, dy)) {
            while (lo > 0 && inside(lo - 1, dy))
                --lo;
        } else {
            while (!inside(lo, dy))
                ++lo;
        }
        int hi = std::clamp(static_cast<int>(std::ceil(h_ + fx_ + t)) - 1, h_, w_ - 1);
        if (inside(hi, dy)) {
            while (hi < w_ - 1 && inside(hi + 1, dy))
                ++hi;
        } else {
            while (!inside(hi, dy))
                --hi;
        }
        spans_[static_cast<std::size_t>(j)] = StampSpan{lo, hi};
    }
}

void StampMask::setWeights(WeightRule rule, double m) {
    if (weightsValid_ && rule == rule_ && m == m_)
        return;
    rule_ = rule;
    m_ = m;
    weightsValid_ = true;
    deltasValid_ = false;
    ++weightGen_;
    const std::size_t n = static_cast<std::size_t>(w_) * static_cast<std::size_t>(w_);
    if (weights_.size() < n)
        weights_.resize(n);
    if (weightRowGen_.size() < static_cast<std::size_t>(w_))
        weightRowGen_.resize(static_cast<std::size_t>(w_), 0);
}

const double* StampMask::weightRow(int j) {
    const std::size_t row = static_cast<std::size_t>(j);
    if (weightRowGen_[row] != weightGen_) {
        computeWeights(j);
        weightRowGen_[row] = weightGen_;
    }
    return weights_.data() + row * static_cast<std::size_t>(w_);
}

void StampMask::computeWeights(int j) {
    const StampSpan s = spans_[static_cast<std::size_t>(j)];
    if (s.empty())
        return;
    double* o = weights_.data() + static_cast<std::size_t>(j) * static_cast<std::size_t>(w_);
    const double dy = static_cast<double>(j - h_) - fy_;
    const bool paint = rule_ == WeightRule::Paint;
    if (square_) {
        if (paint)
            fillWeights<true, WeightRule::Paint>(o, s.lo, s.hi, h_, fx_, dy, r_, m_);
        else
            fillWeights<true, WeightRule::Action>(o, s.lo, s.hi, h_, fx_, dy, r_, m_);
    } else {
        if (paint)
            fillWeights<false, WeightRule::Paint>(o, s.lo, s.hi, h_, fx_, dy, r_, m_);
        else
            fillWeights<false, WeightRule::Action>(o, s.lo, s.hi, h_, fx_, dy, r_, m_);
    }
}

void StampMask::setDeltas(bool fuzzy, double amount, bool erase, const BlendRecipe* recipes, int images) {
    bool same = deltasValid_ && fuzzy == fuzzy_ && amount == amount_ && erase == erase_ && images == images_;
    for (int g = 0; same && g < images; ++g)
        same = recipes[g] == recipes_[g];
    if (same)
        return;
    fuzzy_ = fuzzy;
    amount_ = amount;
    erase_ = erase;
    images_ = images;
    deltasValid_ = true;
    ++deltaGen_;
    for (int g = 0; g < images; ++g) {
        recipes_[g] = recipes[g];
        if (!fuzzy) {
            // Every pixel has weight 1: one row of changes serves every row.
            double a = 1.0 * amount;
            if (erase)
                a = -a;
            std::int16_t pixel[3];
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<std::int16_t>(blendDelta(recipes[g], c, a));
            flat_[g].resize(static_cast<std::size_t>(w_) * 3);
            for (std::size_t i = 0; i < flat_[g].size(); i += 3)
                std::copy(pixel, pixel + 3, flat_[g].begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        const std::size_t n = static_cast<std::size_t>(w_) * static_cast<std::size_t>(w_) * 3;
        if (deltas_[g].size() < n)
            deltas_[g].resize(n);
        if (deltaRowGen_[g].size() < static_cast<std::size_t>(w_))
            deltaRowGen_[g].resize(static_cast<std::size_t>(w_), 0);
    }
}

const std::int16_t* StampMask::deltaRow(int g, int j) {
    if (!fuzzy_)
        return flat_[g].data();
    const std::size_t row = static_cast<std::size_t>(j);
    if (deltaRowGen_[g][row] != deltaGen_) {
        computeDeltas(g, j);
        deltaRowGen_[g][row] = deltaGen_;
    }
    return deltas_[g].data() + row * static_cast<std::size_t>(w_) * 3;
}

namespace {

// out[3 i + c] := the change of byte c for weights o[lo..hi]. Written channel
// by channel into planar scratch rows so that each loop vectorises, then
// interleaved; the arithmetic per value is blendDelta's.
void fillDeltas(std::int16_t* __restrict out, const double* __restrict o, int lo, int hi, double amount,
                double sign, const BlendRecipe& recipe, std::vector<double>& scratch) {
    const int n = hi - lo + 1;
    if (scratch.size() < static_cast<std::size_t>(n) * 4)
        scratch.resize(static_cast<std::size_t>(n) * 4);
    double* __restrict a = scratch.data();
    for (int k = 0; k < n; ++k)
        a[k] = o[lo + k] * amount * sign; // a = weight x amount, negated when erasing
    // Channels with the same coefficient share a plane; a zero coefficient
    // changes nothing (Round(0 x a) is 0).
    auto* planes = reinterpret_cast<std::int16_t*>(a + n);
    const std::int16_t* plane[3];
    const double scale = recipe.scale;
    const double flip = recipe.subtract ? -1.0 : 1.0;
    for (int c = 0; c < 3; ++c) {
        std::int16_t* __restrict p = planes + static_cast<std::ptrdiff_t>(c) * n;
        plane[c] = p;
        const double coef = recipe.coef[c];
        int same = 0;
        while (same < c && recipe.coef[same] != coef)
            ++same;
        if (same < c) {
            plane[c] = plane[same];
        } else if (coef == 0) {
            std::fill(p, p + n, std::int16_t{0});
        } else {
            for (int k = 0; k < n; ++k) {
                p[k] = static_cast<std::int16_t>(static_cast<int>(roundedChange(coef * a[k] * scale) * flip));
            }
        }
    }
    const std::int16_t* __restrict p0 = plane[0];
    const std::int16_t* __restrict p1 = plane[1];
    const std::int16_t* __restrict p2 = plane[2];
    std::int16_t* __restrict dst = out + 3 * static_cast<std::ptrdiff_t>(lo);
    for (int k = 0; k < n; ++k) {
        dst[3 * k] = p0[k];
        dst[3 * k + 1] = p1[k];
        dst[3 * k + 2] = p2[k];
    }
}

} // namespace

void StampMask::computeDeltas(int g, int j) {
    const StampSpan s = spans_[static_cast<std::size_t>(j)];
    if (s.empty())
        return;
    const double* o = weightRow(j);
    std::int16_t* out = deltas_[g].data() + static_cast<std::size_t>(j) * static_cast<std::size_t>(w_) * 3;
    // -x and x * -1 are the same number.
    fillDeltas(out, o, s.lo, s.hi, amount_, erase_ ? -1.0 : 1.0, recipes_[g], scratch_);
}

void addClamped(std::uint8_t* __restrict bytes, const std::int16_t* __restrict deltas, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) {
        const int v = bytes[k] + deltas[k];
        bytes[k] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

void addClampedWhere(std::uint8_t* __restrict bytes, const std::int16_t* __restrict deltas,
                     const std::uint8_t* __restrict keep, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) {
        const int v = bytes[k] + (keep[k] != 0 ? deltas[k] : 0);
        bytes[k] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

} // namespace splot
