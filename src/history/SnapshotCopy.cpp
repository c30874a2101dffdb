#include "history/SnapshotCopy.h"

#include "paint/Dispatch.h"

#include <cstring>
#include <immintrin.h>

namespace splot {

namespace {

// Bytes to handle before dst + result is aligned to `align` bytes, at most n.
std::size_t headBytes(const std::uint8_t* dst, std::size_t n, std::size_t align) {
    const std::size_t head = (align - (reinterpret_cast<std::uintptr_t>(dst) & (align - 1))) & (align - 1);
    return head < n ? head : n;
}

bool sameAlignment(const std::uint8_t* a, const std::uint8_t* b, std::size_t align) {
    return ((reinterpret_cast<std::uintptr_t>(a) ^ reinterpret_cast<std::uintptr_t>(b)) & (align - 1)) == 0;
}

// AVX-512: masked head and tail, 64-byte streaming stores in between.

SPLOT_TARGET_AVX512 __mmask64 firstBytesAvx512(std::size_t n) {
    return _bzhi_u64(~0ULL, static_cast<unsigned>(n));
}

SPLOT_TARGET_AVX512 void copyToSnapshotAvx512(std::uint8_t* snapshot, const std::uint8_t* live,
                                              std::size_t n) {
    std::size_t i = headBytes(snapshot, n, 64);
    if (i != 0) {
        const __mmask64 m = firstBytesAvx512(i);
        _mm512_mask_storeu_epi8(snapshot, m, _mm512_maskz_loadu_epi8(m, live));
    }
    for (; i + 64 <= n; i += 64)
        _mm512_stream_si512(reinterpret_cast<__m512i*>(snapshot + i), _mm512_loadu_si512(live + i));
    if (i < n) {
        const __mmask64 m = firstBytesAvx512(n - i);
        _mm512_mask_storeu_epi8(snapshot + i, m, _mm512_maskz_loadu_epi8(m, live + i));
    }
}

// first and second must share their alignment modulo 64.
SPLOT_TARGET_AVX512 void copyToTwoSnapshotsAvx512(std::uint8_t* first, std::uint8_t* second,
                                                  const std::uint8_t* live, std::size_t n) {
    std::size_t i = headBytes(first, n, 64);
    if (i != 0) {
        const __mmask64 m = firstBytesAvx512(i);
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
        const __mmask64 m = firstBytesAvx512(n - i);
        const __m512i v = _mm512_maskz_loadu_epi8(m, live + i);
        _mm512_mask_storeu_epi8(first + i, m, v);
        _mm512_mask_storeu_epi8(second + i, m, v);
    }
}

SPLOT_TARGET_AVX512 bool keepAndRestoreAvx512(std::uint8_t* keep, std::uint8_t* live,
                                              const std::uint8_t* restore, std::size_t n) {
    __m512i differ = _mm512_setzero_si512();
    std::size_t i = headBytes(keep, n, 64);
    if (i != 0) {
        const __mmask64 m = firstBytesAvx512(i);
        const __m512i displaced = _mm512_maskz_loadu_epi8(m, live);
        const __m512i restored = _mm512_maskz_loadu_epi8(m, restore);
        _mm512_mask_storeu_epi8(keep, m, displaced);
        _mm512_mask_storeu_epi8(live, m, restored);
        differ = _mm512_xor_si512(displaced, restored);
    }
    for (; i + 64 <= n; i += 64) {
        const __m512i displaced = _mm512_loadu_si512(live + i);
        const __m512i restored = _mm512_loadu_si512(restore + i);
        _mm512_stream_si512(reinterpret_cast<__m512i*>(keep + i), displaced);
        _mm512_storeu_si512(live + i, restored);
        differ = _mm512_or_si512(differ, _mm512_xor_si512(displaced, restored));
    }
    if (i < n) {
        const __mmask64 m = firstBytesAvx512(n - i);
        const __m512i displaced = _mm512_maskz_loadu_epi8(m, live + i);
        const __m512i restored = _mm512_maskz_loadu_epi8(m, restore + i);
        _mm512_mask_storeu_epi8(keep + i, m, displaced);
        _mm512_mask_storeu_epi8(live + i, m, restored);
        differ = _mm512_or_si512(differ, _mm512_xor_si512(displaced, restored));
    }
    return _mm512_test_epi64_mask(differ, differ) != 0;
}

// AVX2: plain head and tail, 32-byte streaming stores in between.

SPLOT_TARGET_AVX2 void copyToSnapshotAvx2(std::uint8_t* snapshot, const std::uint8_t* live, std::size_t n) {
    std::size_t i = headBytes(snapshot, n, 32);
    std::memcpy(snapshot, live, i);
    for (; i + 32 <= n; i += 32)
        _mm256_stream_si256(reinterpret_cast<__m256i*>(snapshot + i),
                            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(live + i)));
    std::memcpy(snapshot + i, live + i, n - i);
}

// first and second must share their alignment modulo 32.
SPLOT_TARGET_AVX2 void copyToTwoSnapshotsAvx2(std::uint8_t* first, std::uint8_t* second,
                                              const std::uint8_t* live, std::size_t n) {
    std::size_t i = headBytes(first, n, 32);
    std::memcpy(first, live, i);
    std::memcpy(second, live, i);
    for (; i + 32 <= n; i += 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(live + i));
        _mm256_stream_si256(reinterpret_cast<__m256i*>(first + i), v);
        _mm256_stream_si256(reinterpret_cast<__m256i*>(second + i), v);
    }
    std::memcpy(first + i, live + i, n - i);
    std::memcpy(second + i, live + i, n - i);
}

