#include "app/ImageView.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#if defined(__SSSE3__)
#include <immintrin.h>
#endif

namespace splot {

namespace {
// Converts count blue-green-red pixels to opaque 0xAARRGGBB words. Reads only
// the count * 3 bytes of the source.
void bgrToRgb32(const uchar* source, quint32* out, int count) {
    int i = 0;
#if defined(__SSSE3__)
    // Four pixels per shuffle; each 16-byte load stays inside the row while
    // at least six pixels remain.
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 6 <= count; i += 4) {
        const __m128i bytes =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + static_cast<std::size_t>(i) * 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_or_si128(_mm_shuffle_epi8(bytes, spread), opaque));
    }
#endif
    for (; i < count; ++i) {
        const uchar* p = source + static_cast<std::size_t>(i) * 3; // blue, green, red
        out[i] = 0xFF000000u | (quint32(p[2]) << 16) | (quint32(p[1]) << 8) | quint32(p[0]);
    }
}
} // namespace

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
    // The rectangle is converted here into a reusable 32-bit buffer and then
    // blitted. Handing the painter a BGR view instead makes it convert span by
    // span through Qt's thread pool, whose hand-offs cost several times the
    // conversion itself for a brush-sized rectangle. Nothing here copies more
    // than the rectangle, and the canvas buffer is only read.
    if (scratch_.width() < r.width() || scratch_.height() < r.height())
        scratch_ = QImage(std::max(r.width(), scratch_.width()), std::max(r.height(), scratch_.height()),
                          QImage::Format_RGB32);
    const std::size_t stride = static_cast<std::size_t>(canvas_.bytesPerLine());
    const uchar* source =
        canvas_.bits() + static_cast<std::size_t>(r.top()) * stride + static_cast<std::size_t>(r.left()) * 3;
    for (int row = 0; row < r.height(); ++row, source += stride)
        bgrToRgb32(source, reinterpret_cast<quint32*>(scratch_.scanLine(row)), r.width());
    painter.drawImage(r.topLeft(), scratch_, QRect(0, 0, r.width(), r.height()));
}

} // namespace splot
