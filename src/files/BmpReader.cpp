#include "files/BmpReader.h"

#include "files/ImageErrors.h"

#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

namespace splot {

namespace {

[[noreturn]] void fail(const std::string& why) {
    throw ImageFileError("The BMP file cannot be read: " + why + ".");
}

std::uint32_t u16(const std::uint8_t* p) {
    return p[0] | p[1] << 8;
}
std::uint32_t u32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

// Compression 3 is Huffman coding in the OS/2 2.x header, bit fields in the
// Windows headers; 6 is bit fields with an alpha mask as well.
enum Compression : std::uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

// The info header sizes: OS/2 1.x, Windows 3, Windows with RGB masks (V2) and
// with an alpha mask too (V3), OS/2 2.x, Windows V4 and V5.
constexpr std::uint32_t os2Header = 12, windowsHeader = 40, os2Header2 = 64;
bool knownHeaderSize(std::uint32_t size) {
    return size == os2Header || size == windowsHeader || size == 52 || size == 56 || size == os2Header2 ||
           size == 108 || size == 124;
}

// One colour channel of a bit-field pixel, scaled to 0..255 with rounding.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t max = 0;
    std::vector<std::uint8_t> table; // for channels up to 16 bits

    explicit Channel(std::uint32_t m) : mask(m) {
        shift = std::countr_zero(m);
        max = m >> shift;
        if (max <= 0xFFFF) {
            table.resize(max + 1);
            for (std::uint32_t v = 0; v <= max; ++v)
                table[v] = scale(v);
        }
    }
    std::uint8_t scale(std::uint32_t v) const {
        return static_cast<std::uint8_t>((std::uint64_t{v} * 255 + max / 2) / max);
    }
    std::uint8_t operator()(std::uint32_t pixel) const {
        const std::uint32_t v = (pixel & mask) >> shift;
        return table.empty() ? scale(v) : table[v];
    }
};

bool contiguous(std::uint32_t m) {
    const std::uint32_t run = m >> std::countr_zero(m);
    return (run & (run + 1)) == 0;
}

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = Rgb;
    std::uint32_t masks[3] = {}; // red, green, blue
    std::array<std::array<std::uint8_t, 3>, 256> palette{};
    std::uint32_t paletteSize = 0;
    std::size_t pixelOffset = 0;
};

