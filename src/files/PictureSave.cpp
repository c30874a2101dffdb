#include "files/PictureSave.h"

#include "base/AtomicFile.h"
#include "files/ImageErrors.h"
#include "files/PngWriter.h"
#include "paint/Canvas.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace splot {

std::string timeStampedPngName(const std::string& picturePrefix, const LocalDateTime& t) {
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d_%02d_%02d_%02d__%03d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.millisecond);
    return picturePrefix + stamp + ".png";
}

std::string timeStampedPngPath(const std::string& executablePath, const LocalDateTime& t) {
    return timeStampedPngName(std::filesystem::path(executablePath).replace_extension().string(), t);
}

LocalDateTime nextMillisecond(const LocalDateTime& t) {
    using namespace std::chrono;
    const sys_days day{year{t.year} / month{static_cast<unsigned>(t.month)} / static_cast<unsigned>(t.day)};
    const auto moment =
        day + hours{t.hour} + minutes{t.minute} + seconds{t.second} + milliseconds{t.millisecond + 1};
    const sys_days newDay = floor<days>(moment);
    const year_month_day ymd{newDay};
    const hh_mm_ss clock{moment - newDay};
    return {static_cast<int>(ymd.year()),
            static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            static_cast<int>(clock.hours().count()),
            static_cast<int>(clock.minutes().count()),
            static_cast<int>(clock.seconds().count()),
            static_cast<int>(clock.subseconds().count())};
}

std::string pictureAsPng(const Canvas& canvas) {
    const int w = canvas.imageWidth();
    const int h = canvas.imageHeight();
    if (w == 0 || h == 0)
        throw ImageFileError("Cannot save a picture of " + std::to_string(w) + " x " + std::to_string(h) +
                             " pixels: a PNG file needs at least one row and one column.");
    return encodePng(canvas.bits(), w, h, static_cast<std::size_t>(canvas.bytesPerLine()));
}

std::string savePictureAsPng(const Canvas& canvas, const std::string& picturePrefix, Clock& clock) {
    // The name tells when the save was asked for, not when encoding a large
    // picture was done.
    LocalDateTime time = clock.now();
    const std::string png = pictureAsPng(canvas);
    // A day's worth of taken names is not a clash any more but a fault.
    for (int attempt = 0; attempt < 86'400'000; ++attempt, time = nextMillisecond(time)) {
        const std::string path = timeStampedPngName(picturePrefix, time);
        const int error = writeNewFileAtomically(path, png);
        if (error == 0)
            return path;
        if (error != EEXIST)
            throw ImageFileError("Cannot save the picture as " + path + ": " + std::strerror(error));
    }
    throw ImageFileError("Cannot save the picture: every name is taken.");
}

} // namespace splot
