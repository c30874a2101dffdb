#include "view/DisplayKernels.h"

#include "paint/Dispatch.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <immintrin.h>

// The kernels of the averaged view (below 100 %): column sums over the
// picture rows of a device row, and the averages of runs of columns.

namespace splot {

namespace {

// One pixel's blue, green and red bytes as the 16-bit lanes of a word.
inline std::uint64_t packedPixel(const std::uint8_t* p) {
    return std::uint64_t(p[0]) | (std::uint64_t(p[1]) << 16) | (std::uint64_t(p[2]) << 32);
}

// Pixels `from`..pixels-1 of the column sums, one by one.
inline void sumColumnsTail(const std::uint8_t* bytes, std::size_t stride, int rows, std::uint64_t* out,
                           int from, int pixels) {
    for (int p = from; p < pixels; ++p)
        out[p] = packedPixel(bytes + static_cast<std::size_t>(p) * 3);
    for (int r = 1; r < rows; ++r) {
        bytes += stride;
        for (int p = from; p < pixels; ++p)
            out[p] += packedPixel(bytes + static_cast<std::size_t>(p) * 3);
    }
}

void sumColumnsBaseline(const std::uint8_t* bytes, std::size_t stride, int rows, std::uint64_t* out,
                        int pixels) {
    sumColumnsTail(bytes, stride, rows, out, 0, pixels);
}

// Four pixels spread to blue, green, red, zero and widened to 16 bits: the
// 16 bytes read start at `at` and must lie inside the row.
SPLOT_TARGET_AVX2 inline __m256i widenedFourAvx2(const std::uint8_t* at) {
    const __m128i spread4 = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    return _mm256_cvtepu8_epi16(
        _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), spread4));
}

// Each block of pixels keeps its sums in registers over all the rows and is
// stored once; a 16-byte read stays inside the row while six pixels remain.
SPLOT_TARGET_AVX2 void sumColumnsAvx2(const std::uint8_t* bytes, std::size_t stride, int rows,
                                      std::uint64_t* out, int pixels) {
    int p = 0;
    for (; p + 10 <= pixels; p += 8) {
        const std::uint8_t* s = bytes + static_cast<std::size_t>(p) * 3;
        __m256i low = widenedFourAvx2(s), high = widenedFourAvx2(s + 12);
        for (int r = 1; r < rows; ++r) {
            s += stride;
            low = _mm256_add_epi16(low, widenedFourAvx2(s));
            high = _mm256_add_epi16(high, widenedFourAvx2(s + 12));
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + p), low);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + p + 4), high);
    }
    for (; p + 6 <= pixels; p += 4) {
        const std::uint8_t* s = bytes + static_cast<std::size_t>(p) * 3;
        __m256i sum = widenedFourAvx2(s);
        for (int r = 1; r < rows; ++r)
            sum = _mm256_add_epi16(sum, widenedFourAvx2(s += stride));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + p), sum);
    }
    sumColumnsTail(bytes, stride, rows, out, p, pixels);
}

// The sums of sixteen pixels (48 bytes) over the rows, in the bytes' own
// order: bytes 0..31 in `low`, 32..47 in `high`. Masked reads take only the
// bytes the masks name (the last block of a row); the others fold the read
// into the widening.
template <bool masked>
SPLOT_TARGET_AVX512 inline void readBlockAvx512(const std::uint8_t* at, __mmask32 lowMask, __mmask16 highMask,
                                                __m512i& low, __m256i& high) {
    if constexpr (masked) {
        low = _mm512_cvtepu8_epi16(_mm256_maskz_loadu_epi8(lowMask, at));
        high = _mm256_cvtepu8_epi16(_mm_maskz_loadu_epi8(highMask, at + 32));
    } else {
        low = _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)));
        high = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 32)));
    }
}

// How far ahead of a block each row is fetched into the cache: the rows
// advance slowly side by side, which the processor's own prefetch follows
// poorly (a whole 5000 x 5000 picture at 20 % reads about a third faster
// with it).
constexpr int prefetchAhead = 1024;

