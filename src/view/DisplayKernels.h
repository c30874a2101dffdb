#pragma once

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

// sums[i] += bytes[i] for i < count: one picture row added into the column
// sums of a row of averaged device pixels.
using RowAccumulator = void (*)(const std::uint8_t* bytes, std::uint16_t* sums, int count);
RowAccumulator rowAccumulator();

} // namespace splot
