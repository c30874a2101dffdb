#include "colour/WholePicture.h"
#include "paint/Canvas.h"
#include "support/DispatchLevels.h"

#include <gtest/gtest.h>

namespace splot {
namespace {

TEST(WholePicture, InvertTwiceAndCycleThriceRestoreThePicture) {
    test::forEachDispatchLevel([&] {
        Canvas c;
        c.rebuild(3, 2, Rebuild::Cleared, 0);
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

TEST(WholePicture, EmptyCanvasIsFine) {
    Canvas c;
    c.rebuild(0, 4, Rebuild::Cleared, 255);
    invertWholePicture(c);
    applyChannelActionWholePicture(c, RgbAction::GandB);
    SUCCEED();
}

} // namespace
} // namespace splot
