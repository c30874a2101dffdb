// What the image control puts on screen, read back from the window's backing
// store: the outline follows the pointer and never leaves a trail, strokes
// appear at once, and the canvas bytes never keep an outline.
#include "app/QtPorts.h"
#include "support/DispatchLevels.h"
#include "support/GuiRig.h"
#include "support/SessionProbe.h"
#include "view/Zoom.h"

#include <QBackingStore>
#include <QCheckBox>
#include <QFrame>
#include <QScrollArea>
#include <QScrollBar>

#include <QSlider>
#include <cmath>

namespace splot::test {
namespace {

// The screen pixel over canvas pixel (x, y), as 0xRRGGBB.
quint32 screenPixel(GuiRig& rig, int x, int y) {
    QBackingStore* store = rig.form->backingStore();
    auto* image = static_cast<QImage*>(store->paintDevice());
    // Canvas row y is widget row imageHeight - 1 - y.
    const QPoint p =
        rig.form->Image1->mapTo(rig.form.get(), QPoint(x, rig.form->canvas().imageHeight() - 1 - y));
    // On a scaled screen, the first device pixel of that window pixel.
    const double r = image->devicePixelRatio();
    const QPoint device(static_cast<int>(std::ceil(p.x() * r - 0.5)),
                        static_cast<int>(std::ceil(p.y() * r - 0.5)));
    return image->pixel(device) & 0xFFFFFFu;
}

// Screen pixels over a canvas square that differ from the canvas.
int differences(GuiRig& rig, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const BgrPixel c = rig.form->canvas().pixel(x, y);
            const quint32 want = (quint32(c.red) << 16) | (quint32(c.green) << 8) | c.blue;
            n += screenPixel(rig, x, y) != want;
        }
    return n;
}

TEST(Screen, TheOutlineFollowsThePointerWithoutATrail) {
    test::forEachDispatchLevel([&] {
        GuiRig rig;
        rig.show();
        rig.form->tbW->setValue(40);
        rig.moveTo(100, 100);
        // The outline is on screen around the pointer but not in the canvas.
        const int shown = differences(rig, 75, 75, 125, 125);
        EXPECT_GE(shown, 4);
        EXPECT_EQ(rig.form->canvas().pixel(100, 120), (BgrPixel{255, 255, 255}));

        rig.moveTo(300, 300);
        EXPECT_EQ(differences(rig, 75, 75, 125, 125), 0) << "the old outline must leave the screen";
        EXPECT_GE(differences(rig, 275, 275, 325, 325), 4);

        // Leaving for the control column takes the outline off the screen.
        QTest::mouseMove(rig.window(), rig.form->Panel2->mapTo(rig.form.get(), QPoint(20, 20)));
        EXPECT_EQ(differences(rig, 275, 275, 325, 325), 0);
    });
}

TEST(Screen, AStrokeIsOnScreenWhenTheEventReturns) {
    test::forEachDispatchLevel([&] {
        GuiRig rig;
        rig.show();
        rig.form->tbW->setValue(20);
        rig.press(200, 200);
        rig.moveTo(210, 200);
        // Outline off, stamp and outline on reach the screen in one repaint.
        const int paints = rig.form->Image1->paintCount();
        rig.moveTo(240, 205);
        EXPECT_EQ(rig.form->Image1->paintCount() - paints, 1);
        // Everything but the outline at the pointer shows the canvas as it is.
        EXPECT_EQ(differences(rig, 180, 180, 220, 220), 0);
        EXPECT_NE(rig.form->canvas().pixel(210, 200), (BgrPixel{255, 255, 255}));
        rig.release(240, 205);
        EXPECT_LE(differences(rig, 180, 180, 260, 230), 8) << "at most the last outline's dots differ";
    });
}

TEST(Screen, AScrolledLargePictureShowsTheRightPixels) {
    test::forEachDispatchLevel([&] {
        GuiRig rig;
        rig.show();
        rig.form->MakeNewImage(1500, 1400, false);
        rig.form->tbW->setValue(30);
        QScrollBar* h = rig.form->ScrollBox1->horizontalScrollBar();
        QScrollBar* v = rig.form->ScrollBox1->verticalScrollBar();
        h->setValue(700);
        v->setValue(600);
        QApplication::processEvents();
        // A canvas point inside the viewport after scrolling.
        const QPoint inViewport = rig.form->ScrollBox1->viewport()->rect().center();
        const QPoint onImage = rig.form->Image1->mapFrom(rig.form->ScrollBox1->viewport(), inViewport);
        const int x = onImage.x();
        const int y = rig.form->canvas().imageHeight() - onImage.y();
        rig.press(x, y);
        rig.moveTo(x + 5, y);
        rig.release(x + 5, y);
        EXPECT_NE(rig.form->canvas().pixel(x + 5, y - 1), (BgrPixel{255, 255, 255}));
        h->setValue(650); // scrolling repaints the uncovered strip through a paint event
        QApplication::processEvents();
        EXPECT_LE(differences(rig, x - 40, y - 40, x + 40, y + 40), 12)
            << "at most the outline's dots differ";
    });
}

TEST(Screen, ACircleAndAStampOutsideACommandAreInTheWindowAtOnce) {
    GuiRig rig;
    rig.show();
    SplotState& state = rig.form->session().state();
    state.circle.circleNumberOfPoints = 72;
    state.circle.circleWidth = 100;
    state.circle.circleHeight = 100;
    state.circle.circleUsePenWidth = true;
    state.circle.circlePenWidth = 150;
    rig.form->session().DrawCircle();
    EXPECT_EQ(differences(rig, 100, 100, 500, 500), 0);
    SessionProbe(rig.form->session()).painter().DrawOnImage(KMingo(300, 300), 40, true);
    EXPECT_EQ(differences(rig, 270, 270, 330, 330), 0);
}

// A click through the real window, read by the real pointer port, paints
// exactly at the picture pixel whose area holds the centre of the device
// pixel under the pointer, at 25 %, 100 % and 400 %. The pointer's y is the
// image height less the row counted from the top (1 on the bottom row), so a
// one-pixel stamp lands in the canvas row of that number, at every zoom as at
// 100 %.
TEST(Screen, AClickPaintsThePixelUnderThePointerAtEveryZoom) {
    QtMousePort pointer;
    GuiRig rig([&](GuiRig& r) { r.ports.mouse = &pointer; });
    TForm1& f = *rig.form;
    pointer.setImage(f.Image1, &f.state().paint.imageHeight);
    rig.show();
    f.MakeNewImage(800, 600, false);
    f.cbFuzzy->setChecked(false);
    f.cbSquareBrush->setChecked(true);
    f.tbW->setValue(1);
    const int h = f.canvas().imageHeight();
    for (Zoom zoom : {Zoom{1, 4}, Zoom{1, 1}, Zoom{4, 1}}) {
        f.setZoom(zoom, QPoint(0, 0));
        QApplication::processEvents();
        const double r = f.Image1->devicePixelRatioF();
        for (QPoint at : {QPoint(123, 77), QPoint(10, 149), QPoint(199, 3)}) {
            const std::vector<BgrPixel> before = rig.pixels();
            const QPoint window = f.Image1->mapTo(&f, at);
            QCursor::setPos(f.mapToGlobal(window));
            QTest::mouseMove(rig.window(), window);
            QTest::mouseClick(rig.window(), Qt::LeftButton, {}, window);
            const std::vector<BgrPixel> after = rig.pixels();
            const int x = static_cast<int>(std::floor((at.x() + 0.5 / r) * zoom.den / zoom.num));
            const int top = static_cast<int>(std::floor((at.y() + 0.5 / r) * zoom.den / zoom.num));
            for (std::size_t i = 0; i < after.size(); ++i) {
                const int px = static_cast<int>(i) % f.canvas().imageWidth();
                const int py = static_cast<int>(i) / f.canvas().imageWidth();
                EXPECT_EQ(after[i] != before[i], px == x && py == h - top)
                    << "zoom " << zoom.num << "/" << zoom.den << " pointer " << at.x() << "," << at.y()
                    << " pixel " << px << "," << py;
            }
        }
    }
}

} // namespace
} // namespace splot::test
