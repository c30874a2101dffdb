#include "view/ViewRenderer.h"

#include "view/DisplayKernels.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace splot {

namespace {

static_assert(std::endian::native == std::endian::little,
              "the channel sums are read as one little-endian word");

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

// Each device row sums its picture rows column by column, then each device
// pixel adds up its columns and divides by the number of picture pixels.
void ViewRenderer::renderAveraged(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y,
                                  const DeviceBox& box, const DeviceImage& target) {
    const int n = box.right - box.left;
    // The picture pixels [first, end) of device pixel d on one axis, never
    // empty: past the last picture pixel, the last one.
    auto span = [](const ViewAxis& axis, int size, long long d, int& first, int& count) {
        if (!axis.averaged()) {
            first = clampTo(axis.pictureAt(d), size);
            count = 1;
            return;
        }
        const long long a = std::clamp<long long>(axis.firstAt(d), 0, size);
        const long long b = std::clamp<long long>(axis.firstAt(d + 1), 0, size);
        first = static_cast<int>(std::min<long long>(a, size - 1));
        count = static_cast<int>(std::max<long long>(b - a, 1));
        if (a == size)
            first = size - 1;
    };
    first_.resize(static_cast<std::size_t>(n));
    count_.resize(static_cast<std::size_t>(n));
    int maxCount = 1;
    for (int i = 0; i < n; ++i) {
        span(x, picture.width, box.left + i, first_[static_cast<std::size_t>(i)],
             count_[static_cast<std::size_t>(i)]);
        maxCount = std::max(maxCount, count_[static_cast<std::size_t>(i)]);
    }
    const int columnBegin = first_.front();
    const int columnEnd = first_.back() + count_.back();
    const int bytes = (columnEnd - columnBegin) * 3;
    sums_.resize(static_cast<std::size_t>(bytes) + 1); // one more for the last 64-bit read
    const RowAccumulator accumulate = rowAccumulator();
    for (int d = box.top; d < box.bottom; ++d) {
        int rowFirst = 0, rows = 0;
        span(y, picture.height, d, rowFirst, rows);
        const std::size_t most = static_cast<std::size_t>(rows) * static_cast<std::size_t>(maxCount);
        if (inverse_.size() <= most) {
            const std::size_t from = std::max<std::size_t>(inverse_.size(), 1);
            inverse_.resize(most + 1);
            for (std::size_t k = from; k <= most; ++k)
                inverse_[k] = ((std::uint64_t(1) << 32) + k - 1) / k;
        }
        std::fill(sums_.begin(), sums_.end(), std::uint16_t(0));
        const std::uint8_t* source = picture.bits + static_cast<std::size_t>(rowFirst) * picture.stride +
                                     static_cast<std::size_t>(columnBegin) * 3;
        for (int r = 0; r < rows; ++r, source += picture.stride)
            accumulate(source, sums_.data(), bytes);
        std::uint32_t* out = targetRow(target, box.left, d);
        for (int i = 0; i < n; ++i) {
            const int count = count_[static_cast<std::size_t>(i)];
            const std::uint16_t* s = sums_.data() + (first_[static_cast<std::size_t>(i)] - columnBegin) * 3;
            // The three channel sums of a column side by side in one 64-bit
            // word (little-endian), added as one: a device pixel's sum of a
            // channel is at most 16 x 16 x 255, so no lane carries into the next.
            std::uint64_t total = 0;
            for (int c = 0; c < count; ++c, s += 3) {
                std::uint64_t lanes;
                std::memcpy(&lanes, s, sizeof lanes);
                total += lanes & 0xFFFFFFFFFFFFull;
            }
            const std::uint32_t blue = static_cast<std::uint32_t>(total & 0xFFFF);
            const std::uint32_t green = static_cast<std::uint32_t>((total >> 16) & 0xFFFF);
            const std::uint32_t red = static_cast<std::uint32_t>((total >> 32) & 0xFFFF);
            // (sum + n / 2) / n, exactly: sum + n / 2 stays below 2^32 / n
            // for the at most 16 x 16 pixels of 255 a device pixel averages.
            const std::uint32_t pixels = static_cast<std::uint32_t>(rows * count);
            const std::uint64_t inverse = inverse_[pixels];
            const std::uint32_t half = pixels / 2;
            auto average = [&](std::uint32_t sum) {
                return static_cast<std::uint32_t>(((sum + half) * inverse) >> 32);
            };
            out[i] = 0xFF000000u | (average(red) << 16) | (average(green) << 8) | average(blue);
        }
    }
}

} // namespace splot
