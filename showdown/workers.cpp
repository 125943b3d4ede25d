#include "showdown/workers.h"

#include <algorithm>

namespace showdown {

int Default_Threads() {
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, MaxThreads);
}

Workers::Workers(int threads) : threads_(std::clamp(threads, 1, MaxThreads)) {}

Workers::~Workers() {
    for (std::jthread& helper : helpers_)
        helper.request_stop();
    // The jthreads join as they go.
}

void Workers::Work(Job& job) {
    for (int task; (task = job.next.fetch_add(1, std::memory_order_relaxed)) < job.count;)
        job.call(job.task, task);
}

void Workers::Run_Tasks(int count, void (*call)(void* task, int index), void* task) {
    if (threads_ == 1 || count <= 1) {
        for (int i = 0; i < count; ++i)
            call(task, i);
        return;
    }
    while (static_cast<int>(helpers_.size()) < threads_ - 1)
        helpers_.emplace_back([this](std::stop_token stop) { Help(stop); });
    Job job;
    job.call = call;
    job.task = task;
    job.count = count;
    {
        const std::lock_guard lock(mutex_);
        job_ = &job;
        ++jobNumber_;
    }
    wake_.notify_all();
    Work(job);
    // Every task has been taken; wait for the helpers still at one, and take the job off offer.
    std::unique_lock lock(mutex_);
    job_ = nullptr;
    done_.wait(lock, [this] { return inside_ == 0; });
}

void Workers::Help(std::stop_token stop) {
    std::uint64_t seen = 0;
    for (;;) {
        Job* job = nullptr;
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, stop, [&] { return job_ && jobNumber_ != seen; })) return;
            seen = jobNumber_;
            job = job_;
            ++inside_;
        }
        Work(*job);
        {
            const std::lock_guard lock(mutex_);
            --inside_;
        }
        done_.notify_one();
    }
}

} // namespace showdown
