#pragma once

#include "base/Clock.h"

#include <string>

namespace splot {

class Canvas;

// The name a save writes: the executable's path without its extension, the
// local time as yyyymmdd_hh_nn_ss__zzz, then ".png".
std::string timeStampedPngPath(const std::string& executablePath, const LocalDateTime& time);
// picturePrefix followed by the time stamp and ".png".
std::string timeStampedPngName(const std::string& picturePrefix, const LocalDateTime& time);

// The same moment one millisecond later, carried into seconds, days, months
// and years.
LocalDateTime nextMillisecond(const LocalDateTime& time);

// The PNG file a save writes for the canvas. A PNG file cannot hold a
// picture 0 pixels wide or high, and a save must always load back: such a
// picture throws ImageFileError and nothing is written.
std::string pictureAsPng(const Canvas& canvas);

// Writes the canvas as a new PNG beside the executable (BitmapFileToPNG's
// file work) and returns its path. The name is taken from the clock when the
// save starts, before the picture is encoded; if a
// file of that name exists, the next free millisecond's name is used, so two
// saves never replace each other. The file appears complete or not at all.
// Throws ImageFileError naming the path and the system's reason.
// picturePrefix is the saved file's path up to the time stamp: beside the
// executable, its path without the extension.
std::string savePictureAsPng(const Canvas& canvas, const std::string& picturePrefix, Clock& clock);

} // namespace splot
