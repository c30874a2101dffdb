#pragma once

#include "base/Display.h"
#include "paint/BgrPixel.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace splot {

// Raised when a canvas of the requested size cannot be allocated. The canvas
// is then left exactly as it was before the call.
// What a rebuild does with the picture: Cleared fills the whole bitmap with
// the background; KeepPicture keeps what still fits.
enum class Rebuild { Cleared, KeepPicture };

class CanvasAllocationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The picture and its per-pixel working arrays.
//
// Coordinates: (x, y) with x from the left edge and y up from the bottom edge;
// (0, 0) is the bottom-left pixel on screen. The displayed bitmap is stored
// top row first (as the view wants it); pixelRows()[y] points at bitmap row
// imageHeight - 1 - y. Every per-pixel array is indexed [y][x] in the same
// y-up convention, and all of them always have exactly imageWidth x
// imageHeight elements.
class Canvas {
public:
    Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int imageWidth() const { return width_; }
    int imageHeight() const { return height_; }

    // Row y (y-up) of the picture; valid for 0 <= y < imageHeight.
    BgrPixel* row(int y) { return pixelRows_[static_cast<std::size_t>(y)]; }
    const BgrPixel* row(int y) const { return pixelRows_[static_cast<std::size_t>(y)]; }
    BgrPixel* const* pixelRows() const { return pixelRows_.data(); }
    BgrPixel& pixel(int x, int y) { return row(y)[x]; }
    const BgrPixel& pixel(int x, int y) const { return row(y)[x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // The per-pixel arrays, row y (y-up), imageWidth elements each.
    BgrPixel* undoRow(int y) const { return undo_.get() + offset(y); }
    BgrPixel* redoRow(int y) const { return redo_.get() + offset(y); }
    BgrPixel* actionSourceRow(int y) const { return actionSource_.get() + offset(y); }
    BgrPixel* outlineBackupRow(int y) const { return outlineBackup_.get() + offset(y); }
    double* coverageRow(int y) const { return coverage_.get() + offset(y); }

    // The bitmap as the view shows it: top row first, bytesPerLine apart.
    std::uint8_t* bits() const { return bits_.get(); }
    int bytesPerLine() const { return stride_; }

    // Rebuilds the bitmap at the new size (MakeBitmap), filled with the
    // background byte (255 white, 0 black); with Rebuild::KeepPicture the old
    // picture is kept at the top-left corner of the screen. The per-pixel arrays keep every
    // element that still fits at the same [y][x]; new elements are zero.
    // Strong guarantee: on CanvasAllocationError nothing has changed.
    // Sizes must already be validated (0..5000).
    void rebuild(int width, int height, Rebuild contents, std::uint8_t background);

    // The most bytes rebuild() may allocate for a new size (picture and
    // arrays together); larger requests fail as if memory had run out. No
    // limit by default; tests use it to exercise the out-of-memory path.
    void setAllocationLimit(std::size_t bytes) { allocationLimit_ = bytes; }

    // Sets all three bytes of every pixel to value.
    void fill(std::uint8_t value);

    // Zeroes actionCoverage where a stroke may have written it.
    void clearCoverage();
    // Widens the area clearCoverage() must zero (inclusive canvas bounds).
    void noteCoverage(int left, int bottom, int right, int top);

    // RefreshPicture: repaints the whole visible picture at once.
    void setDisplay(Display* display) { display_ = display; }
    void RefreshPicture() const;
    void refreshRect(const CanvasRect& changed) const;
    // Repaints row spans; spans outside the canvas are clipped.
    void refreshSpans(const std::vector<CanvasSpan>& spans) const;
    // See Display::beginBatch; DisplayBatch pairs the calls.
    void beginDisplayBatch() const;
    void endDisplayBatch() const;
    // Puts the outline dots on screen (see Display::showOutline).
    void showOutline(const std::vector<CanvasPoint>& dots) const;
    // Puts every repaint so far on screen now (see Display::flushNow).
    void flushDisplay() const;

private:
    struct FreeDeleter {
        void operator()(void* p) const noexcept;
    };
    template <typename T> using Buffer = std::unique_ptr<T[], FreeDeleter>;
    template <typename T> static Buffer<T> allocateZeroed(std::size_t count);

    std::size_t offset(int y) const { return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
    void fetchRows();

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    Buffer<std::uint8_t> bits_;
    std::vector<BgrPixel*> pixelRows_;
    Buffer<BgrPixel> undo_;
    Buffer<BgrPixel> redo_;
    Buffer<BgrPixel> actionSource_;
    Buffer<BgrPixel> outlineBackup_;
    Buffer<double> coverage_;
    CanvasRect coverageDirty_;
    Display* display_ = nullptr;
    mutable std::vector<CanvasSpan> clippedSpans_; // working space of refreshSpans
    std::size_t allocationLimit_ = SIZE_MAX;
};

// Collects every repaint made while it lives into one update of the screen
// (for instance the outline, stamp and outline of one mouse move).
class DisplayBatch {
public:
    explicit DisplayBatch(const Canvas& canvas) : canvas_(canvas) { canvas_.beginDisplayBatch(); }
    ~DisplayBatch() { canvas_.endDisplayBatch(); }
    DisplayBatch(const DisplayBatch&) = delete;
    DisplayBatch& operator=(const DisplayBatch&) = delete;

private:
    const Canvas& canvas_;
};

} // namespace splot
