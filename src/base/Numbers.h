#pragma once

#include <cmath>
#include <cstdint>

namespace splot {

// Every real-to-integer conversion of the program rounds to nearest with exact
// halves going to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0). std::rint
// does that under the default rounding mode and inlines with -fno-math-errno.
// Never use std::round or lround for pixel, width or colour values: they round
// halves away from zero.
inline double roundEvenToDouble(double v) {
    return std::rint(v);
}

// Rounds to the nearest int, halves to even. Values beyond the int range
// saturate instead of invoking undefined behaviour.
inline int roundEven(double v) {
    const double r = std::rint(v);
    if (!(r > -2147483648.0)) // also catches NaN
        return r != r ? 0 : INT32_MIN;
    if (r > 2147483647.0)
        return INT32_MAX;
    return static_cast<int>(r);
}

inline int clampInt(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}
inline double clampDouble(double v, double lo, double hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}
inline std::uint8_t clampByte(int v) {
    return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

} // namespace splot
