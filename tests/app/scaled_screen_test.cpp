// The picture on a scaled screen (run at QT_SCALE_FACTOR 1, 1.25, 1.5 and 2 by
// CTest): every device pixel shows exactly one picture pixel, the direct
// repaint and the paint event agree, and the pointer maps to the picture
// pixel shown under it.
#include "app/QtPorts.h"
#include "support/GuiRig.h"

#include <QBackingStore>
#include <QMouseEvent>

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

TEST(ScaledScreen, EachDevicePixelShowsOnePicturePixelAndThePointerMapsToIt) {
    GuiRig rig;
    rig.show();
    TForm1& f = *rig.form;
    f.MakeNewImage(300, 200, false);
    QApplication::processEvents();
    Canvas& canvas = f.canvas();
    for (int y = 0; y < canvas.imageHeight(); ++y)
        for (int x = 0; x < canvas.imageWidth(); ++x)
            canvas.row(y)[x] = code(x, y);
    const double r = store(rig).devicePixelRatio();
    const int h = canvas.imageHeight();
    // Window device pixels over image pixels (20..60, 30..70), away from the edges.
    const QPoint origin = f.Image1->mapTo(&f, QPoint(20, 30));
    const QRect device(QPoint(int(origin.x() * r), int(origin.y() * r)), QSize(int(40 * r), int(40 * r)));

    canvas.refreshRect(CanvasRect{0, 0, canvas.imageWidth() - 1, h - 1}); // the direct repaint
    const QImage direct = store(rig).copy(device);
    canvas.RefreshPicture(); // through the paint event
    ASSERT_EQ(store(rig).copy(device), direct) << "both repaints show the same device pixels";

    QtMousePort mouse;
    mouse.setImage(f.Image1, &f.state().paint.imageHeight);
    for (int dy = device.top(); dy <= device.bottom(); ++dy)
        for (int dx = device.left(); dx <= device.right(); ++dx) {
            const QPoint shown = decode(direct.pixel(dx - device.left(), dy - device.top()) & 0xFFFFFF);
            ASSERT_TRUE(canvas.contains(shown.x(), shown.y())) << "a blend of pixels at " << dx << "," << dy;
            // The pointer at device pixel (dx, dy) of the window.
            const QPointF global = QPointF(f.mapToGlobal(QPoint(0, 0))) + QPointF(dx / r, dy / r);
            QCursor::setPos(global.toPoint()); // the platform's own move event comes first
            QApplication::processEvents();
            QMouseEvent move(QEvent::MouseMove, QPointF(0, 0), global, Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(QApplication::instance(), &move);
            EXPECT_EQ(mouse.getXMouse(), shown.x()) << dx << "," << dy;
            // y counts up from the bottom; the image's top row gives imageHeight.
            EXPECT_EQ(mouse.getYMouse(), shown.y() + 1) << dx << "," << dy;
        }
    // Every picture pixel covers whole device pixels: two by two at a ratio of 2.
    if (r == 2.0) {
        for (int y = 0; y + 1 < direct.height(); y += 2)
            for (int x = 0; x + 1 < direct.width(); x += 2)
                ASSERT_TRUE(direct.pixel(x, y) == direct.pixel(x + 1, y + 1) &&
                            direct.pixel(x, y) == direct.pixel(x + 1, y) &&
                            direct.pixel(x, y) == direct.pixel(x, y + 1));
    }
}

} // namespace
} // namespace splot::test
