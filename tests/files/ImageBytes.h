#pragma once

// Builders for small PNG and BMP files with known pixels, and a walker over
// a PNG's chunks, for the decoder and writer tests.

#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace splot::test {

inline void put32be(std::string& s, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        s += static_cast<char>((v >> shift) & 0xFF);
}
inline void put16le(std::string& s, std::uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
inline void put32le(std::string& s, std::uint32_t v) {
    put16le(s, v & 0xFFFF);
    put16le(s, v >> 16);
}
inline std::uint32_t get32be(const std::string& s, std::size_t at) {
    return std::uint32_t{static_cast<std::uint8_t>(s[at])} << 24 |
           std::uint32_t{static_cast<std::uint8_t>(s[at + 1])} << 16 |
           std::uint32_t{static_cast<std::uint8_t>(s[at + 2])} << 8 | static_cast<std::uint8_t>(s[at + 3]);
}

inline const std::string pngSignature("\x89PNG\r\n\x1a\n", 8);

inline std::string pngChunk(const std::string& type, const std::string& data) {
    std::string c;
    put32be(c, static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    c += body;
    put32be(c,
            static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), body.size())));
    return c;
}

inline std::string zlibCompress(const std::string& raw, int level = 6) {
    uLongf size = compressBound(raw.size());
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                  raw.size(), level) != Z_OK)
        throw std::runtime_error("compress2 failed");
    out.resize(size);
    return out;
}

inline std::string zlibInflate(const std::string& compressed) {
    z_stream z{};
    inflateInit(&z);
    std::string out;
    char buffer[1 << 16];
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    int rc = Z_OK;
    while (rc == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        rc = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
    }
    inflateEnd(&z);
    if (rc != Z_STREAM_END)
        throw std::runtime_error("bad zlib stream");
    return out;
}

inline std::string ihdr(std::uint32_t width, std::uint32_t height, int depth, int colourType,
                        int interlace = 0) {
    std::string d;
    put32be(d, width);
    put32be(d, height);
    d += static_cast<char>(depth);
    d += static_cast<char>(colourType);
    d += '\0';
    d += '\0';
    d += static_cast<char>(interlace);
    return pngChunk("IHDR", d);
}

// A whole PNG from filtered scanlines (each with its filter byte) and extra
// chunks placed before IDAT.
inline std::string makePng(std::uint32_t width, std::uint32_t height, int depth, int colourType,
                           const std::string& scanlines, const std::string& before = "") {
    return pngSignature + ihdr(width, height, depth, colourType) + before +
           pngChunk("IDAT", zlibCompress(scanlines)) + pngChunk("IEND", "");
}

struct PngChunk {
    std::string type;
    std::string data;
    std::size_t offset = 0; // of the length field
};

inline std::vector<PngChunk> pngChunks(const std::string& file) {
    std::vector<PngChunk> chunks;
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const std::uint32_t length = get32be(file, at);
        chunks.push_back({file.substr(at + 4, 4), file.substr(at + 8, length), at});
        at += 12 + length;
    }
    return chunks;
}

// A BMP: header size 12 or 64 (OS/2), 40, 52, 56, 108 or 124 (Windows);
// height negative for top-down.
struct BmpLayout {
    BmpLayout(int w, int h, int bitCount, std::uint32_t compressionType = 0, std::uint32_t headerBytes = 40)
        : width(w), height(h), bits(bitCount), compression(compressionType), headerSize(headerBytes) {}
    int width = 0;
    int height = 0;
    int bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t headerSize = 40;
    std::string palette;         // 4 bytes per entry (3 with the 12-byte header)
    std::uint32_t masks[3] = {}; // red, green, blue, for compression 3 and 6
    std::uint32_t alphaMask = 0; // for compression 6 and the headers that hold it
    std::string pixels;          // rows as stored, padding included
};

inline std::string makeBmp(const BmpLayout& s) {
    std::string dib;
    put32le(dib, s.headerSize);
    if (s.headerSize == 12) {
        put16le(dib, static_cast<std::uint32_t>(s.width));
        put16le(dib, static_cast<std::uint32_t>(s.height));
        put16le(dib, 1);
        put16le(dib, static_cast<std::uint32_t>(s.bits));
    } else {
        put32le(dib, static_cast<std::uint32_t>(s.width));
        put32le(dib, static_cast<std::uint32_t>(s.height));
        put16le(dib, 1);
        put16le(dib, static_cast<std::uint32_t>(s.bits));
        put32le(dib, s.compression);
        put32le(dib, static_cast<std::uint32_t>(s.pixels.size()));
        put32le(dib, 2835);
        put32le(dib, 2835);
        put32le(dib, static_cast<std::uint32_t>(s.palette.size() / 4));
        put32le(dib, 0);
        if (s.headerSize == 64) {
            dib.append(24, '\0'); // units, rendering and encoding fields
        } else if (s.headerSize > 40) {
            for (std::uint32_t m : s.masks)
                put32le(dib, m);
            if (s.headerSize >= 56)
                put32le(dib, s.alphaMask);
            dib.append(s.headerSize - (s.headerSize >= 56 ? 56 : 52), '\0');
        } else if (s.compression == 3 || s.compression == 6) {
            for (std::uint32_t m : s.masks)
                put32le(dib, m);
            if (s.compression == 6)
                put32le(dib, s.alphaMask);
        }
    }
    const std::uint32_t offset = static_cast<std::uint32_t>(14 + dib.size() + s.palette.size());
    std::string file = "BM";
    put32le(file, offset + static_cast<std::uint32_t>(s.pixels.size()));
    put32le(file, 0);
    put32le(file, offset);
    return file + dib + s.palette + s.pixels;
}

} // namespace splot::test
