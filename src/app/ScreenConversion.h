#pragma once

#include <QRect>
#include <QtGlobal>

#include <cstddef>

namespace splot {

// The image view's pixel kernels: canvas rows (blue, green, red bytes) into
// the window's opaque 32-bit words, each with a plain, an AVX2 and an
// AVX-512 version chosen by the dispatch level in use.

// Converts count pixels of one row.
using RowConverter = void (*)(const uchar* source, quint32* out, int count);
RowConverter rowConverter();

// Rectangles of canvas pixels into a 32-bit image: source and target
// addresses, and the clip rectangle (inclusive) the rectangles are cut to.
struct ConversionJob {
    const uchar* source;
    std::size_t stride;
    quint32* target; // the target word over widget pixel (0, 0)
    std::size_t targetWords;
    int left, top, right, bottom;
};

// Converts every rectangle (widget coordinates), clipped to the job's
// rectangle, row by row.
void convertRects(const ConversionJob& job, const QRect* rects, std::size_t n);

// Words out[i] = words[map[i]] for a non-decreasing map that steps by at
// most one (a device pixel row of a picture row shown at a ratio of at least
// 1). words must stay readable 16 words past the last index used.
using Expander = void (*)(const quint32* words, const int* map, quint32* out, int n);
Expander expander();

} // namespace splot
