#include "ProbeCommands.h"

#include "base/AtomicFile.h"
#include "files/ImageErrors.h"
#include "files/ImageLoad.h"
#include "files/PictureSave.h"
#include "paint/Canvas.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace splot::probe {

namespace {

// The load command's file work: decode, then rebuild the canvas at the new
// size and copy the picture in. A refusal leaves the canvas as it was.
void loadInto(Canvas& canvas, const std::string& path) {
    const std::string extension = path.size() >= 3 ? path.substr(path.size() - 3) : path;
    const DecodedImage image = loadImage(path, extension);
    canvas.rebuild(image.width, image.height, false, true);
    copyToCanvas(image, canvas);
}

} // namespace

int convert(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    if (args.size() != 2 && args.size() != 3) {
        err << "usage: splot-probe convert [PREV] IN OUT\n";
        return 2;
    }
    Canvas canvas;
    int status = 0;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        try {
            loadInto(canvas, args[i]);
        } catch (const std::exception& e) {
            err << args[i] << ": " << e.what() << '\n';
            status = 1;
            if (args.size() == 2)
                return status;
        }
    }
    // The save's own encoding and its write: a temporary file beside OUT,
    // renamed over it only when complete.
    std::string png;
    try {
        png = pictureAsPng(canvas);
    } catch (const std::exception& e) {
        err << "splot-probe: " << e.what() << '\n';
        return 1;
    }
    if (!writeFileAtomically(args.back(), png)) {
        err << "splot-probe: cannot write " << args.back() << ": " << std::strerror(errno) << '\n';
        return 1;
    }
    return status;
}

} // namespace splot::probe
