#include "app/ImageView.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

namespace splot {

ImageView::ImageView(const Canvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

QRect ImageView::toWidgetRect(const CanvasRect& r) const {
    const int h = canvas_.imageHeight();
    return QRect(QPoint(r.left, h - 1 - r.top), QPoint(r.right, h - 1 - r.bottom));
}

void ImageView::repaint(const CanvasRect& changed) {
    const QRect r = toWidgetRect(changed).intersected(rect());
    if (!r.isEmpty())
        QWidget::repaint(r);
}

void ImageView::repaintAll() {
    // Only the part inside the scroll box's viewport is painted.
    QWidget::repaint(visibleRegion());
}

void ImageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const int w = canvas_.imageWidth();
    const int h = canvas_.imageHeight();
    if (w == 0 || h == 0 || canvas_.bits() == nullptr)
        return;
    const QRect r = event->rect().intersected(QRect(0, 0, w, h));
    if (r.isEmpty())
        return;
    // A non-owning view of just the rows that are repainted: the canvas keeps
    // its own buffer, and nothing here may detach or copy the whole picture.
    const uchar* first = canvas_.bits() + static_cast<std::size_t>(r.top()) * canvas_.bytesPerLine();
    const QImage part(first, w, r.height(), canvas_.bytesPerLine(), QImage::Format_BGR888);
    painter.drawImage(QPoint(r.left(), r.top()), part, QRect(r.left(), 0, r.width(), r.height()));
}

} // namespace splot
