// The snapshot copies of every dispatch level against memcpy, on lengths and
// alignments around the vector widths, with matching and differing alignments
// of the two snapshot arrays; the swap's report of a change against memcmp.
#include "base/Random.h"
#include "history/SnapshotCopy.h"
#include "support/DispatchLevels.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace splot {
namespace {

TEST(SnapshotCopy, SnapshotCopiesMoveExactlyTheirBytesAtEveryLevel) {
    test::forEachDispatchLevel([] {
        Random random(11);
        auto fresh = [&](std::vector<std::uint8_t>& v) {
            for (auto& b : v)
                b = static_cast<std::uint8_t>(random.random(256));
        };
        std::vector<std::uint8_t> live(600), first(600), second(600), restore(600);
        for (std::size_t n = 0; n <= 400; n += n < 140 ? 1 : 37) {
            fresh(live);
            fresh(first);
            fresh(second);
            fresh(restore);
            const std::size_t a = random.random(64), b = random.random(64), c = random.random(64);
            std::vector<std::uint8_t> f = first, s = second, l = live;
            std::memcpy(f.data() + a, live.data() + c, n);
            std::memcpy(s.data() + b, live.data() + c, n);

            std::vector<std::uint8_t> one = first;
            copyToSnapshot(one.data() + a, live.data() + c, n);
            std::vector<std::uint8_t> two1 = first, two2 = second;
            copyToTwoSnapshots(two1.data() + a, two2.data() + b, live.data() + c, n);
            std::vector<std::uint8_t> same2 = second;
            copyToTwoSnapshots(two1.data() + a, same2.data() + a, live.data() + c, n);
            std::vector<std::uint8_t> keep = first, moved = live;
            const bool differ = std::memcmp(live.data() + c, restore.data() + b, n) != 0;
            ASSERT_EQ(keepAndRestore(keep.data() + a, moved.data() + c, restore.data() + b, n), differ);
            // The change report on equal runs and on runs one byte apart, at
            // the start, the middle and the end (at == n: no difference).
            for (const std::size_t at : {n, std::size_t{0}, n / 2, n - 1}) {
                std::vector<std::uint8_t> k = first, m = live;
                std::memcpy(m.data() + c, restore.data() + b, n);
                if (at < n)
                    m[c + at] ^= 0x10;
                ASSERT_EQ(keepAndRestore(k.data() + a, m.data() + c, restore.data() + b, n), at < n)
                    << "n " << n << " at " << at;
            }
            snapshotCopiesDone();

            ASSERT_EQ(one, f) << "n " << n;
            ASSERT_EQ(two1, f) << "n " << n;
            ASSERT_EQ(two2, s) << "n " << n;
            std::vector<std::uint8_t> sameExpected = second;
            std::memcpy(sameExpected.data() + a, live.data() + c, n);
            ASSERT_EQ(same2, sameExpected) << "n " << n;
            ASSERT_EQ(keep, f) << "n " << n;
            std::memcpy(l.data() + c, restore.data() + b, n);
            ASSERT_EQ(moved, l) << "n " << n;
        }
    });
}

} // namespace
} // namespace splot
