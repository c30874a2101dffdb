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

    // Converts a canvas rectangle to this widget's coordinates (y down).
    QRect toWidgetRect(const CanvasRect& r) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintRect(QPainter& painter, const QRect& r);
    void paintNow(const QRegion& widgetRegion);

    const Canvas& canvas_;
    QRegion pointsRegion(std::vector<QPoint>& points);

    std::vector<QPoint> outlineOnScreen_; // widget coordinates: dots shown but no longer in the canvas
    QImage scratch_;                      // the repainted rectangle in the screen's 32-bit format
    std::vector<QPoint> outlinePoints_;   // working space of showOutline
    std::vector<QRect> outlineRuns_;
};

} // namespace splot
