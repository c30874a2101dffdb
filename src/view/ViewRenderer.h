#pragma once

#include "view/ViewAxis.h"

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
// repeat it. Keeps its working rows between calls.
class ViewRenderer {
public:
    void render(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y, const DeviceBox& box,
                const DeviceImage& target);

private:
    void renderSharp(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y, const DeviceBox& box,
                     const DeviceImage& target);
    void renderDoubled(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y, const DeviceBox& box,
                       const DeviceImage& target, int firstColumn);
    void renderAveraged(const PictureBits& picture, const ViewAxis& x, const ViewAxis& y,
                        const DeviceBox& box, const DeviceImage& target);

    std::vector<int> map_;               // per device column: picture column - first one used
    std::vector<std::uint32_t> words_;   // one converted picture row (padded for the expander)
    std::vector<int> first_;             // per device column: first picture column averaged
    std::vector<int> count_;             // per device column: picture columns averaged
    std::vector<std::uint16_t> sums_;    // per picture byte: the sum over the rows of a device row
    std::vector<std::uint64_t> inverse_; // per pixel count n: ceil(2^32 / n)
};

} // namespace splot
