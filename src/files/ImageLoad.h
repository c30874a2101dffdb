#pragma once

#include "files/DecodedImage.h"

#include <string>
#include <string_view>

namespace splot {

class Canvas;

enum class ImageFormat { Png, Bmp, Unknown };

// The decoder an extension names: "png" or "bmp" in any letter case.
ImageFormat imageFormatForExtension(std::string_view extension);

// The plain message that refuses a picture of this size, or an empty text
// when 0 <= width <= maxImageWidth and 0 <= height <= maxImageHeight: the
// width line (ending in CR LF) and/or the height line.
std::string imageSizeMessage(int width, int height);

// Throws ImageSizeRefused with imageSizeMessage() when that is not empty.
void checkImageSize(int width, int height);

// Decodes the file at path with the decoder its extension names (the last
// three characters of the path as the user chose it). Throws
// ImageSizeRefused for a size outside the limits, and for an extension that
// names no decoder (width -1, height -2), before any pixel memory is
// allocated; ImageFileError for a file that cannot be opened or decoded.
// The caller's picture is untouched either way.
DecodedImage loadImage(const std::string& path, std::string_view extension);

// Copies a decoded picture into a canvas of the same size (top line of the
// picture to the top row on screen, canvas row imageHeight - 1).
void copyToCanvas(const DecodedImage& image, Canvas& canvas);

} // namespace splot
