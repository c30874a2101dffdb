#include "files/PngWriter.h"

#include "files/ImageErrors.h"

#include <zlib.h>

#include <cstring>
#include <memory>
#include <new>

namespace splot {

// The file is assembled here on zlib directly rather than through libpng's
// writer: libpng silently writes filter None instead of Sub on pictures one
// pixel wide, and every row must carry Sub.
namespace {

constexpr int compressionLevel = 7;
constexpr std::size_t maxIdatBytes = 65535;

void put32(std::string& out, std::uint32_t v) {
    const char bytes[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    out.append(bytes, 4);
}

void putChunk(std::string& out, const char* type, const unsigned char* data, std::size_t size) {
    put32(out, static_cast<std::uint32_t>(size));
    const std::size_t start = out.size();
    out.append(type, 4);
    out.append(reinterpret_cast<const char*>(data), size);
    put32(out, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(out.data() + start),
                                                static_cast<uInt>(size + 4))));
}

// One row with its filter byte: Sub (each byte minus the byte three to its
// left), from BGR to the file's RGB order.
void subFilterRow(const std::uint8_t* bgr, int width, unsigned char* out) {
    out[0] = 1;
    if (width == 0)
        return;
    out[1] = bgr[2], out[2] = bgr[1], out[3] = bgr[0];
    // No value carried from pixel to pixel, so the compiler can vectorise.
    const std::size_t bytes = 3 * static_cast<std::size_t>(width);
    for (std::size_t i = 3; i < bytes; i += 3) {
        out[1 + i] = static_cast<unsigned char>(bgr[i + 2] - bgr[i - 1]);
        out[2 + i] = static_cast<unsigned char>(bgr[i + 1] - bgr[i - 2]);
        out[3 + i] = static_cast<unsigned char>(bgr[i] - bgr[i - 3]);
    }
}

struct Deflater {
    z_stream z{};
    bool open = false;
    ~Deflater() {
        if (open)
            deflateEnd(&z);
    }
};

} // namespace

std::string encodePng(const std::uint8_t* bgr, int width, int height, std::size_t stride) {
    if (width < 0 || height < 0)
        throw ImageFileError("The PNG file cannot be written: negative size.");
    std::string out;
    out.append("\x89PNG\r\n\x1a\n", 8);
    unsigned char header[13] = {};
    const std::uint32_t w = static_cast<std::uint32_t>(width), h = static_cast<std::uint32_t>(height);
    for (int i = 0; i < 4; ++i) {
        header[i] = static_cast<unsigned char>(w >> (24 - 8 * i));
        header[4 + i] = static_cast<unsigned char>(h >> (24 - 8 * i));
    }
    header[8] = 8; // bits per sample
    header[9] = 2; // RGB; compression, filter method and interlace stay 0
    putChunk(out, "IHDR", header, sizeof header);

    Deflater d;
    if (deflateInit2(&d.z, compressionLevel, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw ImageFileError("The PNG file cannot be written: out of memory.");
    d.open = true;
    const std::size_t rowBytes = 1 + 3 * static_cast<std::size_t>(width);
    const std::unique_ptr<unsigned char[]> row(new unsigned char[rowBytes]);
    const std::unique_ptr<unsigned char[]> idat(new unsigned char[maxIdatBytes]);
    d.z.next_out = idat.get();
    d.z.avail_out = maxIdatBytes;
    for (int y = 0; y <= height; ++y) {
        const bool last = y == height;
        if (!last) {
            subFilterRow(bgr + static_cast<std::size_t>(y) * stride, width, row.get());
            d.z.next_in = row.get();
            d.z.avail_in = static_cast<uInt>(rowBytes);
        }
        for (;;) {
            const int rc = deflate(&d.z, last ? Z_FINISH : Z_NO_FLUSH);
            if (rc == Z_STREAM_ERROR)
                throw ImageFileError("The PNG file cannot be written: compression failed.");
            if (d.z.avail_out == 0 || (rc == Z_STREAM_END && d.z.avail_out < maxIdatBytes)) {
                putChunk(out, "IDAT", idat.get(), maxIdatBytes - d.z.avail_out);
                d.z.next_out = idat.get();
                d.z.avail_out = maxIdatBytes;
            }
            if (last ? rc == Z_STREAM_END : d.z.avail_in == 0)
                break;
        }
    }
    putChunk(out, "IEND", nullptr, 0);
    return out;
}

} // namespace splot
