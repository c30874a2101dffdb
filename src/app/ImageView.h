#pragma once

#include "paint/Canvas.h"
#include "paint/Ports.h"

#include <QImage>
#include <QWidget>

namespace splot {

// The image control: shows the canvas bytes through a non-owning QImage and
// repaints synchronously, so what the engine writes is on screen when the
// call returns. Its size is always the canvas size.
class ImageView : public QWidget, public Display {
    Q_OBJECT
public:
    explicit ImageView(const Canvas& canvas, QWidget* parent = nullptr);

    // Display: rectangles in canvas coordinates (y up).
    void repaint(const CanvasRect& changed) override;
    void repaintAll() override;

    // Converts a canvas rectangle to this widget's coordinates (y down).
    QRect toWidgetRect(const CanvasRect& r) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Canvas& canvas_;
    QImage scratch_; // the repainted rectangle in the screen's 32-bit format
};

} // namespace splot
