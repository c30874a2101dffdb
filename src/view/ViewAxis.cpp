#include "view/ViewAxis.h"

#include <cmath>

namespace splot {

// Every quotient below divides two values that are exact in a double on the
// usual screens (ratios of 1, 1.25, 1.5, 2 times small integers), so a
// boundary that falls exactly on a device pixel edge lands on it.

ViewAxis::ViewAxis(int size, Zoom zoom, double ratio, int origin)
    : size_(size), zoom_(zoom), originDevice_(origin * ratio), scaleNum_(ratio * zoom.num),
      averaged_(scaleNum_ < zoom.den) {}

long long ViewAxis::pictureAt(long long d) const {
    // floor((d + 1/2 - origin * ratio) / (ratio * zoom))
    return static_cast<long long>(
        std::floor((static_cast<double>(d) + 0.5 - originDevice_) * zoom_.den / scaleNum_));
}

long long ViewAxis::firstAt(long long d) const {
    // ceil((d - origin * ratio) / (ratio * zoom) - 1/2)
    return static_cast<long long>(
        std::ceil(((static_cast<double>(d) - originDevice_) * zoom_.den - 0.5 * scaleNum_) / scaleNum_));
}

ViewAxis::Range ViewAxis::devicePixels(long long p0, long long p1) const {
    if (averaged_) {
        // The device pixel that holds the centre of p: floor(origin * ratio
        // + (p + 1/2) * ratio * zoom).
        auto holding = [&](long long p) {
            return static_cast<long long>(std::floor(
                (originDevice_ * zoom_.den + (static_cast<double>(p) + 0.5) * scaleNum_) / zoom_.den));
        };
        return Range{holding(p0), holding(p1 - 1) + 1};
    }
    // The first device pixel whose centre lies in p: ceil(origin * ratio +
    // p * ratio * zoom - 1/2).
    auto first = [&](long long p) {
        return static_cast<long long>(std::ceil(
            (originDevice_ * zoom_.den + static_cast<double>(p) * scaleNum_ - 0.5 * zoom_.den) / zoom_.den));
    };
    return Range{first(p0), first(p1)};
}

int ViewAxis::wholeScale() const {
    const double k = scaleNum_ / zoom_.den;
    if (k < 1 || k != std::floor(k) || originDevice_ != std::floor(originDevice_))
        return 0;
    return static_cast<int>(k);
}

} // namespace splot
