#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace splot {

// A picture decoded from a file: width x height pixels of three bytes in the
// canvas's order (blue, green, red), rows packed without padding, top line
// first.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::unique_ptr<std::uint8_t[]> bgr;

    std::size_t rowBytes() const { return static_cast<std::size_t>(width) * 3; }
    std::uint8_t* row(int fromTop) const {
        return bgr.get() + static_cast<std::size_t>(fromTop) * rowBytes();
    }

    // Allocates the pixels without initialising them; sizes already tested.
    static DecodedImage allocate(int width, int height) {
        DecodedImage image;
        image.width = width;
        image.height = height;
        image.bgr.reset(
            new std::uint8_t[static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3 + 1]);
        return image;
    }
};

// Called by a decoder with the picture's declared size as soon as the header
// is read, before any pixel memory is allocated; it throws to refuse.
using SizeCheck = void (*)(int width, int height);

} // namespace splot
