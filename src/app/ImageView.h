#pragma once

#include "base/Display.h"
#include "paint/Canvas.h"
#include "view/ViewRenderer.h"
#include "view/Zoom.h"

#include <QImage>
#include <QRect>
#include <QWidget>

#include <vector>

namespace splot {

// The image control: shows the canvas at a zoom (100 % at start). Its size
// is the canvas size at the zoom, rounded up. Every repaint goes through the
// ordinary paint path: a change marks the widget pixels it touches and
// repaints them at once (at the end of the outermost batch), and paintEvent
// brings exactly those pixels up to date from the canvas bytes, sharp above
// 100 % and averaged below, at the screen's device pixel ratio. The brush
// outline is drawn over the picture by paintEvent and kept until the next
// repaint takes it off.
class ImageView : public QWidget, public Display {
    Q_OBJECT
public:
    explicit ImageView(const Canvas& canvas, QWidget* parent = nullptr);

    // Display: rectangles and points in canvas coordinates (y up).
    void repaint(const CanvasRect& changed) override;
    void repaintAll() override;
    void showOutline(const std::vector<CanvasPoint>& dots) override;
    void beginBatch() override;
    void endBatch() override;

    // The threads that share the rows of a large repaint (null: this one).
    void setWorkers(WorkerPool* workers) { renderer_.setWorkers(workers); }

    Zoom zoom() const { return zoom_; }
    // Shows the picture at the zoom; the widget takes its size at it.
    void setZoom(Zoom zoom);
    // The canvas has a new size: the widget takes it, at the zoom.
    void pictureResized();

    // The picture pixel under a point of this widget (logical coordinates,
    // the pointer's position): x from the left edge, y down from the top
    // row. The point stands for the device pixel that starts there. At 100 %
    // this is the widget pixel itself. Not clamped to the picture.
    QPoint pictureAt(QPointF local) const;
    // The picture position (in picture pixels, fractional, from the
    // top-left corner) at a widget point, and back.
    QPointF picturePosition(QPointF local) const;
    QPointF widgetPosition(QPointF picture) const;

    // Paint events so far (each brings its region up to date).
    int paintCount() const { return paints_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // An outline dot: picture column, row from the top, colour 0xFFRRGGBB.
    struct Dot {
        int x = 0;
        int y = 0;
        quint32 colour = 0;
    };
    // The widget pixels (logical) that show any of the canvas pixels.
    QRect widgetRect(const CanvasRect& r) const;
    // Adds widget pixels to what the batch (or this call) repaints.
    void mark(const QRect& r);
    void takeOutlineOff();
    void present();
    void paintDots(const ViewAxis& x, const ViewAxis& y, const DeviceBox& box, const DeviceImage& target);

    const Canvas& canvas_;
    Zoom zoom_{};
    ViewRenderer renderer_;
    std::vector<Dot> outline_;  // the outline on screen (or to be shown at the batch's end)
    QRect outlineRect_;         // its widget pixels
    std::vector<QRect> marked_; // widget pixels to repaint
    bool markedAll_ = false;    // the whole visible picture is to be repainted
    int batchDepth_ = 0;
    QImage scratch_; // device pixels when the paint device is not a plain 32-bit image
    int paints_ = 0;
};

} // namespace splot
