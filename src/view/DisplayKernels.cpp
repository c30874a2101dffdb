#include "view/DisplayKernels.h"

#include "paint/Dispatch.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <immintrin.h>

namespace splot {

namespace {

// Converts blue-green-red pixels i..count-1 to opaque 0xAARRGGBB words, one
// by one.
inline void bgrToRgb32Tail(const std::uint8_t* source, std::uint32_t* out, int i, int count) {
    for (; i < count; ++i) {
        const std::uint8_t* p = source + static_cast<std::size_t>(i) * 3; // blue, green, red
        out[i] = 0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | std::uint32_t(p[0]);
    }
}

// Four pixels per byte shuffle from pixel i on; each 16-byte load stays inside
// the row while at least six pixels remain. Returns the first pixel not done.
SPLOT_TARGET_AVX2 inline int bgrToRgb32FoursAvx2(const std::uint8_t* source, std::uint32_t* out, int i,
                                                 int count) {
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
void bgrToRgb32Baseline(const std::uint8_t* source, std::uint32_t* out, int count) {
    bgrToRgb32Tail(source, out, 0, count);
}

SPLOT_TARGET_AVX2 void bgrToRgb32Avx2(const std::uint8_t* source, std::uint32_t* out, int count) {
    bgrToRgb32Tail(source, out, bgrToRgb32FoursAvx2(source, out, 0, count), count);
}

SPLOT_TARGET_AVX512VBMI void bgrToRgb32Avx512(const std::uint8_t* source, std::uint32_t* out, int count) {
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

void bgrToRgb32DoubledBaseline(const std::uint8_t* source, std::uint32_t* out, std::uint32_t* out2,
                               int count) {
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* p = source + static_cast<std::size_t>(i) * 3;
        const std::uint32_t w =
            0xFF000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | std::uint32_t(p[0]);
        out[2 * i] = out[2 * i + 1] = w;
        if (out2 != nullptr)
            out2[2 * i] = out2[2 * i + 1] = w;
    }
}

SPLOT_TARGET_AVX2 void bgrToRgb32DoubledAvx2(const std::uint8_t* source, std::uint32_t* out,
                                             std::uint32_t* out2, int count) {
    const __m128i spread4 = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int i = 0;
    // Four pixels a 16-byte load, which stays inside the row while at least
    // six pixels remain.
    for (; i + 6 <= count; i += 4) {
        const __m128i bytes =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + static_cast<std::size_t>(i) * 3));
        const __m128i words = _mm_or_si128(_mm_shuffle_epi8(bytes, spread4), opaque);
        const __m256i doubled =
            _mm256_setr_m128i(_mm_unpacklo_epi32(words, words), _mm_unpackhi_epi32(words, words));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 2 * i), doubled);
        if (out2 != nullptr)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(out2 + 2 * i), doubled);
    }
    bgrToRgb32DoubledBaseline(source + static_cast<std::size_t>(i) * 3, out + 2 * i,
                              out2 != nullptr ? out2 + 2 * i : nullptr, count - i);
}

// Byte indices of a permute that turns 16 blue-green-red pixels (48 bytes)
// into the words of pixels first .. first + 7, each twice; the fourth byte
// of each word is left to the opaque mask.
constexpr std::array<std::uint8_t, 64> doubledSpread(int first) {
    std::array<std::uint8_t, 64> index{};
    for (int w = 0; w < 16; ++w)
        for (int b = 0; b < 4; ++b)
            index[static_cast<std::size_t>(4 * w + b)] =
                static_cast<std::uint8_t>(3 * (first + w / 2) + (b < 3 ? b : 2));
    return index;
}
constexpr std::array<std::uint8_t, 64> doubledLow = doubledSpread(0);
constexpr std::array<std::uint8_t, 64> doubledHigh = doubledSpread(8);

// n (at most sixteen) pixels from pixel i to two words each, with masked
// loads and stores that touch nothing outside the row.
SPLOT_TARGET_AVX512VBMI inline void doubledSomeAvx512(const std::uint8_t* source, std::uint32_t* out,
                                                      std::uint32_t* out2, int i, int n) {
    const __m512i opaque = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
    const __m512i bytes = _mm512_maskz_loadu_epi8(_bzhi_u64(~0ULL, static_cast<unsigned>(3 * n)),
                                                  source + static_cast<std::size_t>(i) * 3);
    const __m512i a = _mm512_mask_permutexvar_epi8(opaque, 0x7777777777777777ULL,
                                                   _mm512_loadu_si512(doubledLow.data()), bytes);
    const __m512i b = _mm512_mask_permutexvar_epi8(opaque, 0x7777777777777777ULL,
                                                   _mm512_loadu_si512(doubledHigh.data()), bytes);
    const auto maskA = static_cast<__mmask16>(_bzhi_u32(~0u, static_cast<unsigned>(std::min(2 * n, 16))));
    const auto maskB = static_cast<__mmask16>(_bzhi_u32(~0u, static_cast<unsigned>(std::max(2 * n - 16, 0))));
    _mm512_mask_storeu_epi32(out + 2 * i, maskA, a);
    _mm512_mask_storeu_epi32(out + 2 * i + 16, maskB, b);
    if (out2 != nullptr) {
        _mm512_mask_storeu_epi32(out2 + 2 * i, maskA, a);
        _mm512_mask_storeu_epi32(out2 + 2 * i + 16, maskB, b);
    }
}

SPLOT_TARGET_AVX512VBMI void bgrToRgb32DoubledAvx512(const std::uint8_t* source, std::uint32_t* out,
                                                     std::uint32_t* out2, int count) {
    const __m512i low = _mm512_loadu_si512(doubledLow.data());
    const __m512i high = _mm512_loadu_si512(doubledHigh.data());
    const __m512i opaque = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
    constexpr std::uint64_t colours = 0x7777777777777777ULL;
    int i = 0;
    // Sixteen pixels a 64-byte load, which stays inside the row while at
    // least 22 pixels remain.
    for (; i + 22 <= count; i += 16) {
        const __m512i bytes = _mm512_loadu_si512(source + static_cast<std::size_t>(i) * 3);
        const __m512i a = _mm512_mask_permutexvar_epi8(opaque, colours, low, bytes);
        const __m512i b = _mm512_mask_permutexvar_epi8(opaque, colours, high, bytes);
        _mm512_storeu_si512(out + 2 * i, a);
        _mm512_storeu_si512(out + 2 * i + 16, b);
        if (out2 != nullptr) {
            _mm512_storeu_si512(out2 + 2 * i, a);
            _mm512_storeu_si512(out2 + 2 * i + 16, b);
        }
    }
    for (; i < count; i += 16)
        doubledSomeAvx512(source, out, out2, i, std::min(count - i, 16));
}

void expandBaseline(const std::uint32_t* words, const int* map, std::uint32_t* out, int n) {
    for (int i = 0; i < n; ++i)
        out[i] = words[map[i]];
}

SPLOT_TARGET_AVX2 void expandAvx2(const std::uint32_t* words, const int* map, std::uint32_t* out, int n) {
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

SPLOT_TARGET_AVX512 void expandAvx512(const std::uint32_t* words, const int* map, std::uint32_t* out, int n) {
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

DoubledConverter doubledConverter() {
    switch (dispatchLevel()) {
    case DispatchLevel::Avx512:
        return supportsAvx512Vbmi() ? bgrToRgb32DoubledAvx512 : bgrToRgb32DoubledAvx2;
    case DispatchLevel::Avx2:
        return bgrToRgb32DoubledAvx2;
    case DispatchLevel::Baseline:
        break;
    }
    return bgrToRgb32DoubledBaseline;
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
