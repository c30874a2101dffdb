#pragma once

#include "files/DecodedImage.h"

#include <cstddef>
#include <cstdint>

namespace splot {

// Decodes a Windows or OS/2 bitmap held in memory into 8-bit BGR.
//
// Accepted: the 12- and 64-byte OS/2 headers and the 40-, 52-, 56-, 108- and
// 124-byte Windows headers; 1, 4, 8, 16, 24 and 32 bits per pixel;
// uncompressed, RLE8 (8 bits), RLE4 (4 bits) and bit fields with or without
// an alpha mask (16 and 32 bits); bottom-up or, uncompressed, top-down.
// Channels narrower than 8 bits are scaled to the full range (a 5-bit 31
// becomes 255); alpha is ignored. Pixels that RLE data skips on purpose (a
// delta or an early end of bitmap) are white.
//
// checkSize runs with the declared size (height made positive) before any
// pixel memory is allocated. Everything else that is wrong is an
// ImageFileError: data cut short, a pixel offset past the end, an unknown
// header size, bit count or compression, a width or height of 0, RLE with
// the wrong bit count or with runs past the row or the picture, zero or
// overlapping bit-field masks, a colour index outside the palette.
DecodedImage decodeBmpBytes(const std::uint8_t* data, std::size_t size, SizeCheck checkSize);

} // namespace splot
