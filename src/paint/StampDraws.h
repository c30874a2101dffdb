#pragma once

#include <cstddef>
#include <cstdint>

namespace splot {

// The random draws of one stamp. Every pixel's draws are a function of the
// stamp's key and the pixel's place in the square, not of a sequence, so the
// pixels can take them in any order, in vector lanes and on several threads,
// and still get the same numbers. The key is one draw from the program's
// generator.
//
// A draw of pixel (i, j) (square coordinates, 0..width-1) on stream s hashes
// the pixel's counter j x width + i with the key; it is made exactly uniform
// on 0..n-1 by Lemire's multiply-shift with rejection, and a rejected attempt
// draws again from the pixel's own stream (attempt 1, 2, ...), so no other
// pixel's draws move.
class StampDraws {
public:
    enum class Stream : std::uint32_t { Speckle = 0, Red = 1, Green = 2, Blue = 3 };

    StampDraws() = default;
    StampDraws(std::uint64_t key, int width)
        : key0_(static_cast<std::uint32_t>(key)), key1_(static_cast<std::uint32_t>(key >> 32)),
          width_(static_cast<std::uint32_t>(width)) {}

    std::uint32_t counter(int i, int j) const {
        return static_cast<std::uint32_t>(j) * width_ + static_cast<std::uint32_t>(i);
    }
    // The 32 bits of one attempt of one stream of the pixel with this counter.
    std::uint32_t bits(std::uint32_t counter, Stream s, std::uint32_t attempt) const {
        return mix(first(counter) ^ streamKey(s, attempt));
    }
    // The draw of pixel (i, j) on stream s: uniform on 0..n-1, 0 when n is 0.
    std::uint32_t draw(int i, int j, Stream s, std::uint32_t n) const {
        if (n == 0)
            return 0;
        const std::uint32_t c = counter(i, j);
        const std::uint32_t threshold = (0U - n) % n;
        for (std::uint32_t attempt = 0;; ++attempt) {
            const std::uint64_t m = static_cast<std::uint64_t>(bits(c, s, attempt)) * n;
            if (static_cast<std::uint32_t>(m) >= threshold)
                return static_cast<std::uint32_t>(m >> 32);
        }
    }

    // The bound of a colour draw asked for with the program's random(n):
    // 0 for n <= 0, at most 2^32 - 1.
    static std::uint32_t colourBound(std::int64_t n) {
        return n <= 0 ? 0U : static_cast<std::uint32_t>(n > 0xFFFFFFFFLL ? 0xFFFFFFFFLL : n);
    }

    // The two halves of the hash, for the row kernels. mix is a bijection of
    // 32-bit words with full avalanche.
    static std::uint32_t mix(std::uint32_t x) {
        x ^= x >> 16;
        x *= 0x7FEB352DU;
        x ^= x >> 15;
        x *= 0x846CA68BU;
        x ^= x >> 16;
        return x;
    }
    std::uint32_t first(std::uint32_t counter) const { return mix(counter ^ counterKey()); }
    std::uint32_t counterKey() const { return key0_; }
    std::uint32_t streamKey(Stream s, std::uint32_t attempt) const {
        return key1_ ^ ((static_cast<std::uint32_t>(s) + 4 * attempt) * 0x9E3779B9U);
    }

private:
    std::uint32_t key0_ = 0;
    std::uint32_t key1_ = 0;
    std::uint32_t width_ = 0;
};

// The row kernels below work in whole blocks of this many pixels: their
// outputs need room for 3 x drawRoom(n) values; those past the row's n pixels
// are written and mean nothing.
inline constexpr int drawBlock = 64;
inline std::size_t drawRoom(int n) {
    return static_cast<std::size_t>((n + drawBlock - 1) / drawBlock * drawBlock);
}

// The speckle outcomes of pixels (lo + k, j), k < n: keep[3k..3k+2] := 0xFF
// when the pixel's speckle draw (0..99) is below threshold (1..99), else 0.
void speckleRow(const StampDraws& draws, int j, int lo, int n, int threshold, std::uint8_t* keep);

// The colour of pixels painted with a random colour each: red, green and blue
// drawn below these bounds (StampDraws::colourBound), blended like the colour
// in use with weight x amount (amount negated when erasing).
struct PointColours {
    std::uint32_t red = 0;
    std::uint32_t green = 0;
    std::uint32_t blue = 0;
    bool backgroundIsWhite = false;
    double amount = 1;
};

// deltas[3k + c] := the change of byte c (blue, green, red) of pixel (lo + k, j)
// painted with its own random colour, k < n; weights[k] is its weight, or
// every weight is 1 when weights is null. The arithmetic per byte is the
// stamp's blend of the colour in use (blendDelta).
void colourDeltaRow(const StampDraws& draws, int j, int lo, int n, const PointColours& colours,
                    const double* weights, std::int16_t* deltas);

} // namespace splot
