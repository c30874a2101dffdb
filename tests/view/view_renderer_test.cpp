// The view's kernels and renderer at every dispatch level against plain
// loops: the row kernels on lengths and alignments that reach every vector
// path and tail, and whole pictures at every kind of zoom and screen ratio
// against a reference that maps device pixels with exact fractions.
#include "base/Random.h"
#include "base/WorkerPool.h"
#include "support/DispatchLevels.h"
#include "view/DisplayKernels.h"
#include "view/ViewRenderer.h"

#include <gtest/gtest.h>

#include <vector>

namespace splot {
namespace {

std::uint32_t word(const std::uint8_t* bgr) {
    return 0xFF000000u | (std::uint32_t(bgr[2]) << 16) | (std::uint32_t(bgr[1]) << 8) | bgr[0];
}

TEST(ViewKernels, EveryLevelAgreesWithThePlainLoops) {
    test::forEachDispatchLevel([] {
        Random random(11);
        std::vector<std::uint8_t> bytes(3 * 400);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(random.random(256));
        for (int n = 0; n <= 300; n += n < 80 ? 1 : 37) {
            const int at = static_cast<int>(random.random(40));
            // Conversion: the words past the row stay untouched.
            std::vector<std::uint32_t> out(n + 64, 0x12345678u), want = out;
            for (int i = 0; i < n; ++i)
                want[at + i] = word(bytes.data() + 3 * (at + i));
            rowConverter()(bytes.data() + 3 * at, out.data() + at, n);
            ASSERT_EQ(out, want) << "convert " << n;

            // Conversion to two words a pixel, into one row or two.
            for (const bool two : {false, true}) {
                std::vector<std::uint32_t> first(2 * n + 64, 0x12345678u), second = first, wantFirst = first,
                                                                           wantSecond = first;
                for (int i = 0; i < n; ++i) {
                    wantFirst[at + 2 * i] = wantFirst[at + 2 * i + 1] = word(bytes.data() + 3 * (at + i));
                    if (two)
                        wantSecond[at + 2 * i] = wantSecond[at + 2 * i + 1] = wantFirst[at + 2 * i];
                }
                doubledConverter()(bytes.data() + 3 * at, first.data() + at,
                                   two ? second.data() + at : nullptr, n);
                ASSERT_EQ(first, wantFirst) << "doubled " << n;
                ASSERT_EQ(second, wantSecond) << "doubled, second row " << n;
            }

            // Expansion along a random map that steps by 0 or 1.
            std::vector<std::uint32_t> words(n + 16 + 1);
            for (auto& w : words)
                w = static_cast<std::uint32_t>(random.random(1u << 30));
            std::vector<int> map(n);
            for (int i = 0, m = 0; i < n; ++i, m += random.random(2) == 0 ? 0 : 1)
                map[i] = std::min(m, n);
            std::vector<std::uint32_t> expanded(n + 8, 7), wantExpanded = expanded;
            for (int i = 0; i < n; ++i)
                wantExpanded[i] = words[map[i]];
            expander()(words.data(), map.data(), expanded.data(), n);
            ASSERT_EQ(expanded, wantExpanded) << "expand " << n;
        }
    });
}

// Column sums over boxes of rows, up to the 257 rows of 255 that fill a lane,
// against the plain sums; the words past the last pixel stay untouched.
TEST(ViewKernels, ColumnSumsAgreeWithThePlainSumsAtEveryLevel) {
    test::forEachDispatchLevel([] {
        Random random(12);
        const std::size_t stride = 3 * 340 + 7;
        std::vector<std::uint8_t> bytes(stride * 257);
        for (int rows : {1, 2, 3, 8, 13, 16, 257}) {
            for (auto& b : bytes)
                b = rows == 257 ? 255 : static_cast<std::uint8_t>(random.random(256));
            for (int n = 0; n <= 300; n += n < 80 ? 1 : 37) {
                const int at = static_cast<int>(random.random(40));
                std::vector<std::uint64_t> out(static_cast<std::size_t>(n) + 24, 0x5A5A5A5Au), want = out;
                for (int p = 0; p < n; ++p) {
                    std::uint64_t lanes[3] = {0, 0, 0};
                    for (int r = 0; r < rows; ++r)
                        for (int c = 0; c < 3; ++c)
                            lanes[c] += bytes[r * stride + 3 * (at + p) + c];
                    want[p] = lanes[0] | lanes[1] << 16 | lanes[2] << 32;
                }
                columnSummer()(bytes.data() + 3 * at, stride, rows, out.data(), n);
                ASSERT_EQ(out, want) << rows << " rows of " << n;
            }
        }
    });
}

// Runs of device pixels that each average k columns of `rows` rows, against
// the exact rounded quotient, on lengths that reach every vector step and
// tail; channel sums up to 255 a pixel, the most a run can hold.
TEST(ViewKernels, RunAveragesAreTheRoundedQuotientsAtEveryLevel) {
    test::forEachDispatchLevel([] {
        Random random(13);
        for (int k = 1; k <= 16; ++k)
            for (int rows : {1, 2, 3, 5, 8, 13, 16})
                for (int m = 0; m <= 40; m += m < 18 ? 1 : 11) {
                    const std::uint64_t most = 255u * rows, n = most / 255 * k;
                    std::vector<std::uint64_t> sums(static_cast<std::size_t>(m * k));
                    for (auto& w : sums)
                        for (int c = 0; c < 3; ++c)
                            w |= (random.random(4) == 0 ? most : random.random(most + 1)) << (16 * c);
                    std::vector<std::uint32_t> out(static_cast<std::size_t>(m) + 9, 7), want = out;
                    for (int i = 0; i < m; ++i) {
                        std::uint8_t avg[3];
                        for (int c = 0; c < 3; ++c) {
                            std::uint64_t sum = 0;
                            for (int j = 0; j < k; ++j)
                                sum += sums[i * k + j] >> (16 * c) & 0xFFFF;
                            avg[c] = static_cast<std::uint8_t>((sum + n / 2) / n);
                        }
                        want[i] = word(avg);
                    }
                    std::vector<std::uint64_t> scratch(sums.size() / 2);
                    runAverager()(sums.data(), k, rows, scratch.data(), out.data(), m);
                    ASSERT_EQ(out, want) << k << " columns, " << rows << " rows, " << m << " pixels";
                }
    });
}

// A screen ratio as a fraction.
struct Ratio {
    long long num, den;
};

long long floorDiv(long long a, long long b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The picture pixels device pixel d shows on one axis, from the definition:
// the one holding the device pixel's centre when a picture pixel spans at
// least a device pixel, else those whose centres lie in the device pixel
// (the nearest end pixel when none do).
std::vector<int> reference(int size, Zoom z, Ratio r, int origin, long long d) {
    // Positions in device pixels times 2 * r.den * z.den: a picture pixel's
    // edge p lies at 2 * (origin * r.num * z.den + p * r.num * z.num).
    const long long unit = 2 * r.den * z.den;
    auto edge = [&](long long twiceP) { return 2 * origin * r.num * z.den + twiceP * r.num * z.num; };
    if (r.num * z.num >= r.den * z.den) {
        // Largest p with edge(2p) <= centre of d.
        const long long centre = (2 * d + 1) * r.den * z.den;
        const long long p = floorDiv(centre - 2 * origin * r.num * z.den, 2 * r.num * z.num);
        return {static_cast<int>(std::clamp<long long>(p, 0, size - 1))};
    }
    std::vector<int> shown;
    for (int p = 0; p < size; ++p) {
        const long long centre = edge(2 * p + 1);
        if (centre >= d * unit && centre < (d + 1) * unit)
            shown.push_back(p);
    }
    if (shown.empty())
        shown.push_back(edge(1) >= (d + 1) * unit ? 0 : size - 1);
    return shown;
}

TEST(ViewRenderer, EveryZoomAndRatioAgreesWithTheExactReference) {
    Random random(5);
    const int w = 53, h = 37;
    const std::size_t stride = 3 * w + 5;
    std::vector<std::uint8_t> bits(stride * h);
    for (auto& b : bits)
        b = static_cast<std::uint8_t>(random.random(256));
    const PictureBits picture{bits.data(), stride, w, h};
    const Zoom zooms[] = {{1, 16}, {1, 3}, {2, 3}, {1, 1}, {2, 1}, {3, 1}, {16, 1}, {1600, 5000}};
    const Ratio ratios[] = {{1, 1}, {5, 4}, {3, 2}, {2, 1}};
    const int origins[][2] = {{0, 0}, {7, 3}, {-13, -9}};
    test::forEachDispatchLevel([&] {
        ViewRenderer renderer;
        for (Zoom z : zooms)
            for (Ratio r : ratios)
                for (auto [ox, oy] : origins) {
                    const double ratio = static_cast<double>(r.num) / r.den;
                    const ViewAxis x(w, z, ratio, ox), y(h, z, ratio, oy);
                    // Every device pixel of the picture and two beyond each edge.
                    const auto cols = x.devicePixels(0, w), rows = y.devicePixels(0, h);
                    const DeviceBox box{static_cast<int>(cols.begin) - 2, static_cast<int>(rows.begin) - 2,
                                        static_cast<int>(cols.end) + 2, static_cast<int>(rows.end) + 2};
                    const int bw = box.right - box.left, bh = box.bottom - box.top;
                    std::vector<std::uint32_t> out(static_cast<std::size_t>(bw) * bh);
                    renderer.render(picture, x, y, box,
                                    DeviceImage{out.data(), std::size_t(bw), box.left, box.top});
                    for (int dy = box.top; dy < box.bottom; ++dy) {
                        const std::vector<int> ys = reference(h, z, r, oy, dy);
                        for (int dx = box.left; dx < box.right; ++dx) {
                            const std::vector<int> xs = reference(w, z, r, ox, dx);
                            std::uint32_t sum[3] = {0, 0, 0};
                            for (int py : ys)
                                for (int px : xs)
                                    for (int c = 0; c < 3; ++c)
                                        sum[c] += bits[py * stride + px * 3 + c];
                            const std::uint32_t n = static_cast<std::uint32_t>(xs.size() * ys.size());
                            std::uint8_t avg[3];
                            for (int c = 0; c < 3; ++c)
                                avg[c] = static_cast<std::uint8_t>((sum[c] + n / 2) / n);
                            ASSERT_EQ(out[(dy - box.top) * bw + (dx - box.left)], word(avg))
                                << "zoom " << z.num << "/" << z.den << " ratio " << ratio << " origin " << ox
                                << "," << oy << " device " << dx << "," << dy;
                        }
                    }
                    // A box of any placement inside gives the same pixels.
                    for (int k = 0; k < 4; ++k) {
                        const int l =
                            box.left + static_cast<int>(random.random(static_cast<std::uint32_t>(bw)));
                        const int t =
                            box.top + static_cast<int>(random.random(static_cast<std::uint32_t>(bh)));
                        const DeviceBox part{
                            l, t,
                            l + 1 +
                                static_cast<int>(random.random(static_cast<std::uint32_t>(box.right - l))),
                            t + 1 +
                                static_cast<int>(random.random(static_cast<std::uint32_t>(box.bottom - t)))};
                        std::vector<std::uint32_t> again(out.size(), 0);
                        renderer.render(picture, x, y, part,
                                        DeviceImage{again.data(), std::size_t(bw), box.left, box.top});
                        for (int dy = part.top; dy < part.bottom; ++dy)
                            for (int dx = part.left; dx < part.right; ++dx) {
                                const std::size_t at = std::size_t(dy - box.top) * bw + (dx - box.left);
                                ASSERT_EQ(again[at], out[at]) << "part at " << dx << "," << dy;
                            }
                    }
                }
    });
}

// Shared among several threads, every device pixel is the one-thread one.
TEST(ViewRenderer, SharedRowsGiveTheSameWords) {
    Random random(6);
    const int w = 700, h = 300;
    const std::size_t stride = 3 * w;
    std::vector<std::uint8_t> bits(stride * h);
    for (auto& b : bits)
        b = static_cast<std::uint8_t>(random.random(256));
    const PictureBits picture{bits.data(), stride, w, h};
    WorkerPool pool(4, WorkerPool::Sharing::Always);
    ViewRenderer alone, shared;
    shared.setWorkers(&pool);
    for (Zoom z : {Zoom{1, 16}, Zoom{1, 5}, Zoom{1, 3}, Zoom{2, 3}})
        for (double ratio : {1.0, 1.25, 2.0}) {
            const ViewAxis x(w, z, ratio, 3), y(h, z, ratio, -5);
            const DeviceBox box{1, 0, static_cast<int>(x.devicePixels(0, w).end) + 1,
                                static_cast<int>(y.devicePixels(0, h).end) + 1};
            const int bw = box.right - box.left, bh = box.bottom - box.top;
            std::vector<std::uint32_t> one(static_cast<std::size_t>(bw) * bh), many(one.size());
            alone.render(picture, x, y, box, DeviceImage{one.data(), std::size_t(bw), box.left, box.top});
            shared.render(picture, x, y, box, DeviceImage{many.data(), std::size_t(bw), box.left, box.top});
            ASSERT_EQ(one, many) << "zoom " << z.num << "/" << z.den << " ratio " << ratio;
        }
}

// The ladder of levels, and fitting a picture into a box.
TEST(ZoomLevels, StepsAndFits) {
    Zoom z = ZoomLevels::levels.front();
    for (std::size_t i = 1; i < ZoomLevels::levels.size(); ++i)
        EXPECT_EQ(z = ZoomLevels::zoomIn(z), ZoomLevels::levels[i]);
    EXPECT_EQ(ZoomLevels::zoomIn(z), (Zoom{16, 1}));
    EXPECT_EQ(ZoomLevels::zoomOut(Zoom{1, 1}), (Zoom{2, 3}));
    EXPECT_EQ(ZoomLevels::zoomOut(Zoom{1, 16}), (Zoom{1, 16}));
    // Between levels, one step goes to the neighbouring level.
    EXPECT_EQ(ZoomLevels::zoomIn(Zoom{1, 5}), (Zoom{1, 4}));
    EXPECT_EQ(ZoomLevels::zoomOut(Zoom{1, 5}), (Zoom{1, 8}));
    EXPECT_EQ(ZoomLevels::levelIndex(Zoom{2, 4}), 4);
    EXPECT_EQ(ZoomLevels::levelIndex(Zoom{1, 5}), -1);

    struct Case {
        int w, h, boxW, boxH;
        Zoom fit;
    } const cases[] = {
        {5000, 5000, 1600, 1000, {1000, 5000}}, {5000, 2000, 1600, 1000, {1600, 5000}},
        {600, 600, 1600, 1000, {1, 1}},         {100000, 10, 100, 100, {1, 16}},
        {0, 600, 1600, 1000, {1, 1}},           {601, 601, 600, 600, {600, 601}},
    };
    for (const Case& c : cases) {
        const Zoom fit = ZoomLevels::fit(c.w, c.h, c.boxW, c.boxH);
        EXPECT_EQ(fit, c.fit) << c.w << "x" << c.h;
        if (c.w > 0 && fit.num < fit.den && ZoomLevels::levels.front() < fit) {
            EXPECT_LE(ZoomLevels::shownLength(c.w, fit), c.boxW);
            EXPECT_LE(ZoomLevels::shownLength(c.h, fit), c.boxH);
        }
    }
    EXPECT_EQ(ZoomLevels::shownLength(5000, Zoom{1, 3}), 1667);
    EXPECT_EQ(ZoomLevels::shownLength(600, Zoom{16, 1}), 9600);
}

} // namespace
} // namespace splot
