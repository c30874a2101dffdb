#include "base/Random.h"
#include "colour/RgbActions.h"
#include "colour/WholePicture.h"
#include "paint/Canvas.h"
#include "support/DispatchLevels.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace splot {
namespace {

constexpr RgbAction allActions[] = {RgbAction::Invert, RgbAction::Cycle, RgbAction::RandG, RgbAction::RandB,
                                    RgbAction::GandB};

BgrPixel rgb(int r, int g, int b) {
    return BgrPixel{static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(r)};
}

TEST(RgbActions, TargetsFollowTheActionTable) {
    const BgrPixel s = rgb(10, 20, 30); // R, G, B
    EXPECT_EQ(actionTarget(RgbAction::Invert, s), rgb(245, 235, 225));
    EXPECT_EQ(actionTarget(RgbAction::Cycle, s), rgb(30, 10, 20)); // red <- B, green <- R, blue <- G
    EXPECT_EQ(actionTarget(RgbAction::RandG, s), rgb(20, 10, 30));
    EXPECT_EQ(actionTarget(RgbAction::RandB, s), rgb(30, 20, 10));
    EXPECT_EQ(actionTarget(RgbAction::GandB, s), rgb(10, 30, 20));
}

TEST(RgbActions, CycleReturnsAfterThreeStepsTheOthersAfterTwo) {
    Random random(7);
    for (int i = 0; i < 200; ++i) {
        const BgrPixel s = rgb(random.random(256), random.random(256), random.random(256));
        const BgrPixel c1 = actionTarget(RgbAction::Cycle, s);
        const BgrPixel c2 = actionTarget(RgbAction::Cycle, c1);
        EXPECT_EQ(actionTarget(RgbAction::Cycle, c2), s);
        EXPECT_EQ(c1 == s, s.red == s.green && s.green == s.blue); // one step is not enough
        for (RgbAction a : {RgbAction::Invert, RgbAction::RandG, RgbAction::RandB, RgbAction::GandB})
            EXPECT_EQ(actionTarget(a, actionTarget(a, s)), s);
    }
}

TEST(RgbActions, ProportionBetweenRoundsHalvesToEvenAndKeepsTheLowByte) {
    EXPECT_EQ(ProportionBetween(0, 255, 0.5), 128); // 127.5
    EXPECT_EQ(ProportionBetween(0, 1, 0.5), 0);     // 0.5
    EXPECT_EQ(ProportionBetween(255, 0, 0.5), 128);
    EXPECT_EQ(ProportionBetween(10, 15, 0.5), 12); // 12.5
    EXPECT_EQ(ProportionBetween(10, 200, 0.0), 10);
    EXPECT_EQ(ProportionBetween(10, 200, 1.0), 200);
    EXPECT_EQ(ProportionBetween(0, 255, 1.5), 126); // 382.5 -> 382, low eight bits
}

TEST(RgbActions, PaintedActionReadsTheSourceSnapshotUnlessSilly) {
    Canvas canvas;
    canvas.rebuild(2, 1, false, false); // black
    canvas.actionSourceRow(0)[0] = rgb(0, 0, 0);
    canvas.pixel(0, 0) = rgb(255, 255, 255); // already painted in this stroke
    ColourState colour;
    colour.selectedAction = RgbAction::Invert;
    PerformRGBAction(canvas, colour, 0, 0, 0.5);
    EXPECT_EQ(canvas.pixel(0, 0), rgb(128, 128, 128)); // from the black source, not the live white

    colour.silly = true;
    canvas.pixel(1, 0) = rgb(10, 20, 30);
    colour.selectedAction = RgbAction::Cycle;
    PerformRGBAction(canvas, colour, 1, 0, 1.0);
    PerformRGBAction(canvas, colour, 1, 0, 1.0);
    EXPECT_EQ(canvas.pixel(1, 0), rgb(20, 30, 10)); // cycled twice: each stamp works on the live pixel
}

// The vector kernel and the per-pixel table agree on every length (block
// remainders included) and every alignment.
TEST(WholePicture, VectorPassAgreesWithTheTableByteForByte) {
    test::forEachDispatchLevel([&] {
        Random random(99);
        std::vector<BgrPixel> data(400);
        for (RgbAction a : allActions)
            for (std::size_t n : {0u, 1u, 5u, 63u, 64u, 65u, 127u, 128u, 191u, 257u, 333u})
                for (std::size_t offset : {0u, 1u, 7u}) {
                    for (auto& p : data)
                        p = rgb(random.random(256), random.random(256), random.random(256));
                    std::vector<BgrPixel> expected = data;
                    applyRgbActionToPixelsScalar(expected.data() + offset, n, a);
                    applyRgbActionToPixels(data.data() + offset, n, a);
                    ASSERT_EQ(std::memcmp(data.data(), expected.data(), data.size() * 3), 0)
                        << "action " << static_cast<int>(a) << " n " << n << " offset " << offset;
                }
    });
}

TEST(WholePicture, EveryPixelOnceThePaddingUntouchedOneRepaint) {
    test::forEachDispatchLevel([&] {
        Random random(5);
        for (int width : {1, 3, 5, 66, 131}) {
            for (RgbAction a : allActions) {
                Canvas canvas;
                canvas.rebuild(width, 4, false, false);
                test::RecordingDisplay display;
                canvas.setDisplay(&display);
                const std::size_t bytes = static_cast<std::size_t>(canvas.bytesPerLine()) * 4;
                for (std::size_t i = 0; i < bytes; ++i)
                    canvas.bits()[i] = static_cast<std::uint8_t>(random.random(256));
                const std::vector<std::uint8_t> before(canvas.bits(), canvas.bits() + bytes);

                applyChannelActionWholePicture(canvas, a);

                EXPECT_EQ(display.whole, 1);
                for (int y = 0; y < 4; ++y) {
                    const std::size_t line = static_cast<std::size_t>(3 - y) * canvas.bytesPerLine();
                    for (int x = 0; x < width; ++x) {
                        BgrPixel old;
                        std::memcpy(&old, &before[line + 3 * static_cast<std::size_t>(x)], 3);
                        ASSERT_EQ(canvas.pixel(x, y), actionTarget(a, old)) << width << " " << x << "," << y;
                    }
                    for (int i = width * 3; i < canvas.bytesPerLine(); ++i)
                        ASSERT_EQ(canvas.bits()[line + i], before[line + i]) << "padding of width " << width;
                }
            }
        }
    });
}

TEST(WholePicture, InvertAndCycleRestoreThePicture) {
    test::forEachDispatchLevel([&] {
        Canvas canvas;
        canvas.rebuild(70, 3, false, true);
        canvas.pixel(3, 1) = rgb(1, 2, 3);
        invertWholePicture(canvas);
        EXPECT_EQ(canvas.pixel(3, 1), rgb(254, 253, 252));
        EXPECT_EQ(canvas.pixel(0, 0), rgb(0, 0, 0));
        // Cycle RGB with Invert selected inverts, as Do Action does.
        applyChannelActionWholePicture(canvas, RgbAction::Invert);
        EXPECT_EQ(canvas.pixel(3, 1), rgb(1, 2, 3));
        for (int i = 0; i < 3; ++i)
            applyChannelActionWholePicture(canvas, RgbAction::Cycle);
        EXPECT_EQ(canvas.pixel(3, 1), rgb(1, 2, 3));
    });
}

} // namespace
} // namespace splot
