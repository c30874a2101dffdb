#include "colour/WholePicture.h"

#include "colour/RgbActions.h"
#include "paint/Canvas.h"

namespace splot {

void invertWholePicture(Canvas& canvas) {
    const int w = canvas.imageWidth();
    for (int y = 0; y < canvas.imageHeight(); ++y) {
        BgrPixel* row = canvas.row(y);
        for (int x = 0; x < w; ++x) {
            row[x].blue = static_cast<std::uint8_t>(255 - row[x].blue);
            row[x].green = static_cast<std::uint8_t>(255 - row[x].green);
            row[x].red = static_cast<std::uint8_t>(255 - row[x].red);
        }
    }
}

void applyChannelActionWholePicture(Canvas& canvas, RgbAction action) {
    const int w = canvas.imageWidth();
    for (int y = 0; y < canvas.imageHeight(); ++y) {
        BgrPixel* row = canvas.row(y);
        for (int x = 0; x < w; ++x)
            row[x] = actionTarget(action, row[x]);
    }
}

} // namespace splot
