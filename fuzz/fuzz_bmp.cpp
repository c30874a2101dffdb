// Feeds arbitrary bytes to the BMP decoder: it must decode or throw one of
// its two errors, never crash, leak or read out of bounds.
#include "FuzzLimits.h"
#include "files/BmpReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const splot::DecodedImage image = splot::decodeBmpBytes(data, size, splot::fuzz::smallSizesOnly);
        // Touch every decoded byte so uninitialised output shows up.
        unsigned sum = 0;
        for (std::size_t i = 0; i < image.rowBytes() * static_cast<std::size_t>(image.height); ++i)
            sum += image.bgr[i];
        volatile unsigned sink = sum;
        (void)sink;
    } catch (const splot::ImageSizeRefused&) {
    } catch (const splot::ImageFileError&) {
    }
    return 0;
}
