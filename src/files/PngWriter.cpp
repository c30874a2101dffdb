#include "files/PngWriter.h"

#include "base/WorkerPool.h"
#include "files/ImageErrors.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

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

// A band of rows compressed on its own: the first band opens the zlib
// stream, every later one is raw deflate primed with the 32 KB of filtered
// data before it (as a single compressor would have seen them), every band
// but the last ends on a full flush (byte-aligned, final bit clear), the last
// one finishes the deflate data. Joined in order and followed by the combined
// Adler-32 they are one valid zlib stream.
struct Band {
    int first = 0; // rows [first, last)
    int last = 0;
    bool opensStream = false;
    bool endsStream = false;
    std::string out;
    uLong adler = 1;
    std::size_t rawBytes = 0;
    const char* failure = nullptr;
};

void compressBand(const std::uint8_t* bgr, int width, std::size_t stride, Band& band) noexcept {
    try {
        const std::size_t rowBytes = 1 + 3 * static_cast<std::size_t>(width);
        const std::unique_ptr<unsigned char[]> row(new unsigned char[rowBytes]);
        Deflater d;
        if (deflateInit2(&d.z, compressionLevel, Z_DEFLATED, band.opensStream ? 15 : -15, 8,
                         Z_DEFAULT_STRATEGY) != Z_OK) {
            band.failure = "out of memory";
            return;
        }
        d.open = true;
        if (!band.opensStream) {
            constexpr std::size_t window = 32768;
            const int rows = static_cast<int>(std::min<std::size_t>((window + rowBytes - 1) / rowBytes,
                                                                    static_cast<std::size_t>(band.first)));
            std::string before(static_cast<std::size_t>(rows) * rowBytes, '\0');
            for (int i = 0; i < rows; ++i)
                subFilterRow(bgr + static_cast<std::size_t>(band.first - rows + i) * stride, width,
                             reinterpret_cast<unsigned char*>(before.data()) + i * rowBytes);
            const std::size_t keep = std::min(window, before.size());
            deflateSetDictionary(&d.z, reinterpret_cast<const Bytef*>(before.data() + before.size() - keep),
                                 static_cast<uInt>(keep));
        }
        unsigned char buffer[1 << 16];
        for (int y = band.first; y <= band.last; ++y) {
            const bool end = y == band.last;
            if (!end) {
                subFilterRow(bgr + static_cast<std::size_t>(y) * stride, width, row.get());
                band.adler = adler32(band.adler, row.get(), static_cast<uInt>(rowBytes));
                band.rawBytes += rowBytes;
                d.z.next_in = row.get();
                d.z.avail_in = static_cast<uInt>(rowBytes);
            }
            const int flush = !end ? Z_NO_FLUSH : band.endsStream ? Z_FINISH : Z_FULL_FLUSH;
            for (;;) {
                d.z.next_out = buffer;
                d.z.avail_out = sizeof buffer;
                const int rc = deflate(&d.z, flush);
                if (rc == Z_STREAM_ERROR) {
                    band.failure = "compression failed";
                    return;
                }
                band.out.append(reinterpret_cast<const char*>(buffer), sizeof buffer - d.z.avail_out);
                if (flush == Z_FINISH ? rc == Z_STREAM_END : (d.z.avail_in == 0 && d.z.avail_out != 0))
                    break;
            }
        }
    } catch (const std::bad_alloc&) {
        band.failure = "out of memory";
    }
}

// Pictures of at least this many bytes of rows are compressed in two bands,
// on two threads of the pool. The split depends on the size alone, so a picture gives the
// same file on every machine.
constexpr std::size_t bandMinimumBytes = std::size_t{4} << 20;

std::vector<Band> bandsFor(int width, int height) {
    const std::size_t total = static_cast<std::size_t>(height) * (1 + 3 * static_cast<std::size_t>(width));
    int count = total >= 2 * bandMinimumBytes ? 2 : 1;
    count = std::max(1, std::min(count, height));
    std::vector<Band> bands(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        bands[i].first = static_cast<int>(static_cast<long long>(height) * i / count);
        bands[i].last = static_cast<int>(static_cast<long long>(height) * (i + 1) / count);
    }
    bands.front().opensStream = true;
    bands.back().endsStream = true;
    return bands;
}

} // namespace

std::string encodePng(const std::uint8_t* bgr, int width, int height, std::size_t stride,
                      WorkerPool* workers) {
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

    // One band per worker; the save waits for all of them.
    std::vector<Band> bands = bandsFor(width, height);
    const auto compress = [&](int band, int) {
        compressBand(bgr, width, stride, bands[static_cast<std::size_t>(band)]);
    };
    if (workers != nullptr)
        workers->run(static_cast<int>(bands.size()), compress);
    else
        for (int band = 0; band < static_cast<int>(bands.size()); ++band)
            compress(band, 0);
    std::string stream;
    uLong adler = 1;
    for (Band& band : bands) {
        if (band.failure)
            throw ImageFileError(std::string("The PNG file cannot be written: ") + band.failure + ".");
        stream += band.out;
        band.out = std::string();
        adler = adler32_combine(adler, band.adler, static_cast<z_off_t>(band.rawBytes));
    }
    if (bands.size() > 1) // a single band's stream carries its own checksum
        put32(stream, static_cast<std::uint32_t>(adler));
    for (std::size_t at = 0; at < stream.size(); at += maxIdatBytes)
        putChunk(out, "IDAT", reinterpret_cast<const unsigned char*>(stream.data()) + at,
                 std::min(maxIdatBytes, stream.size() - at));
    putChunk(out, "IEND", nullptr, 0);
    return out;
}

} // namespace splot
