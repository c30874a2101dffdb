#include "base/WorkerPool.h"

#include <algorithm>
#include <cstdlib>

namespace splot {

namespace {

// The slot of the task this thread is running, or -1 outside every task.
int& slotOfThisThread() {
    thread_local int slot = -1;
    return slot;
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
        stopping_ = true;
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

// Takes tasks of the current run until none is left; the lock is held on
// entry and exit and released while a task runs.
void WorkerPool::take(std::unique_lock<std::mutex>& lock, int slot) {
    while (nextTask_ < tasks_) {
        const int task = nextTask_++;
        lock.unlock();
        std::exception_ptr failure;
        slotOfThisThread() = slot;
        try {
            call_(body_, task, slot);
        } catch (...) {
            failure = std::current_exception();
        }
        slotOfThisThread() = -1;
        lock.lock();
        if (failure && !failure_)
            failure_ = failure;
    }
}

void WorkerPool::work(int slot) {
    std::uint64_t seen = 0;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
        if (stopping_)
            return;
        seen = generation_;
        take(lock, slot);
        if (--busyWorkers_ == 0)
            finished_.notify_one();
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
    std::unique_lock lock(mutex_);
    call_ = call;
    body_ = body;
    tasks_ = tasks;
    nextTask_ = 0;
    failure_ = nullptr;
    busyWorkers_ = static_cast<int>(workers_.size());
    ++generation_;
    wake_.notify_all();
    take(lock, 0);
    finished_.wait(lock, [&] { return busyWorkers_ == 0; });
    std::exception_ptr failure = std::exchange(failure_, nullptr);
    lock.unlock();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace splot
