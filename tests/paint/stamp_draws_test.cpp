// The row kernels of the stamp's counter-based draws against the plain
// per-pixel draw, at every dispatch level, with keys chosen so that attempts
// are rejected (which random keys almost never give).
#include "paint/StampDraws.h"
#include "paint/StampKernel.h"
#include "support/DispatchLevels.h"

#include <gtest/gtest.h>

#include <vector>

namespace splot {
namespace {

using Stream = StampDraws::Stream;

constexpr int width = 400, row = 3, lo = 5, n = 150;

// A key whose first attempt of stream s at pixel (lo + k, row) hashes to 0,
// which every bound from 2 on rejects when it does not divide 2^32.
std::uint64_t keyRejecting(Stream s, int k) {
    const StampDraws probe(0, width);
    const std::uint32_t first = probe.first(probe.counter(lo + k, row));
    const std::uint32_t streamPart = probe.streamKey(s, 0); // the key's high half is 0 here
    return static_cast<std::uint64_t>(first ^ streamPart) << 32;
}

TEST(StampDraws, RowKernelsMatchThePlainDrawsIncludingRejections) {
    std::vector<std::uint64_t> keys = {0, 0x0123456789ABCDEFULL, 0xFFFFFFFFFFFFFFFFULL};
    for (Stream s : {Stream::Speckle, Stream::Red, Stream::Green, Stream::Blue})
        for (int k : {0, 63, 64, 149})
            keys.push_back(keyRejecting(s, k));
    const std::uint32_t bounds[][3] = {{255, 123, 34}, {0, 1, 256}, {100, 7, 255}, {70000, 3, 0x80000001U}};

    test::forEachDispatchLevel([&] {
        for (std::uint64_t key : keys) {
            const StampDraws draws(key, width);
            for (int threshold : {1, 37, 99}) {
                std::vector<std::uint8_t> keep(3 * drawRoom(n));
                speckleRow(draws, row, lo, n, threshold, keep.data());
                for (int k = 0; k < n; ++k) {
                    const bool paints = draws.draw(lo + k, row, Stream::Speckle, tbSpecklyMax) <
                                        static_cast<std::uint32_t>(threshold);
                    for (int c = 0; c < 3; ++c)
                        ASSERT_EQ(keep[3 * k + c], paints ? 0xFF : 0) << "key " << key << " pixel " << k;
                }
            }
            for (const auto& bound : bounds) {
                for (bool white : {false, true}) {
                    for (bool weighted : {false, true}) {
                        const PointColours colours{bound[0], bound[1], bound[2], white, white ? -0.75 : 0.9};
                        std::vector<double> weights(n);
                        for (int k = 0; k < n; ++k)
                            weights[k] = k * 0.5 / n;
                        std::vector<std::int16_t> deltas(3 * drawRoom(n));
                        colourDeltaRow(draws, row, lo, n, colours, weighted ? weights.data() : nullptr,
                                       deltas.data());
                        for (int k = 0; k < n; ++k) {
                            const double r = static_cast<int>(draws.draw(lo + k, row, Stream::Red, bound[0]));
                            const double g =
                                static_cast<int>(draws.draw(lo + k, row, Stream::Green, bound[1]));
                            const double b =
                                static_cast<int>(draws.draw(lo + k, row, Stream::Blue, bound[2]));
                            const BlendRecipe recipe = white ? BlendRecipe{{r + g, r + b, g + b}, 0.5, true}
                                                             : BlendRecipe{{b, g, r}, 1, false};
                            const double a = (weighted ? weights[k] : 1.0) * colours.amount;
                            for (int c = 0; c < 3; ++c)
                                ASSERT_EQ(deltas[3 * k + c], blendDelta(recipe, c, a))
                                    << "key " << key << " pixel " << k << " byte " << c;
                        }
                    }
                }
            }
        }
    });
}

// The chosen keys do reach the rejection: the plain draw needs a second
// attempt there, and gives a value below its bound.
TEST(StampDraws, AChosenKeyRejectsTheFirstAttempt) {
    for (Stream s : {Stream::Speckle, Stream::Red}) {
        const StampDraws draws(keyRejecting(s, 63), width);
        const std::uint32_t c = draws.counter(lo + 63, row);
        EXPECT_EQ(draws.bits(c, s, 0), 0U);
        EXPECT_NE(draws.bits(c, s, 1), 0U);
        EXPECT_LT(draws.draw(lo + 63, row, s, 100), 100U);
    }
}

} // namespace
} // namespace splot
