#pragma once

#include "base/Display.h"
#include "paint/Canvas.h"

#include <QElapsedTimer>
#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace splot {

// The image control: shows the canvas bytes and repaints synchronously, so
// what the engine writes is in the window when the call returns. Its size is
// always the canvas size. Only what changed is repainted; the pixels of the
// last brush outline are remembered so the next repaint takes it off again.
// Flushes of the window to the screen are paced: at most one per
// flushInterval, a timer flushing what is left, and one at once on flushNow.
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
    void flushNow() override;

    // The shortest time between two paced flushes of the window to the screen.
    static constexpr int flushIntervalMs = 8;

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
    // Flushes the window pixels written since the last flush, now or when
    // the flush interval has passed.
    void flushPaced();
    // Where the fast path writes: the visible part of the widget (widget
    // coordinates) and the widget's offset in its window. Recomputed only
    // when the geometry of the widget or of one of its ancestors changed,
    // since a walk repaints thousands of times between two such changes.
    struct Placement {
        bool single = false; // the visible part is one rectangle
        QRect clip;
        QPoint offset;
    };
    const Placement& placement();
    static QRect deviceRect(const QRect& logical, double ratio);
    void writeScaled(QImage& target, QPoint offset, const QRect& box, const QRect* rects, std::size_t n,
                     const std::vector<Dot>& dots);

    const Canvas& canvas_;

    std::vector<QPoint> outlineOnScreen_;       // widget coordinates: dots shown but no longer in the canvas
    bool outlinePending_ = false;               // those dots were shown only inside the open batch
    QImage scratch_;                            // the repainted rectangle in the screen's 32-bit format
    std::vector<QRect> rects_;                  // working space: the rectangles of one repaint
    std::vector<Dot> dots_;                     // working space: the outline being shown
    int batchDepth_ = 0;                        // open batches
    bool pendingAll_ = false;                   // the batch repaints the whole visible picture
    std::vector<QRect> pendingRects_;           // widget pixels to take from the canvas when the batch ends
    std::vector<Dot> pendingDots_;              // the outline to draw over them then
    const std::vector<Dot>* overlay_ = nullptr; // dots paintEvent draws over the canvas
    int flushes_ = 0;
    std::vector<int> columnMap_;    // writeScaled: the widget column of each device column
    std::vector<int> colFirst_;     // writeScaled: the first device column of each widget column
    std::vector<int> rowFirst_;     // writeScaled: the first device row of each widget row
    std::vector<quint32> rowWords_; // writeScaled: one converted picture row
    Placement placement_;
    std::vector<QRect> placementKey_; // the geometries placement_ was computed for
    std::vector<QRect> keyScratch_;
    QRect unflushed_;          // window pixels written but not yet flushed
    QElapsedTimer sinceFlush_; // since the last flush of unflushed pixels
    QTimer flushTimer_;        // the pending paced flush
};

} // namespace splot
