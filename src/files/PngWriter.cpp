#include "files/PngWriter.h"

#include "files/ImageErrors.h"

#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <new>

namespace splot {

namespace {

constexpr int compressionLevel = 7;
constexpr std::size_t maxIdatBytes = 65535;

struct WriteContext {
    std::string* out = nullptr;
    char message[200] = {};
};

void writeBytes(png_structp png, png_bytep data, png_size_t count) {
    auto* c = static_cast<WriteContext*>(png_get_io_ptr(png));
    try {
        c->out->append(reinterpret_cast<const char*>(data), count);
    } catch (const std::bad_alloc&) {
        png_error(png, "out of memory");
    }
}

void flush(png_structp) {}

void onError(png_structp png, png_const_charp text) {
    auto* c = static_cast<WriteContext*>(png_get_error_ptr(png));
    std::snprintf(c->message, sizeof c->message, "%s", text ? text : "unknown error");
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// The whole libpng write. No C++ objects live in this frame.
bool writeAll(png_structp png, png_infop info, const std::uint8_t* bgr, int width, int height,
              std::size_t stride) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_set_compression_level(png, compressionLevel);
    png_set_compression_strategy(png, Z_DEFAULT_STRATEGY);
    png_set_compression_buffer_size(png, maxIdatBytes); // one IDAT chunk per full buffer
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < height; ++y)
        png_write_row(png, bgr + static_cast<std::size_t>(y) * stride);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

std::string encodePng(const std::uint8_t* bgr, int width, int height, std::size_t stride) {
    std::string out;
    WriteContext context;
    context.out = &out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &context, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    struct Guard {
        png_structp& png;
        png_infop& info;
        ~Guard() { png_destroy_write_struct(&png, &info); }
    } guard{png, info};
    if (!info)
        throw ImageFileError("The PNG file cannot be written: out of memory.");
    png_set_write_fn(png, &context, writeBytes, flush);
    if (!writeAll(png, info, bgr, width, height, stride))
        throw ImageFileError(std::string("The PNG file cannot be written: ") + context.message + ".");
    return out;
}

} // namespace splot
