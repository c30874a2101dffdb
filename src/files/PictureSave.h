#pragma once

#include "paint/Ports.h"

#include <string>

namespace splot {

class Canvas;

// The name a save writes: the executable's path without its extension, the
// local time as yyyymmdd_hh_nn_ss__zzz, then ".png".
std::string timeStampedPngPath(const std::string& executablePath, const LocalDateTime& time);

// The same moment one millisecond later, carried into seconds, days, months
// and years.
LocalDateTime nextMillisecond(const LocalDateTime& time);

// Writes the canvas as a new PNG beside the executable (BitmapFileToPNG's
// file work) and returns its path. The name is taken from the clock; if a
// file of that name exists, the next free millisecond's name is used, so two
// saves never replace each other. The file appears complete or not at all.
// Throws ImageFileError naming the path and the system's reason.
std::string savePictureAsPng(const Canvas& canvas, const std::string& executablePath, Clock& clock);

} // namespace splot
