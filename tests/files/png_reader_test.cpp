#include "files/ImageBytes.h"
#include "files/ImageErrors.h"
#include "files/ImageLoad.h"
#include "files/PngReader.h"
#include "support/FileText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace splot {
namespace {

namespace fs = std::filesystem;
using test::makePng;
using test::pngChunk;

const fs::path corpus = SPLOT_CORPUS_DIR;

struct Expected {
    std::string file, expect, refs, tol;
};

std::vector<Expected> manifest() {
    std::vector<Expected> rows;
    std::ifstream in(corpus / "manifest.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        std::string path, category, expect, w, h, refs, tol;
        std::getline(fields, path, '\t');
        std::getline(fields, category, '\t');
        std::getline(fields, expect, '\t');
        std::getline(fields, w, '\t');
        std::getline(fields, h, '\t');
        std::getline(fields, refs, '\t');
        std::getline(fields, tol, '\t');
        rows.push_back({path, expect, refs, tol});
    }
    return rows;
}

// Every PngSuite picture against its reference pixels (composited over
// white, samples as stored): exact where the file is 8-bit with no partial
// transparency, within the file's allowance elsewhere; every x* file refused
// as a damaged file.
TEST(PngReader, PngSuiteMatchesReferencePixels) {
    const auto rows = manifest();
    ASSERT_GT(rows.size(), 150u);
    int decoded = 0, refused = 0;
    for (const Expected& e : rows) {
        SCOPED_TRACE(e.file);
        const std::string path = (corpus / e.file).string();
        if (e.expect == "reject") {
            EXPECT_THROW(loadImage(path, "png"), ImageFileError);
            ++refused;
            continue;
        }
        const DecodedImage image = loadImage(path, "png");
        const std::string ref = test::readAll(corpus / e.refs.substr(0, e.refs.rfind(':')));
        ASSERT_EQ(ref.size(), image.rowBytes() * image.height);
        std::string allowance;
        if (e.tol.size() > 4 && e.tol.substr(e.tol.size() - 4) == ".tol")
            allowance = test::readAll(corpus / e.tol);
        const int everywhere = allowance.empty() ? std::stoi(e.tol) : 0;
        int bad = 0;
        for (std::size_t p = 0; p < ref.size() / 3; ++p) {
            const int tol = allowance.empty() ? everywhere : static_cast<std::uint8_t>(allowance[p]);
            for (int c = 0; c < 3; ++c) {
                const int want = static_cast<std::uint8_t>(ref[3 * p + c]);
                const int got = image.bgr[3 * p + 2 - c];
                bad += std::abs(want - got) > tol;
            }
        }
        EXPECT_EQ(bad, 0);
        ++decoded;
    }
    EXPECT_EQ(refused, 14);
    EXPECT_EQ(decoded + refused, static_cast<int>(rows.size()));
}

// Grey+alpha, one pixel each: the blend over white at full precision. An
// opaque pixel keeps its value; 16-bit alpha is blended before reduction.
TEST(PngReader, BlendsOverWhiteExactlyAtTheFilesDepth) {
    struct Case {
        int depth;
        std::string sample; // grey, alpha at the file's depth, big-endian
        int want;
    };
    const Case cases[] = {
        {8, std::string("\x00\xFF", 2), 0},   // opaque black stays black (a >> 8 blend gives 0 too)
        {8, std::string("\xC8\xFF", 2), 200}, // opaque keeps its exact value
        {8, std::string("\x00\x00", 2), 255}, // fully transparent: white
        {8, std::string("\x00\x80", 2), 127}, // 255*127/255 = 127
        {8, std::string("\x64\x40", 2), 216}, // (100*64 + 255*191)/255 = 216.1
        {16, std::string("\x00\x00\xFF\xFF", 4), 0},
        {16, std::string("\x12\x34\x00\x00", 4), 255},
        {16, std::string("\x80\x80\xFF\xFF", 4), 128}, // 32896/257 = 128 exactly
        {16, std::string("\x00\x00\x80\x00", 4), 127}, // 32767 at 16 bits, 127.498 at 8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth);
        const std::string png = makePng(1, 1, c.depth, 4, std::string(1, '\0') + c.sample);
        const DecodedImage image =
            decodePngBytes(reinterpret_cast<const std::uint8_t*>(png.data()), png.size(), checkImageSize);
        EXPECT_EQ(image.bgr[0], c.want);
        EXPECT_EQ(image.bgr[1], c.want);
        EXPECT_EQ(image.bgr[2], c.want);
    }
}

DecodedImage decode(const std::string& png) {
    return decodePngBytes(reinterpret_cast<const std::uint8_t*>(png.data()), png.size(), checkImageSize);
}

std::string sizeRefusal(const std::string& png) {
    try {
        decode(png);
    } catch (const ImageSizeRefused& e) {
        return e.what();
    }
    return "(accepted)";
}

// Sizes are tested from IHDR before any pixel memory exists: a file that
// declares 2^31-1 x 2^31-1 is refused with the size message, not with an
// allocation failure, although its image data is tiny.
TEST(PngReader, SizeTestComesFromTheHeaderBeforeAllocating) {
    const std::string rows(1, '\0');
    EXPECT_EQ(sizeRefusal(makePng(5001, 10, 8, 0, rows)),
              "Problem with the image width (5001) (allowed values are 0 - 5000).\r\n");
    EXPECT_EQ(sizeRefusal(makePng(10, 5001, 8, 0, rows)),
              "Problem with the image height (5001) - (allowed values are 0 - 5000).");
    EXPECT_EQ(sizeRefusal(makePng(65536, 0x7FFFFFFF, 8, 0, rows)),
              "Problem with the image width (65536) (allowed values are 0 - 5000).\r\n"
              "Problem with the image height (2147483647) - (allowed values are 0 - 5000).");
}

// Damaged files: cut short at every chunk boundary and inside every chunk,
// a flipped byte (bad CRC) in each critical chunk, corrupt zlib data, a zip
// bomb in the image data and huge ancillary chunks. Each is an error with a
// message or, for ancillary damage, a correct picture; never a crash.
TEST(PngReader, DamagedFilesAreErrors) {
    std::string rows;
    for (int y = 0; y < 4; ++y)
        rows += std::string(1, '\0') + "\x10\x20\x30\x40\x50\x60\x70\x80\x90\xA0\xB0\xC0";
    const std::string good = makePng(4, 4, 8, 2, rows);
    ASSERT_NO_THROW(decode(good));
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        SCOPED_TRACE(cut);
        EXPECT_THROW(decode(good.substr(0, cut)), ImageFileError);
    }
    for (const test::PngChunk& c : test::pngChunks(good)) {
        SCOPED_TRACE(c.type);
        std::string bad = good;
        bad[c.offset + 4 + (c.data.empty() ? 0 : 4)] ^= 0x01; // type byte or first data byte
        EXPECT_THROW(decode(bad), ImageFileError);
        bad = good;
        bad[c.offset + 8 + c.data.size()] ^= 0x40; // the CRC itself
        EXPECT_THROW(decode(bad), ImageFileError);
    }
    std::string corruptZlib = test::pngSignature + test::ihdr(4, 4, 8, 2) +
                              pngChunk("IDAT", "\x78\x9c\xff\xff\xff\xff\xff\xff") + pngChunk("IEND", "");
    EXPECT_THROW(decode(corruptZlib), ImageFileError);
    // A 4 x 4 picture whose image data inflates to 64 MB: the rows are taken
    // and the rest is never inflated.
    const std::string bomb = test::pngSignature + test::ihdr(4, 4, 8, 2) +
                             pngChunk("IDAT", test::zlibCompress(rows + std::string(64 << 20, '\0'), 9)) +
                             pngChunk("IEND", "");
    EXPECT_EQ(0, std::memcmp(decode(bomb).bgr.get(), decode(good).bgr.get(), 4 * 4 * 3));
    // Huge ancillary chunks (a compressed ICC profile and text of 16 MB) are
    // skipped unread: the picture decodes as if they were absent.
    const std::string iccp =
        pngChunk("iCCP", std::string("x\0\0", 3) + test::zlibCompress(std::string(16 << 20, 'a'), 9));
    const std::string text = pngChunk("tEXt", "k" + std::string(1, '\0') + std::string(16 << 20, 't'));
    const std::string gamma = pngChunk("gAMA", std::string("\x00\x00\x27\x10", 4)); // 0.1: would darken a lot
    const DecodedImage withChunks = decode(makePng(4, 4, 8, 2, rows, iccp + text + gamma));
    const DecodedImage plain = decode(good);
    EXPECT_EQ(0, std::memcmp(withChunks.bgr.get(), plain.bgr.get(), plain.rowBytes() * 4));
}

