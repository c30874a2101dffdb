#pragma once

#include "base/WorkerPool.h"
#include "view/ViewAxis.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace splot {

// The picture's pixels: rows of blue, green, red bytes, the top row on
// screen first (the canvas buffer's own order).
struct PictureBits {
    const std::uint8_t* bits = nullptr;
    std::size_t stride = 0; // bytes from one row to the next
    int width = 0;
    int height = 0;
};

// A 32-bit image of device pixels: bits is the word of device pixel
// (left, top) of the window, words the words per row.
struct DeviceImage {
    std::uint32_t* bits = nullptr;
    std::size_t words = 0;
    int left = 0;
    int top = 0;
};

// Device pixels [left, right) x [top, bottom) of the window.
struct DeviceBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
};

// Brings device pixels up to date with the picture, as the two axes map it
// (see ViewAxis): opaque words 0xFFRRGGBB, a sharp copy where a picture
// pixel covers whole device pixels, the average (rounded to nearest) where
// several share one. Device pixels past the picture's last column or row
// repeat it. Keeps its working rows between calls. The result does not
// depend on how many threads share the work.
class ViewRenderer {
public:
    // The threads that share the rows of a large box (null: the calling
    // thread alone). The pool must outlive the renderer's renders.
    void setWorkers(WorkerPool* workers) { workers_ = workers; }

    void render(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y, const DeviceBox& box,
                const DeviceImage& target);

    // The least work, in picture pixels read, that an averaged render shares
    // among the pool's threads: one thread reads about 5 per nanosecond, and
    // on two busy cores (BM_ViewRenderAveraged) a box of 1.6 million pixels
    // lost 0.2 ms to the wait for a worker while 6 million sometimes ran 2.5
    // times faster.
    static constexpr std::int64_t parallelPixels = 4 << 20;

private:
    // The picture pixels each device pixel of one axis averages: first[i],
    // count[i] for device pixel start + i.
    struct Spans {
        std::vector<int> first;
        std::vector<int> count;
        int most = 1; // the largest count
    };
    static void spans(const ViewAxis& axis, int size, int start, int n, Spans& out);

    void renderSharp(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y, const DeviceBox& box,
                     const DeviceImage& target);
    void renderDoubled(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y, const DeviceBox& box,
                       const DeviceImage& target, int firstColumn);
    void renderAveraged(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y,
                        const DeviceBox& box, const DeviceImage& target);
    // The working rows of one thread.
    struct Scratch {
        std::vector<std::uint64_t> sums;   // the column sums of one device row, a word per picture column
        std::vector<std::uint64_t> halves; // for the run's averager
    };
    void averagedRows(const PictureBits& picture, const DeviceBox& box, int from, int to, Scratch& scratch,
                      const DeviceImage& target) const;
    void averagedPixels(const std::uint64_t* sums, int rows, int from, int to, std::uint32_t* out) const;

    WorkerPool* workers_ = nullptr;
    std::vector<int> map_;             // per device column: picture column - first one used
    std::vector<std::uint32_t> words_; // one converted picture row (padded for the expander)
    Spans columns_;
    Spans rows_;
    // The longest run of device pixels [runBegin_, runEnd_) that average the
    // same number of consecutive picture columns, runColumns_ (0: none).
    int runBegin_ = 0;
    int runEnd_ = 0;
    int runColumns_ = 0;
    std::array<Scratch, WorkerPool::maxThreads> scratch_; // per thread slot
    std::vector<std::uint64_t> inverse_;                  // per pixel count n: ceil(2^32 / n)
};

} // namespace splot
