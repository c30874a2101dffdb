#include "paint/Canvas.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

namespace splot {
namespace {

TEST(Canvas, RowZeroIsTheBottomRowOfTheBitmap) {
    Canvas c;
    c.rebuild(4, 3, Rebuild::Cleared, 0);
    c.pixel(0, 0) = BgrPixel{1, 2, 3};
    // The bitmap is stored top row first: canvas row 0 is the last bitmap row.
    const std::uint8_t* bottom = c.bits() + 2 * c.bytesPerLine();
    EXPECT_EQ(bottom[0], 1);
    EXPECT_EQ(bottom[1], 2);
    EXPECT_EQ(bottom[2], 3);
    EXPECT_EQ(c.bits()[0], 0);
    EXPECT_GE(c.bytesPerLine(), 12);
}

TEST(Canvas, NewBitmapTakesTheBackgroundColour) {
    Canvas c;
    c.rebuild(3, 2, Rebuild::Cleared, 255);
    EXPECT_EQ(c.pixel(2, 1), (BgrPixel{255, 255, 255}));
    c.rebuild(5, 2, Rebuild::Cleared, 0);
    EXPECT_EQ(c.pixel(4, 1), (BgrPixel{0, 0, 0}));
    c.fill(255);
    EXPECT_EQ(c.pixel(0, 0), (BgrPixel{255, 255, 255}));
}

TEST(Canvas, EnlargingKeepsThePictureTopLeftAndArraysByIndex) {
    Canvas c;
    c.rebuild(2, 2, Rebuild::Cleared, 0);
    c.pixel(0, 1) = BgrPixel{9, 9, 9}; // top-left on screen
    c.pixel(1, 0) = BgrPixel{7, 7, 7}; // bottom-right on screen
    c.undoRow(1)[0] = BgrPixel{5, 5, 5};
    c.coverageRow(0)[1] = 0.25;

    c.rebuild(4, 5, Rebuild::KeepPicture, 255);
    EXPECT_EQ(c.imageWidth(), 4);
    EXPECT_EQ(c.imageHeight(), 5);
    // Old row y goes to new row y + (newHeight - oldHeight).
    EXPECT_EQ(c.pixel(0, 4), (BgrPixel{9, 9, 9}));
    EXPECT_EQ(c.pixel(1, 3), (BgrPixel{7, 7, 7}));
    // The uncovered area has the background colour.
    EXPECT_EQ(c.pixel(3, 0), (BgrPixel{255, 255, 255}));
    EXPECT_EQ(c.pixel(2, 4), (BgrPixel{255, 255, 255}));
    // Arrays keep [y][x]; new elements are zero.
    EXPECT_EQ(c.undoRow(1)[0], (BgrPixel{5, 5, 5}));
    EXPECT_EQ(c.coverageRow(0)[1], 0.25);
    EXPECT_EQ(c.undoRow(4)[3], (BgrPixel{0, 0, 0}));
    EXPECT_EQ(c.coverageRow(4)[3], 0.0);
}

TEST(Canvas, ShrinkingCutsOffTheRightAndBottom) {
    Canvas c;
    c.rebuild(3, 3, Rebuild::Cleared, 0);
    c.pixel(0, 2) = BgrPixel{1, 1, 1};
    c.pixel(2, 0) = BgrPixel{2, 2, 2};
    c.rebuild(2, 2, Rebuild::KeepPicture, 0);
    EXPECT_EQ(c.pixel(0, 1), (BgrPixel{1, 1, 1}));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            if (!(x == 0 && y == 1)) {
                EXPECT_EQ(c.pixel(x, y), (BgrPixel{0, 0, 0}));
            }
}

TEST(Canvas, AFailedAllocationLeavesTheCanvasWhole) {
    Canvas c;
    c.rebuild(4, 3, Rebuild::Cleared, 0);
    c.pixel(1, 2) = BgrPixel{1, 2, 3};
    c.undoRow(0)[3] = BgrPixel{4, 5, 6};
    BgrPixel* const row0 = c.row(0);
    c.setAllocationLimit(1000);
    EXPECT_THROW(c.rebuild(100, 100, Rebuild::KeepPicture, 255), CanvasAllocationError);
    EXPECT_EQ(c.imageWidth(), 4);
    EXPECT_EQ(c.imageHeight(), 3);
    EXPECT_EQ(c.row(0), row0);
    EXPECT_EQ(c.pixel(1, 2), (BgrPixel{1, 2, 3}));
    EXPECT_EQ(c.undoRow(0)[3], (BgrPixel{4, 5, 6}));
    c.rebuild(5, 5, Rebuild::KeepPicture, 255); // small enough: fine
    EXPECT_EQ(c.pixel(1, 4), (BgrPixel{1, 2, 3}));
}

TEST(Canvas, EmptyCanvasesAreValid) {
    Canvas c;
    c.rebuild(0, 7, Rebuild::Cleared, 255);
    EXPECT_EQ(c.imageWidth(), 0);
    EXPECT_EQ(c.imageHeight(), 7);
    c.fill(0);
    c.clearCoverage();
    c.rebuild(7, 0, Rebuild::Cleared, 255);
    c.fill(255);
    c.rebuild(3, 3, Rebuild::KeepPicture, 255);
    EXPECT_EQ(c.pixel(1, 1), (BgrPixel{255, 255, 255}));
}

TEST(Canvas, SameSizeRebuildKeepsArraysAndRefills) {
    Canvas c;
    c.rebuild(3, 3, Rebuild::Cleared, 0);
    c.redoRow(2)[2] = BgrPixel{4, 4, 4};
    c.pixel(1, 1) = BgrPixel{8, 8, 8};
    c.rebuild(3, 3, Rebuild::Cleared, 255);
    EXPECT_EQ(c.redoRow(2)[2], (BgrPixel{4, 4, 4}));
    EXPECT_EQ(c.pixel(1, 1), (BgrPixel{255, 255, 255}));
    c.pixel(1, 1) = BgrPixel{8, 8, 8};
    c.rebuild(3, 3, Rebuild::KeepPicture, 255);
    EXPECT_EQ(c.pixel(1, 1), (BgrPixel{8, 8, 8}));
}

TEST(Canvas, ClearCoverageZeroesWhatAStrokeWrote) {
    Canvas c;
    c.rebuild(10, 10, Rebuild::Cleared, 0);
    c.clearCoverage();
    c.coverageRow(3)[4] = 1.0;
    c.noteCoverage(4, 3, 4, 3);
    c.coverageRow(8)[9] = 0.5;
    c.noteCoverage(9, 8, 9, 8);
    c.clearCoverage();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(c.coverageRow(y)[x], 0.0);
}

TEST(Canvas, RefreshRectIsClippedToTheCanvas) {
    Canvas c;
    test::RecordingDisplay d;
    c.rebuild(10, 10, Rebuild::Cleared, 0);
    c.setDisplay(&d);
    c.refreshRect(CanvasRect{-5, -5, 3, 20});
    ASSERT_EQ(d.rects.size(), 1u);
    EXPECT_EQ(d.rects[0].left, 0);
    EXPECT_EQ(d.rects[0].bottom, 0);
    EXPECT_EQ(d.rects[0].right, 3);
    EXPECT_EQ(d.rects[0].top, 9);
    c.refreshRect(CanvasRect{20, 0, 30, 5}); // wholly outside: nothing
    EXPECT_EQ(d.rects.size(), 1u);
    c.RefreshPicture();
    EXPECT_EQ(d.whole, 1);
}

} // namespace
} // namespace splot
