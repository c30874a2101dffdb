#include "paint/StampKernel.h"

#include "paint/Dispatch.h"
#include "paint/KMingo.h"

#include <algorithm>
#include <cmath>
#include <immintrin.h>

namespace splot {

namespace {

// The per-row kernels below are written once as always-inlined bodies and
// compiled three times: for the x86-64 baseline, for AVX2 and for AVX-512.
// Every version does the same arithmetic in the same order (no fused
// multiply-add: the build turns contraction off), so they give the same bytes.
#define SPLOT_KERNEL_BODY [[gnu::always_inline]] inline

// Fills o[lo..hi] with the weights of one row. The distance and weight are
// formed exactly as the plain per-pixel formulas do, so the cached values are
// bit for bit the ones a pixel-by-pixel stamp computes.
template <bool Square, WeightRule Rule>
SPLOT_KERNEL_BODY void fillWeightsBody(double* __restrict o, int lo, int hi, int h, double fx, double dy,
                                       double r, double m) {
    const double rm = r - m;
    // Whole blocks of kernelBlock columns, so every column is done by the
    // vector loop; the columns past hi are computed too and never read.
    const int blocks = paddedCount(lo, hi) / kernelBlock;
    for (int b = 0; b < blocks; ++b) {
        double* __restrict ob = o + lo + b * kernelBlock;
        const double first = static_cast<double>(lo + b * kernelBlock - h);
        for (int k = 0; k < kernelBlock; ++k) {
            const double dx = (first + k) - fx;
            const double d = KMingo::metric(dx, dy, Square);
            if constexpr (Rule == WeightRule::Paint) {
                const double q = std::max(d - m, 0.0) / rm;
                ob[k] = (1 - std::sqrt(std::sqrt(q))) / 2;
            } else {
                ob[k] = std::min(1 - (d - m) / rm, 1.0);
            }
        }
    }
}

SPLOT_KERNEL_BODY void fillWeightsAny(double* __restrict o, int lo, int hi, int h, double fx, double dy,
                                      double r, double m, bool square, WeightRule rule) {
    const bool paint = rule == WeightRule::Paint;
    if (square) {
        if (paint)
            fillWeightsBody<true, WeightRule::Paint>(o, lo, hi, h, fx, dy, r, m);
        else
            fillWeightsBody<true, WeightRule::Action>(o, lo, hi, h, fx, dy, r, m);
    } else {
        if (paint)
            fillWeightsBody<false, WeightRule::Paint>(o, lo, hi, h, fx, dy, r, m);
        else
            fillWeightsBody<false, WeightRule::Action>(o, lo, hi, h, fx, dy, r, m);
    }
}

// out[3 i + c] := the change of byte c for weights o[lo..hi]. Written channel
// by channel into planar scratch rows (scratch: at least 4 (hi - lo + 1)
// doubles) so that each loop vectorises, then interleaved; the arithmetic per
// value is blendDelta's.
SPLOT_KERNEL_BODY void fillDeltasBody(std::int16_t* __restrict out, const double* __restrict o, int lo,
                                      int hi, double amount, double sign, const BlendRecipe& recipe,
                                      bool paintWeights, double* __restrict scratch) {
    const int n = paddedCount(lo, hi); // whole blocks: the columns past hi are never read
    double* __restrict a = scratch;
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
            for (int k = 0; k < n; ++k)
                p[k] = 0;
        } else if (paintWeights && std::fabs(coef * amount * scale) <= 510) {
            // Paint weights lie in 0..0.5, so every change is within
            // -255..255 here: the bounds and the NaN test of roundedChange
            // never apply. Round(-x) is -Round(x) and
            // (coef x a) x (-scale) is exactly -((coef x a) x scale), so the
            // sign of a subtraction rides on the scale. (The padding columns
            // past the span may hold other weights; they are never read.)
            const double signedScale = scale * flip;
            for (int k = 0; k < n; ++k)
                p[k] =
                    static_cast<std::int16_t>(static_cast<int>(roundEvenToDouble(coef * a[k] * signedScale)));
        } else {
            for (int k = 0; k < n; ++k)
                p[k] = static_cast<std::int16_t>(static_cast<int>(roundedChange(coef * a[k] * scale) * flip));
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

SPLOT_KERNEL_BODY void addClampedBody(std::uint8_t* __restrict bytes, const std::int16_t* __restrict deltas,
                                      std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) {
        const int v = bytes[k] + deltas[k];
        bytes[k] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

SPLOT_KERNEL_BODY void addClampedWhereBody(std::uint8_t* __restrict bytes,
                                           const std::int16_t* __restrict deltas,
                                           const std::uint8_t* __restrict keep, std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) {
        const int v = bytes[k] + (keep[k] != 0 ? deltas[k] : 0);
        bytes[k] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
}

// One set of the stamp's kernels, compiled for one level.
struct StampKernels {
    void (*fillWeights)(double*, int, int, int, double, double, double, double, bool, WeightRule);
    void (*fillDeltas)(std::int16_t*, const double*, int, int, double, double, const BlendRecipe&, bool,
                       double*);
    void (*addClamped)(std::uint8_t*, const std::int16_t*, std::size_t);
    void (*addClampedWhere)(std::uint8_t*, const std::int16_t*, const std::uint8_t*, std::size_t);
};

#define SPLOT_STAMP_ROW_KERNELS(Suffix, Target)                                                              \
    Target void fillWeights##Suffix(double* o, int lo, int hi, int h, double fx, double dy, double r,        \
                                    double m, bool square, WeightRule rule) {                                \
        fillWeightsAny(o, lo, hi, h, fx, dy, r, m, square, rule);                                            \
    }                                                                                                        \
    Target void fillDeltas##Suffix(std::int16_t* out, const double* o, int lo, int hi, double amount,        \
                                   double sign, const BlendRecipe& recipe, bool paintWeights,                \
                                   double* scratch) {                                                        \
        fillDeltasBody(out, o, lo, hi, amount, sign, recipe, paintWeights, scratch);                         \
    }

SPLOT_STAMP_ROW_KERNELS(Baseline, )
SPLOT_STAMP_ROW_KERNELS(Avx2, SPLOT_TARGET_AVX2)
SPLOT_STAMP_ROW_KERNELS(Avx512, SPLOT_TARGET_AVX512)

void addClampedBaseline(std::uint8_t* bytes, const std::int16_t* deltas, std::size_t n) {
    addClampedBody(bytes, deltas, n);
}
void addClampedWhereBaseline(std::uint8_t* bytes, const std::int16_t* deltas, const std::uint8_t* keep,
                             std::size_t n) {
    addClampedWhereBody(bytes, deltas, keep, n);
}

// The byte additions written out for the wide levels: the compiler widens
// the plain loop to 32-bit lanes and finishes each row byte by byte. The sum
// of a byte and a change lies in -255..510, so 16-bit lanes hold it, and an
// unsigned saturating narrowing is exactly the clamp to 0..255.

SPLOT_TARGET_AVX2 void addClampedWideAvx2(std::uint8_t* bytes, const std::int16_t* deltas,
                                          const std::uint8_t* keep, std::size_t n) {
    std::size_t k = 0;
    for (; k + 16 <= n; k += 16) {
        __m256i change = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(deltas + k));
        if (keep != nullptr) {
            const __m128i skip = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(keep + k)),
                                                _mm_setzero_si128());
            change = _mm256_andnot_si256(_mm256_cvtepi8_epi16(skip), change);
        }
        const __m256i sum = _mm256_add_epi16(
            _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + k))), change);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes + k),
                         _mm_packus_epi16(_mm256_castsi256_si128(sum), _mm256_extracti128_si256(sum, 1)));
    }
    if (keep != nullptr)
        addClampedWhereBody(bytes + k, deltas + k, keep + k, n - k);
    else
        addClampedBody(bytes + k, deltas + k, n - k);
}

