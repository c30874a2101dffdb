#include "files/PngReader.h"

#include "files/ImageErrors.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace splot {

namespace {

// Where libpng reads from and where its error message goes. Plain data: the
// functions that hold a setjmp frame must own nothing with a destructor.
struct ReadContext {
    std::FILE* file = nullptr;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    std::size_t pos = 0;
    char message[200] = {};
};

void readBytes(png_structp png, png_bytep out, png_size_t count) {
    auto* c = static_cast<ReadContext*>(png_get_io_ptr(png));
    if (c->file) {
        if (std::fread(out, 1, count, c->file) != count)
            png_error(png, std::ferror(c->file) ? "the file could not be read" : "the file ends too early");
        return;
    }
    if (c->size - c->pos < count)
        png_error(png, "the file ends too early");
    std::memcpy(out, c->data + c->pos, count);
    c->pos += count;
}

void onError(png_structp png, png_const_charp text) {
    auto* c = static_cast<ReadContext*>(png_get_error_ptr(png));
    std::snprintf(c->message, sizeof c->message, "%s", text ? text : "unknown error");
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

// The picture as libpng delivers it after the transformations set up in
// readHeader: RGB or RGBA, 8 or 16 bits per sample.
struct Layout {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int channels = 3;
    int depth = 8;
    bool interlaced = false;
};

// Reads up to the image data and sets the transformations. No C++ objects
// live in this frame.
bool readHeader(png_structp png, png_infop info, Layout* layout) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colourType, &interlace, nullptr, nullptr);
    png_set_expand(png); // palette to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_gray_to_rgb(png);
    png_read_update_info(png, info);
    layout->width = w;
    layout->height = h;
    layout->channels = png_get_channels(png, info);
    layout->depth = png_get_bit_depth(png, info);
    layout->interlaced = interlace != PNG_INTERLACE_NONE;
    return (layout->channels == 3 || layout->channels == 4) && (layout->depth == 8 || layout->depth == 16);
}

inline std::uint8_t blend8(unsigned c, unsigned a) {
    return static_cast<std::uint8_t>((c * a + 255u * (255u - a) + 127u) / 255u);
}

inline std::uint8_t blend16(unsigned c, unsigned a) {
    const std::uint64_t v = (std::uint64_t{c} * a + 65535ull * (65535u - a) + 32767u) / 65535u;
    return static_cast<std::uint8_t>((v * 255u + 32767u) / 65535u);
}

// Converts count delivered pixels to BGR, writing every step-th output pixel.
void convertRow(const Layout& l, const png_byte* in, std::uint8_t* out, png_uint_32 count, png_uint_32 step) {
    const std::size_t stride = std::size_t{3} * step;
    if (l.depth == 8 && l.channels == 3) {
        for (png_uint_32 i = 0; i < count; ++i, in += 3, out += stride) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    } else if (l.depth == 8) {
        for (png_uint_32 i = 0; i < count; ++i, in += 4, out += stride) {
            const unsigned a = in[3];
            out[0] = blend8(in[2], a);
            out[1] = blend8(in[1], a);
            out[2] = blend8(in[0], a);
        }
    } else {
        const int bytes = 2 * l.channels;
        for (png_uint_32 i = 0; i < count; ++i, in += bytes, out += stride) {
            const unsigned a = l.channels == 4 ? (unsigned{in[6]} << 8 | in[7]) : 65535u;
            out[0] = blend16(unsigned{in[4]} << 8 | in[5], a);
            out[1] = blend16(unsigned{in[2]} << 8 | in[3], a);
            out[2] = blend16(unsigned{in[0]} << 8 | in[1], a);
        }
    }
}

// Reads every row into out (BGR, top line first) through one row buffer; an
// interlaced picture arrives as its seven reduced pictures, placed directly.
// No C++ objects live in this frame.
bool readPixels(png_structp png, const Layout* l, png_bytep rowBuffer, std::uint8_t* out) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    const std::size_t outRow = std::size_t{3} * l->width;
    const int passes = l->interlaced ? 7 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        png_uint_32 cols = l->width, rows = l->height, x0 = 0, y0 = 0, dx = 1, dy = 1;
        if (l->interlaced) {
            cols = PNG_PASS_COLS(l->width, pass);
            rows = PNG_PASS_ROWS(l->height, pass);
            x0 = PNG_PASS_START_COL(pass);
            y0 = PNG_PASS_START_ROW(pass);
            dx = 1u << PNG_PASS_COL_SHIFT(pass);
            dy = 1u << PNG_PASS_ROW_SHIFT(pass);
        }
        if (cols == 0 || rows == 0)
            continue; // libpng skips empty passes too
        for (png_uint_32 r = 0; r < rows; ++r) {
            png_read_row(png, rowBuffer, nullptr);
            convertRow(*l, rowBuffer, out + (y0 + r * dy) * outRow + std::size_t{3} * x0, cols, dx);
        }
    }
    png_read_end(png, nullptr);
    return true;
}

