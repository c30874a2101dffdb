#include "base/AtomicFile.h"
#include "files/ImageBytes.h"
#include "files/ImageErrors.h"
#include "files/ImageLoad.h"
#include "files/PictureSave.h"
#include "files/PngWriter.h"
#include "paint/Canvas.h"
#include "support/FileText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <sys/stat.h>

namespace splot {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
    fs::path path;
    TempFolder() {
        path = fs::temp_directory_path() / ("splot-files-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempFolder() {
        fs::permissions(path, fs::perms::owner_all);
        fs::remove_all(path);
    }
};

class FixedClock : public Clock {
public:
    LocalDateTime now() override { return time; }
    LocalDateTime time{2026, 12, 7, 13, 1, 12, 345};
};

void fillRandom(Canvas& canvas, unsigned seed) {
    std::mt19937 gen(seed);
    for (int y = 0; y < canvas.imageHeight(); ++y)
        for (int x = 0; x < canvas.imageWidth(); ++x)
            canvas.pixel(x, y) = {static_cast<std::uint8_t>(gen()), static_cast<std::uint8_t>(gen()),
                                  static_cast<std::uint8_t>(gen())};
}

// Saves a canvas and loads the file back (the largest picture is compressed
// in two bands joined into one stream): every pixel as it was, the bottom
// row of the canvas stored last, and the file laid out as the writer
// promises: IHDR, IDAT..., IEND only; RGB 8-bit, no interlace; zlib level 7
// (header 78 DA); filter Sub on every row; IDAT chunks of at most 65535
// bytes, all full but the last.
TEST(PngSave, RoundTripsKeepEveryPixelAndTheFileFollowsTheRules) {
    const std::pair<int, int> sizes[] = {{1, 1}, {5000, 1}, {1, 5000}, {3, 7}, {601, 333}, {2001, 1501}};
    TempFolder folder;
    FixedClock clock;
    for (const auto& [w, h] : sizes) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        Canvas canvas;
        canvas.rebuild(w, h, false, true);
        fillRandom(canvas, static_cast<unsigned>(w * 7 + h));
        canvas.pixel(0, 0) = {1, 2, 3}; // bottom-left
        const std::string path = savePictureAsPng(canvas, (folder.path / "splot").string(), clock);
        clock.time = nextMillisecond(clock.time);

        const DecodedImage image = loadImage(path, "png");
        ASSERT_EQ(image.width, w);
        ASSERT_EQ(image.height, h);
        const std::uint8_t* lastLine = image.row(h - 1);
        EXPECT_EQ((std::array<int, 3>{lastLine[0], lastLine[1], lastLine[2]}), (std::array<int, 3>{1, 2, 3}));
        Canvas back;
        back.rebuild(w, h, false, false);
        copyToCanvas(image, back);
        for (int y = 0; y < h; ++y)
            ASSERT_EQ(0, std::memcmp(back.row(y), canvas.row(y), 3 * static_cast<std::size_t>(w)))
                << "row " << y;

        const std::string file = test::readAll(path);
        ASSERT_EQ(file.substr(0, 8), test::pngSignature);
        const auto chunks = test::pngChunks(file);
        ASSERT_GE(chunks.size(), 3u);
        EXPECT_EQ(chunks.front().type, "IHDR");
        EXPECT_EQ(chunks.back().type, "IEND");
        std::string compressed;
        for (std::size_t i = 1; i + 1 < chunks.size(); ++i) {
            EXPECT_EQ(chunks[i].type, "IDAT");
            EXPECT_LE(chunks[i].data.size(), 65535u);
            if (i + 2 < chunks.size()) {
                EXPECT_EQ(chunks[i].data.size(), 65535u);
            }
            compressed += chunks[i].data;
        }
        const std::string& ihdr = chunks.front().data;
        EXPECT_EQ(test::get32be(ihdr, 0), static_cast<std::uint32_t>(w));
        EXPECT_EQ(test::get32be(ihdr, 4), static_cast<std::uint32_t>(h));
        EXPECT_EQ(ihdr.substr(8), std::string("\x08\x02\x00\x00\x00", 5));
        EXPECT_EQ(static_cast<std::uint8_t>(compressed[1]) >> 6, 3); // FLEVEL of levels 7 to 9
        const std::string raw = test::zlibInflate(compressed);
        ASSERT_EQ(raw.size(), static_cast<std::size_t>(h) * (1 + 3 * static_cast<std::size_t>(w)));
        for (int line = 0; line < h; ++line)
            ASSERT_EQ(raw[static_cast<std::size_t>(line) * (1 + 3 * w)], '\x01') << "line " << line;
    }
}