// Whole blocks of 64 bytes narrow with a saturating pack, which works within
// 128-bit lanes, so a permutation puts the eight 8-byte groups back in order;
// masked loads and stores finish the row without a byte loop.
SPLOT_TARGET_AVX512 void addClampedWideAvx512(std::uint8_t* bytes, const std::int16_t* deltas,
                                              const std::uint8_t* keep, std::size_t n) {
    const __m512i order = _mm512_set_epi64(7, 5, 3, 1, 6, 4, 2, 0);
    std::size_t k = 0;
    for (; k + 64 <= n; k += 64) {
        __m512i low = _mm512_loadu_si512(deltas + k);
        __m512i high = _mm512_loadu_si512(deltas + k + 32);
        if (keep != nullptr) {
            const __m512i flags = _mm512_loadu_si512(keep + k);
            const __mmask64 use = _mm512_test_epi8_mask(flags, flags);
            low = _mm512_maskz_mov_epi16(static_cast<__mmask32>(use), low);
            high = _mm512_maskz_mov_epi16(static_cast<__mmask32>(use >> 32), high);
        }
        const __m512i sumLow = _mm512_add_epi16(
            _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + k))), low);
        const __m512i sumHigh = _mm512_add_epi16(
            _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + k + 32))), high);
        const __m512i packed = _mm512_packus_epi16(sumLow, sumHigh);
        _mm512_storeu_si512(bytes + k, _mm512_maskz_permutexvar_epi64(0xFF, order, packed));
    }
    const __m512i zero = _mm512_setzero_si512();
    for (; k < n; k += 32) {
        const __mmask32 m = n - k >= 32 ? ~__mmask32{0} : _bzhi_u32(~0u, static_cast<unsigned>(n - k));
        __mmask32 use = m;
        if (keep != nullptr) {
            const __m256i flags = _mm256_maskz_loadu_epi8(m, keep + k);
            use = _mm256_test_epi8_mask(flags, flags);
        }
        const __m512i change = _mm512_maskz_loadu_epi16(use, deltas + k);
        const __m512i sum =
            _mm512_add_epi16(_mm512_cvtepu8_epi16(_mm256_maskz_loadu_epi8(m, bytes + k)), change);
        _mm256_mask_storeu_epi8(bytes + k, m, _mm512_maskz_cvtusepi16_epi8(m, _mm512_max_epi16(sum, zero)));
    }
}

