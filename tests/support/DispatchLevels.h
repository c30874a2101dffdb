#pragma once

#include "paint/Dispatch.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace splot::test {

// Runs body once at every dispatch level this processor can execute, lowest
// first, so a byte-exact test covers every version of the kernels and not
// only the fastest. Failures name the level; a fatal failure stops the loop.
inline void forEachDispatchLevel(const std::function<void()>& body) {
    for (DispatchLevel level : availableDispatchLevels()) {
        const ScopedDispatchLevel scoped(level);
        SCOPED_TRACE(std::string("dispatch level ") + dispatchLevelName(level));
        body();
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

} // namespace splot::test
