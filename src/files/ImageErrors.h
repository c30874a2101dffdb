#pragma once

#include <stdexcept>

namespace splot {

// A picture whose width or height is outside 0..5000 (or whose extension
// names no decoder). what() is the exact text of the plain message box that
// reports it; the refusal comes before any pixel memory is allocated.
class ImageSizeRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file the decoder cannot read (corrupt, cut short, not really the format
// its extension names) or a picture that cannot be written. what() is the
// text for the error box.
class ImageFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace splot
