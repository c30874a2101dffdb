#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace splot {

class WorkerPool;

// Encodes a picture as PNG: colour type 2 (RGB), 8 bits per sample, no
// interlace, only IHDR, IDAT and IEND; zlib level 7 with the default
// strategy, filter Sub on every row, IDAT chunks of at most 65535 bytes.
// bgr holds height rows of width pixels (blue, green, red), top line first,
// stride bytes apart. Throws ImageFileError if compression fails. Large
// pictures are compressed in two bands, side by side on workers when given;
// the bytes depend on the picture alone.
std::string encodePng(const std::uint8_t* bgr, int width, int height, std::size_t stride,
                      WorkerPool* workers = nullptr);

} // namespace splot