// Chunk order, from memory and from a file: IHDR first, no PLTE after the
// image data, IDAT chunks one after another; anything after IEND unread.
TEST(PngReader, ChunksOutOfOrderAreRefused) {
    std::string rows;
    for (int y = 0; y < 4; ++y)
        rows += std::string(1, '\0') + "\x10\x20\x30\x40\x50\x60\x70\x80\x90\xA0\xB0\xC0";
    const std::string data = test::zlibCompress(rows);
    const std::string H = test::ihdr(4, 4, 8, 2), D = pngChunk("IDAT", data),
                      D1 = pngChunk("IDAT", data.substr(0, 9)), D2 = pngChunk("IDAT", data.substr(9)),
                      T = pngChunk("tEXt", std::string("k\0v", 3)),
                      P = pngChunk("PLTE", std::string(6, '\x7F')), E = pngChunk("IEND", "");
    const std::pair<std::string, std::string> cases[] = {
        {H + D + E, ""},
        {H + T + P + D1 + D2 + T + E, ""},
        {H + D + E + T + D + "not even a chunk", ""},
        {T + H + D + E, "the first chunk is not IHDR"},
        {D + H + D + E, "the first chunk is not IHDR"},
        {H + D + P + E, "the PLTE chunk comes after the image data"},
        {H + D1 + T + D2 + E, "the IDAT chunks are not consecutive"},
        {H + D + T + D + E, "the IDAT chunks are not consecutive"},
        {H + D1 + T + D2 + E + D, "the IDAT chunks are not consecutive"},
    };
    const fs::path file =
        fs::temp_directory_path() / ("splot-png-order-" + std::to_string(::getpid()) + ".png");
    for (const auto& [chunks, why] : cases) {
        const std::string png = test::pngSignature + chunks;
        test::writeAll(file, png);
        for (bool fromFile : {false, true}) {
            SCOPED_TRACE(why + (fromFile ? " (file)" : " (memory)"));
            try {
                const DecodedImage image =
                    fromFile ? decodePngFile(file.string(), checkImageSize) : decode(png);
                EXPECT_EQ(why, "");
                EXPECT_EQ(0, std::memcmp(image.bgr.get(), decode(makePng(4, 4, 8, 2, rows)).bgr.get(), 48));
            } catch (const ImageFileError& e) {
                EXPECT_EQ(std::string(e.what()), "The PNG file cannot be read: " + why + ".");
            }
        }
    }
    fs::remove(file);
}

} // namespace
} // namespace splot
