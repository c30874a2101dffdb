// The picture on a scaled screen (run at QT_SCALE_FACTOR 1, 1.25, 1.5 and 2 by
// CTest) at 25 %, 100 % and 400 %: every device pixel shows exactly one
// picture pixel (or, below 100 %, the average of a block of equal ones), and
// the pointer maps to the picture pixel shown under it.
#include "app/QtPorts.h"
#include "support/GuiRig.h"
#include "view/Zoom.h"

#include <QBackingStore>
#include <QMouseEvent>

#include <cmath>

namespace splot::test {
namespace {

// A colour that names its canvas pixel.
BgrPixel code(int x, int y) {
    return BgrPixel{static_cast<std::uint8_t>(((x >> 8) & 15) | ((y >> 8) << 4)),
                    static_cast<std::uint8_t>(y & 255), static_cast<std::uint8_t>(x & 255)};
}
QPoint decode(quint32 rgb) {
    const int blue = rgb & 255, green = (rgb >> 8) & 255, red = (rgb >> 16) & 255;
    return QPoint(red | ((blue & 15) << 8), green | ((blue >> 4) << 8));
}

QImage& store(GuiRig& rig) {
    return *static_cast<QImage*>(rig.form->backingStore()->paintDevice());
}

void checkZoom(Zoom zoom) {
    GuiRig rig;
    rig.show();
    TForm1& f = *rig.form;
    // Below 100 % a device pixel shows the average of the pixels whose
    // centres it holds: blocks of one colour, as large as a device pixel,
    // make that average exact on screens of whole ratios.
    const int block = zoom.num < zoom.den ? zoom.den / zoom.num : 1;
    f.MakeNewImage(300 * block, 200 * block, false);
    f.setZoom(zoom, QPoint(0, 0));
    QApplication::processEvents();
    const double r = store(rig).devicePixelRatio();
    if (block > 1 && r != std::floor(r))
        GTEST_SKIP() << "blocks do not line up with the device pixels at ratio " << r;
    Canvas& canvas = f.canvas();
    const int h = canvas.imageHeight();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < canvas.imageWidth(); ++x)
            canvas.row(y)[x] = code(x / block, (h - 1 - y) / block); // blocks from the top-left corner
    // Window device pixels over image pixels (20..60, 30..70) at 100 %, away from the edges.
    const QPoint origin = f.Image1->mapTo(&f, QPoint(20, 30));
    const QRect device(QPoint(int(origin.x() * r), int(origin.y() * r)), QSize(int(40 * r), int(40 * r)));

    canvas.refreshRect(CanvasRect{0, 0, canvas.imageWidth() - 1, h - 1}); // a box repaint
    const QImage boxed = store(rig).copy(device);
    canvas.RefreshPicture(); // the whole visible picture
    ASSERT_EQ(store(rig).copy(device), boxed) << "both repaints show the same device pixels";

    QtMousePort mouse;
    mouse.setImage(f.Image1, &f.state().paint.imageHeight);
    for (int dy = device.top(); dy <= device.bottom(); ++dy)
        for (int dx = device.left(); dx <= device.right(); ++dx) {
            const QPoint shown = decode(boxed.pixel(dx - device.left(), dy - device.top()) & 0xFFFFFF);
            ASSERT_TRUE(canvas.contains(shown.x(), shown.y())) << "a blend of pixels at " << dx << "," << dy;
            // The pointer at device pixel (dx, dy) of the window.
            const QPointF global = QPointF(f.mapToGlobal(QPoint(0, 0))) + QPointF(dx / r, dy / r);
            QCursor::setPos(global.toPoint()); // the platform's own move event comes first
            QApplication::processEvents();
            QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), global, Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(QApplication::instance(), &move);
            EXPECT_EQ(mouse.getXMouse() / block, shown.x()) << dx << "," << dy;
            // y counts up from the bottom; the image's top row gives imageHeight.
            EXPECT_EQ((h - mouse.getYMouse()) / block, shown.y()) << dx << "," << dy;
        }
    // At 100 % and above every picture pixel covers whole device pixels: two
    // by two at 100 % on a ratio of 2, four by four at 400 % on a ratio of 1.
    const double side = r * zoom.num / zoom.den;
    if (side == std::floor(side) && side >= 2) {
        const int n = static_cast<int>(side);
        const QPoint at = f.Image1->mapTo(&f, QPoint(0, 0));
        const QPoint first(static_cast<int>(std::ceil(at.x() * r - 0.5)),
                           static_cast<int>(std::ceil(at.y() * r - 0.5)));
        for (int y = 0; y < boxed.height(); ++y)
            for (int x = 0; x < boxed.width(); ++x) {
                const int bx = x - ((device.left() + x - first.x()) % n);
                const int by = y - ((device.top() + y - first.y()) % n);
                if (bx >= 0 && by >= 0) {
                    ASSERT_EQ(boxed.pixel(x, y), boxed.pixel(bx, by)) << x << "," << y;
                }
            }
    }
}

TEST(ScaledScreen, AtQuarterSize) {
    checkZoom(Zoom{1, 4});
}
TEST(ScaledScreen, AtActualPixels) {
    checkZoom(Zoom{1, 1});
}
TEST(ScaledScreen, AtFourTimes) {
    checkZoom(Zoom{4, 1});
}

} // namespace
} // namespace splot::test
