#include "colour/WholePicture.h"

#include "paint/Canvas.h"
#include "paint/RgbActions.h"

#include <cstdint>

#if defined(__AVX512BW__) && defined(__AVX512VBMI__)
#define SPLOT_VBMI_SHUFFLE 1
#include <immintrin.h>
#endif

namespace splot {

void applyRgbActionToPixelsScalar(BgrPixel* p, std::size_t n, RgbAction action) {
    for (std::size_t i = 0; i < n; ++i)
        p[i] = actionTarget(action, p[i]);
}

#if defined(SPLOT_VBMI_SHUFFLE)
namespace {

// A block is 64 pixels, 192 bytes, three 64-byte vectors. Output vector k is
// drawn from a 128-byte window of the block that starts at byte 32 k: the
// bytes of output vector k belong to pixels whose source bytes all lie in
// [64 k - 2, 64 k + 66), and that range fits in the window. The byte indices
// come from the action table, so the shuffle is the table's rule.
struct BlockShuffle {
    __m512i index[3];
    __m512i flip;
};

BlockShuffle makeBlockShuffle(const RgbActionRule& rule) {
    alignas(64) std::uint8_t index[3][64];
    for (int k = 0; k < 3; ++k)
        for (int j = 0; j < 64; ++j) {
            const int out = 64 * k + j;
            const int source = 3 * (out / 3) + rule.from[static_cast<std::size_t>(out % 3)];
            index[k][j] = static_cast<std::uint8_t>(source - 32 * k);
        }
    BlockShuffle s;
    for (int k = 0; k < 3; ++k)
        s.index[k] = _mm512_load_si512(index[k]);
    s.flip = _mm512_set1_epi8(static_cast<char>(rule.flip));
    return s;
}

void shuffleBlocks(std::uint8_t* p, std::size_t blocks, const BlockShuffle& s) {
    for (std::size_t b = 0; b < blocks; ++b, p += 192) {
        const __m512i w0 = _mm512_loadu_si512(p);       // bytes 0..63
        const __m512i w32 = _mm512_loadu_si512(p + 32); // 32..95
        const __m512i w64 = _mm512_loadu_si512(p + 64); // 64..127
        const __m512i w96 = _mm512_loadu_si512(p + 96); // 96..159
        const __m512i w128 = _mm512_loadu_si512(p + 128);
        const __m512i o0 = _mm512_permutex2var_epi8(w0, s.index[0], w64);
        const __m512i o1 = _mm512_permutex2var_epi8(w32, s.index[1], w96);
        const __m512i o2 = _mm512_permutex2var_epi8(w64, s.index[2], w128);
        _mm512_storeu_si512(p, _mm512_xor_si512(o0, s.flip));
        _mm512_storeu_si512(p + 64, _mm512_xor_si512(o1, s.flip));
        _mm512_storeu_si512(p + 128, _mm512_xor_si512(o2, s.flip));
    }
}

void flipBytes(std::uint8_t* p, std::size_t bytes, std::uint8_t flip) {
    const __m512i f = _mm512_set1_epi8(static_cast<char>(flip));
    std::size_t i = 0;
    for (; i + 64 <= bytes; i += 64)
        _mm512_storeu_si512(p + i, _mm512_xor_si512(_mm512_loadu_si512(p + i), f));
    if (i < bytes) {
        const __mmask64 m = _bzhi_u64(~0ULL, static_cast<unsigned>(bytes - i));
        _mm512_mask_storeu_epi8(p + i, m, _mm512_xor_si512(_mm512_maskz_loadu_epi8(m, p + i), f));
    }
}

// The work of one action, prepared once per pass.
class PreparedAction {
public:
    explicit PreparedAction(RgbAction action) : action_(action) {
        const RgbActionRule& rule = rgbActionRule(action);
        flipOnly_ = rule.from[0] == 0 && rule.from[1] == 1 && rule.from[2] == 2;
        flip_ = rule.flip;
        if (!flipOnly_)
            shuffle_ = makeBlockShuffle(rule);
    }
    void apply(BgrPixel* p, std::size_t n) const {
        auto* bytes = reinterpret_cast<std::uint8_t*>(p);
        if (flipOnly_) {
            flipBytes(bytes, n * 3, flip_);
            return;
        }
        const std::size_t blocks = n / 64;
        shuffleBlocks(bytes, blocks, shuffle_);
        applyRgbActionToPixelsScalar(p + blocks * 64, n - blocks * 64, action_);
    }

private:
    RgbAction action_;
    bool flipOnly_ = false;
    std::uint8_t flip_ = 0;
    BlockShuffle shuffle_{};
};

} // namespace

#else

namespace {
class PreparedAction {
public:
    explicit PreparedAction(RgbAction action) : action_(action) {}
    void apply(BgrPixel* p, std::size_t n) const { applyRgbActionToPixelsScalar(p, n, action_); }

private:
    RgbAction action_;
};
} // namespace

#endif

void applyRgbActionToPixels(BgrPixel* p, std::size_t n, RgbAction action) {
    PreparedAction(action).apply(p, n);
}

void applyChannelActionWholePicture(Canvas& canvas, RgbAction action) {
    const PreparedAction prepared(action);
    const auto width = static_cast<std::size_t>(canvas.imageWidth());
    for (int y = 0; y < canvas.imageHeight(); ++y)
        prepared.apply(canvas.row(y), width);
    canvas.RefreshPicture();
}

void invertWholePicture(Canvas& canvas) {
    applyChannelActionWholePicture(canvas, RgbAction::Invert);
}

} // namespace splot
