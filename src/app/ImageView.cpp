#include "app/ImageView.h"

#include <QImage>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace splot {

namespace {

// The first device pixel (along one axis) of logical pixel p at ratio r:
// device pixel d belongs to the logical pixel that holds its centre, p =
// floor((d + 0.5) / r), the way Qt scales a window without smoothing.
int firstDevicePixel(int p, double r) {
    return static_cast<int>(std::ceil(p * r - 0.5));
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

void ImageView::setZoom(Zoom zoom) {
    if (zoom == zoom_)
        return;
    zoom_ = zoom;
    outline_.clear();
    pictureResized();
    update();
}

void ImageView::pictureResized() {
    setFixedSize(ZoomLevels::shownLength(canvas_.imageWidth(), zoom_),
                 ZoomLevels::shownLength(canvas_.imageHeight(), zoom_));
}

QPoint ImageView::pictureAt(QPointF local) const {
    // The centre of the device pixel that starts at the point; a centre
    // exactly on a pixel edge belongs to the pixel after it, whatever the
    // rounding of the division that put the pointer there.
    const double half = 0.5 / devicePixelRatioF() + 1e-6;
    const double x = local.x() + half, y = local.y() + half;
    if (zoom_.num == zoom_.den)
        return QPoint(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
    return QPoint(static_cast<int>(std::floor(x * zoom_.den / zoom_.num)),
                  static_cast<int>(std::floor(y * zoom_.den / zoom_.num)));
}

QPointF ImageView::picturePosition(QPointF local) const {
    return local * zoom_.den / zoom_.num;
}

QPointF ImageView::widgetPosition(QPointF picture) const {
    return picture * zoom_.num / zoom_.den;
}

QRect ImageView::widgetRect(const CanvasRect& r) const {
    const int h = canvas_.imageHeight();
    // Picture columns and rows from the top, [p0, p1).
    const long long x0 = r.left, x1 = r.right + 1, y0 = h - 1 - r.top, y1 = h - r.bottom;
    const long long n = zoom_.num, d = zoom_.den;
    // Every logical pixel that overlaps them; on an averaged screen the
    // device pixel holding a picture pixel's centre may reach one further.
    const int pad = devicePixelRatioF() * n < d ? 1 : 0;
    auto floorDiv = [](long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    const QRect shown(
        QPoint(static_cast<int>(floorDiv(x0 * n, d)) - pad, static_cast<int>(floorDiv(y0 * n, d)) - pad),
        QPoint(static_cast<int>(-floorDiv(-x1 * n, d)) - 1 + pad,
               static_cast<int>(-floorDiv(-y1 * n, d)) - 1 + pad));
    return shown & rect();
}

void ImageView::mark(const QRect& r) {
    if (!markedAll_ && !r.isEmpty())
        marked_.push_back(r);
}

void ImageView::takeOutlineOff() {
    if (outline_.empty())
        return;
    mark(outlineRect_);
    outline_.clear();
}

void ImageView::repaint(const CanvasRect& changed) {
    takeOutlineOff();
    mark(widgetRect(changed));
    present();
}

void ImageView::repaintAll() {
    outline_.clear();
    markedAll_ = true;
    marked_.clear();
    present();
}

void ImageView::showOutline(const std::vector<CanvasPoint>& dots) {
    takeOutlineOff();
    const int h = canvas_.imageHeight();
    const std::size_t stride = static_cast<std::size_t>(canvas_.bytesPerLine());
    CanvasRect box;
    for (const CanvasPoint& p : dots) {
        if (!canvas_.contains(p.x, p.y))
            continue;
        const int top = h - 1 - p.y;
        // The canvas holds the dot's colour only during this call.
        const uchar* c =
            canvas_.bits() + static_cast<std::size_t>(top) * stride + static_cast<std::size_t>(p.x) * 3;
        outline_.push_back(
            Dot{p.x, top, 0xFF000000u | (quint32(c[2]) << 16) | (quint32(c[1]) << 8) | quint32(c[0])});
        box = box.empty() ? CanvasRect{p.x, p.y, p.x, p.y}
                          : CanvasRect{std::min(box.left, p.x), std::min(box.bottom, p.y),
                                       std::max(box.right, p.x), std::max(box.top, p.y)};
    }
    outlineRect_ = box.empty() ? QRect() : widgetRect(box);
    mark(outlineRect_);
    present();
}

void ImageView::beginBatch() {
    ++batchDepth_;
}

void ImageView::endBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    present();
}

// Repaints what was marked, at once, unless a batch is open. A handful of
// rectangles: the stamp's box and the outlines' boxes.
void ImageView::present() {
    if (batchDepth_ > 0)
        return;
    if (markedAll_) {
        markedAll_ = false;
        marked_.clear();
        QWidget::repaint(visibleRegion());
        return;
    }
    if (marked_.empty())
        return;
    if (marked_.size() == 1) {
        const QRect r = marked_.front();
        marked_.clear();
        QWidget::repaint(r);
        return;
    }
    QRegion region;
    for (const QRect& r : marked_)
        region += r;
    marked_.clear();
    QWidget::repaint(region);
}

void ImageView::paintDots(const ViewAxis& x, const ViewAxis& y, const DeviceBox& box,
                          const DeviceImage& target) {
    for (const Dot& dot : outline_) {
        const ViewAxis::Range cols = x.devicePixels(dot.x, dot.x + 1);
        const ViewAxis::Range rows = y.devicePixels(dot.y, dot.y + 1);
        const long long l = std::max<long long>(cols.begin, box.left),
                        r = std::min<long long>(cols.end, box.right);
        const long long t = std::max<long long>(rows.begin, box.top),
                        b = std::min<long long>(rows.end, box.bottom);
        if (l >= r)
            continue;
        for (long long dy = t; dy < b; ++dy)
            std::fill(target.bits + (dy - target.top) * static_cast<std::ptrdiff_t>(target.words) +
                          (l - target.left),
                      target.bits + (dy - target.top) * static_cast<std::ptrdiff_t>(target.words) +
                          (r - target.left),
                      dot.colour);
    }
}

// Brings the region's device pixels up to date. The usual case, a plain
// 32-bit raster paint device (the window's backing store) at a whole-pixel
// offset, is written directly; anything else goes through a scratch image
// and the painter.
void ImageView::paintEvent(QPaintEvent* event) {
    ++paints_;
    QPainter painter(this);
    const int w = canvas_.imageWidth();
    const int h = canvas_.imageHeight();
    if (w == 0 || h == 0 || canvas_.bits() == nullptr)
        return;
    const PictureBits picture{canvas_.bits(), static_cast<std::size_t>(canvas_.bytesPerLine()), w, h};
    const QRegion region = event->region() & rect();

    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine != nullptr ? engine->paintDevice() : nullptr;
    const QTransform t = painter.deviceTransform();
    if (device != nullptr && device->devType() == QInternal::Image && t.type() <= QTransform::TxScale) {
        auto* target = static_cast<QImage*>(device);
        const double ratio = target->devicePixelRatio();
        const double ox = t.dx() / ratio, oy = t.dy() / ratio;
        if (isOpaque32(target->format()) && ratio >= 1.0 && t.m11() == ratio && t.m22() == ratio &&
            ox == std::floor(ox) && oy == std::floor(oy)) {
            const int originX = static_cast<int>(ox), originY = static_cast<int>(oy);
            const ViewAxis x(w, zoom_, ratio, originX), y(h, zoom_, ratio, originY);
            const DeviceImage out{reinterpret_cast<std::uint32_t*>(target->bits()),
                                  static_cast<std::size_t>(target->bytesPerLine()) / 4, 0, 0};
            for (const QRect& r : region) {
                DeviceBox box{firstDevicePixel(r.left() + originX, ratio),
                              firstDevicePixel(r.top() + originY, ratio),
                              firstDevicePixel(r.right() + 1 + originX, ratio),
                              firstDevicePixel(r.bottom() + 1 + originY, ratio)};
                box = DeviceBox{std::max(box.left, 0), std::max(box.top, 0),
                                std::min(box.right, target->width()), std::min(box.bottom, target->height())};
                if (box.empty())
                    continue;
                renderer_.render(picture, x, y, box, out);
                paintDots(x, y, box, out);
            }
            return;
        }
    }

    const double ratio = devicePixelRatioF();
    const ViewAxis x(w, zoom_, ratio, 0), y(h, zoom_, ratio, 0);
    for (const QRect& r : region) {
        const DeviceBox box{firstDevicePixel(r.left(), ratio), firstDevicePixel(r.top(), ratio),
                            firstDevicePixel(r.right() + 1, ratio), firstDevicePixel(r.bottom() + 1, ratio)};
        if (box.empty())
            continue;
        const int bw = box.right - box.left, bh = box.bottom - box.top;
        if (scratch_.width() < bw || scratch_.height() < bh)
            scratch_ =
                QImage(std::max(bw, scratch_.width()), std::max(bh, scratch_.height()), QImage::Format_RGB32);
        const DeviceImage out{reinterpret_cast<std::uint32_t*>(scratch_.bits()),
                              static_cast<std::size_t>(scratch_.bytesPerLine()) / 4, box.left, box.top};
        renderer_.render(picture, x, y, box, out);
        paintDots(x, y, box, out);
        painter.drawImage(QRectF(box.left / ratio, box.top / ratio, bw / ratio, bh / ratio), scratch_,
                          QRectF(0, 0, bw, bh));
    }
}

} // namespace splot