Header readHeader(const std::uint8_t* data, std::size_t size) {
    if (size < 18 || data[0] != 'B' || data[1] != 'M')
        fail(size < 18 ? "the file is too short for a bitmap header"
                       : "this is not a bitmap (no BM signature)");
    Header h;
    h.pixelOffset = u32(data + 10);
    const std::uint32_t headerSize = u32(data + 14);
    if (!knownHeaderSize(headerSize))
        fail("unknown header size " + std::to_string(headerSize));
    if (size < 14 + headerSize)
        fail("the file ends inside the header");
    const std::uint8_t* d = data + 14;
    std::uint32_t colours = 0;
    if (headerSize == os2Header) {
        h.width = u16(d + 4);
        h.height = u16(d + 6);
        h.bits = static_cast<int>(u16(d + 10));
    } else {
        h.width = static_cast<std::int32_t>(u32(d + 4));
        h.height = static_cast<std::int32_t>(u32(d + 8));
        h.bits = static_cast<int>(u16(d + 14));
        h.compression = u32(d + 16);
        colours = u32(d + 32);
    }
    if (h.height < 0) {
        h.topDown = true;
        h.height = -h.height;
    }
    // OS/2 2.x knows no bit fields: its compression 3 is Huffman coding.
    if (headerSize == os2Header2 && h.compression >= BitFields)
        fail("unsupported compression " + std::to_string(h.compression));
    const bool fields = h.compression == BitFields || h.compression == AlphaBitFields;
    std::size_t paletteAt = 14 + headerSize;
    if (fields) {
        if (headerSize == windowsHeader) {
            // The masks follow the header: red, green, blue, then alpha
            // (ignored) with compression 6.
            const std::size_t maskBytes = h.compression == AlphaBitFields ? 16 : 12;
            if (size < paletteAt + maskBytes)
                fail("the file ends inside the bit-field masks");
            for (int i = 0; i < 3; ++i)
                h.masks[i] = u32(data + paletteAt + 4 * i);
            paletteAt += maskBytes;
        } else {
            for (int i = 0; i < 3; ++i)
                h.masks[i] = u32(d + 40 + 4 * i);
        }
    }
    // Structure first, so every refusal below is about the file, not the size.
    switch (h.bits) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        fail("unsupported bit count " + std::to_string(h.bits));
    }
    switch (h.compression) {
    case Rgb:
        break;
    case Rle8:
        if (h.bits != 8)
            fail("RLE8 compression needs 8 bits per pixel");
        break;
    case Rle4:
        if (h.bits != 4)
            fail("RLE4 compression needs 4 bits per pixel");
        break;
    case BitFields:
    case AlphaBitFields:
        if (h.bits != 16 && h.bits != 32)
            fail("bit fields need 16 or 32 bits per pixel");
        break;
    default:
        fail("unsupported compression " + std::to_string(h.compression));
    }
    if (h.topDown && (h.compression == Rle8 || h.compression == Rle4))
        fail("compressed bitmaps cannot be top-down");
    if (fields) {
        const std::uint32_t limit = h.bits == 16 ? 0xFFFFu : 0xFFFFFFFFu;
        for (std::uint32_t m : h.masks)
            if (m == 0 || (m & ~limit) || !contiguous(m))
                fail("a bit-field mask is zero, too wide or not one run of bits");
        if ((h.masks[0] & h.masks[1]) || (h.masks[0] & h.masks[2]) || (h.masks[1] & h.masks[2]))
            fail("the bit-field masks overlap");
    } else if (h.bits == 16) {
        h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
    } else if (h.bits == 32) {
        h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
    }
    if (h.bits <= 8) {
        const std::uint32_t most = 1u << h.bits;
        h.paletteSize = colours == 0 ? most : colours;
        if (h.paletteSize > most)
            fail("the palette has more colours than the bit count allows");
        const std::size_t entry = headerSize == os2Header ? 3 : 4;
        if (paletteAt + entry * h.paletteSize > size)
            fail("the file ends inside the palette");
        for (std::uint32_t i = 0; i < h.paletteSize; ++i) {
            const std::uint8_t* p = data + paletteAt + entry * i;
            h.palette[i] = {p[0], p[1], p[2]};
        }
    }
    if (h.pixelOffset > size)
        fail("the pixel data starts past the end of the file");
    return h;
}

class Decoder {
public:
    Decoder(const Header& h, const std::uint8_t* data, std::size_t size, DecodedImage& out)
        : h_(h), data_(data), size_(size), out_(out) {}

    void uncompressed() {
        const std::size_t stride = (static_cast<std::size_t>(h_.width) * h_.bits + 31) / 32 * 4;
        if ((size_ - h_.pixelOffset) / (stride ? stride : 1) < static_cast<std::size_t>(h_.height))
            fail("the file ends before the last row of pixels");
        const std::size_t w = static_cast<std::size_t>(h_.width);
        if (h_.bits == 16 || h_.bits == 32) {
            const Channel r(h_.masks[0]), g(h_.masks[1]), b(h_.masks[2]);
            for (int y = 0; y < out_.height; ++y) {
                const std::uint8_t* in = data_ + h_.pixelOffset + stride * y;
                std::uint8_t* o = rowOut(y);
                for (std::size_t x = 0; x < w; ++x, o += 3) {
                    const std::uint32_t p = h_.bits == 16 ? u16(in + 2 * x) : u32(in + 4 * x);
                    o[0] = b(p), o[1] = g(p), o[2] = r(p);
                }
            }
            return;
        }
        for (int y = 0; y < out_.height; ++y) {
            const std::uint8_t* in = data_ + h_.pixelOffset + stride * y;
            std::uint8_t* o = rowOut(y);
            if (h_.bits == 24) {
                std::memcpy(o, in, 3 * w);
                continue;
            }
            const int perByte = 8 / h_.bits;
            const unsigned mask = (1u << h_.bits) - 1;
            for (std::size_t x = 0; x < w; ++x) {
                const int shift = 8 - h_.bits * (1 + static_cast<int>(x % perByte));
                put(o, x, (in[x / perByte] >> shift) & mask);
            }
        }
    }

