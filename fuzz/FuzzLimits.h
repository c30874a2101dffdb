#pragma once

#include "files/ImageErrors.h"

namespace splot::fuzz {

// The program's own size test allows 5000 x 5000; a fuzzer that allocates
// that much for every header it invents runs slowly, so the targets refuse
// pictures of more than a million pixels the same way (before allocating).
inline void smallSizesOnly(int width, int height) {
    if (width < 0 || height < 0 || width > 5000 || height > 5000 ||
        static_cast<long long>(width) * height > 1'000'000)
        throw ImageSizeRefused("too large for fuzzing");
}

} // namespace splot::fuzz
