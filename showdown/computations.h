#pragma once

#include "showdown/odds.h"

#include <chrono>
#include <span>

// The computations of the figures: each gives one figure (the odds, the hands by the river, the strength)
// by one method (exact or Monte Carlo) for the spots it applies to. Compute takes, for each figure, the
// first computation of the list that applies; a new figure or a new method is a new entry.

namespace showdown {

enum class Figure { Odds, River, Strength };
enum class Method { Exact, MonteCarlo };

// What a computation is handed: the spot, the threads, the stop flag, and the figures so far, which it
// fills in and hands on.
struct Context {
    Context(const Spot& spot, Workers& workers, const StopFlag& stop,
            const std::function<void(const Result&)>& publish, double timeLimitSeconds)
        : spot(spot), workers(workers), stop(stop), publish(publish), timeLimitSeconds(timeLimitSeconds) {}

    const Spot& spot;
    Workers& workers;
    const StopFlag& stop;
    const std::function<void(const Result&)>& publish;
    double timeLimitSeconds;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    Result result;
    bool last = false; // the computation running is the spot's last: its finished figure is final

    // Hands the figures on; `done` when the running computation has finished.
    void Publish(bool done) {
        result.final = last && done;
        publish(result);
    }
    bool Out_Of_Time() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count() >=
               timeLimitSeconds;
    }

    // The Monte Carlo run so far, which may be started for a first figure and carried on later.
    Tally tally;
    std::uint64_t batches = 0;
};

struct Computation {
    const char* name;
    Figure figure;
    Method method;
    bool quick; // done within a few milliseconds: the first figure of a spot may wait for it
    // Not quick, but the first figure waits up to FirstFigureWait for it: a first Monte Carlo figure is
    // shown only when it takes longer (else the first figure is a Monte Carlo batch, shown at once).
    bool waits;
    bool (*applies)(const Spot& spot);
    bool (*run)(Context& context); // fills in its figure and publishes it; false when stopped
};

inline constexpr std::chrono::milliseconds FirstFigureWait{50};

// The computation that gives the figure for the spot.
const Computation& Computation_For(Figure figure, const Spot& spot);

// Plays the first Monte Carlo batch of the context's spot and publishes the odds it gives.
bool Monte_Carlo_First_Batch(Context& context);

} // namespace showdown