    // RLE8 and RLE4: runs and absolute stretches, bottom line first.
    void runLengths() {
        fillWhite();
        const bool four = h_.compression == Rle4;
        const std::size_t w = static_cast<std::size_t>(h_.width);
        const std::size_t hgt = static_cast<std::size_t>(h_.height);
        std::size_t p = h_.pixelOffset, x = 0, y = 0;
        auto next = [&]() -> unsigned {
            if (p >= size_)
                fail("the compressed pixel data ends before the end-of-bitmap mark");
            return data_[p++];
        };
        auto room = [&](std::size_t n) {
            if (y >= hgt || n > w - x)
                fail("a compressed run goes past the end of a row or of the picture");
        };
        for (;;) {
            const unsigned count = next();
            const unsigned value = next();
            if (count > 0) {
                room(count);
                std::uint8_t* o = rowOut(static_cast<int>(y));
                for (unsigned i = 0; i < count; ++i, ++x)
                    put(o, x, four ? (i % 2 ? value & 15 : value >> 4) : value);
            } else if (value == 0) {
                x = 0, ++y;
                if (y > hgt)
                    fail("the compressed data has more rows than the picture");
            } else if (value == 1) {
                return;
            } else if (value == 2) {
                const unsigned dx = next(), dy = next();
                x += dx, y += dy;
                if (x > w || y > hgt || (y == hgt && x > 0))
                    fail("a compressed jump goes past the picture");
            } else {
                room(value);
                const std::size_t bytes = four ? (value + 1) / 2 : value;
                if (size_ - p < bytes + (bytes & 1))
                    fail("the compressed pixel data ends inside a stretch of pixels");
                std::uint8_t* o = rowOut(static_cast<int>(y));
                for (unsigned i = 0; i < value; ++i, ++x) {
                    const unsigned byte = data_[p + (four ? i / 2 : i)];
                    put(o, x, four ? (i % 2 ? byte & 15 : byte >> 4) : byte);
                }
                p += bytes + (bytes & 1);
            }
        }
    }

private:
    std::uint8_t* rowOut(int y) const { return out_.row(h_.topDown ? y : out_.height - 1 - y); }
    void put(std::uint8_t* row, std::size_t x, unsigned index) const {
        if (index >= h_.paletteSize)
            fail("a pixel's colour index is outside the palette");
        std::memcpy(row + 3 * x, h_.palette[index].data(), 3);
    }
    void fillWhite() const { std::memset(out_.bgr.get(), 255, out_.rowBytes() * out_.height); }

    const Header& h_;
    const std::uint8_t* data_;
    std::size_t size_;
    DecodedImage& out_;
};

} // namespace

DecodedImage decodeBmpBytes(const std::uint8_t* data, std::size_t size, SizeCheck checkSize) {
    const Header h = readHeader(data, size);
    checkSize(static_cast<int>(h.width), h.height > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(h.height));
    if (h.width < 0)
        fail("the width is negative");
    // A bitmap without pixels is no picture, as in a PNG file.
    if (h.width == 0)
        fail("the width is zero");
    if (h.height == 0)
        fail("the height is zero");
    DecodedImage image = DecodedImage::allocate(static_cast<int>(h.width), static_cast<int>(h.height));
    Decoder decoder(h, data, size, image);
    if (h.compression == Rle8 || h.compression == Rle4)
        decoder.runLengths();
    else
        decoder.uncompressed();
    return image;
}

} // namespace splot
