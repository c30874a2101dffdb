// The dispatch levels, and the stamp's byte kernels of every level against a
// plain loop on lengths and alignments around the vector widths.
#include "base/Random.h"
#include "paint/Dispatch.h"
#include "paint/StampKernel.h"
#include "support/DispatchLevels.h"

#include <gtest/gtest.h>

#include <vector>

namespace splot {
namespace {

TEST(Dispatch, ForcingIsCappedAtTheProcessorAndScopedForcingRestores) {
    const DispatchLevel supported = supportedDispatchLevel();
    EXPECT_EQ(dispatchLevel(), supported);
    {
        const ScopedDispatchLevel scoped(DispatchLevel::Baseline);
        EXPECT_EQ(dispatchLevel(), DispatchLevel::Baseline);
        EXPECT_EQ(forceDispatchLevel(DispatchLevel::Avx512), supported);
    }
    EXPECT_EQ(dispatchLevel(), supported);
    EXPECT_EQ(availableDispatchLevels().back(), supported);
    for (DispatchLevel level : {DispatchLevel::Baseline, DispatchLevel::Avx2, DispatchLevel::Avx512})
        EXPECT_EQ(parseDispatchLevel(dispatchLevelName(level)), level);
    EXPECT_EQ(parseDispatchLevel("AVX2"), std::nullopt);
    EXPECT_EQ(parseDispatchLevel(""), std::nullopt);
}

TEST(Dispatch, AddClampedAgreesWithThePlainSumAtEveryLevel) {
    test::forEachDispatchLevel([] {
        Random random(7);
        std::vector<std::uint8_t> bytes(400), expected(400), keep(400);
        std::vector<std::int16_t> deltas(400);
        for (std::size_t n = 0; n <= 300; n += n < 70 ? 1 : 23) {
            for (std::size_t k = 0; k < 400; ++k) {
                bytes[k] = static_cast<std::uint8_t>(random.random(256));
                deltas[k] = static_cast<std::int16_t>(static_cast<int>(random.random(511)) - 255);
                keep[k] = random.random(3) == 0 ? 0 : 0xFF;
            }
            const std::size_t at = random.random(64);
            expected = bytes;
            for (std::size_t k = at; k < at + n; ++k)
                expected[k] = clampByte(expected[k] + (keep[k] != 0 ? deltas[k] : 0));
            std::vector<std::uint8_t> where = bytes;
            addClampedWhere(where.data() + at, deltas.data() + at, keep.data() + at, n);
            ASSERT_EQ(where, expected) << "n " << n;
            for (std::size_t k = at; k < at + n; ++k)
                expected[k] = clampByte(bytes[k] + deltas[k]);
            addClamped(bytes.data() + at, deltas.data() + at, n);
            ASSERT_EQ(bytes, expected) << "n " << n;
        }
    });
}

} // namespace
} // namespace splot
