#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>
#include <type_traits>
#include <vector>

// The threads of one calculation: the thread that calls Run and Threads() - 1 helpers, started on the
// first Run that can use them and kept until the Workers go. Run hands out numbered tasks and returns
// when all have finished; callers keep each task's result in a slot of its own and sum the slots in
// order, so that the figures never depend on the number of threads.

namespace showdown {

inline constexpr int MaxThreads = 64;

// std::thread::hardware_concurrency(), 1 .. MaxThreads.
int Default_Threads();

class Workers {
  public:
    explicit Workers(int threads = Default_Threads()); // 1 .. MaxThreads
    ~Workers();                                        // stops and joins the helpers
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

    int Threads() const { return threads_; }

    // Runs task(0) .. task(count - 1), spread over the threads, the caller's among them. A task must not
    // throw; one Run at a time.
    template <class Task> void Run(int count, Task&& task) {
        Run_Tasks(
            count, [](void* t, int i) { (*static_cast<std::remove_reference_t<Task>*>(t))(i); }, &task);
    }

  private:
    struct Job {
        void (*call)(void* task, int index) = nullptr;
        void* task = nullptr;
        int count = 0;
        std::atomic<int> next{0};
    };

    void Run_Tasks(int count, void (*call)(void* task, int index), void* task);

    void Help(std::stop_token stop);
    static void Work(Job& job);

    int threads_ = 1;
    std::mutex mutex_;
    std::condition_variable_any wake_; // a job for the helpers
    std::condition_variable done_;     // a helper has left the job
    Job* job_ = nullptr;               // the job on offer (guarded)
    std::uint64_t jobNumber_ = 0;      // guarded
    int inside_ = 0;                   // helpers at work on job_ (guarded)
    std::vector<std::jthread> helpers_;
};

} // namespace showdown
