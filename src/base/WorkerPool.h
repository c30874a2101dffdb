#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <type_traits>
#include <utility>
#include <vector>

namespace splot {

// A small pool of worker threads, created once at start-up, that shares the
// independent parts of one long operation (rows of a wide stamp, bands of a
// PNG save) with the calling thread. run() returns only when every part is
// done: the program's behaviour stays single-threaded, nothing ever runs in
// the background, and every caller's result must not depend on which thread
// did which part.
class WorkerPool {
public:
    // The most threads a pool uses, the calling thread included.
    static constexpr int maxThreads = 8;

    // When a caller shares its work: only when it is large enough to pay for
    // waking the workers, or always (tests, which run the shared paths on
    // small pictures).
    enum class Sharing : std::uint8_t { WhenItPays, Always };

    // threads: the calling thread plus threads - 1 workers, clamped to
    // 1..maxThreads.
    explicit WorkerPool(int threads, Sharing sharing = Sharing::WhenItPays);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // The threads that share a run, the calling thread included.
    int threads() const { return static_cast<int>(workers_.size()) + 1; }
    // Whether work of this size (in the caller's units) is shared, given the
    // smallest size that pays for it.
    bool shares(std::int64_t work, std::int64_t paysFrom) const {
        return !workers_.empty() && (sharing_ == Sharing::Always || work >= paysFrom);
    }

    // One per hardware thread, up to maxThreads; SPLOT_THREADS=n (a whole
    // number from 1 on) asks for n instead, still at most maxThreads.
    static int threadsFromEnvironment();

    // Calls body(task, slot) once for every task in 0..tasks-1, spread over
    // the pool's threads and the calling thread, and returns when all have
    // returned. slot (0..threads()-1) names the thread running the task, so
    // that each thread can keep scratch space of its own; tasks on one slot
    // never overlap. A run started from inside a task runs all its tasks on
    // that task's thread and slot. When tasks throw, the first exception is rethrown
    // here once every task has finished.
    template <class Body> void run(int tasks, Body&& body) {
        using B = std::remove_reference_t<Body>;
        runTasks(
            tasks, [](void* b, int task, int slot) { (*static_cast<B*>(b))(task, slot); },
            const_cast<void*>(static_cast<const void*>(&body)));
    }

private:
    using Call = void (*)(void*, int, int);
    void runTasks(int tasks, Call call, void* body);
    void work(int slot);
    void take(int slot);

    Sharing sharing_;
    std::vector<std::jthread> workers_;
    // A run is published by moving the generation; workers and the caller
    // first spin for a moment on the atomics (consecutive stamps of a stroke
    // follow each other closely, and waking a sleeping thread costs tens of
    // microseconds) and only then sleep on the condition variables.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    std::atomic<std::uint64_t> generation_{0};
    std::atomic<bool> stopping_{false};
    std::atomic<int> nextTask_{0};
    std::atomic<int> busyWorkers_{0}; // workers still inside the current run
    // The current run, written before the generation moves.
    Call call_ = nullptr;
    void* body_ = nullptr;
    int tasks_ = 0;
    std::exception_ptr failure_; // under mutex_
};

} // namespace splot
