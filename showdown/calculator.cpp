#include "showdown/calculator.h"

#include "showdown/evaluator.h"

#include <QMetaObject>

#include <algorithm>

namespace showdown {

Calculator::Calculator(QObject* parent, int threads)
    : QObject(parent), threads_(threads > 0 ? threads : Default_Threads()) {}

Calculator::~Calculator() {
    generation_.fetch_add(1, std::memory_order_relaxed);
    if (worker_.joinable()) {
        worker_.request_stop(); // wakes the worker and stops its computation
        worker_.join();
    }
}

void Calculator::Prepare() {
    if (!worker_.joinable()) worker_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

std::uint64_t Calculator::Start(const Spot& spot) {
    const std::uint64_t generation = generation_.fetch_add(1, std::memory_order_relaxed) + 1;
    hasResult_ = false;
    if (!Valid(spot)) return 0;
    {
        // The worker holds the lock only to take a job, never while it computes.
        const std::lock_guard lock(mutex_);
        job_.spot = spot;
        job_.generation = generation;
        pending_ = true;
    }
    Prepare();
    wake_.notify_one();
    return generation;
}

void Calculator::Cancel() {
    generation_.fetch_add(1, std::memory_order_relaxed);
    hasResult_ = false;
    const std::lock_guard lock(mutex_);
    pending_ = false;
}

void Calculator::Run(std::stop_token stop) {
    Evaluator::Get(); // the tables, before the first spot needs them
    Workers workers(threads_);
    Job job;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            if (!wake_.wait(lock, stop, [this] { return pending_; })) return; // stop requested
            job = job_;
            pending_ = false;
            busy_.store(true, std::memory_order_release);
        }
        const StopFlag abandoned = [&] {
            return stop.stop_requested() || generation_.load(std::memory_order_relaxed) != job.generation;
        };
        if (!abandoned())
            Compute(
                job.spot, workers,
                [&](const Result& figures) {
                    Result r = figures;
                    r.generation = job.generation;
                    Post(r);
                },
                abandoned);
        busy_.store(false, std::memory_order_release);
    }
}

// The figures go through the mail, under the lock, and the caller's thread is woken by a queued call
// that carries nothing: no object of the worker's is left for the other thread to read or free.
void Calculator::Post(const Result& result) {
    bool wake = false;
    {
        const std::lock_guard lock(mutex_);
        wake = mailCount_ == 0;
        if (mailCount_ == MailSlots) --mailCount_;
        mail_[mailCount_++] = result;
    }
    if (wake) QMetaObject::invokeMethod(this, "Deliver_Mail", Qt::QueuedConnection);
}

void Calculator::Deliver_Mail() {
    Result mail[MailSlots];
    int count = 0;
    {
        const std::lock_guard lock(mutex_);
        std::copy(mail_, mail_ + mailCount_, mail);
        count = mailCount_;
        mailCount_ = 0;
    }
    for (int i = 0; i < count; ++i) {
        if (mail[i].generation != Generation()) continue; // the spot has changed since
        latest_ = mail[i];
        hasResult_ = true;
        emit resultReady(mail[i]);
    }
}

} // namespace showdown
