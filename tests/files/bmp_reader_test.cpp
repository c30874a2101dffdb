#include "files/BmpReader.h"
#include "files/ImageBytes.h"
#include "files/ImageErrors.h"
#include "files/ImageLoad.h"

#include <gtest/gtest.h>

#include <functional>

namespace splot {
namespace {

using test::BmpLayout;
using test::makeBmp;

DecodedImage decode(const std::string& bmp) {
    return decodeBmpBytes(reinterpret_cast<const std::uint8_t*>(bmp.data()), bmp.size(), checkImageSize);
}

// Packs stored rows (first stored row first) of values at a bit count, each
// row padded to four bytes; below 8 bits the leftmost pixel is the high bits.
std::string packRows(int width, int rows, int bits,
                     const std::function<std::uint32_t(int x, int row)>& value) {
    std::string out;
    for (int r = 0; r < rows; ++r) {
        std::string row;
        if (bits < 8) {
            row.assign((width * bits + 7) / 8, '\0');
            for (int x = 0; x < width; ++x)
                row[x * bits / 8] |= static_cast<char>(value(x, r) << (8 - bits - x * bits % 8));
        } else {
            for (int x = 0; x < width; ++x)
                for (int b = 0; b < bits / 8; ++b)
                    row += static_cast<char>((value(x, r) >> (8 * b)) & 0xFF);
        }
        row.append((4 - row.size() % 4) % 4, '\0');
        out += row;
    }
    return out;
}

struct Bgr {
    int b, g, r;
};

std::string paletteOf(int count, const std::function<Bgr(int)>& colour, int entryBytes = 4) {
    std::string p;
    for (int i = 0; i < count; ++i) {
        const Bgr c = colour(i);
        p += static_cast<char>(c.b);
        p += static_cast<char>(c.g);
        p += static_cast<char>(c.r);
        if (entryBytes == 4)
            p += '\0';
    }
    return p;
}

int scaled(std::uint32_t v, int bits) {
    return static_cast<int>((v * 255 + ((1u << bits) - 1) / 2) / ((1u << bits) - 1));
}

// Every depth, header and orientation, against pixels computed independently
// of the decoder. The picture is 7 x 3: odd widths exercise row padding.
TEST(BmpReader, EveryDepthAndHeaderDecodesKnownPixels) {
    constexpr int w = 7, h = 3;
    struct Case {
        const char* name;
        BmpLayout layout;
        std::function<Bgr(int x, int lineFromTop)> want;
    };
    const auto paletteColour = [](int i) { return Bgr{(i * 40) & 255, 255 - i * 9, (i * 77) & 255}; };
    const auto index = [](int bits) {
        return [bits](int x, int line) { return (x + 3 * line) % (1 << bits); };
    };
    std::vector<Case> cases;
    for (int bits : {1, 4, 8}) {
        for (std::uint32_t header : {12u, 40u, 64u}) {
            BmpLayout s{w, h, bits, 0, header};
            s.palette = paletteOf(1 << bits, paletteColour, header == 12 ? 3 : 4);
            s.pixels = packRows(w, h, bits, [&](int x, int row) { return index(bits)(x, h - 1 - row); });
            cases.push_back(
                {"palette", s, [&, bits](int x, int line) { return paletteColour(index(bits)(x, line)); }});
        }
    }
    const auto rgb = [](int x, int line) { return Bgr{x * 30 + 5, line * 100 + 7, 255 - x * 20}; };
    for (std::uint32_t header : {40u, 52u, 56u, 64u, 108u, 124u}) {
        BmpLayout bottomUp{w, h, 24, 0, header};
        bottomUp.pixels = packRows(w, h, 24, [&](int x, int row) {
            const Bgr c = rgb(x, h - 1 - row);
            return static_cast<std::uint32_t>(c.b | c.g << 8 | c.r << 16);
        });
        cases.push_back({"24 bottom-up", bottomUp, rgb});
        BmpLayout topDown{w, -h, 24, 0, header};
        topDown.pixels = packRows(w, h, 24, [&](int x, int row) {
            const Bgr c = rgb(x, row);
            return static_cast<std::uint32_t>(c.b | c.g << 8 | c.r << 16);
        });
        cases.push_back({"24 top-down", topDown, rgb});
    }
    BmpLayout x32{w, h, 32};
    x32.pixels = packRows(w, h, 32, [&](int x, int row) {
        const Bgr c = rgb(x, h - 1 - row);
        return static_cast<std::uint32_t>(c.b | c.g << 8 | c.r << 16 | 0x5Au << 24); // alpha ignored
    });
    cases.push_back({"32", x32, rgb});
    const auto ten = [](int x, int line) {
        return std::array<std::uint32_t, 3>{std::uint32_t(x * 140), std::uint32_t(line * 500), 1023};
    };
    // 10-bit channels in 32-bit fields, blue in the low bits; with compression
    // 6 the top two bits are alpha, ignored.
    for (const auto& [header, compression] : {std::pair{124u, 3u}, std::pair{40u, 6u}, std::pair{56u, 6u}}) {
        BmpLayout f32{w, h, 32, compression, header};
        f32.masks[0] = 0x3FF00000, f32.masks[1] = 0x000FFC00, f32.masks[2] = 0x000003FF;
        f32.alphaMask = 0xC0000000;
        f32.pixels = packRows(w, h, 32, [&](int x, int row) {
            const auto c = ten(x, h - 1 - row);
            return c[0] << 20 | c[1] << 10 | c[2] | 0x80000000u;
        });
        cases.push_back({"32 fields", f32, [&](int x, int line) {
                             const auto c = ten(x, line);
                             return Bgr{scaled(c[2], 10), scaled(c[1], 10), scaled(c[0], 10)};
                         }});
    }
    // 5-5-5 (the default at 16 bits) and 5-6-5 fields: 31 and 63 become 255.
    const auto five = [](int x, int line) {
        return std::array<std::uint32_t, 3>{std::uint32_t(x * 5), std::uint32_t(31 - line * 10), 31};
    };
    BmpLayout x16{w, h, 16};
    x16.pixels = packRows(w, h, 16, [&](int x, int row) {
        const auto c = five(x, h - 1 - row);
        return c[0] << 10 | c[1] << 5 | c[2];
    });
    cases.push_back({"16 555", x16, [&](int x, int line) {
                         const auto c = five(x, line);
                         return Bgr{scaled(c[2], 5), scaled(c[1], 5), scaled(c[0], 5)};
                     }});
    for (const auto& [header, compression] : {std::pair{40u, 3u}, std::pair{52u, 3u}, std::pair{56u, 3u},
                                              std::pair{108u, 3u}, std::pair{40u, 6u}}) {
        BmpLayout f16{w, h, 16, compression, header};
        f16.masks[0] = 0xF800, f16.masks[1] = 0x07E0, f16.masks[2] = 0x001F;
        f16.pixels = packRows(w, h, 16, [&](int x, int row) {
            const auto c = five(x, h - 1 - row);
            return c[0] << 11 | (2 * c[1] + 1) << 5 | c[2];
        });
        cases.push_back({"16 565", f16, [&](int x, int line) {
                             const auto c = five(x, line);
                             return Bgr{scaled(c[2], 5), scaled(2 * c[1] + 1, 6), scaled(c[0], 5)};
                         }});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " bits " + std::to_string(c.layout.bits) + " header " +
                     std::to_string(c.layout.headerSize));
        const DecodedImage image = decode(makeBmp(c.layout));
        ASSERT_EQ(image.width, w);
        ASSERT_EQ(image.height, h);
        for (int line = 0; line < h; ++line)
            for (int x = 0; x < w; ++x) {
                const Bgr want = c.want(x, line);
                const std::uint8_t* p = image.row(line) + 3 * x;
                ASSERT_EQ((std::array<int, 3>{p[0], p[1], p[2]}),
                          (std::array<int, 3>{want.b, want.g, want.r}))
                    << "x " << x << " line " << line;
            }
    }
}

TEST(BmpReader, WhiteFiveSixFiveIsFullWhite) {
    BmpLayout s{1, 1, 16, 3};
    s.masks[0] = 0xF800, s.masks[1] = 0x07E0, s.masks[2] = 0x001F;
    s.pixels = std::string("\xFF\xFF\0\0", 4);
    const DecodedImage image = decode(makeBmp(s));
    EXPECT_EQ((std::array<int, 3>{image.bgr[0], image.bgr[1], image.bgr[2]}),
              (std::array<int, 3>{255, 255, 255}));
}

// RLE8 and RLE4: runs, absolute stretches with their word padding, end of
// line, a delta jump and an early end of bitmap (skipped pixels are white).
TEST(BmpReader, RunLengthPictures) {
    const auto grey = [](int i) { return Bgr{i * 16, i * 16, i * 16}; };
    struct Case {
        int bits;
        std::string data;
        std::vector<std::string> linesFromTop; // index digits in hex, '.' for white
    };
    const Case cases[] = {
        {8,
         std::string("\x03\x01\x00\x03\x04\x05\x06\x00\x00\x00\x00\x02\x02\x01\x01\x09\x00\x01", 18),
         {"..9...", "......", "111456"}},
        {8,
         std::string("\x06\x02\x00\x00\x02\x03\x00\x04\x01\x02\x03\x04\x00\x00\x06\x05\x00\x00\x00\x01", 20),
         {"555555", "331234", "222222"}},
        {4,
         std::string("\x05\x12\x00\x00\x00\x03\x34\x50\x02\xAB\x00\x00\x00\x01", 14),
         {"......", "345AB.", "12121."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.data.size());
        BmpLayout s{6, 3, c.bits, c.bits == 8 ? 1u : 2u};
        s.palette = paletteOf(1 << c.bits, grey);
        s.pixels = c.data;
        const DecodedImage image = decode(makeBmp(s));
        for (int line = 0; line < 3; ++line)
            for (int x = 0; x < 6; ++x) {
                const char d = c.linesFromTop[line][x];
                const int want = d == '.' ? 255 : (d <= '9' ? d - '0' : d - 'A' + 10) * 16;
                EXPECT_EQ(image.row(line)[3 * x + 1], want) << "x " << x << " line " << line;
            }
    }
}

std::string refusal(const std::string& bmp) {
    try {
        decode(bmp);
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(accepted)";
}

// Hostile files: every one a clear error, never a picture with black rows.
TEST(BmpReader, HostileFilesAreRefusedWithAMessage) {
    BmpLayout good{3, 2, 24};
    good.pixels = std::string(2 * 12, '\x40');
    const std::string file = makeBmp(good);
    ASSERT_EQ(refusal(file), "(accepted)");
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
        const std::string r = refusal(file.substr(0, cut));
        EXPECT_EQ(r.rfind("The BMP file cannot be read: ", 0), 0u) << cut << ": " << r;
    }

    const auto with = [&](const std::function<void(BmpLayout&)>& change) {
        BmpLayout s = good;
        change(s);
        return makeBmp(s);
    };
    const auto patched = [&](std::size_t at, std::uint32_t value) {
        std::string f = file;
        for (int i = 0; i < 4; ++i)
            f[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        return f;
    };
    BmpLayout rle{4, 2, 8, 1};
    rle.palette = paletteOf(256, [](int i) { return Bgr{i, i, i}; });
    const auto rleWith = [&](const std::string& data, int bits = 8) {
        BmpLayout s = rle;
        s.bits = bits;
        s.palette.resize(4u << bits);
        s.pixels = data;
        return makeBmp(s);
    };
    const std::pair<std::string, std::string> cases[] = {
        {patched(10, 1000), "the pixel data starts past the end of the file"},
        {patched(10, 0xFFFFFFFF), "the pixel data starts past the end of the file"},
        {patched(14, 41), "unknown header size 41"},
        {patched(14, 0xFFFFFFF0), "unknown header size 4294967280"},
        {with([](BmpLayout& s) { s.bits = 2; }), "unsupported bit count 2"},
        {with([](BmpLayout& s) { s.bits = 0; }), "unsupported bit count 0"},
        {with([](BmpLayout& s) { s.bits = 48; }), "unsupported bit count 48"},
        {with([](BmpLayout& s) { s.compression = 4; }), "unsupported compression 4"},
        {with([](BmpLayout& s) {
             s.headerSize = 64, s.bits = 16, s.compression = 3, s.masks[0] = 0xF800, s.masks[1] = 0x07E0,
             s.masks[2] = 0x1F;
         }),
         "unsupported compression 3"},
        {with([](BmpLayout& s) { s.width = 0; }), "the width is zero"},
        {with([](BmpLayout& s) { s.height = 0; }), "the height is zero"},
        {with([](BmpLayout& s) { s.compression = 6; }), "bit fields need 16 or 32 bits per pixel"},
        {with([](BmpLayout& s) { s.compression = 1; }), "RLE8 compression needs 8 bits per pixel"},
        {rleWith("\x00\x01", 4), "RLE8 compression needs 8 bits per pixel"},
        {with([](BmpLayout& s) {
             s.bits = 16, s.compression = 3, s.masks[0] = 0xF800, s.masks[1] = 0, s.masks[2] = 0x1F;
         }),
         "a bit-field mask is zero, too wide or not one run of bits"},
        {with([](BmpLayout& s) {
             s.bits = 16, s.compression = 3, s.masks[0] = 0xF800, s.masks[1] = 0x0FE0, s.masks[2] = 0x1F;
         }),
         "the bit-field masks overlap"},
        {with([](BmpLayout& s) {
             s.bits = 16, s.compression = 3, s.masks[0] = 0xF8000, s.masks[1] = 0x07E0, s.masks[2] = 0x1F;
         }),
         "a bit-field mask is zero, too wide or not one run of bits"},
        {with([](BmpLayout& s) {
             s.height = -2, s.bits = 8, s.compression = 1, s.palette.assign(1024, '\0');
         }),
         "compressed bitmaps cannot be top-down"},
        {rleWith(std::string("\x05\x01\x00\x01", 4)),
         "a compressed run goes past the end of a row or of the picture"},
        {rleWith(std::string("\x00\x05\x01\x02\x03\x04\x05\x00\x00\x01", 10)),
         "a compressed run goes past the end of a row or of the picture"},
        {rleWith(std::string("\x00\x00\x00\x00\x01\x01\x00\x01", 8)),
         "a compressed run goes past the end of a row or of the picture"},
        {rleWith(std::string("\x00\x02\x00\x03\x00\x01", 6)), "a compressed jump goes past the picture"},
        {rleWith(std::string("\x04\x01\x00\x00\x04\x01", 6)),
         "the compressed pixel data ends before the end-of-bitmap mark"},
        {rleWith(std::string("\x00\x04\x01\x02", 4)),
         "the compressed pixel data ends inside a stretch of pixels"},
        {with([](BmpLayout& s) {
             s.bits = 8, s.palette = paletteOf(2, [](int) { return Bgr{}; }), s.pixels.assign(8, '\x07');
         }),
         "a pixel's colour index is outside the palette"},
        {with([](BmpLayout& s) { s.bits = 1, s.palette = paletteOf(3, [](int) { return Bgr{}; }); }),
         "the palette has more colours than the bit count allows"},
        {test::pngSignature + std::string(40, '\0'), "this is not a bitmap (no BM signature)"},
    };
    for (const auto& [bytes, why] : cases)
        EXPECT_EQ(refusal(bytes), "The BMP file cannot be read: " + why + ".");

    // Sizes: tested from the header, before allocating, with the exact texts.
    EXPECT_EQ(refusal(with([](BmpLayout& s) { s.width = 5001; })),
              "Problem with the image width (5001) (allowed values are 0 - 5000).\r\n");
    EXPECT_EQ(refusal(with([](BmpLayout& s) { s.height = -5001; })),
              "Problem with the image height (5001) - (allowed values are 0 - 5000).");
    EXPECT_EQ(refusal(with([](BmpLayout& s) { s.width = 65536, s.height = 0x7FFFFFFF; })),
              "Problem with the image width (65536) (allowed values are 0 - 5000).\r\n"
              "Problem with the image height (2147483647) - (allowed values are 0 - 5000).");
}

} // namespace
} // namespace splot
