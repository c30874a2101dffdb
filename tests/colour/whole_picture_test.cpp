#include "colour/WholePicture.h"
#include "paint/Canvas.h"
#include "support/DispatchLevels.h"

#include <gtest/gtest.h>

#include <vector>

namespace splot {
namespace {

TEST(WholePicture, InvertTwiceAndCycleThriceRestoreThePicture) {
    test::forEachDispatchLevel([&] {
        Canvas c;
        c.rebuild(3, 2, false, false);
        c.pixel(0, 0) = BgrPixel{1, 2, 3};
        c.pixel(2, 1) = BgrPixel{250, 0, 128};
        invertWholePicture(c);
        EXPECT_EQ(c.pixel(0, 0), (BgrPixel{254, 253, 252}));
        EXPECT_EQ(c.pixel(1, 0), (BgrPixel{255, 255, 255}));
        invertWholePicture(c);
        EXPECT_EQ(c.pixel(2, 1), (BgrPixel{250, 0, 128}));

        applyChannelActionWholePicture(c, RgbAction::Cycle);
        EXPECT_EQ(c.pixel(0, 0), (BgrPixel{2, 3, 1})); // red <- blue, green <- red, blue <- green
        applyChannelActionWholePicture(c, RgbAction::Cycle);
        applyChannelActionWholePicture(c, RgbAction::Cycle);
        EXPECT_EQ(c.pixel(0, 0), (BgrPixel{1, 2, 3}));

        applyChannelActionWholePicture(c, RgbAction::RandB);
        EXPECT_EQ(c.pixel(0, 0), (BgrPixel{3, 2, 1}));
        applyChannelActionWholePicture(c, RgbAction::Invert);
        EXPECT_EQ(c.pixel(0, 0), (BgrPixel{252, 253, 254}));
    });
}

// Whether an action changes the picture, against applying it and comparing:
// grey rows, one odd pixel at the start, middle or end of a row, a pixel
// whose swapped channels agree, and no pixels at all.
TEST(WholePicture, ActionChangesPictureAgreesWithApplyingIt) {
    const BgrPixel odd[] = {{7, 7, 7}, {1, 2, 3}, {1, 2, 1}, {5, 9, 9}, {4, 4, 8}};
    for (const auto& [w, h] : {std::pair{0, 3}, std::pair{1, 1}, std::pair{5, 3}, std::pair{70, 2}})
        for (int at = 0; at < 3; ++at)
            for (const BgrPixel p : odd)
                for (RgbAction a : {RgbAction::Invert, RgbAction::Cycle, RgbAction::RandG, RgbAction::RandB,
                                    RgbAction::GandB}) {
                    Canvas c;
                    c.rebuild(w, h, false, false);
                    c.fill(7);
                    if (w > 0)
                        c.pixel(at * (w - 1) / 2, h - 1) = p;
                    std::vector<BgrPixel> before;
                    for (int y = 0; y < h; ++y)
                        before.insert(before.end(), c.row(y), c.row(y) + w);
                    const bool changes = actionChangesPicture(c, a);
                    applyChannelActionWholePicture(c, a);
                    std::vector<BgrPixel> after;
                    for (int y = 0; y < h; ++y)
                        after.insert(after.end(), c.row(y), c.row(y) + w);
                    ASSERT_EQ(changes, before != after)
                        << w << " x " << h << " action " << static_cast<int>(a) << " pixel " << int{p.blue}
                        << "," << int{p.green} << "," << int{p.red} << " at " << at;
                }
}

TEST(WholePicture, EmptyCanvasIsFine) {
    Canvas c;
    c.rebuild(0, 4, false, true);
    invertWholePicture(c);
    applyChannelActionWholePicture(c, RgbAction::GandB);
    SUCCEED();
}

} // namespace
} // namespace splot