SPLOT_TARGET_AVX2 void addClampedAvx2(std::uint8_t* bytes, const std::int16_t* deltas, std::size_t n) {
    addClampedWideAvx2(bytes, deltas, nullptr, n);
}
SPLOT_TARGET_AVX2 void addClampedWhereAvx2(std::uint8_t* bytes, const std::int16_t* deltas,
                                           const std::uint8_t* keep, std::size_t n) {
    addClampedWideAvx2(bytes, deltas, keep, n);
}
SPLOT_TARGET_AVX512 void addClampedAvx512(std::uint8_t* bytes, const std::int16_t* deltas, std::size_t n) {
    addClampedWideAvx512(bytes, deltas, nullptr, n);
}
SPLOT_TARGET_AVX512 void addClampedWhereAvx512(std::uint8_t* bytes, const std::int16_t* deltas,
                                               const std::uint8_t* keep, std::size_t n) {
    addClampedWideAvx512(bytes, deltas, keep, n);
}

constexpr StampKernels stampKernelsBaseline{fillWeightsBaseline, fillDeltasBaseline, addClampedBaseline,
                                            addClampedWhereBaseline};
constexpr StampKernels stampKernelsAvx2{fillWeightsAvx2, fillDeltasAvx2, addClampedAvx2, addClampedWhereAvx2};
constexpr StampKernels stampKernelsAvx512{fillWeightsAvx512, fillDeltasAvx512, addClampedAvx512,
                                          addClampedWhereAvx512};

const StampKernels& stampKernels() {
    switch (dispatchLevel()) {
    case DispatchLevel::Avx512:
        return stampKernelsAvx512;
    case DispatchLevel::Avx2:
        return stampKernelsAvx2;
    case DispatchLevel::Baseline:
        break;
    }
    return stampKernelsBaseline;
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
    const double kx = 2 * fx;
    const double ky = 2 * fy;
    mirrorX_ = kx == std::floor(kx);
    mirrorY_ = ky == std::floor(ky);
    mirrorKx_ = mirrorX_ ? static_cast<int>(kx) : 0;
    mirrorKy_ = mirrorY_ ? static_cast<int>(ky) : 0;
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
    const std::size_t n = rowStride() * static_cast<std::size_t>(w_);
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
    return weights_.data() + row * rowStride();
}

// When the pen sits on a whole or half pixel, the square is symmetric about
// the pen: column i and column c - i (c = 2h + 2fx) lie at opposite offsets
// dx of exactly the same size, and likewise rows j and 2h + 2fy - j, so their
// weights and changes are equal bit for bit and are copied instead of computed.
// Mouse strokes always stamp on whole pixels.
int StampMask::mirrorRow(int j) const {
    if (!mirrorY_)
        return -1;
    const int m = 2 * h_ + mirrorKy_ - j;
    if (m < 0 || m >= w_ || m == j)
        return -1;
    const StampSpan a = spans_[static_cast<std::size_t>(j)];
    const StampSpan b = spans_[static_cast<std::size_t>(m)];
    return a.lo == b.lo && a.hi == b.hi ? m : -1;
}

