#include "app/ImageView.h"

#include <QBackingStore>
#include <QImage>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <cstdint>

#if defined(__SSSE3__) || defined(__AVX512VBMI__)
#include <immintrin.h>
#endif

namespace splot {

namespace {
// Converts count blue-green-red pixels to opaque 0xAARRGGBB words. Reads only
// the count * 3 bytes of the source.
void bgrToRgb32(const uchar* source, quint32* out, int count) {
    int i = 0;
#if defined(__AVX512VBMI__)
    // Sixteen pixels per byte permute; the 64-byte load stays inside the row
    // while at least 22 pixels remain (48 bytes used of 64 read). The alpha
    // byte of each word is kept from the all-opaque source by the mask.
    const __m512i spread =
        _mm512_set_epi8(47, 47, 46, 45, 44, 44, 43, 42, 41, 41, 40, 39, 38, 38, 37, 36, 35, 35, 34, 33, 32,
                        32, 31, 30, 29, 29, 28, 27, 26, 26, 25, 24, 23, 23, 22, 21, 20, 20, 19, 18, 17, 17,
                        16, 15, 14, 14, 13, 12, 11, 11, 10, 9, 8, 8, 7, 6, 5, 5, 4, 3, 2, 2, 1, 0);
    const __m512i opaque512 = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
    // A masked first block brings the stores onto 64-byte boundaries: a
    // store that splits two cache lines costs about twice as much.
    if (count >= 38) {
        const int head = static_cast<int>((64 - (reinterpret_cast<std::uintptr_t>(out) & 63)) & 63) / 4;
        if (head != 0) {
            const __m512i bytes = _mm512_loadu_si512(source);
            const __m512i words =
                _mm512_mask_permutexvar_epi8(opaque512, 0x7777777777777777ULL, spread, bytes);
            _mm512_mask_storeu_epi32(out, static_cast<__mmask16>((1u << head) - 1), words);
            i = head;
        }
    }
    for (; i + 22 <= count; i += 16) {
        const __m512i bytes = _mm512_loadu_si512(source + static_cast<std::size_t>(i) * 3);
        _mm512_storeu_si512(out + i,
                            _mm512_mask_permutexvar_epi8(opaque512, 0x7777777777777777ULL, spread, bytes));
    }
#endif
#if defined(__SSSE3__)
    // Four pixels per shuffle; each 16-byte load stays inside the row while
    // at least six pixels remain.
    const __m128i spread4 = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; i + 6 <= count; i += 4) {
        const __m128i bytes =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + static_cast<std::size_t>(i) * 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_or_si128(_mm_shuffle_epi8(bytes, spread4), opaque));
    }
#endif
    for (; i < count; ++i) {
        const uchar* p = source + static_cast<std::size_t>(i) * 3; // blue, green, red
        out[i] = 0xFF000000u | (quint32(p[2]) << 16) | (quint32(p[1]) << 8) | quint32(p[0]);
    }
}

bool isOpaque32(QImage::Format f) {
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied;
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
    // The last outline's dots go too, unless the rectangle covers them.
    std::vector<QPoint>& stale = outlinePoints_;
    stale.clear();
    for (const QPoint& p : outlineOnScreen_)
        if (!r.contains(p))
            stale.push_back(p);
    outlineOnScreen_.clear();
    if (stale.empty())
        paintNow(QRegion(r));
    else
        paintNow(pointsRegion(stale) + r);
}

void ImageView::repaintAll() {
    outlineOnScreen_.clear();
    // Only the part inside the scroll box's viewport is painted.
    QWidget::repaint(visibleRegion());
}

void ImageView::showOutline(const std::vector<CanvasPoint>& dots) {
    const int h = canvas_.imageHeight();
    std::vector<QPoint>& points = outlinePoints_;
    points.assign(outlineOnScreen_.begin(), outlineOnScreen_.end()); // the last outline goes
    outlineOnScreen_.clear();
    for (const CanvasPoint& d : dots)
        if (canvas_.contains(d.x, d.y))
            outlineOnScreen_.emplace_back(d.x, h - 1 - d.y);
    points.insert(points.end(), outlineOnScreen_.begin(), outlineOnScreen_.end());
    paintNow(pointsRegion(points));
}