// Reads n bytes at offset of the file or the memory; false when it ends first.
bool readAt(const ReadContext& c, std::uint64_t offset, std::uint8_t* out, std::size_t n) {
    if (c.file)
        return std::fseek(c.file, static_cast<long>(offset), SEEK_SET) == 0 &&
               std::fread(out, 1, n, c.file) == n;
    if (offset > c.size || c.size - offset < n)
        return false;
    std::memcpy(out, c.data + offset, n);
    return true;
}

// The chunk order rules that libpng leaves to its caller once ancillary
// chunks are skipped unread: IHDR comes first, no PLTE follows the image data,
// and the IDAT chunks follow one another. Chunks after IEND are never read.
// Returns the broken rule, or nullptr; a file that is cut short or no PNG at
// all is left to libpng to describe. Walks the chunk headers only.
const char* chunkOrderFault(const ReadContext& c) {
    static constexpr std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::uint8_t header[8];
    if (!readAt(c, 0, header, 8) || std::memcmp(header, signature, 8) != 0)
        return nullptr;
    bool first = true, inImageData = false, afterImageData = false;
    for (std::uint64_t at = 8; readAt(c, at, header, 8);) {
        const std::uint32_t length = std::uint32_t{header[0]} << 24 | std::uint32_t{header[1]} << 16 |
                                     std::uint32_t{header[2]} << 8 | header[3];
        if (length > PNG_UINT_31_MAX)
            return nullptr;
        const std::string_view type(reinterpret_cast<const char*>(header + 4), 4);
        if (first && type != "IHDR")
            return "the first chunk is not IHDR";
        first = false;
        if (type == "IEND")
            return nullptr;
        if (type == "IDAT") {
            if (afterImageData)
                return "the IDAT chunks are not consecutive";
            inImageData = true;
        } else if (inImageData || afterImageData) {
            if (type == "PLTE")
                return "the PLTE chunk comes after the image data";
            inImageData = false;
            afterImageData = true;
        }
        at += 12 + std::uint64_t{length};
    }
    return nullptr;
}

struct PngReadGuard {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngReadGuard() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

[[noreturn]] void fail(const ReadContext& c) {
    throw ImageFileError(std::string("The PNG file cannot be read: ") +
                         (c.message[0] ? c.message : "unknown error") + ".");
}

DecodedImage decode(ReadContext& context, SizeCheck checkSize) {
    if (const char* fault = chunkOrderFault(context))
        throw ImageFileError(std::string("The PNG file cannot be read: ") + fault + ".");
    if (context.file && std::fseek(context.file, 0, SEEK_SET) != 0)
        throw ImageFileError(std::string("The PNG file cannot be read: ") + std::strerror(errno) + ".");
    PngReadGuard g;
    g.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &context, onError, onWarning);
    if (!g.png)
        throw ImageFileError("The PNG file cannot be read: out of memory.");
    g.info = png_create_info_struct(g.png);
    if (!g.info)
        throw ImageFileError("The PNG file cannot be read: out of memory.");
    png_set_read_fn(g.png, &context, readBytes);
    // The size test is ours, with its own message: libpng may pass any size
    // the format allows.
    png_set_user_limits(g.png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    // Ancillary chunks other than tRNS are skipped without reading them into
    // memory; this also makes gamma and colour-space chunks have no effect.
    png_set_keep_unknown_chunks(g.png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
    png_set_chunk_cache_max(g.png, 100);
    png_set_chunk_malloc_max(g.png, 1u << 20);
    // A bad CRC is an error in critical chunks, a skipped chunk elsewhere.
    png_set_crc_action(g.png, PNG_CRC_ERROR_QUIT, PNG_CRC_WARN_DISCARD);

    Layout layout;
    if (!readHeader(g.png, g.info, &layout)) {
        if (!context.message[0])
            std::snprintf(context.message, sizeof context.message, "unsupported sample format");
        fail(context);
    }
    checkSize(static_cast<int>(layout.width), static_cast<int>(layout.height));
    DecodedImage image =
        DecodedImage::allocate(static_cast<int>(layout.width), static_cast<int>(layout.height));
    const std::unique_ptr<png_byte[]> rowBuffer(new png_byte[png_get_rowbytes(g.png, g.info) + 1]);
    if (!readPixels(g.png, &layout, rowBuffer.get(), image.bgr.get()))
        fail(context);
    return image;
}

} // namespace

DecodedImage decodePngFile(const std::string& path, SizeCheck checkSize) {
    ReadContext context;
    context.file = std::fopen(path.c_str(), "rb");
    if (!context.file)
        throw ImageFileError("Cannot open " + path + ": " + std::strerror(errno));
    struct Closer {
        std::FILE* f;
        ~Closer() { std::fclose(f); }
    } closer{context.file};
    return decode(context, checkSize);
}

DecodedImage decodePngBytes(const std::uint8_t* data, std::size_t size, SizeCheck checkSize) {
    ReadContext context;
    context.data = data;
    context.size = size;
    return decode(context, checkSize);
}

} // namespace splot
