#include "paint/Dispatch.h"

#include <atomic>

namespace splot {

namespace {

DispatchLevel detectLevel() {
    __builtin_cpu_init();
    // __builtin_cpu_supports also checks that the operating system saves the
    // wide registers.
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512dq") &&
        __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi2"))
        return DispatchLevel::Avx512;
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2"))
        return DispatchLevel::Avx2;
    return DispatchLevel::Baseline;
}

// The level in use: the processor's until a test or benchmark forces another.
// The one process-wide setting of the engine, as the processor is one.
std::atomic<DispatchLevel>& currentLevel() {
    static std::atomic<DispatchLevel> level{supportedDispatchLevel()};
    return level;
}

} // namespace

DispatchLevel supportedDispatchLevel() {
    static const DispatchLevel supported = detectLevel();
    return supported;
}

bool supportsAvx512Vbmi() {
    static const bool vbmi =
        supportedDispatchLevel() == DispatchLevel::Avx512 && __builtin_cpu_supports("avx512vbmi");
    return vbmi;
}

DispatchLevel dispatchLevel() {
    return currentLevel().load(std::memory_order_relaxed);
}

DispatchLevel forceDispatchLevel(DispatchLevel level) {
    const DispatchLevel supported = supportedDispatchLevel();
    const DispatchLevel used = level < supported ? level : supported;
    currentLevel().store(used, std::memory_order_relaxed);
    return used;
}

std::vector<DispatchLevel> availableDispatchLevels() {
    std::vector<DispatchLevel> levels{DispatchLevel::Baseline};
    if (supportedDispatchLevel() >= DispatchLevel::Avx2)
        levels.push_back(DispatchLevel::Avx2);
    if (supportedDispatchLevel() >= DispatchLevel::Avx512)
        levels.push_back(DispatchLevel::Avx512);
    return levels;
}

const char* dispatchLevelName(DispatchLevel level) {
    switch (level) {
    case DispatchLevel::Avx2:
        return "avx2";
    case DispatchLevel::Avx512:
        return "avx512";
    case DispatchLevel::Baseline:
        break;
    }
    return "baseline";
}

std::optional<DispatchLevel> parseDispatchLevel(std::string_view name) {
    for (DispatchLevel level : {DispatchLevel::Baseline, DispatchLevel::Avx2, DispatchLevel::Avx512})
        if (name == dispatchLevelName(level))
            return level;
    return std::nullopt;
}

} // namespace splot
