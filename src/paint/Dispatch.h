#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace splot {

// The instruction-set level of the wide-vector kernels (brush stamp, snapshot
// copies, whole-picture actions, display conversion). The program is built for
// the plain x86-64 baseline; each kernel also has versions compiled for AVX2
// and for AVX-512 (F, BW, VL, DQ), and the level picks among them at run time,
// so one binary runs on every x86-64 processor and uses what it finds. Every
// version gives the same bytes.
enum class DispatchLevel : std::uint8_t { Baseline, Avx2, Avx512 };

// The highest level this processor and operating system can execute.
DispatchLevel supportedDispatchLevel();

// Whether the AVX-512 byte permutes (VBMI) are available too; kernels at the
// Avx512 level that need them fall back to their AVX2 version otherwise.
bool supportsAvx512Vbmi();

// The level the kernels use now: the supported level unless forced lower.
DispatchLevel dispatchLevel();

// Makes every kernel use the given level, capped at the supported one, and
// returns the level in use. For tests and benchmarks, which run each version
// in turn; the program itself never calls it.
DispatchLevel forceDispatchLevel(DispatchLevel level);

// Every level this processor can execute, lowest first.
std::vector<DispatchLevel> availableDispatchLevels();

// "baseline", "avx2", "avx512"; parse accepts exactly these names.
const char* dispatchLevelName(DispatchLevel level);
std::optional<DispatchLevel> parseDispatchLevel(std::string_view name);

// Runs the enclosed code at a forced level and restores the previous level.
class ScopedDispatchLevel {
public:
    explicit ScopedDispatchLevel(DispatchLevel level) : previous_(dispatchLevel()) {
        forceDispatchLevel(level);
    }
    ~ScopedDispatchLevel() { forceDispatchLevel(previous_); }
    ScopedDispatchLevel(const ScopedDispatchLevel&) = delete;
    ScopedDispatchLevel& operator=(const ScopedDispatchLevel&) = delete;

private:
    DispatchLevel previous_;
};

} // namespace splot

// Function attributes of the kernel versions. Only functions with internal
// linkage carry them (so no inline function compiled for a wider level can be
// merged with the baseline's copy), and their names end in Avx2 or Avx512, which
// the portable-binary check relies on. Both compilers take the plain feature
// lists; only GCC accepts, in the same string, the hint that lets its loop
// vectoriser use the full 512-bit registers (it prefers 256 bits otherwise).
#if defined(__clang__)
#define SPLOT_AVX512_WIDTH
#else
#define SPLOT_AVX512_WIDTH ",prefer-vector-width=512"
#endif
#define SPLOT_TARGET_AVX2 __attribute__((target("avx2,bmi,bmi2")))
#define SPLOT_TARGET_AVX512                                                                                  \
    __attribute__((target("avx512f,avx512bw,avx512vl,avx512dq,avx2,bmi,bmi2" SPLOT_AVX512_WIDTH)))
#define SPLOT_TARGET_AVX512VBMI                                                                              \
    __attribute__((target("avx512f,avx512bw,avx512vl,avx512dq,avx512vbmi,avx2,bmi,"                          \
                          "bmi2" SPLOT_AVX512_WIDTH)))