// The compressed data is exactly what plain zlib level 7 (default strategy,
// full window) makes of the Sub-filtered rows.
TEST(PngSave, ImageDataIsPlainZlibLevelSeven) {
    Canvas canvas;
    canvas.rebuild(300, 200, false, true);
    fillRandom(canvas, 5);
    for (int y = 0; y < 100; ++y) // half smooth, so the matcher has work
        for (int x = 0; x < 300; ++x)
            canvas.pixel(x, y) = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), 9};
    const std::string file =
        encodePng(canvas.bits(), 300, 200, static_cast<std::size_t>(canvas.bytesPerLine()));
    std::string compressed;
    for (const auto& c : test::pngChunks(file))
        if (c.type == "IDAT")
            compressed += c.data;
    EXPECT_EQ(compressed, test::zlibCompress(test::zlibInflate(compressed), 7));
}

TEST(PngSave, NamesCarryTheTimeAndNeverReplaceAnEarlierSave) {
    EXPECT_EQ(timeStampedPngPath("/opt/paint/paint.exe", {2026, 12, 7, 13, 1, 12, 345}),
              "/opt/paint/paint20261207_13_01_12__345.png");
    EXPECT_EQ(timeStampedPngPath("/opt/my.paint/splot", {2026, 1, 2, 3, 4, 5, 6}),
              "/opt/my.paint/splot20260102_03_04_05__006.png");
    const auto next = [](LocalDateTime t) {
        const LocalDateTime n = nextMillisecond(t);
        return std::array<int, 7>{n.year, n.month, n.day, n.hour, n.minute, n.second, n.millisecond};
    };
    EXPECT_EQ(next({2026, 12, 7, 13, 1, 12, 345}), (std::array<int, 7>{2026, 12, 7, 13, 1, 12, 346}));
    EXPECT_EQ(next({2026, 12, 31, 23, 59, 59, 999}), (std::array<int, 7>{2027, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(next({2028, 2, 28, 23, 59, 59, 999}), (std::array<int, 7>{2028, 2, 29, 0, 0, 0, 0}));

    // Three saves within one millisecond: three files, the first one intact.
    TempFolder folder;
    FixedClock clock;
    Canvas canvas;
    canvas.rebuild(2, 2, false, true);
    const std::string exe = (folder.path / "splot").string();
    const std::string first = savePictureAsPng(canvas, exe, clock);
    const std::string firstBytes = test::readAll(first);
    canvas.fill(0);
    const std::string second = savePictureAsPng(canvas, exe, clock);
    const std::string third = savePictureAsPng(canvas, exe, clock);
    EXPECT_EQ(first, exe + "20261207_13_01_12__345.png");
    EXPECT_EQ(second, exe + "20261207_13_01_12__346.png");
    EXPECT_EQ(third, exe + "20261207_13_01_12__347.png");
    EXPECT_EQ(test::readAll(first), firstBytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 3);
}

// The folder "beside the executable" is a plain file here, so the write
// fails whatever the user's rights.
TEST(PngSave, AFailedSaveNamesThePathAndTheReasonAndLeavesNoFile) {
    TempFolder folder;
    FixedClock clock;
    Canvas canvas;
    canvas.rebuild(4, 4, false, true);
    test::writeAll(folder.path / "bin", "not a folder");
    const std::string exe = (folder.path / "bin" / "splot").string();
    try {
        savePictureAsPng(canvas, exe, clock);
        ADD_FAILURE() << "saved into a file";
    } catch (const ImageFileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot save the picture as " + exe +
                                             "20261207_13_01_12__345.png: " + std::strerror(ENOTDIR));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1);
}

TEST(PngSave, AMissingFolderIsAFailureWithItsReason) {
    FixedClock clock;
    Canvas canvas;
    canvas.rebuild(1, 1, false, true);
    EXPECT_THROW(savePictureAsPng(canvas, "/nonexistent-splot-folder/splot", clock), ImageFileError);
    EXPECT_EQ(writeNewFileAtomically("/nonexistent-splot-folder/x.png", "x"), ENOENT);
}

// A PNG file cannot hold a picture without pixels, and a save that could not
// be loaded back is no save: refused with its reason, nothing written.
TEST(PngSave, APictureWithoutPixelsIsRefusedAndNothingIsWritten) {
    TempFolder folder;
    FixedClock clock;
    for (const auto& [w, h] : {std::pair{0, 600}, std::pair{600, 0}, std::pair{0, 0}}) {
        Canvas canvas;
        canvas.rebuild(w, h, false, true);
        try {
            savePictureAsPng(canvas, (folder.path / "splot").string(), clock);
            ADD_FAILURE() << "saved " << w << " x " << h;
        } catch (const ImageFileError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Cannot save a picture of " + std::to_string(w) + " x " + std::to_string(h) +
                          " pixels: a PNG file needs at least one row and one column.");
        }
    }
    EXPECT_TRUE(fs::is_empty(folder.path));
}

// The name is the moment the save starts: the clock here marks the picture
// when it is read, so the file holds the mark only if the time was taken
// before the picture was encoded.
TEST(PngSave, TheNameIsTakenBeforeThePictureIsEncoded) {
    struct MarkingClock : FixedClock {
        explicit MarkingClock(Canvas& c) : canvas(c) {}
        LocalDateTime now() override {
            canvas.pixel(0, 0) = {9, 8, 7};
            return FixedClock::now();
        }
        Canvas& canvas;
    };
    TempFolder folder;
    Canvas canvas;
    canvas.rebuild(3, 2, false, true);
    MarkingClock clock(canvas);
    const std::string path = savePictureAsPng(canvas, (folder.path / "splot").string(), clock);
    EXPECT_EQ(path, (folder.path / "splot20261207_13_01_12__345.png").string());
    const DecodedImage image = loadImage(path, "png");
    const std::uint8_t* bottomLeft = image.row(1);
    EXPECT_EQ((std::array<int, 3>{bottomLeft[0], bottomLeft[1], bottomLeft[2]}),
              (std::array<int, 3>{9, 8, 7}));
}

// Load rules: the extension names the decoder in any letter case; any other
// extension keeps the -1/-2 refusal; the content must match the extension.
TEST(ImageLoad, ExtensionChoosesTheDecoderWithoutRegardToCase) {
    TempFolder folder;
    Canvas canvas;
    canvas.rebuild(2, 3, false, true);
    canvas.pixel(1, 2) = {10, 20, 30};
    const std::string png = encodePng(canvas.bits(), 2, 3, static_cast<std::size_t>(canvas.bytesPerLine()));
    test::BmpLayout layout{2, 3, 24};
    layout.pixels = std::string(3 * 8, '\x11');
    const std::string bmp = test::makeBmp(layout);
    const auto file = [&](const std::string& name, const std::string& bytes) {
        test::writeAll(folder.path / name, bytes);
        return (folder.path / name).string();
    };
    for (const char* ext : {"png", "PNG", "Png"}) {
        const DecodedImage image = loadImage(file(std::string("a.") + ext, png), ext);
        EXPECT_EQ(image.row(0)[3], 10);
    }
    for (const char* ext : {"bmp", "BMP", "bMp"})
        EXPECT_EQ(loadImage(file(std::string("b.") + ext, bmp), ext).row(2)[0], 0x11);
    EXPECT_THROW(loadImage(file("png-inside.bmp", png), "bmp"), ImageFileError);
    EXPECT_THROW(loadImage(file("bmp-inside.png", bmp), "png"), ImageFileError);
    for (const char* ext : {"jpg", "pn", "", "png "}) {
        try {
            loadImage(file("c.png", png), ext);
            ADD_FAILURE() << ext;
        } catch (const ImageSizeRefused& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Problem with the image width (-1) (allowed values are 0 - 5000).\r\n"
                      "Problem with the image height (-2) - (allowed values are 0 - 5000).");
        }
    }
    EXPECT_THROW(loadImage((folder.path / "missing.png").string(), "png"), ImageFileError);
    EXPECT_THROW(loadImage((folder.path / "missing.bmp").string(), "bmp"), ImageFileError);
    EXPECT_THROW(loadImage(folder.path.string(), "bmp"), ImageFileError);
    EXPECT_THROW(loadImage(file("empty.bmp", ""), "bmp"), ImageFileError);
}

TEST(ImageLoad, SizeMessagesAtTheLimits) {
    EXPECT_EQ(imageSizeMessage(5000, 5000), "");
    EXPECT_EQ(imageSizeMessage(0, 0), "");
    EXPECT_EQ(imageSizeMessage(5001, 10),
              "Problem with the image width (5001) (allowed values are 0 - 5000).\r\n");
    EXPECT_EQ(imageSizeMessage(10, 5001),
              "Problem with the image height (5001) - (allowed values are 0 - 5000).");
    EXPECT_EQ(imageSizeMessage(-3, 5000),
              "Problem with the image width (-3) (allowed values are 0 - 5000).\r\n");
}

} // namespace
} // namespace splot
