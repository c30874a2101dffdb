#pragma once

#include "paint/Canvas.h"
#include "paint/Ports.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <vector>

namespace splot {

// The image control: shows the canvas bytes and repaints synchronously, so
// what the engine writes is on screen when the call returns. Its size is
// always the canvas size. Only what changed is repainted; the pixels of the
// last brush outline are remembered so the next repaint takes it off again.
class ImageView : public QWidget, public Display {
    Q_OBJECT
public:
    explicit ImageView(const Canvas& canvas, QWidget* parent = nullptr);

    // Display: rectangles and points in canvas coordinates (y up).
    void repaint(const CanvasRect& changed) override;
    void repaintAll() override;
    void showOutline(const std::vector<CanvasPoint>& dots) override;
    void repaintSpans(const std::vector<CanvasSpan>& spans) override;
    void beginBatch() override;
    void endBatch() override;

    // Updates of the window so far (each is one flush of its backing store).
    int flushCount() const { return flushes_; }

    // Converts a canvas rectangle to this widget's coordinates (y down).
    QRect toWidgetRect(const CanvasRect& r) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // An outline dot in widget coordinates and its colour as 0xFFRRGGBB.
    struct Dot {
        QPoint at;
        quint32 colour = 0;
    };
    void paintRect(QPainter& painter, const QRect& r);
    void repaintRects();
    void present(const std::vector<QRect>& rects, const std::vector<Dot>& dots);
    void paintNow(const std::vector<QRect>& rects, const std::vector<Dot>& dots);

    const Canvas& canvas_;

    std::vector<QPoint> outlineOnScreen_;       // widget coordinates: dots shown but no longer in the canvas
    QImage scratch_;                            // the repainted rectangle in the screen's 32-bit format
    std::vector<QRect> rects_;                  // working space: the rectangles of one repaint
    std::vector<Dot> dots_;                     // working space: the outline being shown
    int batchDepth_ = 0;                        // open batches
    bool pendingAll_ = false;                   // the batch repaints the whole visible picture
    std::vector<QRect> pendingRects_;           // widget pixels to take from the canvas when the batch ends
    std::vector<Dot> pendingDots_;              // the outline to draw over them then
    const std::vector<Dot>* overlay_ = nullptr; // dots paintEvent draws over the canvas
    int flushes_ = 0;
};

} // namespace splot