StampMask::RowPairs StampMask::rowPairs(int j0, int j1) const {
    if (!mirrorY_)
        return RowPairs{j0, j1, 0, false};
    // Key min(j, c - j) of row j runs down to the middle c / 2 and up again.
    const int c = 2 * h_ + mirrorKy_;
    const int half = c >= 0 ? c / 2 : -((1 - c) / 2); // floor(c / 2)
    const int first = std::min(j0, c - j1);
    const int last = j1 < half ? j1 : (j0 > half ? c - j0 : half);
    return RowPairs{first, last, c, true};
}

StampMask::ColumnSplit StampMask::columnSplit(StampSpan s) const {
    if (!mirrorX_)
        return ColumnSplit{s, StampSpan{}, StampSpan{}, 0};
    const int c = 2 * h_ + mirrorKx_;
    const int mid = (c + 1) / 2; // columns from mid on are at or right of the pen
    const int firstCopy = std::max(s.lo, c - s.hi);
    ColumnSplit split;
    split.computeRight = StampSpan{std::max(s.lo, mid), s.hi};
    split.computeLeft = StampSpan{s.lo, std::min(mid, firstCopy) - 1};
    split.copy = StampSpan{firstCopy, std::min(mid, s.hi + 1) - 1};
    split.centre = c;
    return split;
}

void StampMask::computeWeights(int j) {
    const StampSpan s = spans_[static_cast<std::size_t>(j)];
    if (s.empty())
        return;
    const std::size_t stride = rowStride();
    double* o = weights_.data() + static_cast<std::size_t>(j) * stride;
    const int m = mirrorRow(j);
    if (m >= 0 && weightRowGen_[static_cast<std::size_t>(m)] == weightGen_) {
        const double* from = weights_.data() + static_cast<std::size_t>(m) * stride;
        std::copy(from + s.lo, from + s.hi + 1, o + s.lo);
        return;
    }
    const double dy = static_cast<double>(j - h_) - fy_;
    const ColumnSplit split = columnSplit(s);
    for (const StampSpan part : {split.computeRight, split.computeLeft})
        if (!part.empty())
            stampKernels().fillWeights(o, part.lo, part.hi, h_, fx_, dy, r_, m_, square_, rule_);
    for (int i = split.copy.lo; i <= split.copy.hi; ++i)
        o[i] = o[split.centre - i];
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
        const std::size_t n = rowStride() * static_cast<std::size_t>(w_) * 3;
        if (deltas_[g].size() < n)
            deltas_[g].resize(n);
        if (deltaRowGen_[g].size() < static_cast<std::size_t>(w_))
            deltaRowGen_[g].resize(static_cast<std::size_t>(w_), 0);
    }
}

void StampMask::computeDeltas(int g, int j, int slot) {
    const StampSpan s = spans_[static_cast<std::size_t>(j)];
    if (s.empty())
        return;
    const std::size_t stride = rowStride() * 3;
    std::int16_t* out = deltas_[g].data() + static_cast<std::size_t>(j) * stride;
    const int m = mirrorRow(j);
    if (m >= 0 && deltaRowGen_[g][static_cast<std::size_t>(m)] == deltaGen_) {
        const std::int16_t* from = deltas_[g].data() + static_cast<std::size_t>(m) * stride;
        std::copy(from + 3 * s.lo, from + 3 * (s.hi + 1), out + 3 * s.lo);
        return;
    }
    const double* o = weightRow(j);
    const std::size_t n = static_cast<std::size_t>(paddedCount(s.lo, s.hi));
    std::vector<double>& scratch = scratch_[slot];
    if (scratch.size() < n * 4)
        scratch.resize(n * 4);
    const ColumnSplit split = columnSplit(s);
    // -x and x * -1 are the same number.
    for (const StampSpan part : {split.computeRight, split.computeLeft})
        if (!part.empty())
            stampKernels().fillDeltas(out, o, part.lo, part.hi, amount_, erase_ ? -1.0 : 1.0, recipes_[g],
                                      rule_ == WeightRule::Paint, scratch.data());
    for (int i = split.copy.lo; i <= split.copy.hi; ++i)
        std::copy(out + 3 * (split.centre - i), out + 3 * (split.centre - i) + 3, out + 3 * i);
}

void addClamped(std::uint8_t* bytes, const std::int16_t* deltas, std::size_t n) {
    stampKernels().addClamped(bytes, deltas, n);
}

void addClampedWhere(std::uint8_t* bytes, const std::int16_t* deltas, const std::uint8_t* keep,
                     std::size_t n) {
    stampKernels().addClampedWhere(bytes, deltas, keep, n);
}

AddKernels addKernels() {
    const StampKernels& kernels = stampKernels();
    return AddKernels{kernels.addClamped, kernels.addClampedWhere};
}

} // namespace splot
