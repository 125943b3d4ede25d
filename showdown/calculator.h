#pragma once

#include "showdown/odds.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stop_token>
#include <thread>

// The showdown worker: the program's calculating threads, kept behind this object. One worker thread
// takes the spots; a long computation also runs on helpers (showdown/workers.h), as many threads in all
// as the machine has cores unless told otherwise.
//
// A Calculator lives on the caller's (the window's) thread. Start hands a spot to the worker and returns
// at once; the worker's figures come back through resultReady, queued onto the caller's thread, first the
// running figures and last one with final set. A new Start or a Cancel abandons the running computation:
// the caller never waits for the worker, the worker notices within a few thousand hands, and figures of
// an abandoned spot are never delivered (each carries its generation, and only the current one is).

namespace showdown {

class Calculator : public QObject {
    Q_OBJECT

  public:
    // threads: how many threads compute (0: one per core).
    explicit Calculator(QObject* parent = nullptr, int threads = 0);
    ~Calculator() override; // stops the worker and waits for it: only here does anything wait

    // Starts the worker, which builds the evaluator's tables, ahead of the first spot.
    void Prepare();
    // Starts the figures of the spot and returns its generation; an invalid spot cancels and returns 0.
    std::uint64_t Start(const Spot& spot);
    // Abandons the running computation; no figures come until the next Start.
    void Cancel();

    // The generation of the last Start (or Cancel); figures of any other are dropped.
    std::uint64_t Generation() const { return generation_.load(std::memory_order_relaxed); }
    // The last figures delivered for the current generation, if any.
    bool Has_Result() const { return hasResult_; }
    const Result& Latest() const { return latest_; }
    // The worker is computing a spot (a cancelled one included, until it notices).
    bool Busy() const { return busy_.load(std::memory_order_acquire); }

  signals:
    void resultReady(const showdown::Result& result);

  private:
    struct Job {
        Spot spot;
        std::uint64_t generation = 0;
    };

    // The figures the worker has published and the caller's thread has not yet taken, oldest first; when
    // it is full the newest is replaced, so that the last figures of a spot always arrive.
    static constexpr int MailSlots = 16;

    void Run(std::stop_token stop);
    void Post(const Result& result); // on the worker
    // On the caller's thread: hands on every figure waiting for the current generation.
    Q_INVOKABLE void Deliver_Mail();

    std::atomic<std::uint64_t> generation_{0};
    std::atomic<bool> busy_{false};
    std::mutex mutex_; // guards the job slot and the mail; never held while computing
    std::condition_variable_any wake_;
    Job job_;
    bool pending_ = false;
    Result mail_[MailSlots];
    int mailCount_ = 0;
    Result latest_;
    bool hasResult_ = false;
    int threads_ = 1;
    std::jthread worker_; // last: stopped and joined before the rest goes
};

} // namespace showdown