template <bool masked>
SPLOT_TARGET_AVX512 inline void sumBlockAvx512(const std::uint8_t* s, std::size_t stride, int rows,
                                               __mmask32 lowMask, __mmask16 highMask, __m512i& low,
                                               __m256i& high) {
    _mm_prefetch(reinterpret_cast<const char*>(s) + prefetchAhead, _MM_HINT_T0);
    readBlockAvx512<masked>(s, lowMask, highMask, low, high);
    for (int r = 1; r < rows; ++r) {
        __m512i l;
        __m256i h;
        s += stride;
        _mm_prefetch(reinterpret_cast<const char*>(s) + prefetchAhead, _MM_HINT_T0);
        readBlockAvx512<masked>(s, lowMask, highMask, l, h);
        low = _mm512_add_epi16(low, l);
        high = _mm256_add_epi16(high, h);
    }
}

// The sums of 32 pixels (96 bytes) over the rows, in the bytes' own order:
// three times 32 bytes widened to 16 bits, three widenings where sixteen
// pixels a block take four.
SPLOT_TARGET_AVX512 inline void sumWideBlockAvx512(const std::uint8_t* s, std::size_t stride, int rows,
                                                   __m512i sums[3]) {
    _mm_prefetch(reinterpret_cast<const char*>(s) + prefetchAhead, _MM_HINT_T0);
    _mm_prefetch(reinterpret_cast<const char*>(s) + prefetchAhead + 64, _MM_HINT_T0);
    for (int i = 0; i < 3; ++i)
        sums[i] = _mm512_cvtepu8_epi16(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 32 * i)));
    for (int r = 1; r < rows; ++r) {
        s += stride;
        _mm_prefetch(reinterpret_cast<const char*>(s) + prefetchAhead, _MM_HINT_T0);
        _mm_prefetch(reinterpret_cast<const char*>(s) + prefetchAhead + 64, _MM_HINT_T0);
        for (int i = 0; i < 3; ++i)
            sums[i] = _mm512_add_epi16(sums[i], _mm512_cvtepu8_epi16(_mm256_loadu_si256(
                                                    reinterpret_cast<const __m256i*>(s + 32 * i))));
    }
}

// 32 pixels a block while they last, then sixteen, summed over the rows in
// registers and stored once as one word a pixel; the last block's reads and
// writes are masked to the row.
SPLOT_TARGET_AVX512 void sumColumnsAvx512(const std::uint8_t* bytes, std::size_t stride, int rows,
                                          std::uint64_t* out, int pixels) {
    // Lane 4c + k of the words of pixels 0..7 (and 8..15) takes 16-bit sum
    // 3c + k (24 + 3c + k; from 32 on the second source); lane 4c + 3 is zero.
    const __m512i first = _mm512_set_epi16(0, 23, 22, 21, 0, 20, 19, 18, 0, 17, 16, 15, 0, 14, 13, 12, 0, 11,
                                           10, 9, 0, 8, 7, 6, 0, 5, 4, 3, 0, 2, 1, 0);
    const __m512i second = _mm512_set_epi16(0, 47, 46, 45, 0, 44, 43, 42, 0, 41, 40, 39, 0, 38, 37, 36, 0, 35,
                                            34, 33, 0, 32, 31, 30, 0, 29, 28, 27, 0, 26, 25, 24);
    const __mmask32 colours = 0x77777777u;
    int p = 0;
    for (; p + 32 <= pixels; p += 32) {
        __m512i sums[3];
        sumWideBlockAvx512(bytes + static_cast<std::size_t>(p) * 3, stride, rows, sums);
        // Pixels 16..23 are sums 48..71, lanes 16.. of the second vector on;
        // pixels 24..31 sums 72..95, lanes 8.. of the third.
        _mm512_storeu_si512(out + p, _mm512_maskz_permutexvar_epi16(colours, first, sums[0]));
        _mm512_storeu_si512(out + p + 8, _mm512_maskz_permutex2var_epi16(colours, sums[0], second, sums[1]));
        _mm512_storeu_si512(out + p + 16,
                            _mm512_maskz_permutex2var_epi16(
                                colours, sums[1], _mm512_add_epi16(first, _mm512_set1_epi16(16)), sums[2]));
        _mm512_storeu_si512(
            out + p + 24,
            _mm512_maskz_permutexvar_epi16(colours, _mm512_add_epi16(first, _mm512_set1_epi16(8)), sums[2]));
    }
    for (; p < pixels; p += 16) {
        const int left = std::min(pixels - p, 16);
        const std::uint8_t* s = bytes + static_cast<std::size_t>(p) * 3;
        __m512i low;
        __m256i high;
        if (left == 16) {
            sumBlockAvx512<false>(s, stride, rows, 0, 0, low, high);
        } else {
            const std::uint64_t byteMask = _bzhi_u64(~0ULL, static_cast<unsigned>(3 * left));
            sumBlockAvx512<true>(s, stride, rows, static_cast<__mmask32>(byteMask),
                                 static_cast<__mmask16>(byteMask >> 32), low, high);
        }
        const __m512i wide = _mm512_castsi256_si512(high); // lanes 16..31 never read
        const __m512i words0 = _mm512_maskz_permutex2var_epi16(colours, low, first, wide);
        const __m512i words1 = _mm512_maskz_permutex2var_epi16(colours, low, second, wide);
        if (left == 16) {
            _mm512_storeu_si512(out + p, words0);
            _mm512_storeu_si512(out + p + 8, words1);
        } else {
            const unsigned pixelMask = _bzhi_u32(~0u, static_cast<unsigned>(left));
            _mm512_mask_storeu_epi64(out + p, static_cast<__mmask8>(pixelMask), words0);
            _mm512_mask_storeu_epi64(out + p + 8, static_cast<__mmask8>(pixelMask >> 8), words1);
        }
    }
}

