#include "app/ScreenConversion.h"

#include "paint/Dispatch.h"

#include <algorithm>
#include <cstdint>
#include <immintrin.h>

namespace splot {

namespace {

// Converts blue-green-red pixels i..count-1 to opaque 0xAARRGGBB words, one
// by one.
inline void bgrToRgb32Tail(const uchar* source, quint32* out, int i, int count) {
    for (; i < count; ++i) {
        const uchar* p = source + static_cast<std::size_t>(i) * 3; // blue, green, red
        out[i] = 0xFF000000u | (quint32(p[2]) << 16) | (quint32(p[1]) << 8) | quint32(p[0]);
    }
}

// Four pixels per byte shuffle from pixel i on; each 16-byte load stays inside
// the row while at least six pixels remain. Returns the first pixel not done.
SPLOT_TARGET_AVX2 inline int bgrToRgb32FoursAvx2(const uchar* source, quint32* out, int i, int count) {
    const __m128i spread4 = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 6 <= count; i += 4) {
        const __m128i bytes =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + static_cast<std::size_t>(i) * 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_or_si128(_mm_shuffle_epi8(bytes, spread4), opaque));
    }
    return i;
}

// Converts count blue-green-red pixels to opaque 0xAARRGGBB words. Reads only
// the count * 3 bytes of the source. One version per dispatch level.
void bgrToRgb32Baseline(const uchar* source, quint32* out, int count) {
    bgrToRgb32Tail(source, out, 0, count);
}

SPLOT_TARGET_AVX2 void bgrToRgb32Avx2(const uchar* source, quint32* out, int count) {
    bgrToRgb32Tail(source, out, bgrToRgb32FoursAvx2(source, out, 0, count), count);
}

SPLOT_TARGET_AVX512VBMI void bgrToRgb32Avx512(const uchar* source, quint32* out, int count) {
    int i = 0;
    // Sixteen pixels per byte permute; the 64-byte load stays inside the row
    // while at least 22 pixels remain (48 bytes used of 64 read). The alpha
    // byte of each word is kept from the all-opaque source by the mask.
    const __m512i spread =
        _mm512_set_epi8(47, 47, 46, 45, 44, 44, 43, 42, 41, 41, 40, 39, 38, 38, 37, 36, 35, 35, 34, 33, 32,
                        32, 31, 30, 29, 29, 28, 27, 26, 26, 25, 24, 23, 23, 22, 21, 20, 20, 19, 18, 17, 17,
                        16, 15, 14, 14, 13, 12, 11, 11, 10, 9, 8, 8, 7, 6, 5, 5, 4, 3, 2, 2, 1, 0);
    const __m512i opaque512 = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
    // A masked first block brings the stores onto 64-byte boundaries: a
    // store that splits two cache lines costs about twice as much.
    if (count >= 38) {
        const int head = static_cast<int>((64 - (reinterpret_cast<std::uintptr_t>(out) & 63)) & 63) / 4;
        if (head != 0) {
            const __m512i bytes = _mm512_loadu_si512(source);
            const __m512i words =
                _mm512_mask_permutexvar_epi8(opaque512, 0x7777777777777777ULL, spread, bytes);
            _mm512_mask_storeu_epi32(out, static_cast<__mmask16>((1u << head) - 1), words);
            i = head;
        }
    }
    for (; i + 22 <= count; i += 16) {
        const __m512i bytes = _mm512_loadu_si512(source + static_cast<std::size_t>(i) * 3);
        _mm512_storeu_si512(out + i,
                            _mm512_mask_permutexvar_epi8(opaque512, 0x7777777777777777ULL, spread, bytes));
    }
    // The last pixels, at most sixteen at a time, with masked loads and
    // stores that touch nothing past the row.
    while (i < count) {
        const int n = std::min(count - i, 16);
        const __m512i bytes = _mm512_maskz_loadu_epi8(_bzhi_u64(~0ULL, static_cast<unsigned>(3 * n)),
                                                      source + static_cast<std::size_t>(i) * 3);
        _mm512_mask_storeu_epi32(
            out + i, static_cast<__mmask16>(_bzhi_u32(~0u, static_cast<unsigned>(n))),
            _mm512_mask_permutexvar_epi8(opaque512, 0x7777777777777777ULL, spread, bytes));
        i += n;
    }
}

