#include "paint/Canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace splot {

void Canvas::FreeDeleter::operator()(void* p) const noexcept {
    std::free(p);
}

// calloc hands out pages that the kernel zeroes on first touch, so a large
// canvas appears at once and untouched arrays cost no time.
template <typename T> Canvas::Buffer<T> Canvas::allocateZeroed(std::size_t count) {
    if (count == 0)
        return Buffer<T>();
    void* p = std::calloc(count, sizeof(T));
    if (p == nullptr)
        throw CanvasAllocationError("Out of memory: the picture cannot be made that large.");
    return Buffer<T>(static_cast<T*>(p));
}

void Canvas::rebuild(int width, int height, Rebuild contents, std::uint8_t background) {
    const bool keepPicture = contents == Rebuild::KeepPicture;
    if (width == width_ && height == height_ && (bits_ || width == 0 || height == 0)) {
        // Same size: the old buffers already have the right shape and the
        // arrays keep every element. A kept picture covers the whole bitmap.
        if (!keepPicture)
            fill(background);
        return;
    }

    const int newStride = (width * 3 + 3) & ~3;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::size_t bitmapBytes = static_cast<std::size_t>(newStride) * static_cast<std::size_t>(height);

    const std::size_t total = bitmapBytes + pixels * (4 * sizeof(BgrPixel) + sizeof(double));
    if (total > allocationLimit_)
        throw CanvasAllocationError("Out of memory: the picture cannot be made that large.");

    // Allocate everything before changing anything.
    Buffer<std::uint8_t> bits = allocateZeroed<std::uint8_t>(bitmapBytes);
    Buffer<BgrPixel> undo = allocateZeroed<BgrPixel>(pixels);
    Buffer<BgrPixel> redo = allocateZeroed<BgrPixel>(pixels);
    Buffer<BgrPixel> actionSource = allocateZeroed<BgrPixel>(pixels);
    Buffer<BgrPixel> outlineBackup = allocateZeroed<BgrPixel>(pixels);
    Buffer<double> coverage = allocateZeroed<double>(pixels);
    std::vector<BgrPixel*> rows;
    try {
        rows.resize(static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        throw CanvasAllocationError("Out of memory: the picture cannot be made that large.");
    }

    if (background != 0 && bitmapBytes != 0)
        std::memset(bits.get(), background, bitmapBytes);

    const int keepW = std::min(width, width_);
    const int keepH = std::min(height, height_);
    if (keepPicture && keepW > 0 && keepH > 0) {
        // Top-left anchored: top rows of the old bitmap go to the top rows of the new one.
        for (int r = 0; r < keepH; ++r)
            std::memcpy(bits.get() + static_cast<std::size_t>(r) * newStride,
                        bits_.get() + static_cast<std::size_t>(r) * stride_,
                        static_cast<std::size_t>(keepW) * 3);
    }
    if (keepW > 0 && keepH > 0) {
        auto keep = [&](auto* to, const auto* from) {
            for (int y = 0; y < keepH; ++y)
                std::memcpy(to + static_cast<std::size_t>(y) * width,
                            from + static_cast<std::size_t>(y) * width_,
                            static_cast<std::size_t>(keepW) * sizeof(*to));
        };
        keep(undo.get(), undo_.get());
        keep(redo.get(), redo_.get());
        keep(actionSource.get(), actionSource_.get());
        keep(outlineBackup.get(), outlineBackup_.get());
        keep(coverage.get(), coverage_.get());
    }

    width_ = width;
    height_ = height;
    stride_ = newStride;
    bits_ = std::move(bits);
    undo_ = std::move(undo);
    redo_ = std::move(redo);
    actionSource_ = std::move(actionSource);
    outlineBackup_ = std::move(outlineBackup);
    coverage_ = std::move(coverage);
    pixelRows_ = std::move(rows);
    coverageDirty_ = CanvasRect{0, 0, width_ - 1, height_ - 1};
    fetchRows();
}

void Canvas::fetchRows() {
    for (int y = 0; y < height_; ++y)
        pixelRows_[static_cast<std::size_t>(y)] =
            reinterpret_cast<BgrPixel*>(bits_.get() + static_cast<std::size_t>(height_ - 1 - y) * stride_);
}

void Canvas::fill(std::uint8_t value) {
    if (bits_)
        std::memset(bits_.get(), value,
                    static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_));
}

void Canvas::noteCoverage(int left, int bottom, int right, int top) {
    coverageDirty_ = coverageDirty_.united(CanvasRect{left, bottom, right, top});
}

void Canvas::clearCoverage() {
    if (coverageDirty_.empty() || width_ == 0 || height_ == 0) {
        coverageDirty_ = CanvasRect{};
        return;
    }
    const int left = std::max(coverageDirty_.left, 0);
    const int right = std::min(coverageDirty_.right, width_ - 1);
    const int bottom = std::max(coverageDirty_.bottom, 0);
    const int top = std::min(coverageDirty_.top, height_ - 1);
    if (left <= right)
        for (int y = bottom; y <= top; ++y)
            std::fill(coverageRow(y) + left, coverageRow(y) + right + 1, 0.0);
    coverageDirty_ = CanvasRect{};
}

void Canvas::RefreshPicture() const {
    if (display_ != nullptr)
        display_->repaintAll();
}

void Canvas::refreshRect(const CanvasRect& changed) const {
    if (display_ == nullptr)
        return;
    CanvasRect r{std::max(changed.left, 0), std::max(changed.bottom, 0), std::min(changed.right, width_ - 1),
                 std::min(changed.top, height_ - 1)};
    if (!r.empty())
        display_->repaint(r);
}

void Canvas::refreshSpans(const std::vector<CanvasSpan>& spans) const {
    if (display_ == nullptr)
        return;
    std::vector<CanvasSpan>& inside = clippedSpans_;
    inside.clear();
    for (const CanvasSpan& s : spans) {
        const CanvasSpan c{s.y, std::max(s.left, 0), std::min(s.right, width_ - 1)};
        if (s.y >= 0 && s.y < height_ && c.left <= c.right)
            inside.push_back(c);
    }
    if (!inside.empty())
        display_->repaintSpans(inside);
}

void Canvas::beginDisplayBatch() const {
    if (display_ != nullptr)
        display_->beginBatch();
}

void Canvas::endDisplayBatch() const {
    if (display_ != nullptr)
        display_->endBatch();
}

void Canvas::showOutline(const std::vector<CanvasPoint>& dots) const {
    if (display_ != nullptr)
        display_->showOutline(dots);
}

void Canvas::flushDisplay() const {
    if (display_ != nullptr)
        display_->flushNow();
}

} // namespace splot