void averageRunsBaseline(const std::uint64_t* sums, int k, int rows, std::uint64_t*, std::uint32_t* out,
                         int m) {
    const std::uint64_t n = static_cast<std::uint64_t>(rows) * static_cast<std::uint64_t>(k);
    for (int i = 0; i < m; ++i) {
        std::uint64_t total = 0;
        for (int j = 0; j < k; ++j)
            total += sums[i * k + j];
        std::uint32_t word = 0xFF000000u;
        for (int c = 0; c < 3; ++c)
            word |= static_cast<std::uint32_t>((((total >> (16 * c)) & 0xFFFF) + n / 2) / n) << (8 * c);
        out[i] = word;
    }
}

// Sixteen 16-bit lanes (four device pixels' blue, green, red and zero)
// divided by n, rounded down after adding n / 2: the sum plus n / 2 is below
// 2^17 and exact as a float, and a quotient of at most 256 misses the exact
// one by less than 2^-14, far less than the 1/256 by which a quotient that
// is not whole stays away from the next whole number, so adding 2^-10 and
// truncating gives the exact floor.
SPLOT_TARGET_AVX512 inline __m128i dividedLanesAvx512(__m256i lanes, __m512i half, __m512 inverse) {
    const __m512 a =
        _mm512_maskz_cvtepi32_ps(0xFFFF, _mm512_add_epi32(_mm512_maskz_cvtepu16_epi32(0xFFFF, lanes), half));
    const __m512 q = _mm512_fmadd_ps(a, inverse, _mm512_set1_ps(1.0f / 1024));
    return _mm512_maskz_cvtepi32_epi8(0xFFFF, _mm512_maskz_cvttps_epi32(0xFFFF, q));
}

// The totals of `count` (at most 8) consecutive runs of k words (at most
// 16) from `words` on: each run read as one or two masked vectors, the eight
// vectors then added across in three steps of pairs.
[[gnu::always_inline]] SPLOT_TARGET_AVX512 inline __m512i runTotalsAvx512(const std::uint64_t* words, int k,
                                                                          int count) {
    const __mmask8 low = static_cast<__mmask8>(_bzhi_u32(0xFF, static_cast<unsigned>(k)));
    const __mmask8 high = static_cast<__mmask8>(_bzhi_u32(0xFF, static_cast<unsigned>(std::max(k - 8, 0))));
    __m512i run[8];
    for (int i = 0; i < 8; ++i, words += k) {
        run[i] = _mm512_setzero_si512();
        if (i < count) {
            run[i] = _mm512_maskz_loadu_epi64(low, words);
            if (k > 8)
                run[i] = _mm512_add_epi64(run[i], _mm512_maskz_loadu_epi64(high, words + 8));
        }
    }
    // Each 128-bit lane of pairs[p] holds partial totals of runs 2p and 2p + 1.
    __m512i pairs[4];
    for (int p = 0; p < 4; ++p)
        pairs[p] = _mm512_add_epi64(_mm512_maskz_unpacklo_epi64(0xFF, run[2 * p], run[2 * p + 1]),
                                    _mm512_maskz_unpackhi_epi64(0xFF, run[2 * p], run[2 * p + 1]));
    // Lanes 0, 1 of quads[q] hold runs 4q, 4q + 1; lanes 2, 3 runs 4q + 2, 4q + 3.
    __m512i quads[2];
    for (int q = 0; q < 2; ++q)
        quads[q] = _mm512_add_epi64(_mm512_maskz_shuffle_i64x2(0xFF, pairs[2 * q], pairs[2 * q + 1], 0x88),
                                    _mm512_maskz_shuffle_i64x2(0xFF, pairs[2 * q], pairs[2 * q + 1], 0xDD));
    return _mm512_add_epi64(_mm512_maskz_shuffle_i64x2(0xFF, quads[0], quads[1], 0x88),
                            _mm512_maskz_shuffle_i64x2(0xFF, quads[0], quads[1], 0xDD));
}

