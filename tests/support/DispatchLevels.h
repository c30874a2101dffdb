#pragma once

#include "base/WorkerPool.h"
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

// Runs body at every dispatch level, once on one thread (no pool) and once
// with a pool of several threads that shares every stamp however small, so
// the byte-exact tests cover the shared rows too.
inline void forEachDispatchLevelAndThreads(const std::function<void(WorkerPool*)>& body) {
    WorkerPool several(4, WorkerPool::Sharing::Always);
    forEachDispatchLevel([&] {
        for (WorkerPool* pool : {static_cast<WorkerPool*>(nullptr), &several}) {
            SCOPED_TRACE(pool == nullptr ? "one thread" : "four threads");
            body(pool);
            if (::testing::Test::HasFatalFailure())
                return;
        }
    });
}

} // namespace splot::test
