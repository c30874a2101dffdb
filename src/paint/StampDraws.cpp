#include "paint/StampDraws.h"

#include "base/Limits.h"
#include "paint/Dispatch.h"
#include "paint/StampKernel.h"

#include <algorithm>
#include <cmath>
#include <immintrin.h>

namespace splot {

namespace {

// The row kernels are written once as always-inlined bodies and compiled for
// the x86-64 baseline, AVX2 and AVX-512, like the stamp's other kernels; all
// give the same numbers. Rows are done in whole blocks of drawBlock pixels,
// whose intermediate values stay on the stack; the loops have a fixed count,
// so the wide versions need no scalar tail.
#define SPLOT_KERNEL_BODY [[gnu::always_inline]] inline
constexpr int block = drawBlock;

using Stream = StampDraws::Stream;

// A speckle draw t (Lemire: t = floor(h x 100 / 2^32) for the hash h) is below
// threshold exactly when h < ceil(threshold x 2^32 / 100); the attempt is
// rejected when the low half of h x 100 is below 2^32 mod 100.
constexpr std::uint32_t speckleRejectBelow = (0U - tbSpecklyMax) % tbSpecklyMax;
std::uint32_t speckleLimit(int threshold) {
    const std::uint64_t scaled = static_cast<std::uint64_t>(threshold) << 32;
    return static_cast<std::uint32_t>((scaled + tbSpecklyMax - 1) / tbSpecklyMax);
}

SPLOT_KERNEL_BODY void speckleRowBody(const StampDraws& draws, int j, int lo, int n, int threshold,
                                      std::uint8_t* __restrict keep) {
    const std::uint32_t limit = speckleLimit(threshold);
    const std::uint32_t key = draws.streamKey(Stream::Speckle, 0);
    const std::uint32_t base = draws.counter(lo, j);
    for (int b = 0; b < n; b += block) {
        const int m = std::min(block, n - b);
        alignas(64) std::uint8_t flag[block];
        std::uint32_t rejected = 0;
        for (int k = 0; k < block; ++k) {
            const std::uint32_t h =
                StampDraws::mix(draws.first(base + static_cast<std::uint32_t>(b + k)) ^ key);
            flag[k] = h < limit ? 0xFF : 0;
            rejected |=
                static_cast<std::uint32_t>(h * static_cast<std::uint32_t>(tbSpecklyMax) < speckleRejectBelow);
        }
        if (rejected != 0) [[unlikely]] {
            for (int k = 0; k < m; ++k) {
                const std::uint32_t h =
                    StampDraws::mix(draws.first(base + static_cast<std::uint32_t>(b + k)) ^ key);
                if (h * static_cast<std::uint32_t>(tbSpecklyMax) < speckleRejectBelow)
                    flag[k] = draws.draw(lo + b + k, j, Stream::Speckle, tbSpecklyMax) <
                                      static_cast<std::uint32_t>(threshold)
                                  ? 0xFF
                                  : 0;
            }
        }
        std::uint8_t* __restrict out = keep + 3 * static_cast<std::ptrdiff_t>(b);
        for (int k = 0; k < block; ++k) {
            out[3 * k] = flag[k];
            out[3 * k + 1] = flag[k];
            out[3 * k + 2] = flag[k];
        }
    }
}

// One colour stream of a block: draws below n for the pixels whose first hash
// halves are given; returns whether any attempt was rejected.
SPLOT_KERNEL_BODY std::uint32_t colourDraws(const std::uint32_t* __restrict first, std::uint32_t key,
                                            std::uint32_t n, std::uint32_t* __restrict out) {
    const std::uint32_t threshold = n == 0 ? 0 : (0U - n) % n;
    std::uint32_t rejected = 0;
    for (int k = 0; k < block; ++k) {
        const std::uint64_t product = static_cast<std::uint64_t>(StampDraws::mix(first[k] ^ key)) * n;
        out[k] = static_cast<std::uint32_t>(product >> 32);
        rejected |= static_cast<std::uint32_t>(static_cast<std::uint32_t>(product) < threshold);
    }
    return rejected;
}

// The change of one byte, as blendDelta gives it: Round(product) bounded to
// -255..255, NaN giving 0, negated when subtracting. Within a byte's range
// (Bounded) the bounds and the NaN test never apply.
template <bool Bounded> SPLOT_KERNEL_BODY std::int16_t change(double product, bool subtract) {
    const int d = static_cast<int>(Bounded ? roundEvenToDouble(product) : roundedChange(product));
    return static_cast<std::int16_t>(subtract ? -d : d);
}

template <bool White, bool Weighted, bool Bounded>
SPLOT_KERNEL_BODY void colourDeltaRowBody(const StampDraws& draws, int j, int lo, int n,
                                          const PointColours& colours, const double* __restrict weights,
                                          std::int16_t* __restrict deltas) {
    const std::uint32_t bound[3] = {colours.red, colours.green, colours.blue};
    const Stream streams[3] = {Stream::Red, Stream::Green, Stream::Blue};
    std::uint32_t keys[3];
    for (int s = 0; s < 3; ++s)
        keys[s] = draws.streamKey(streams[s], 0);
    const std::uint32_t base = draws.counter(lo, j);
    const double amount = colours.amount;
    for (int b = 0; b < n; b += block) {
        const int m = std::min(block, n - b);
        alignas(64) std::uint32_t first[block];
        alignas(64) std::uint32_t drawn[3][block]; // red, green, blue
        for (int k = 0; k < block; ++k)
            first[k] = draws.first(base + static_cast<std::uint32_t>(b + k));
        for (int s = 0; s < 3; ++s) {
            if (colourDraws(first, keys[s], bound[s], drawn[s]) != 0) [[unlikely]] {
                for (int k = 0; k < m; ++k)
                    drawn[s][k] = draws.draw(lo + b + k, j, streams[s], bound[s]);
            }
        }
        // The weights of a last, partial block, padded with zeros.
        alignas(64) double tail[block];
        const double* __restrict weight = Weighted ? weights + b : nullptr;
        if (Weighted && m < block) {
            std::copy(weight, weight + m, tail);
            std::fill(tail + m, tail + block, 0.0);
            weight = tail;
        }
        // The colour as the painting state holds it (ints), the blend's
        // coefficients as doubles.
        alignas(64) std::int16_t plane[3][block]; // blue, green, red bytes
        for (int k = 0; k < block; ++k) {
            const double r = static_cast<int>(drawn[0][k]);
            const double g = static_cast<int>(drawn[1][k]);
            const double bl = static_cast<int>(drawn[2][k]);
            const double a = (Weighted ? weight[k] : 1.0) * amount;
            if constexpr (White) {
                // Each channel loses the mean of the other two paint components.
                plane[0][k] = change<Bounded>((r + g) * a * 0.5, true);
                plane[1][k] = change<Bounded>((r + bl) * a * 0.5, true);
                plane[2][k] = change<Bounded>((g + bl) * a * 0.5, true);
            } else {
                plane[0][k] = change<Bounded>(bl * a * 1.0, false);
                plane[1][k] = change<Bounded>(g * a * 1.0, false);
                plane[2][k] = change<Bounded>(r * a * 1.0, false);
            }
        }
        std::int16_t* __restrict out = deltas + 3 * static_cast<std::ptrdiff_t>(b);
        for (int k = 0; k < block; ++k) {
            out[3 * k] = plane[0][k];
            out[3 * k + 1] = plane[1][k];
            out[3 * k + 2] = plane[2][k];
        }
    }
}

template <bool White, bool Weighted>
SPLOT_KERNEL_BODY void colourDeltaRowBounds(const StampDraws& draws, int j, int lo, int n,
                                            const PointColours& colours, const double* weights,
                                            std::int16_t* deltas) {
    // Weights lie in 0..1 (paint weights in 0..0.5), so with colours below
    // 256 and an amount within -1..1 every change is within -255..255.
    const bool bounded =
        colours.red <= 256 && colours.green <= 256 && colours.blue <= 256 && std::fabs(colours.amount) <= 1;
    if (bounded)
        colourDeltaRowBody<White, Weighted, true>(draws, j, lo, n, colours, weights, deltas);
    else
        colourDeltaRowBody<White, Weighted, false>(draws, j, lo, n, colours, weights, deltas);
}

SPLOT_KERNEL_BODY void colourDeltaRowAny(const StampDraws& draws, int j, int lo, int n,
                                         const PointColours& colours, const double* weights,
                                         std::int16_t* deltas) {
    if (colours.backgroundIsWhite) {
        if (weights != nullptr)
            colourDeltaRowBounds<true, true>(draws, j, lo, n, colours, weights, deltas);
        else
            colourDeltaRowBounds<true, false>(draws, j, lo, n, colours, weights, deltas);
    } else {
        if (weights != nullptr)
            colourDeltaRowBounds<false, true>(draws, j, lo, n, colours, weights, deltas);
        else
            colourDeltaRowBounds<false, false>(draws, j, lo, n, colours, weights, deltas);
    }
}

#define SPLOT_SPECKLE_ROW_KERNEL(Suffix, Target)                                                             \
    Target void speckleRow##Suffix(const StampDraws& draws, int j, int lo, int n, int threshold,             \
                                   std::uint8_t* keep) {                                                     \
        speckleRowBody(draws, j, lo, n, threshold, keep);                                                    \
    }
#define SPLOT_COLOUR_ROW_KERNEL(Suffix, Target)                                                              \
    Target void colourDeltaRow##Suffix(const StampDraws& draws, int j, int lo, int n,                        \
                                       const PointColours& colours, const double* weights,                   \
                                       std::int16_t* deltas) {                                               \
        colourDeltaRowAny(draws, j, lo, n, colours, weights, deltas);                                        \
    }