// Eight device pixels at a time: power-of-two runs are summed by halving
// (sums of neighbouring words, eight at a time, masked past the end, until
// one word is left per device pixel), other runs across their words (see
// runTotalsAvx512). The quotients are shifts for powers of two, else float
// products (see dividedLanesAvx512).
SPLOT_TARGET_AVX512 void averageRunsAvx512(const std::uint64_t* sums, int k, int rows, std::uint64_t* scratch,
                                           std::uint32_t* out, int m) {
    const bool halving = std::has_single_bit(static_cast<unsigned>(k));
    const std::uint64_t* words = sums;
    if (halving) {
        const __m512i evens = _mm512_set_epi64(14, 12, 10, 8, 6, 4, 2, 0);
        const __m512i odds = _mm512_set_epi64(15, 13, 11, 9, 7, 5, 3, 1);
        for (int length = m * k; length > m; length /= 2) {
            for (int q = 0; q < length; q += 16) {
                const int left = std::min(length - q, 16);
                const unsigned mask = _bzhi_u32(~0u, static_cast<unsigned>(left));
                const __m512i a = _mm512_maskz_loadu_epi64(static_cast<__mmask8>(mask), words + q);
                const __m512i b = _mm512_maskz_loadu_epi64(static_cast<__mmask8>(mask >> 8), words + q + 8);
                const __m512i pairs = _mm512_add_epi64(_mm512_permutex2var_epi64(a, evens, b),
                                                       _mm512_permutex2var_epi64(a, odds, b));
                _mm512_mask_storeu_epi64(
                    scratch + q / 2, static_cast<__mmask8>(_bzhi_u32(~0u, static_cast<unsigned>(left / 2))),
                    pairs);
            }
            words = scratch;
        }
    }
    const int n = rows * k;
    const bool shifted = std::has_single_bit(static_cast<unsigned>(n));
    const __m512i half16 = _mm512_set1_epi16(static_cast<short>(n / 2));
    const __m128i shift = _mm_cvtsi32_si128(std::countr_zero(static_cast<unsigned>(n)));
    const __m512i half32 = _mm512_set1_epi32(n / 2);
    const __m512 inverse = _mm512_set1_ps(1.0f / static_cast<float>(n));
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    for (int i = 0; i < m; i += 8) {
        const __mmask8 mask =
            static_cast<__mmask8>(_bzhi_u32(~0u, static_cast<unsigned>(std::min(m - i, 8))));
        __m512i totals;
        if (halving) {
            totals = _mm512_maskz_loadu_epi64(mask, words + i);
        } else {
            totals = runTotalsAvx512(sums + static_cast<std::ptrdiff_t>(i) * k, k, std::min(m - i, 8));
        }
        __m256i shown;
        if (shifted) {
            shown = _mm512_maskz_cvtepi16_epi8(~__mmask32(0),
                                               _mm512_srl_epi16(_mm512_add_epi16(totals, half16), shift));
        } else {
            shown = _mm256_set_m128i(
                dividedLanesAvx512(_mm512_maskz_extracti64x4_epi64(0xF, totals, 1), half32, inverse),
                dividedLanesAvx512(_mm512_maskz_extracti64x4_epi64(0xF, totals, 0), half32, inverse));
        }
        _mm256_mask_storeu_epi32(out + i, mask, _mm256_or_si256(shown, opaque));
    }
}

} // namespace

ColumnSummer columnSummer() {
    switch (dispatchLevel()) {
    case DispatchLevel::Avx512:
        return sumColumnsAvx512;
    case DispatchLevel::Avx2:
        return sumColumnsAvx2;
    case DispatchLevel::Baseline:
        break;
    }
    return sumColumnsBaseline;
}

RunAverager runAverager() {
    return dispatchLevel() == DispatchLevel::Avx512 ? averageRunsAvx512 : averageRunsBaseline;
}

} // namespace splot
