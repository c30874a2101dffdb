#include "history/SnapshotCopy.h"

#include <cstring>

#if defined(__AVX512BW__)
#define SPLOT_STREAMING_COPY 1
#include <immintrin.h>
#endif

namespace splot {

#if defined(SPLOT_STREAMING_COPY)

namespace {

__mmask64 firstBytes(std::size_t n) {
    return _bzhi_u64(~0ULL, static_cast<unsigned>(n));
}

// Bytes to handle before dst + result is 64-byte aligned, at most n.
std::size_t headBytes(const std::uint8_t* dst, std::size_t n) {
    const std::size_t head = (64 - (reinterpret_cast<std::uintptr_t>(dst) & 63)) & 63;
    return head < n ? head : n;
}

} // namespace

void copyToSnapshot(std::uint8_t* snapshot, const std::uint8_t* live, std::size_t n) {
    std::size_t i = headBytes(snapshot, n);
    if (i != 0)
        _mm512_mask_storeu_epi8(snapshot, firstBytes(i), _mm512_maskz_loadu_epi8(firstBytes(i), live));
    for (; i + 64 <= n; i += 64)
        _mm512_stream_si512(reinterpret_cast<__m512i*>(snapshot + i), _mm512_loadu_si512(live + i));
    if (i < n) {
        const __mmask64 m = firstBytes(n - i);
        _mm512_mask_storeu_epi8(snapshot + i, m, _mm512_maskz_loadu_epi8(m, live + i));
    }
}

void copyToTwoSnapshots(std::uint8_t* first, std::uint8_t* second, const std::uint8_t* live, std::size_t n) {
    // The two arrays have the same layout, so their rows usually share an
    // alignment; when they do not, the second is written with ordinary stores.
    const bool sameAlignment =
        ((reinterpret_cast<std::uintptr_t>(first) ^ reinterpret_cast<std::uintptr_t>(second)) & 63) == 0;
    if (!sameAlignment) {
        copyToSnapshot(first, live, n);
        std::memcpy(second, live, n);
        return;
    }
    std::size_t i = headBytes(first, n);
    if (i != 0) {
        const __mmask64 m = firstBytes(i);
        const __m512i v = _mm512_maskz_loadu_epi8(m, live);
        _mm512_mask_storeu_epi8(first, m, v);
        _mm512_mask_storeu_epi8(second, m, v);
    }
    for (; i + 64 <= n; i += 64) {
        const __m512i v = _mm512_loadu_si512(live + i);
        _mm512_stream_si512(reinterpret_cast<__m512i*>(first + i), v);
        _mm512_stream_si512(reinterpret_cast<__m512i*>(second + i), v);
    }
    if (i < n) {
        const __mmask64 m = firstBytes(n - i);
        const __m512i v = _mm512_maskz_loadu_epi8(m, live + i);
        _mm512_mask_storeu_epi8(first + i, m, v);
        _mm512_mask_storeu_epi8(second + i, m, v);
    }
}

void keepAndRestore(std::uint8_t* keep, std::uint8_t* live, const std::uint8_t* restore, std::size_t n) {
    std::size_t i = headBytes(keep, n);
    if (i != 0) {
        const __mmask64 m = firstBytes(i);
        const __m512i displaced = _mm512_maskz_loadu_epi8(m, live);
        const __m512i restored = _mm512_maskz_loadu_epi8(m, restore);
        _mm512_mask_storeu_epi8(keep, m, displaced);
        _mm512_mask_storeu_epi8(live, m, restored);
    }
    for (; i + 64 <= n; i += 64) {
        const __m512i displaced = _mm512_loadu_si512(live + i);
        const __m512i restored = _mm512_loadu_si512(restore + i);
        _mm512_stream_si512(reinterpret_cast<__m512i*>(keep + i), displaced);
        _mm512_storeu_si512(live + i, restored);
    }
    if (i < n) {
        const __mmask64 m = firstBytes(n - i);
        const __m512i displaced = _mm512_maskz_loadu_epi8(m, live + i);
        const __m512i restored = _mm512_maskz_loadu_epi8(m, restore + i);
        _mm512_mask_storeu_epi8(keep + i, m, displaced);
        _mm512_mask_storeu_epi8(live + i, m, restored);
    }
}

void snapshotCopiesDone() {
    _mm_sfence();
}

#else

void copyToSnapshot(std::uint8_t* snapshot, const std::uint8_t* live, std::size_t n) {
    std::memcpy(snapshot, live, n);
}

void copyToTwoSnapshots(std::uint8_t* first, std::uint8_t* second, const std::uint8_t* live, std::size_t n) {
    std::memcpy(first, live, n);
    std::memcpy(second, live, n);
}

void keepAndRestore(std::uint8_t* keep, std::uint8_t* live, const std::uint8_t* restore, std::size_t n) {
    std::memcpy(keep, live, n);
    std::memcpy(live, restore, n);
}

void snapshotCopiesDone() {}

#endif

} // namespace splot
