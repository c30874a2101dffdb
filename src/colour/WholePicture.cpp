#include "colour/WholePicture.h"

#include "colour/RgbActions.h"
#include "paint/Canvas.h"
#include "paint/Dispatch.h"

#include <cstdint>
#include <cstring>
#include <immintrin.h>

namespace splot {

void applyRgbActionToPixelsScalar(BgrPixel* p, std::size_t n, RgbAction action) {
    for (std::size_t i = 0; i < n; ++i)
        p[i] = actionTarget(action, p[i]);
}

namespace {

// The work of one action, prepared once per pass. With the AVX-512 byte
// permutes a block of 64 pixels, 192 bytes, is three 64-byte vectors. Output
// vector k is drawn from a 128-byte window of the block that starts at byte
// 32 k: the bytes of output vector k belong to pixels whose source bytes all
// lie in [64 k - 2, 64 k + 66), and that range fits in the window. The byte
// indices come from the action table, so the shuffle is the table's rule.
struct PreparedAction {
    explicit PreparedAction(RgbAction a) : action(a) {
        const RgbActionRule& rule = rgbActionRule(action);
        flipOnly = rule.from[0] == 0 && rule.from[1] == 1 && rule.from[2] == 2;
        flip = rule.flip;
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < 64; ++j) {
                const int out = 64 * k + j;
                const int source = 3 * (out / 3) + rule.from[static_cast<std::size_t>(out % 3)];
                index[k][j] = static_cast<std::uint8_t>(source - 32 * k);
            }
        vector = dispatchLevel() == DispatchLevel::Avx512 && supportsAvx512Vbmi();
    }

    alignas(64) std::uint8_t index[3][64];
    RgbAction action;
    bool flipOnly = false;
    std::uint8_t flip = 0;
    bool vector = false;
};

SPLOT_TARGET_AVX512VBMI void shuffleBlocksAvx512(std::uint8_t* p, std::size_t blocks,
                                                 const PreparedAction& a) {
    const __m512i index0 = _mm512_load_si512(a.index[0]);
    const __m512i index1 = _mm512_load_si512(a.index[1]);
    const __m512i index2 = _mm512_load_si512(a.index[2]);
    const __m512i flip = _mm512_set1_epi8(static_cast<char>(a.flip));
    for (std::size_t b = 0; b < blocks; ++b, p += 192) {
        const __m512i w0 = _mm512_loadu_si512(p);       // bytes 0..63
        const __m512i w32 = _mm512_loadu_si512(p + 32); // 32..95
        const __m512i w64 = _mm512_loadu_si512(p + 64); // 64..127
        const __m512i w96 = _mm512_loadu_si512(p + 96); // 96..159
        const __m512i w128 = _mm512_loadu_si512(p + 128);
        const __m512i o0 = _mm512_permutex2var_epi8(w0, index0, w64);
        const __m512i o1 = _mm512_permutex2var_epi8(w32, index1, w96);
        const __m512i o2 = _mm512_permutex2var_epi8(w64, index2, w128);
        _mm512_storeu_si512(p, _mm512_xor_si512(o0, flip));
        _mm512_storeu_si512(p + 64, _mm512_xor_si512(o1, flip));
        _mm512_storeu_si512(p + 128, _mm512_xor_si512(o2, flip));
    }
}

SPLOT_TARGET_AVX512VBMI void flipBytesAvx512(std::uint8_t* p, std::size_t bytes, std::uint8_t flip) {
    const __m512i f = _mm512_set1_epi8(static_cast<char>(flip));
    std::size_t i = 0;
    for (; i + 64 <= bytes; i += 64)
        _mm512_storeu_si512(p + i, _mm512_xor_si512(_mm512_loadu_si512(p + i), f));
    if (i < bytes) {
        const __mmask64 m = _bzhi_u64(~0ULL, static_cast<unsigned>(bytes - i));
        _mm512_mask_storeu_epi8(p + i, m, _mm512_xor_si512(_mm512_maskz_loadu_epi8(m, p + i), f));
    }
}

void applyPrepared(const PreparedAction& a, BgrPixel* p, std::size_t n) {
    if (!a.vector && a.flipOnly) {
        auto* bytes = reinterpret_cast<std::uint8_t*>(p);
        for (std::size_t i = 0; i < n * 3; ++i)
            bytes[i] ^= a.flip;
        return;
    }
    if (!a.vector) {
        applyRgbActionToPixelsScalar(p, n, a.action);
        return;
    }
    auto* bytes = reinterpret_cast<std::uint8_t*>(p);
    if (a.flipOnly) {
        flipBytesAvx512(bytes, n * 3, a.flip);
        return;
    }
    const std::size_t blocks = n / 64;
    shuffleBlocksAvx512(bytes, blocks, a);
    applyRgbActionToPixelsScalar(p + blocks * 64, n - blocks * 64, a.action);
}

} // namespace

void applyRgbActionToPixels(BgrPixel* p, std::size_t n, RgbAction action) {
    applyPrepared(PreparedAction(action), p, n);
}

void applyChannelActionWholePicture(Canvas& canvas, RgbAction action) {
    const PreparedAction prepared(action);
    const auto width = static_cast<std::size_t>(canvas.imageWidth());
    for (int y = 0; y < canvas.imageHeight(); ++y)
        applyPrepared(prepared, canvas.row(y), width);
    canvas.RefreshPicture();
}

bool actionChangesPicture(const Canvas& canvas, RgbAction action) {
    const auto width = static_cast<std::size_t>(canvas.imageWidth());
    if (width == 0 || canvas.imageHeight() == 0)
        return false;
    if (rgbActionRule(action).flip != 0)
        return true;
    for (int y = 0; y < canvas.imageHeight(); ++y) {
        const BgrPixel* row = canvas.row(y);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(row);
        if (std::memcmp(bytes, bytes + 1, 3 * width - 1) == 0)
            continue; // one grey: no channel move changes it
        for (std::size_t x = 0; x < width; ++x)
            if (!(actionTarget(action, row[x]) == row[x]))
                return true;
    }
    return false;
}

void invertWholePicture(Canvas& canvas) {
    applyChannelActionWholePicture(canvas, RgbAction::Invert);
}

} // namespace splot