SPLOT_TARGET_AVX2 bool keepAndRestoreAvx2(std::uint8_t* keep, std::uint8_t* live, const std::uint8_t* restore,
                                          std::size_t n) {
    std::size_t i = headBytes(keep, n, 32);
    bool differs = std::memcmp(live, restore, i) != 0;
    std::memcpy(keep, live, i);
    std::memcpy(live, restore, i);
    __m256i differ = _mm256_setzero_si256();
    for (; i + 32 <= n; i += 32) {
        const __m256i displaced = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(live + i));
        const __m256i restored = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(restore + i));
        _mm256_stream_si256(reinterpret_cast<__m256i*>(keep + i), displaced);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(live + i), restored);
        differ = _mm256_or_si256(differ, _mm256_xor_si256(displaced, restored));
    }
    differs =
        differs || !_mm256_testz_si256(differ, differ) || std::memcmp(live + i, restore + i, n - i) != 0;
    std::memcpy(keep + i, live + i, n - i);
    std::memcpy(live + i, restore + i, n - i);
    return differs;
}

} // namespace

void copyToSnapshot(std::uint8_t* snapshot, const std::uint8_t* live, std::size_t n) {
    switch (dispatchLevel()) {
    case DispatchLevel::Avx512:
        copyToSnapshotAvx512(snapshot, live, n);
        return;
    case DispatchLevel::Avx2:
        copyToSnapshotAvx2(snapshot, live, n);
        return;
    case DispatchLevel::Baseline:
        break;
    }
    std::memcpy(snapshot, live, n);
}

void copyToTwoSnapshots(std::uint8_t* first, std::uint8_t* second, const std::uint8_t* live, std::size_t n) {
    // The two arrays have the same layout, so their rows usually share an
    // alignment; when they do not, the second is written with ordinary stores.
    const DispatchLevel level = dispatchLevel();
    if (level == DispatchLevel::Avx512 && sameAlignment(first, second, 64)) {
        copyToTwoSnapshotsAvx512(first, second, live, n);
        return;
    }
    if (level >= DispatchLevel::Avx2 && sameAlignment(first, second, 32)) {
        copyToTwoSnapshotsAvx2(first, second, live, n);
        return;
    }
    copyToSnapshot(first, live, n);
    std::memcpy(second, live, n);
}

bool keepAndRestore(std::uint8_t* keep, std::uint8_t* live, const std::uint8_t* restore, std::size_t n) {
    switch (dispatchLevel()) {
    case DispatchLevel::Avx512:
        return keepAndRestoreAvx512(keep, live, restore, n);
    case DispatchLevel::Avx2:
        return keepAndRestoreAvx2(keep, live, restore, n);
    case DispatchLevel::Baseline:
        break;
    }
    const bool differs = std::memcmp(live, restore, n) != 0;
    std::memcpy(keep, live, n);
    std::memcpy(live, restore, n);
    return differs;
}

void snapshotCopiesDone() {
    // Part of the baseline instruction set; harmless after ordinary stores.
    _mm_sfence();
}

} // namespace splot