SPLOT_SPECKLE_ROW_KERNEL(Baseline, )
SPLOT_SPECKLE_ROW_KERNEL(Avx2, SPLOT_TARGET_AVX2)
SPLOT_COLOUR_ROW_KERNEL(Baseline, )
SPLOT_COLOUR_ROW_KERNEL(Avx2, SPLOT_TARGET_AVX2)
SPLOT_COLOUR_ROW_KERNEL(Avx512, SPLOT_TARGET_AVX512)

// The speckle row written out for AVX-512: sixteen pixels at a time, whose
// outcomes become a mask and then the 48 bytes of keep by three byte
// shuffles, with no tail beyond the last sixteen.
using Lanes16 = std::uint32_t __attribute__((vector_size(64)));

SPLOT_TARGET_AVX512 Lanes16 mixAvx512(Lanes16 x) {
    x ^= x >> 16;
    x *= 0x7FEB352DU;
    x ^= x >> 15;
    x *= 0x846CA68BU;
    x ^= x >> 16;
    return x;
}

SPLOT_TARGET_AVX512 void speckleRowAvx512(const StampDraws& draws, int j, int lo, int n, int threshold,
                                          std::uint8_t* keep) {
    const __m512i limit = _mm512_set1_epi32(static_cast<int>(speckleLimit(threshold)));
    const std::uint32_t key0 = draws.counterKey();
    const std::uint32_t key = draws.streamKey(Stream::Speckle, 0);
    const __m512i rejectBelow = _mm512_set1_epi32(static_cast<int>(speckleRejectBelow));
    const __m128i spread0 = _mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5);
    const __m128i spread1 = _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10);
    const __m128i spread2 = _mm_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15);
    Lanes16 counter = Lanes16{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15} + draws.counter(lo, j);
    for (int k = 0; k < n; k += 16) {
        const Lanes16 hash = mixAvx512(mixAvx512(counter ^ key0) ^ key);
        const Lanes16 low = hash * static_cast<std::uint32_t>(tbSpecklyMax);
        __mmask16 paints = _mm512_cmplt_epu32_mask(reinterpret_cast<const __m512i&>(hash), limit);
        const __mmask16 rejected =
            _mm512_cmplt_epu32_mask(reinterpret_cast<const __m512i&>(low), rejectBelow);
        if (rejected != 0) [[unlikely]] {
            for (int lane = 0; lane < 16; ++lane)
                if ((rejected >> lane) & 1U) {
                    const bool p = draws.draw(lo + k + lane, j, Stream::Speckle, tbSpecklyMax) <
                                   static_cast<std::uint32_t>(threshold);
                    paints =
                        static_cast<__mmask16>((paints & ~(1U << lane)) | (static_cast<unsigned>(p) << lane));
                }
        }
        const __m128i flags = _mm_movm_epi8(paints);
        std::uint8_t* out = keep + 3 * static_cast<std::ptrdiff_t>(k);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(flags, spread0));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), _mm_shuffle_epi8(flags, spread1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 32), _mm_shuffle_epi8(flags, spread2));
        counter += 16;
    }
}

} // namespace

void speckleRow(const StampDraws& draws, int j, int lo, int n, int threshold, std::uint8_t* keep) {
    switch (dispatchLevel()) {
    case DispatchLevel::Avx512:
        return speckleRowAvx512(draws, j, lo, n, threshold, keep);
    case DispatchLevel::Avx2:
        return speckleRowAvx2(draws, j, lo, n, threshold, keep);
    case DispatchLevel::Baseline:
        break;
    }
    speckleRowBaseline(draws, j, lo, n, threshold, keep);
}

void colourDeltaRow(const StampDraws& draws, int j, int lo, int n, const PointColours& colours,
                    const double* weights, std::int16_t* deltas) {
    switch (dispatchLevel()) {
    case DispatchLevel::Avx512:
        return colourDeltaRowAvx512(draws, j, lo, n, colours, weights, deltas);
    case DispatchLevel::Avx2:
        return colourDeltaRowAvx2(draws, j, lo, n, colours, weights, deltas);
    case DispatchLevel::Baseline:
        break;
    }
    colourDeltaRowBaseline(draws, j, lo, n, colours, weights, deltas);
}

} // namespace splot
