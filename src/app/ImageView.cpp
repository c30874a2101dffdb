#include "app/ImageView.h"

#include "app/ScreenConversion.h"

#include <QBackingStore>
#include <QImage>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

namespace splot {

namespace {

// The first device pixel (along one axis) of logical pixel p at ratio r:
// device pixel d shows the logical pixel that holds its centre, p =
// floor((d + 0.5) / r), the way Qt scales an image without smoothing.
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
    flushTimer_.setSingleShot(true);
    flushTimer_.setTimerType(Qt::PreciseTimer);
    connect(&flushTimer_, &QTimer::timeout, this, &ImageView::flushNow);
}

QRect ImageView::toWidgetRect(const CanvasRect& r) const {
    const int h = canvas_.imageHeight();
    return QRect(QPoint(r.left, h - 1 - r.top), QPoint(r.right, h - 1 - r.bottom));
}

void ImageView::repaint(const CanvasRect& changed) {
    rects_.clear();
    const QRect r = toWidgetRect(changed).intersected(rect());
    if (!r.isEmpty())
        rects_.push_back(r);
    repaintRects();
}

void ImageView::repaintSpans(const std::vector<CanvasSpan>& spans) {
    // The spans lie inside the canvas, which is exactly this widget's size.
    const int h = canvas_.imageHeight();
    rects_.clear();
    for (const CanvasSpan& s : spans)
        rects_.emplace_back(s.left, h - 1 - s.y, s.right - s.left + 1, 1);
    repaintRects();
}

// Repaints rects_ from the canvas. The last outline's dots go too; those the
// rectangles cover are converted twice, which costs less than finding them.
void ImageView::repaintRects() {
    if (!outlinePending_)
        for (const QPoint& p : outlineOnScreen_)
            rects_.emplace_back(p, QSize(1, 1));
    outlineOnScreen_.clear();
    outlinePending_ = false;
    dots_.clear();
    present(rects_, dots_);
}

void ImageView::repaintAll() {
    outlineOnScreen_.clear();
    outlinePending_ = false;
    if (batchDepth_ > 0) {
        pendingAll_ = true;
        pendingRects_.clear();
        pendingDots_.clear();
        return;
    }
    // Only the part inside the scroll box's viewport is painted.
    QWidget::repaint(visibleRegion());
}

void ImageView::showOutline(const std::vector<CanvasPoint>& dots) {
    const int h = canvas_.imageHeight();
    const std::size_t stride = static_cast<std::size_t>(canvas_.bytesPerLine());
    rects_.clear();
    // The last outline goes; one only shown earlier in this batch never
    // reached the window, so its pixels need no repaint.
    if (!outlinePending_)
        for (const QPoint& p : outlineOnScreen_)
            rects_.emplace_back(p, QSize(1, 1));
    outlineOnScreen_.clear();
    outlinePending_ = batchDepth_ > 0;
    dots_.clear();
    for (const CanvasPoint& d : dots) {
        if (!canvas_.contains(d.x, d.y))
            continue;
        const QPoint at(d.x, h - 1 - d.y);
        outlineOnScreen_.push_back(at);
        // The canvas holds the dot's colour only during this call.
        const uchar* p =
            canvas_.bits() + static_cast<std::size_t>(at.y()) * stride + static_cast<std::size_t>(at.x()) * 3;
        dots_.push_back(Dot{at, 0xFF000000u | (quint32(p[2]) << 16) | (quint32(p[1]) << 8) | quint32(p[0])});
    }
    present(rects_, dots_);
}

void ImageView::beginBatch() {
    ++batchDepth_;
}

void ImageView::endBatch() {
    if (batchDepth_ == 0 || --batchDepth_ > 0)
        return;
    outlinePending_ = false; // the outline goes on screen now
    std::vector<QRect> rects;
    std::vector<Dot> dots;
    rects.swap(pendingRects_);
    dots.swap(pendingDots_);
    if (std::exchange(pendingAll_, false)) {
        overlay_ = &dots;
        QWidget::repaint(visibleRegion());
        overlay_ = nullptr;
    } else {
        paintNow(rects, dots);
    }
    rects.clear(); // the vectors go back with their capacity
    dots.clear();
    pendingRects_.swap(rects);
    pendingDots_.swap(dots);
}

// The rectangles from the canvas with the dots drawn over them: on screen at
// once, or at the end of the batch. The dots are always the whole current
// outline (or none), so a later call in the same batch supersedes them.
void ImageView::present(const std::vector<QRect>& rects, const std::vector<Dot>& dots) {
    if (batchDepth_ == 0) {
        paintNow(rects, dots);
        return;
    }
    if (!pendingAll_)
        pendingRects_.insert(pendingRects_.end(), rects.begin(), rects.end());
    pendingDots_.assign(dots.begin(), dots.end());
}

// Puts the rectangles of canvas pixels (widget coordinates, inside the
// widget, possibly overlapping), with the dots over them, into the window
// before returning. The usual case, a shown window with a plain 32-bit raster
// backing store (at any scale of at least 1) whose visible part of the image
// is one rectangle, writes the pixels straight into the backing store and
// flushes their bounding box, paced: the full widget repaint machinery, or
// region arithmetic over a stamp's hundreds of row spans, would cost more
// than the pixels themselves. Anything else takes the ordinary synchronous
// widget repaint, which draws the dots through overlay_.
void ImageView::paintNow(const std::vector<QRect>& rects, const std::vector<Dot>& dots) {
    if (rects.empty() && dots.empty())
        return;
    auto widgetRepaint = [&](const QRect& box) {
        QRegion region(box);
        for (const QRect& r : rects)
            region += r;
        for (const Dot& d : dots)
            region += QRect(d.at, QSize(1, 1));
        overlay_ = &dots;
        QWidget::repaint(region & rect());
        overlay_ = nullptr;
    };
    QWidget* win = window();
    QBackingStore* store = win != nullptr ? win->backingStore() : nullptr;
    const int w = canvas_.imageWidth();
    const int h = canvas_.imageHeight();
    if (store == nullptr || !isVisible() || win->windowHandle() == nullptr ||
        !win->windowHandle()->isExposed() || w == 0 || h == 0 || canvas_.bits() == nullptr) {
        widgetRepaint(QRect());
        return;
    }
    const Placement& place = placement();
    if (!place.single) {
        widgetRepaint(QRect());
        return;
    }
    const QRect clip = place.clip;
    // The box and the clipped rectangles in plain integers: a stamp brings
    // hundreds of rectangles, and QRect's operators are calls into the library.
    const int cl = clip.left(), ct = clip.top(), cr = clip.right(), cb = clip.bottom();
    int bl = INT_MAX, bt = INT_MAX, br = INT_MIN, bb = INT_MIN;
    for (const QRect& r : rects) {
        const int l = std::max(r.left(), cl), t = std::max(r.top(), ct);
        const int rr = std::min(r.right(), cr), rb = std::min(r.bottom(), cb);
        if (l > rr || t > rb)
            continue;
        bl = std::min(bl, l);
        bt = std::min(bt, t);
        br = std::max(br, rr);
        bb = std::max(bb, rb);
    }
    for (const Dot& d : dots) {
        const int x = d.at.x(), y = d.at.y();
        if (x < cl || x > cr || y < ct || y > cb)
            continue;
        bl = std::min(bl, x);
        bt = std::min(bt, y);
        br = std::max(br, x);
        bb = std::max(bb, y);
    }
    if (bl > br || bt > bb)
        return;
    const QRect box(QPoint(bl, bt), QPoint(br, bb));
    const QPoint offset = place.offset;
    const QRect onWindow = box.translated(offset);
    // beginPaint tells the window system which pixels will change and waits
    // until it has finished reading them for an earlier flush; every write
    // announces its own box (announcing more, or announcing later, makes
    // X11 send far more than changed). On a scaled screen the store's image
    // is a new wrapper after every beginPaint, so it is fetched after it.
    store->beginPaint(QRegion(onWindow));
    QPaintDevice* device = store->paintDevice();
    auto* target =
        device != nullptr && device->devType() == QInternal::Image ? static_cast<QImage*>(device) : nullptr;
    const double ratio = target != nullptr ? target->devicePixelRatio() : 1.0;
    if (target == nullptr || !isOpaque32(target->format()) || ratio < 1.0 ||
        !target->rect().contains(deviceRect(onWindow, ratio))) {
        store->endPaint();
        widgetRepaint(box); // the whole box, as beginPaint may have cleared it
        return;
    }
    if (ratio != 1.0) {
        if (target->hasAlphaChannel())
            writeScaled(*target, offset, box, &box, 1, dots); // beginPaint cleared all of the box
        else
            writeScaled(*target, offset, box, rects.data(), rects.size(), dots);
        store->endPaint();
        unflushed_ |= onWindow;
        flushPaced();
        return;
    }
    uchar* const targetBits = target->bits(); // detaches once, not per row
    const std::size_t targetWords = static_cast<std::size_t>(target->bytesPerLine()) / 4;
    auto at = [&](QPoint p) {
        return reinterpret_cast<quint32*>(targetBits) +
               static_cast<std::size_t>(p.y() + offset.y()) * targetWords +
               static_cast<std::size_t>(p.x() + offset.x());
    };
    const ConversionJob job{
        canvas_.bits(),
        static_cast<std::size_t>(canvas_.bytesPerLine()),
        reinterpret_cast<quint32*>(targetBits) +
            static_cast<std::ptrdiff_t>(offset.y()) * static_cast<std::ptrdiff_t>(targetWords) + offset.x(),
        targetWords,
        cl,
        ct,
        cr,
        cb};
    if (target->hasAlphaChannel())
        convertRects(job, &box, 1); // beginPaint cleared all of the box
    else
        convertRects(job, rects.data(), rects.size());
    for (const Dot& d : dots) {
        const int x = d.at.x(), y = d.at.y();
        if (x >= cl && x <= cr && y >= ct && y <= cb)
            *at(d.at) = d.colour;
    }
    store->endPaint();
    unflushed_ |= onWindow;
    flushPaced();
}

// A walk stamps every few microseconds and a flush to the window system
// costs far more than a small stamp; the screen cannot show more than one
// state per refresh anyway. So the first write after a quiet spell is
// flushed at once, later ones wait for the interval, and the timer (or the
// end of the command) flushes the last state.
void ImageView::flushPaced() {
    if (unflushed_.isEmpty())
        return;
    // Checked with every write: a circle processes no events, so its timer
    // cannot fire before the command ends.
    const qint64 waited = sinceFlush_.isValid() ? sinceFlush_.elapsed() : qint64(flushIntervalMs);
    if (waited >= flushIntervalMs) {
        flushNow();
        return;
    }
    if (!flushTimer_.isActive())
        flushTimer_.start(static_cast<int>(flushIntervalMs - waited));
}

// The timer is left running when this flushes first: stopping and starting
// it with every mouse move would cost more than its one idle shot.
void ImageView::flushNow() {
    if (unflushed_.isEmpty())
        return;
    const QRect area = std::exchange(unflushed_, QRect());
    QWidget* win = window();
    QBackingStore* store = win != nullptr ? win->backingStore() : nullptr;
    if (store == nullptr || win->windowHandle() == nullptr || !win->windowHandle()->isExposed())
        return; // nothing on screen to bring up to date; an expose repaints it all
    store->flush(QRegion(area & QRect(QPoint(0, 0), store->size())), win->windowHandle());
    sinceFlush_.start();
    ++flushes_;
}

// The device pixels of a rectangle of logical window pixels.
QRect ImageView::deviceRect(const QRect& logical, double ratio) {
    if (ratio == 1.0)
        return logical;
    return QRect(QPoint(firstDevicePixel(logical.left(), ratio), firstDevicePixel(logical.top(), ratio)),
                 QPoint(firstDevicePixel(logical.right() + 1, ratio) - 1,
                        firstDevicePixel(logical.bottom() + 1, ratio) - 1));
}

// The rectangles (widget coordinates, cut to box) into a store image whose
// device pixel ratio is above 1, offset being the widget's place in the
// window: each device pixel shows the picture pixel that holds its centre,
// so every picture pixel covers whole device pixels (two by two at a ratio
// of 2) and nothing is blurred. A picture row is converted once and its
// further device rows are copies.
void ImageView::writeScaled(QImage& target, QPoint offset, const QRect& box, const QRect* rects,
                            std::size_t n, const std::vector<Dot>& dots) {
    const double r = target.devicePixelRatio();
    const int bl = box.left(), bt = box.top();
    // The first device column of each widget column of the box (and of the
    // one after it), the widget column of each device column, and the same
    // for rows: every rectangle below is then table look-ups.
    colFirst_.resize(static_cast<std::size_t>(box.width()) + 1);
    for (int c = 0; c <= box.width(); ++c)
        colFirst_[static_cast<std::size_t>(c)] = firstDevicePixel(bl + c + offset.x(), r);
    rowFirst_.resize(static_cast<std::size_t>(box.height()) + 1);
    for (int c = 0; c <= box.height(); ++c)
        rowFirst_[static_cast<std::size_t>(c)] = firstDevicePixel(bt + c + offset.y(), r);
    const int boxX0 = colFirst_.front();
    columnMap_.resize(static_cast<std::size_t>(colFirst_.back() - boxX0));
    for (int c = 0; c < box.width(); ++c)
        std::fill(columnMap_.begin() + (colFirst_[static_cast<std::size_t>(c)] - boxX0),
                  columnMap_.begin() + (colFirst_[static_cast<std::size_t>(c) + 1] - boxX0), bl + c);
    rowWords_.resize(static_cast<std::size_t>(width()) + 16); // by widget column, padded for the expander
    const RowConverter convert = rowConverter();
    const Expander expand = expander();
    const std::size_t stride = static_cast<std::size_t>(canvas_.bytesPerLine());
    const std::size_t targetWords = static_cast<std::size_t>(target.bytesPerLine()) / 4;
    auto* const bits = reinterpret_cast<quint32*>(target.bits());
    auto fillBlock = [&](int x, int y, quint32 colour) { // the device pixels of widget pixel (x, y)
        const int x0 = colFirst_[static_cast<std::size_t>(x - bl)];
        const int x1 = colFirst_[static_cast<std::size_t>(x - bl) + 1];
        const int y1 = rowFirst_[static_cast<std::size_t>(y - bt) + 1];
        for (int dy = rowFirst_[static_cast<std::size_t>(y - bt)]; dy < y1; ++dy)
            std::fill(bits + static_cast<std::size_t>(dy) * targetWords + x0,
                      bits + static_cast<std::size_t>(dy) * targetWords + x1, colour);
    };
    for (std::size_t k = 0; k < n; ++k) {
        const QRect rect = rects[k] & box;
        if (rect.isEmpty())
            continue;
        const uchar* source = canvas_.bits() + static_cast<std::size_t>(rect.top()) * stride +
                              static_cast<std::size_t>(rect.left()) * 3;
        if (rect.width() == 1 && rect.height() == 1) { // an outline pixel
            fillBlock(rect.left(), rect.top(),
                      0xFF000000u | (quint32(source[2]) << 16) | (quint32(source[1]) << 8) |
                          quint32(source[0]));
            continue;
        }
        const int x0 = colFirst_[static_cast<std::size_t>(rect.left() - bl)];
        const int count = colFirst_[static_cast<std::size_t>(rect.right() + 1 - bl)] - x0;
        const int* map = columnMap_.data() + (x0 - boxX0);
        for (int row = rect.top(); row <= rect.bottom(); ++row, source += stride) {
            const int y0 = rowFirst_[static_cast<std::size_t>(row - bt)];
            const int y1 = rowFirst_[static_cast<std::size_t>(row - bt) + 1];
            if (y0 == y1)
                continue;
            convert(source, rowWords_.data() + rect.left(), rect.width());
            quint32* first = bits + static_cast<std::size_t>(y0) * targetWords + x0;
            expand(rowWords_.data(), map, first, count);
            for (int y = y0 + 1; y < y1; ++y)
                std::memcpy(bits + static_cast<std::size_t>(y) * targetWords + x0, first,
                            static_cast<std::size_t>(count) * 4);
        }
    }
    for (const Dot& d : dots)
        if (box.contains(d.at))
            fillBlock(d.at.x(), d.at.y(), d.colour);
}

const ImageView::Placement& ImageView::placement() {
    keyScratch_.clear();
    for (const QWidget* w = this; w != nullptr; w = w->parentWidget()) {
        keyScratch_.push_back(w->geometry());
        if (w->isWindow())
            break;
    }
    if (keyScratch_ != placementKey_) {
        const QRegion visibleArea = visibleRegion();
        placement_.single = visibleArea.rectCount() <= 1;
        placement_.clip = visibleArea.boundingRect() & rect();
        placement_.offset = mapTo(window(), QPoint(0, 0));
        placementKey_.swap(keyScratch_);
    }
    return placement_;
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
// backing store when it is a plain 32-bit image (the usual case; on a scaled
// screen as writeScaled does); otherwise through a reusable buffer and the
// painter. Either way only the
// rectangle is touched and the canvas buffer is only read. (Handing the
// painter a BGR view of the canvas instead makes it convert span by span
// through Qt's thread pool, whose hand-offs cost more than the conversion.)
void ImageView::paintRect(QPainter& painter, const QRect& r) {
    const RowConverter convert = rowConverter();
    const std::size_t stride = static_cast<std::size_t>(canvas_.bytesPerLine());
    const uchar* source =
        canvas_.bits() + static_cast<std::size_t>(r.top()) * stride + static_cast<std::size_t>(r.left()) * 3;

    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = engine != nullptr ? engine->paintDevice() : nullptr;
    const QTransform t = painter.deviceTransform();
    if (device != nullptr && device->devType() == QInternal::Image && t.type() == QTransform::TxScale) {
        // A scaled screen: the same device pixels as the direct repaints.
        auto* target = static_cast<QImage*>(device);
        const double ratio = target->devicePixelRatio();
        const QPoint offset(qRound(t.dx() / ratio), qRound(t.dy() / ratio));
        if (isOpaque32(target->format()) && ratio > 1.0 && t.m11() == ratio && t.m22() == ratio &&
            t.dx() == offset.x() * ratio && t.dy() == offset.y() * ratio &&
            target->rect().contains(deviceRect(r.translated(offset), ratio))) {
            writeScaled(*target, offset, r, &r, 1, overlay_ != nullptr ? *overlay_ : std::vector<Dot>());
            return;
        }
    }
    if (device != nullptr && device->devType() == QInternal::Image && t.type() <= QTransform::TxTranslate) {
        auto* target = static_cast<QImage*>(device);
        const QRect onDevice = r.translated(static_cast<int>(t.dx()), static_cast<int>(t.dy()));
        if (isOpaque32(target->format()) && target->devicePixelRatio() == 1.0 &&
            target->rect().contains(onDevice) && t.dx() == static_cast<int>(t.dx()) &&
            t.dy() == static_cast<int>(t.dy())) {
            for (int row = 0; row < r.height(); ++row, source += stride)
                convert(source,
                        reinterpret_cast<quint32*>(target->scanLine(onDevice.top() + row)) + onDevice.left(),
                        r.width());
            if (overlay_ != nullptr)
                for (const Dot& d : *overlay_)
                    if (r.contains(d.at))
                        reinterpret_cast<quint32*>(target->scanLine(
                            onDevice.top() + d.at.y() - r.top()))[onDevice.left() + d.at.x() - r.left()] =
                            d.colour;
            return;
        }
    }

    if (scratch_.width() < r.width() || scratch_.height() < r.height())
        scratch_ = QImage(std::max(r.width(), scratch_.width()), std::max(r.height(), scratch_.height()),
                          QImage::Format_RGB32);
    for (int row = 0; row < r.height(); ++row, source += stride)
        convert(source, reinterpret_cast<quint32*>(scratch_.scanLine(row)), r.width());
    if (overlay_ != nullptr)
        for (const Dot& d : *overlay_)
            if (r.contains(d.at))
                reinterpret_cast<quint32*>(scratch_.scanLine(d.at.y() - r.top()))[d.at.x() - r.left()] =
                    d.colour;
    painter.drawImage(r.topLeft(), scratch_, QRect(0, 0, r.width(), r.height()));
}

} // namespace splot
