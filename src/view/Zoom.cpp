#include "view/Zoom.h"

namespace splot {

Zoom ZoomLevels::zoomIn(Zoom z) {
    for (Zoom level : levels)
        if (z < level)
            return level;
    return z < levels.back() ? levels.back() : z;
}

Zoom ZoomLevels::zoomOut(Zoom z) {
    for (auto it = levels.rbegin(); it != levels.rend(); ++it)
        if (*it < z)
            return *it;
    return levels.front() < z ? levels.front() : z;
}

Zoom ZoomLevels::fit(int width, int height, int boxWidth, int boxHeight) {
    if (width <= 0 || height <= 0 || boxWidth <= 0 || boxHeight <= 0)
        return actualPixels;
    // The smaller of boxWidth / width and boxHeight / height: width * zoom
    // is then at most boxWidth exactly, and so is its rounding up.
    Zoom z = static_cast<long long>(boxWidth) * height <= static_cast<long long>(boxHeight) * width
                 ? Zoom{boxWidth, width}
                 : Zoom{boxHeight, height};
    if (actualPixels < z)
        return actualPixels;
    if (z < levels.front())
        return levels.front();
    return z;
}

int ZoomLevels::levelIndex(Zoom z) {
    for (std::size_t i = 0; i < levels.size(); ++i)
        if (levels[i] == z)
            return static_cast<int>(i);
    return -1;
}

int ZoomLevels::shownLength(int n, Zoom z) {
    const long long scaled = static_cast<long long>(n) * z.num;
    return static_cast<int>((scaled + z.den - 1) / z.den);
}

} // namespace splot