// The points as one-pixel-high runs, sorted top to bottom and left to right,
// so the region is built in one step instead of one union per point.
QRegion ImageView::pointsRegion(std::vector<QPoint>& points) {
    std::sort(points.begin(), points.end(), [](const QPoint& a, const QPoint& b) {
        return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
    });
    std::vector<QRect>& runs = outlineRuns_;
    runs.clear();
    for (const QPoint& p : points) {
        if (!runs.empty() && runs.back().top() == p.y() && runs.back().right() + 1 >= p.x())
            runs.back().setRight(std::max(runs.back().right(), p.x()));
        else
            runs.emplace_back(p.x(), p.y(), 1, 1);
    }
    QRegion region;
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

// Puts the region of canvas pixels on screen before returning. The usual case,
// a shown window with a plain 32-bit raster backing store at scale 1, writes
// the pixels straight into the backing store and flushes just that region: a
// stroke repaints three times per mouse event, and the full widget repaint
// machinery would cost more than the pixels themselves. Anything else takes
// the ordinary synchronous widget repaint.
void ImageView::paintNow(const QRegion& widgetRegion) {
    const QRegion region = widgetRegion & rect();
    if (region.isEmpty())
        return;
    QWidget* win = window();
    QBackingStore* store = win != nullptr ? win->backingStore() : nullptr;
    const int w = canvas_.imageWidth();
    const int h = canvas_.imageHeight();
    if (store == nullptr || !isVisible() || win->windowHandle() == nullptr ||
        !win->windowHandle()->isExposed() || w == 0 || h == 0 || canvas_.bits() == nullptr) {
        QWidget::repaint(region);
        return;
    }
    const QRegion visible = region & visibleRegion();
    if (visible.isEmpty())
        return;
    const QPoint offset = mapTo(win, QPoint(0, 0));
    const QRegion onWindow = visible.translated(offset);
    store->beginPaint(onWindow);
    QPaintDevice* device = store->paintDevice();
    auto* target =
        device != nullptr && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
    if (target == nullptr || !isOpaque32(target->format()) || target->devicePixelRatio() != 1.0 ||
        !target->rect().contains(onWindow.boundingRect())) {
        store->endPaint();
        QWidget::repaint(region);
        return;
    }
    const std::size_t stride = static_cast<std::size_t>(canvas_.bytesPerLine());
    uchar* const targetBits = target->bits(); // detaches once, not per row
    const std::size_t targetStride = static_cast<std::size_t>(target->bytesPerLine());
    for (const QRect& r : visible) {
        const uchar* source = canvas_.bits() + static_cast<std::size_t>(r.top()) * stride +
                              static_cast<std::size_t>(r.left()) * 3;
        uchar* out = targetBits + static_cast<std::size_t>(r.top() + offset.y()) * targetStride +
                     static_cast<std::size_t>(r.left() + offset.x()) * 4;
        for (int row = 0; row < r.height(); ++row, source += stride, out += targetStride)
            bgrToRgb32(source, reinterpret_cast<quint32*>(out), r.width());
    }
    store->endPaint();
    store->flush(onWindow, win->windowHandle());
}

void ImageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const int w = canvas_.imageWidth();
    const int h = canvas_.imageHeight();
    if (w == 0 || h == 0 || canvas_.bits() == nullptr)
        return;
    const QRegion region = event->region() & QRect(0, 0, w, h);
    for (const QRect& r : region)
        paintRect(painter, r);
}

// Converts one rectangle of canvas bytes straight into the window's raster
// backing store when it is a plain 32-bit image at scale 1 (the usual case);
// otherwise through a reusable buffer and the painter. Either way only the
// rectangle is touched and the canvas buffer is only read. (Handing the
// painter a BGR view of the canvas instead makes it convert span by span
// through Qt's thread pool, whose hand-offs cost more than the conversion.)
void ImageView::paintRect(QPainter& painter, const QRect& r) {
    const std::size_t stride = static_cast<std::size_t>(canvas_.bytesPerLine());
    const uchar* source =
        canvas_.bits() + static_cast<std::size_t>(r.top()) * stride + static_cast<std::size_t>(r.left()) * 3;

    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine != nullptr ? engine->paintDevice() : nullptr;
    const QTransform t = painter.deviceTransform();
    if (device != nullptr && device->devType() == QInternal::Image && t.type() <= QTransform::TxTranslate) {
        auto* target = static_cast<QImage*>(device);
        const QRect onDevice = r.translated(static_cast<int>(t.dx()), static_cast<int>(t.dy()));
        if (isOpaque32(target->format()) && target->devicePixelRatio() == 1.0 &&
            target->rect().contains(onDevice) && t.dx() == static_cast<int>(t.dx()) &&
            t.dy() == static_cast<int>(t.dy())) {
            for (int row = 0; row < r.height(); ++row, source += stride)
                bgrToRgb32(source,
                           reinterpret_cast<quint32*>(target->scanLine(onDevice.top() + row)) +
                               onDevice.left(),
                           r.width());
            return;
        }
    }

    if (scratch_.width() < r.width() || scratch_.height() < r.height())
        scratch_ = QImage(std::max(r.width(), scratch_.width()), std::max(r.height(), scratch_.height()),
                          QImage::Format_RGB32);
    for (int row = 0; row < r.height(); ++row, source += stride)
        bgrToRgb32(source, reinterpret_cast<quint32*>(scratch_.scanLine(row)), r.width());
    painter.drawImage(r.topLeft(), scratch_, QRect(0, 0, r.width(), r.height()));
}

} // namespace splot