// Every rectangle, clipped, row by row. A stamp brings one rectangle per row,
// so the loop is compiled with each level's row conversion inlined into it.
template <void (*Row)(const uchar*, quint32*, int)>
[[gnu::always_inline]] inline void convertRectsBody(const ConversionJob& job, const QRect* rects,
                                                    std::size_t n) {
    for (std::size_t k = 0; k < n; ++k) {
        const QRect& r = rects[k];
        const int l = std::max(r.left(), job.left), t = std::max(r.top(), job.top);
        const int rr = std::min(r.right(), job.right), rb = std::min(r.bottom(), job.bottom);
        if (l > rr || t > rb)
            continue;
        const uchar* source =
            job.source + static_cast<std::size_t>(t) * job.stride + static_cast<std::size_t>(l) * 3;
        quint32* out =
            job.target + static_cast<std::ptrdiff_t>(t) * static_cast<std::ptrdiff_t>(job.targetWords) + l;
        if (l == rr && t == rb) { // an outline pixel
            bgrToRgb32Tail(source, out, 0, 1);
            continue;
        }
        for (int row = t; row <= rb; ++row, source += job.stride, out += job.targetWords)
            Row(source, out, rr - l + 1);
    }
}

void convertRectsBaseline(const ConversionJob& job, const QRect* rects, std::size_t n) {
    convertRectsBody<bgrToRgb32Baseline>(job, rects, n);
}
SPLOT_TARGET_AVX2 void convertRectsAvx2(const ConversionJob& job, const QRect* rects, std::size_t n) {
    convertRectsBody<bgrToRgb32Avx2>(job, rects, n);
}
SPLOT_TARGET_AVX512VBMI void convertRectsAvx512(const ConversionJob& job, const QRect* rects, std::size_t n) {
    convertRectsBody<bgrToRgb32Avx512>(job, rects, n);
}

void expandBaseline(const quint32* words, const int* map, quint32* out, int n) {
    for (int i = 0; i < n; ++i)
        out[i] = words[map[i]];
}

SPLOT_TARGET_AVX2 void expandAvx2(const quint32* words, const int* map, quint32* out, int n) {
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        const int base = map[i];
        const __m256i rel = _mm256_sub_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(map + i)),
                                             _mm256_set1_epi32(base));
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(words + base));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_permutevar8x32_epi32(v, rel));
    }
    for (; i < n; ++i)
        out[i] = words[map[i]];
}

SPLOT_TARGET_AVX512 void expandAvx512(const quint32* words, const int* map, quint32* out, int n) {
    int i = 0;
    for (; i + 16 <= n; i += 16) {
        const int base = map[i];
        const __m512i rel = _mm512_sub_epi32(_mm512_loadu_si512(map + i), _mm512_set1_epi32(base));
        _mm512_storeu_si512(out + i,
                            _mm512_maskz_permutexvar_epi32(0xFFFF, rel, _mm512_loadu_si512(words + base)));
    }
    for (; i < n; ++i)
        out[i] = words[map[i]];
}

} // namespace

// The conversion of the dispatch level in use.
RowConverter rowConverter() {
    switch (dispatchLevel()) {
    case DispatchLevel::Avx512:
        return supportsAvx512Vbmi() ? bgrToRgb32Avx512 : bgrToRgb32Avx2;
    case DispatchLevel::Avx2:
        return bgrToRgb32Avx2;
    case DispatchLevel::Baseline:
        break;
    }
    return bgrToRgb32Baseline;
}

void convertRects(const ConversionJob& job, const QRect* rects, std::size_t n) {
    switch (dispatchLevel()) {
    case DispatchLevel::Avx512:
        if (supportsAvx512Vbmi())
            return convertRectsAvx512(job, rects, n);
        return convertRectsAvx2(job, rects, n);
    case DispatchLevel::Avx2:
        return convertRectsAvx2(job, rects, n);
    case DispatchLevel::Baseline:
        break;
    }
    convertRectsBaseline(job, rects, n);
}

Expander expander() {
    switch (dispatchLevel()) {
    case DispatchLevel::Avx512:
        return expandAvx512;
    case DispatchLevel::Avx2:
        return expandAvx2;
    case DispatchLevel::Baseline:
        break;
    }
    return expandBaseline;
}

} // namespace splot
