// PNG save and load at 5000 x 5000 against the bare library work they rest
// on: plain zlib level 7 of the same Sub-filtered rows, and a plain libpng
// decode of the same file.
#include "base/Random.h"
#include "files/ImageLoad.h"
#include "files/PngWriter.h"
#include "paint/Canvas.h"

#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

enum class Picture { Photo, Flat };

// Photo-like: smooth gradients and soft shapes with a little noise, so the
// compressor sees what a painted picture gives it; flat: one colour.
void paint(splot::Canvas& canvas, Picture kind) {
    splot::Random random(42);
    const int n = canvas.imageWidth();
    for (int y = 0; y < canvas.imageHeight(); ++y)
        for (int x = 0; x < n; ++x) {
            splot::BgrPixel& p = canvas.pixel(x, y);
            if (kind == Picture::Flat) {
                p = {40, 90, 200};
                continue;
            }
            const double u = double(x) / n, v = double(y) / n;
            const double wave = 60 * std::sin(9 * u + 4 * v) + 40 * std::cos(13 * v - 3 * u * v);
            const int noise = static_cast<int>(random.random(9)) - 4;
            const auto clamp = [](double c) {
                return static_cast<std::uint8_t>(c < 0 ? 0 : c > 255 ? 255 : c);
            };
            p = {clamp(128 + wave + noise), clamp(100 + 120 * u + noise),
                 clamp(60 + 150 * v - wave / 2 + noise)};
        }
}

struct Rig {
    explicit Rig(int n, Picture kind) {
        canvas.rebuild(n, n, splot::Rebuild::Cleared, 255);
        paint(canvas, kind);
    }
    splot::Canvas canvas;
};

std::vector<unsigned char> subFiltered(const splot::Canvas& c) {
    const std::size_t row = 1 + 3 * static_cast<std::size_t>(c.imageWidth());
    std::vector<unsigned char> out(row * c.imageHeight());
    for (int line = 0; line < c.imageHeight(); ++line) {
        const splot::BgrPixel* p = c.row(c.imageHeight() - 1 - line);
        unsigned char* o = out.data() + line * row;
        o[0] = 1;
        for (int x = 0; x < c.imageWidth(); ++x) {
            const splot::BgrPixel l = x ? p[x - 1] : splot::BgrPixel{};
            o[1 + 3 * x] = static_cast<unsigned char>(p[x].red - l.red);
            o[2 + 3 * x] = static_cast<unsigned char>(p[x].green - l.green);
            o[3 + 3 * x] = static_cast<unsigned char>(p[x].blue - l.blue);
        }
    }
    return out;
}

void BM_SavePng(benchmark::State& state, Picture kind) {
    Rig rig(static_cast<int>(state.range(0)), kind);
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string png = splot::encodePng(rig.canvas.bits(), rig.canvas.imageWidth(),
                                                 rig.canvas.imageHeight(), rig.canvas.bytesPerLine());
        size = png.size();
        benchmark::DoNotOptimize(png.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK_CAPTURE(BM_SavePng, photo, Picture::Photo)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SavePng, flat, Picture::Flat)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DeflateBare(benchmark::State& state, Picture kind) {
    const std::vector<unsigned char> raw = subFiltered(Rig(static_cast<int>(state.range(0)), kind).canvas);
    std::vector<unsigned char> out(compressBound(raw.size()));
    std::size_t size = 0;
    for (auto _ : state) {
        z_stream z{};
        deflateInit2(&z, 7, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY);
        z.next_in = const_cast<unsigned char*>(raw.data());
        z.avail_in = static_cast<uInt>(raw.size());
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        deflate(&z, Z_FINISH);
        size = z.total_out;
        deflateEnd(&z);
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK_CAPTURE(BM_DeflateBare, photo, Picture::Photo)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DeflateBare, flat, Picture::Flat)->Arg(5000)->Unit(benchmark::kMillisecond);

// The photo-like picture saved once to a temporary file.
std::string savedPhoto(int n) {
    Rig rig(n, Picture::Photo);
    const std::string path =
        (std::filesystem::temp_directory_path() / ("splot-bench-" + std::to_string(n) + ".png")).string();
    std::ofstream(path, std::ios::binary)
        << splot::encodePng(rig.canvas.bits(), n, n, rig.canvas.bytesPerLine());
    return path;
}

// Load: decode into the temporary picture and copy it into a canvas of the
// same size (what a load adds to the decode).
void BM_LoadPng(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string path = savedPhoto(n);
    splot::Canvas canvas;
    canvas.rebuild(n, n, splot::Rebuild::Cleared, 255);
    for (auto _ : state) {
        const splot::DecodedImage image = splot::loadImage(path, "png");
        splot::copyToCanvas(image, canvas);
        benchmark::ClobberMemory();
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadPng)->Arg(5000)->Unit(benchmark::kMillisecond);

// Plain libpng: rows read one by one into a whole-picture RGB buffer.
void BM_DecodePngBare(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::string path = savedPhoto(n);
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        png_init_io(png, f);
        png_read_info(png, info);
        const std::size_t rowBytes = png_get_rowbytes(png, info);
        std::unique_ptr<png_byte[]> pixels(new png_byte[rowBytes * n]);
        for (int y = 0; y < n; ++y)
            png_read_row(png, pixels.get() + rowBytes * y, nullptr);
        png_read_end(png, nullptr);
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        benchmark::DoNotOptimize(pixels.get());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_DecodePngBare)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace
