#include "view/ViewRenderer.h"

#include "view/DisplayKernels.h"

#include <algorithm>
#include <cstring>

namespace splot {

namespace {

int clampTo(long long v, int size) {
    return static_cast<int>(std::clamp<long long>(v, 0, size - 1));
}

std::uint32_t* targetRow(const DeviceImage& target, int deviceX, int deviceY) {
    return target.bits +
           static_cast<std::ptrdiff_t>(deviceY - target.top) * static_cast<std::ptrdiff_t>(target.words) +
           (deviceX - target.left);
}

std::uint32_t opaqueWord(const std::uint8_t* bgr) {
    return 0xFF000000u | (std::uint32_t(bgr[2]) << 16) | (std::uint32_t(bgr[1]) << 8) | std::uint32_t(bgr[0]);
}

} // namespace

void ViewRenderer::render(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y,
                          const DeviceBox& box, const DeviceImage& target) {
    if (box.empty() || picture.width <= 0 || picture.height <= 0 || picture.bits == nullptr)
        return;
    if (x.averaged() || y.averaged())
        renderAveraged(picture, x, y, box, target);
    else
        renderSharp(picture, x, y, box, target);
}

// Each device row shows one picture row: it is converted once (straight into
// the target when the columns map one to one) and the further device rows
// of the same picture row are copies.
void ViewRenderer::renderSharp(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y,
                               const DeviceBox& box, const DeviceImage& target) {
    const int n = box.right - box.left;
    const int firstColumn = clampTo(x.pictureAt(box.left), picture.width);
    const int lastColumn = clampTo(x.pictureAt(box.right - 1), picture.width);
    const int columns = lastColumn - firstColumn + 1;
    const bool oneToOne = columns == n;
    if (x.wholeScale() == 2 && firstColumn == x.pictureAt(box.left) &&
        lastColumn == x.pictureAt(box.right - 1)) {
        renderDoubled(picture, x, y, box, target, firstColumn);
        return;
    }
    if (!oneToOne) {
        map_.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            map_[static_cast<std::size_t>(i)] =
                clampTo(x.pictureAt(box.left + i), picture.width) - firstColumn;
        words_.resize(static_cast<std::size_t>(columns) + 16);
    }
    const RowConverter convert = rowConverter();
    const Expander expand = expander();
    int shownRow = -1;
    const std::uint32_t* shown = nullptr;
    for (int d = box.top; d < box.bottom; ++d) {
        std::uint32_t* out = targetRow(target, box.left, d);
        const int row = clampTo(y.pictureAt(d), picture.height);
        if (row == shownRow) {
            std::memcpy(out, shown, static_cast<std::size_t>(n) * 4);
            continue;
        }
        const std::uint8_t* source = picture.bits + static_cast<std::size_t>(row) * picture.stride +
                                     static_cast<std::size_t>(firstColumn) * 3;
        if (oneToOne) {
            convert(source, out, n);
        } else {
            convert(source, words_.data(), columns);
            expand(words_.data(), map_.data(), out, n);
        }
        shownRow = row;
        shown = out;
    }
}

// Two device columns a picture pixel, the box inside the picture's columns:
// each picture row is converted straight into its device columns, and into
// the device row below too when that shows the same picture row.
void ViewRenderer::renderDoubled(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y,
                                 const DeviceBox& box, const DeviceImage& target, int firstColumn) {
    const int n = box.right - box.left;
    // The box may start on the second device column of its first pixel.
    const int lead = box.left != x.devicePixels(firstColumn, firstColumn + 1).begin ? 1 : 0;
    const int pairs = (n - lead) / 2;
    const bool trail = (n - lead) % 2 != 0;
    const DoubledConverter twice = doubledConverter();
    for (int d = box.top; d < box.bottom; ++d) {
        const int row = clampTo(y.pictureAt(d), picture.height);
        std::uint32_t* out = targetRow(target, box.left, d);
        std::uint32_t* below = nullptr;
        if (d + 1 < box.bottom && clampTo(y.pictureAt(d + 1), picture.height) == row)
            below = targetRow(target, box.left, d + 1);
        const std::uint8_t* source = picture.bits + static_cast<std::size_t>(row) * picture.stride +
                                     static_cast<std::size_t>(firstColumn) * 3;
        if (lead != 0) {
            out[0] = opaqueWord(source);
            if (below != nullptr)
                below[0] = out[0];
        }
        twice(source + 3 * lead, out + lead, below != nullptr ? below + lead : nullptr, pairs);
        if (trail) {
            out[n - 1] = opaqueWord(source + 3 * (lead + pairs));
            if (below != nullptr)
                below[n - 1] = out[n - 1];
        }
        if (below != nullptr)
            ++d;
    }
}

// On an averaged axis, device pixel d shows the picture pixels from
// firstAt(d) to firstAt(d + 1), clamped to the picture and never none:
// past the last picture pixel, the last one.
void ViewRenderer::spans(const ViewAxis& axis, int size, int start, int n, Spans& out) {
    out.first.resize(static_cast<std::size_t>(n));
    out.count.resize(static_cast<std::size_t>(n));
    out.most = 1;
    if (!axis.averaged()) {
        for (int i = 0; i < n; ++i) {
            out.first[static_cast<std::size_t>(i)] = clampTo(axis.pictureAt(start + i), size);
            out.count[static_cast<std::size_t>(i)] = 1;
        }
        return;
    }
    long long a = std::clamp<long long>(axis.firstAt(start), 0, size);
    for (int i = 0; i < n; ++i) {
        const long long b = std::clamp<long long>(axis.firstAt(start + i + 1LL), 0, size);
        const int count = static_cast<int>(std::max<long long>(b - a, 1));
        out.first[static_cast<std::size_t>(i)] = static_cast<int>(std::min<long long>(a, size - 1));
        out.count[static_cast<std::size_t>(i)] = count;
        out.most = std::max(out.most, count);
        a = b;
    }
}

// Each device row sums its picture rows column by column, then each device
// pixel adds up its columns and divides by the number of picture pixels.
// Large boxes share their device rows among the pool's threads.
void ViewRenderer::renderAveraged(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y,
                                  const DeviceBox& box, const DeviceImage& target) {
    const int n = box.right - box.left;
    const int height = box.bottom - box.top;
    spans(x, picture.width, box.left, n, columns_);
    spans(y, picture.height, box.top, height, rows_);
    const std::size_t most = static_cast<std::size_t>(rows_.most) * static_cast<std::size_t>(columns_.most);
    if (inverse_.size() <= most) {
        const std::size_t from = std::max<std::size_t>(inverse_.size(), 1);
        inverse_.resize(most + 1);
        for (std::size_t k = from; k <= most; ++k)
            inverse_[k] = ((std::uint64_t(1) << 32) + k - 1) / k;
    }
    const int* first = columns_.first.data();
    const int* counts = columns_.count.data();
    runBegin_ = runEnd_ = runColumns_ = 0;
    for (int i = 0, j = 0; i < n; i = j) {
        const int k = counts[i];
        for (j = i + 1; j < n && counts[j] == k && first[j] == first[j - 1] + k; ++j) {
        }
        if (k <= 16 && j - i > runEnd_ - runBegin_) {
            runBegin_ = i;
            runEnd_ = j;
            runColumns_ = k;
        }
    }
    const std::size_t pixels = static_cast<std::size_t>(first[n - 1] + counts[n - 1] - first[0]);
    const std::size_t halves = static_cast<std::size_t>(runEnd_ - runBegin_) * runColumns_ / 2;
    const std::int64_t work =
        static_cast<std::int64_t>(pixels) * (rows_.first.back() + rows_.count.back() - rows_.first.front());
    const bool shared = workers_ != nullptr && height >= 2 && workers_->shares(work, parallelPixels);
    const int threads = shared ? workers_->threads() : 1;
    for (int slot = 0; slot < threads; ++slot) {
        scratch_[static_cast<std::size_t>(slot)].sums.resize(pixels);
        scratch_[static_cast<std::size_t>(slot)].halves.resize(halves);
    }
    if (!shared) {
        averagedRows(picture, box, 0, height, scratch_[0], target);
        return;
    }
    // A few parts per thread, so that a thread slowed by other work is made up for.
    const int tasks = std::min(height, threads * 4);
    workers_->run(tasks, [&](int task, int slot) {
        averagedRows(picture, box, static_cast<int>(static_cast<std::int64_t>(height) * task / tasks),
                     static_cast<int>(static_cast<std::int64_t>(height) * (task + 1) / tasks),
                     scratch_[static_cast<std::size_t>(slot)], target);
    });
}

// Device rows box.top + from .. box.top + to - 1 of an averaged render.
void ViewRenderer::averagedRows(const PictureBits& picture, const DeviceBox& box, int from, int to,
                                Scratch& scratch, const DeviceImage& target) const {
    const int n = box.right - box.left;
    const int columnBegin = columns_.first.front();
    const int pixels = static_cast<int>(scratch.sums.size());
    const ColumnSummer sumColumns = columnSummer();
    const RunAverager averageRun = runAverager();
    for (int j = from; j < to; ++j) {
        const int rows = rows_.count[static_cast<std::size_t>(j)];
        const std::uint8_t* source =
            picture.bits +
            static_cast<std::size_t>(rows_.first[static_cast<std::size_t>(j)]) * picture.stride +
            static_cast<std::size_t>(columnBegin) * 3;
        sumColumns(source, picture.stride, rows, scratch.sums.data(), pixels);
        std::uint32_t* out = targetRow(target, box.left, box.top + j);
        if (runColumns_ == 0) {
            averagedPixels(scratch.sums.data(), rows, 0, n, out);
            continue;
        }
        averagedPixels(scratch.sums.data(), rows, 0, runBegin_, out);
        averageRun(scratch.sums.data() + (columns_.first[static_cast<std::size_t>(runBegin_)] - columnBegin),
                   runColumns_, rows, scratch.halves.data(), out + runBegin_, runEnd_ - runBegin_);
        averagedPixels(scratch.sums.data(), rows, runEnd_, n, out);
    }
}

// Device pixels from .. to - 1 of a row, each from its own columns.
void ViewRenderer::averagedPixels(const std::uint64_t* sums, int rows, int from, int to,
                                  std::uint32_t* out) const {
    const int columnBegin = columns_.first.front();
    for (int i = from; i < to; ++i) {
        const int count = columns_.count[static_cast<std::size_t>(i)];
        const std::uint64_t* s = sums + (columns_.first[static_cast<std::size_t>(i)] - columnBegin);
        // The channel sums of the columns side by side in one word, added
        // as one: a device pixel's sum of a channel is at most 16 x 16 x
        // 255, so no lane carries into the next.
        std::uint64_t total = 0;
        for (int c = 0; c < count; ++c)
            total += s[c];
        const std::uint32_t blue = static_cast<std::uint32_t>(total & 0xFFFF);
        const std::uint32_t green = static_cast<std::uint32_t>((total >> 16) & 0xFFFF);
        const std::uint32_t red = static_cast<std::uint32_t>((total >> 32) & 0xFFFF);
        // (sum + n / 2) / n, exactly: sum + n / 2 stays below 2^32 / n
        // for the at most 16 x 16 pixels of 255 a device pixel averages.
        const std::uint32_t shown = static_cast<std::uint32_t>(rows * count);
        const std::uint64_t inverse = inverse_[shown];
        const std::uint32_t half = shown / 2;
        auto average = [&](std::uint32_t sum) {
            return static_cast<std::uint32_t>(((sum + half) * inverse) >> 32);
        };
        out[i] = 0xFF000000u | (average(red) << 16) | (average(green) << 8) | average(blue);
    }
}

} // namespace splot
