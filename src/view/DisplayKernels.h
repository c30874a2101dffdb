#pragma once

#include <cstddef>
#include <cstdint>

namespace splot {

// The view's pixel kernels, each with a plain, an AVX2 and an AVX-512
// version chosen by the dispatch level in use; every version gives the same
// words. Picture pixels are blue, green, red bytes; screen pixels are opaque
// 32-bit words 0xFFRRGGBB.

// Converts count pixels of one row.
using RowConverter = void (*)(const std::uint8_t* source, std::uint32_t* out, int count);
RowConverter rowConverter();

// Converts count pixels of one row to two words each, side by side (a
// picture pixel two device pixels wide): 2 * count words into out and, when
// out2 is not null, the same words into out2 (the device row below).
using DoubledConverter = void (*)(const std::uint8_t* source, std::uint32_t* out, std::uint32_t* out2,
                                  int count);
DoubledConverter doubledConverter();

// Words out[i] = words[map[i]] for a non-decreasing map that steps by at
// most one (a row of device pixels that each show one picture pixel, at
// least one device pixel per picture pixel). words must stay readable 16
// words past the last index used.
using Expander = void (*)(const std::uint32_t* words, const int* map, std::uint32_t* out, int n);
Expander expander();

// The column sums of a box of picture rows: out[p] holds, for pixel p of
// `pixels`, the sums over `rows` rows (each `stride` bytes after the one
// before) of its blue, green and red bytes as the 16-bit lanes of one word,
// blue lowest, the top lane zero. From 1 to 257 rows, so that no lane
// overflows; out is written, never read.
using ColumnSummer = void (*)(const std::uint8_t* bytes, std::size_t stride, int rows, std::uint64_t* out,
                              int pixels);
ColumnSummer columnSummer();

// The device pixels of a row that each average `rows` x k picture pixels
// (k consecutive columns; at most 16 x 16): out[i] is the opaque word whose
// channels are (sum + n / 2) / n for n = rows x k, rounded down, the channel
// sums of words sums[i * k] .. sums[i * k + k - 1] (ColumnSummer's words).
// scratch holds m * k / 2 words, and its contents are lost.
using RunAverager = void (*)(const std::uint64_t* sums, int k, int rows, std::uint64_t* scratch,
                             std::uint32_t* out, int m);
RunAverager runAverager();

} // namespace splot
