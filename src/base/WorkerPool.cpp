#include "base/WorkerPool.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace splot {

namespace {

// The slot of the task this thread is running, or -1 outside every task.
int& slotOfThisThread() {
    thread_local int slot = -1;
    return slot;
}

// Spins until done() holds or about this long has passed; says whether it holds.
constexpr auto spinTime = std::chrono::microseconds(100);

template <class Done> bool spinUntil(Done done) {
    const auto until = std::chrono::steady_clock::now() + spinTime;
    for (;;) {
        for (int i = 0; i < 64; ++i) {
            if (done())
                return true;
            __builtin_ia32_pause();
        }
        if (std::chrono::steady_clock::now() >= until)
            return done();
    }
}

} // namespace

WorkerPool::WorkerPool(int threads, Sharing sharing) : sharing_(sharing) {
    const int n = std::clamp(threads, 1, maxThreads);
    workers_.reserve(static_cast<std::size_t>(n - 1));
    for (int slot = 1; slot < n; ++slot)
        workers_.emplace_back([this, slot] { work(slot); });
}

WorkerPool::~WorkerPool() {
    {
        const std::lock_guard lock(mutex_);
        stopping_.store(true);
    }
    wake_.notify_all();
    workers_.clear(); // joins
}

int WorkerPool::threadsFromEnvironment() {
    if (const char* asked = std::getenv("SPLOT_THREADS")) {
        char* end = nullptr;
        const long n = std::strtol(asked, &end, 10);
        if (end != asked && *end == '\0' && n >= 1)
            return static_cast<int>(std::min<long>(n, maxThreads));
    }
    const unsigned hardware = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int>(hardware), 1, maxThreads);
}

// Takes tasks of the current run until none is left.
void WorkerPool::take(int slot) {
    for (;;) {
        const int task = nextTask_.fetch_add(1, std::memory_order_relaxed);
        if (task >= tasks_)
            return;
        slotOfThisThread() = slot;
        try {
            call_(body_, task, slot);
        } catch (...) {
            const std::lock_guard lock(mutex_);
            if (!failure_)
                failure_ = std::current_exception();
        }
        slotOfThisThread() = -1;
    }
}

void WorkerPool::work(int slot) {
    std::uint64_t seen = 0;
    for (;;) {
        const auto moved = [&] {
            return stopping_.load(std::memory_order_acquire) ||
                   generation_.load(std::memory_order_acquire) != seen;
        };
        if (!spinUntil(moved)) {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, moved);
        }
        if (stopping_.load(std::memory_order_acquire))
            return;
        seen = generation_.load(std::memory_order_acquire);
        take(slot);
        if (busyWorkers_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            const std::lock_guard lock(mutex_); // the caller tests and sleeps under it
            finished_.notify_one();
        }
    }
}

void WorkerPool::runTasks(int tasks, Call call, void* body) {
    if (tasks <= 0)
        return;
    const int inTask = slotOfThisThread();
    if (inTask >= 0 || workers_.empty() || tasks == 1) {
        const int slot = inTask >= 0 ? inTask : 0;
        for (int task = 0; task < tasks; ++task)
            call(body, task, slot);
        return;
    }
    call_ = call;
    body_ = body;
    tasks_ = tasks;
    nextTask_.store(0, std::memory_order_relaxed);
    busyWorkers_.store(static_cast<int>(workers_.size()), std::memory_order_relaxed);
    {
        const std::lock_guard lock(mutex_);
        generation_.fetch_add(1, std::memory_order_release);
    }
    wake_.notify_all();
    take(0);
    const auto finished = [&] { return busyWorkers_.load(std::memory_order_acquire) == 0; };
    if (!spinUntil(finished)) {
        std::unique_lock lock(mutex_);
        finished_.wait(lock, finished);
    }
    std::exception_ptr failure;
    {
        const std::lock_guard lock(mutex_);
        failure = std::exchange(failure_, nullptr);
    }
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace splot
