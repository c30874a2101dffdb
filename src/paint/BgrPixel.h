#pragma once

#include <cstdint>

namespace splot {

// One canvas pixel: byte 0 blue, byte 1 green, byte 2 red. Every pixel
// operation addresses the channels by these byte positions.
struct BgrPixel {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;

    friend bool operator==(const BgrPixel&, const BgrPixel&) = default;
};
static_assert(sizeof(BgrPixel) == 3, "BgrPixel must be three packed bytes");

} // namespace splot
