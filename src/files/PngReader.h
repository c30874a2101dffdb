#pragma once

#include "files/DecodedImage.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace splot {

// Decodes a PNG of any colour type, bit depth and interlace into 8-bit BGR.
// Transparency (alpha channel or tRNS) is blended over white exactly,
// (c*a + max*(max - a)) / max rounded to nearest, at the file's own bit depth;
// 16-bit samples are then reduced to 8 bits with rounding. gAMA, cHRM, sRGB,
// iCCP and every other ancillary chunk except tRNS are skipped unread, so the
// stored samples come out as stored and no chunk's size is ever allocated.
//
// checkSize runs with the IHDR size before any pixel memory is allocated.
// Throws ImageFileError for a damaged file: a bad CRC in any critical chunk,
// corrupt compressed data, a file cut short, a missing IEND, a first chunk
// other than IHDR, a PLTE after the image data, IDAT chunks with another
// chunk between them. Whatever follows IEND is not read.
DecodedImage decodePngFile(const std::string& path, SizeCheck checkSize);
DecodedImage decodePngBytes(const std::uint8_t* data, std::size_t size, SizeCheck checkSize);

} // namespace splot
