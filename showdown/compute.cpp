#include "showdown/computations.h"

#include "showdown/deck.h"
#include "showdown/strength.h"

#include <array>
#include <atomic>

namespace showdown {

namespace {

bool Publish_Exact(Context& context, bool done, const ExactCounts& counts) {
    if (!done) return false;
    context.result.hasOdds = true;
    context.result.odds = counts.Figures();
    context.Publish(true);
    return true;
}

// Heads-up before the flop against any two cards, from the statistics table.
bool Table_Applies(const Spot& s) {
    return s.opponents == 1 && s.boardCount == 0 && s.table.known && s.range.Uniform();
}
bool Table_Run(Context& context) {
    ExactCounts counts;
    counts.deals = HandClass::HeadsUpDeals;
    counts.wins = context.spot.table.wins;
    counts.splitTwo = context.spot.table.ties;
    return Publish_Exact(context, true, counts);
}

bool HeadsUp_Applies(const Spot& s) {
    return s.opponents == 1 && s.boardCount >= 3;
}
bool HeadsUp_Run(Context& context) {
    ExactCounts counts;
    return Publish_Exact(context, Exact_HeadsUp(context.spot, counts, context.stop), counts);
}

bool Two_Turn_Applies(const Spot& s) {
    return s.opponents == 2 && s.boardCount == 4;
}
bool Two_Flop_Applies(const Spot& s) {
    return s.opponents == 2 && s.boardCount == 3;
}

bool Preflop_Applies(const Spot& s) {
    return s.opponents == 1 && s.boardCount == 0;
}
bool Preflop_Range_Applies(const Spot& s) {
    return Preflop_Applies(s) && !s.range.Uniform();
}
// The first batch of the spot's Monte Carlo deals.
bool First_Batch(const Context& context, Tally& batch) {
    return Monte_Carlo_Batch(context.spot, Spot_Seed(context.spot), 0,
                             Batch_Trials(context.spot.opponents, 0), batch, context.stop);
}

// The enumeration, with the figures of a first Monte Carlo batch shown once it has run FirstFigureWait
// from the spot's start without finishing. They are handed on from whichever thread notices the time
// first, while the others go on; the enumeration's own figures come after all its threads have ended.
bool Preflop_Range_Run(Context& context) {
    const Spot& spot = context.spot;
    Tally first;
    if (!First_Batch(context, first)) return false;
    Result early = context.result;
    early.hasOdds = true;
    early.odds = first.Figures();
    early.final = false;
    std::atomic<bool> shown{false};
    const auto deadline = context.started + FirstFigureWait;
    const StopFlag stop = [&] {
        if (!shown.load(std::memory_order_relaxed) && std::chrono::steady_clock::now() >= deadline &&
            !shown.exchange(true))
            context.publish(early);
        return detail::Stopped(context.stop);
    };
    ExactCounts counts;
    return Publish_Exact(context, Exact_Preflop_HeadsUp(spot, context.workers, counts, stop), counts);
}
// An enumeration on the context's threads.
template <bool (*Enumeration)(const Spot&, Workers&, ExactCounts&, const StopFlag&)>
bool Enumerate(Context& context) {
    ExactCounts counts;
    return Publish_Exact(context, Enumeration(context.spot, context.workers, counts, context.stop), counts);
}

bool Always(const Spot&) {
    return true;
}

// Adds a batch to the run; true when the run has its precision.
bool Commit(Context& context, const Tally& batch) {
    context.tally.Add(batch);
    ++context.batches;
    context.result.hasOdds = true;
    context.result.odds = context.tally.Figures();
    return context.tally.Standard_Error() <= TargetStdError;
}

// The batches after the first, as many at a time as there are threads; they are added in the order of
// their numbers, and the run ends at the first batch that brings the precision, so that the figures are
// the same for any number of threads (the time limit aside).
bool Monte_Carlo_Run(Context& context) {
    if (context.batches == 0 && !Monte_Carlo_First_Batch(context)) return false;
    const Spot& spot = context.spot;
    const std::uint64_t seed = Spot_Seed(spot);
    if (context.tally.Standard_Error() <= TargetStdError || context.Out_Of_Time()) {
        context.Publish(true);
        return true;
    }
    const int threads = context.workers.Threads();
    std::array<Tally, MaxThreads> round{};
    std::array<bool, MaxThreads> played{};
    for (;;) {
        const std::uint64_t first = context.batches;
        context.workers.Run(threads, [&](int i) {
            const std::uint64_t batch = first + static_cast<std::uint64_t>(i);
            played[static_cast<std::size_t>(i)] =
                Monte_Carlo_Batch(spot, seed, batch, Batch_Trials(spot.opponents, batch),
                                  round[static_cast<std::size_t>(i)], context.stop);
        });
        for (int i = 0; i < threads; ++i) {
            if (!played[static_cast<std::size_t>(i)]) return false;
            if (Commit(context, round[static_cast<std::size_t>(i)])) {
                context.Publish(true);
                return true;
            }
        }
        const bool outOfTime = context.Out_Of_Time();
        context.Publish(outOfTime);
        if (outOfTime) return true;
    }
}

bool River_Run(Context& context) {
    RiverFigures figures;
    if (!River_Categories(context.spot, context.workers, figures, context.stop)) return false;
    context.result.hasRiver = true;
    context.result.river = figures;
    context.Publish(true);
    return true;
}

// From the flop on: the strength, the potentials and the clean outs.
bool Board_Shown(const Spot& s) {
    return s.boardCount >= 3;
}
bool Strength_Run(Context& context) {
    StrengthCounts counts;
    if (!Strength_Counts(context.spot, counts, context.stop)) return false;
    context.result.hasStrength = true;
    context.result.strength = Strength_Figures(counts, context.spot.opponents);
    context.result.strength.cleanOuts = Clean_Outs(context.spot);
    context.result.strength.unseen = cards::CardCount - 2 - context.spot.boardCount;
    context.Publish(true);
    return true;
}
// Before the flop there is no strength to tell.
bool No_Strength(Context&) {
    return true;
}

bool Two_River_Applies(const Spot& s) {
    return s.opponents == 2 && s.boardCount == 5;
}

constexpr Computation List[] = {
    {"odds heads-up before the flop, from the statistics table", Figure::Odds, Method::Exact, true, false,
     Table_Applies, Table_Run},
    {"odds heads-up at the flop and the turn", Figure::Odds, Method::Exact, true, false, HeadsUp_Applies,
     HeadsUp_Run},
    {"odds against two opponents at the turn", Figure::Odds, Method::Exact, true, false, Two_Turn_Applies,
     Enumerate<Exact_Two_Opponents>},
    {"odds against two opponents at the river", Figure::Odds, Method::Exact, true, false, Two_River_Applies,
     Enumerate<Exact_Two_Opponents>},
    {"odds against two opponents at the flop", Figure::Odds, Method::Exact, false, false, Two_Flop_Applies,
     Enumerate<Exact_Two_Opponents>},
    {"odds heads-up before the flop against a range", Figure::Odds, Method::Exact, false, true,
     Preflop_Range_Applies, Preflop_Range_Run},
    {"odds heads-up before the flop", Figure::Odds, Method::Exact, false, false, Preflop_Applies,
     Enumerate<Exact_Preflop_HeadsUp>},
    {"odds by Monte Carlo", Figure::Odds, Method::MonteCarlo, false, false, Always, Monte_Carlo_Run},
    {"hands by the river", Figure::River, Method::Exact, true, false, Always, River_Run},
    {"strength and potential", Figure::Strength, Method::Exact, true, false, Board_Shown, Strength_Run},
    {"no strength before the flop", Figure::Strength, Method::Exact, true, false, Always, No_Strength},
};

} // namespace

const Computation& Computation_For(Figure figure, const Spot& spot) {
    for (const Computation& c : List)
        if (c.figure == figure && c.applies(spot)) return c;
    return List[std::size(List) - 1]; // every figure has a computation that always applies
}

bool Monte_Carlo_First_Batch(Context& context) {
    Tally batch;
    if (!First_Batch(context, batch)) return false;
    Commit(context, batch);
    context.Publish(false);
    return true;
}

bool Compute(const Spot& spot, Workers& workers, const std::function<void(const Result&)>& publish,
             const StopFlag& stop, double timeLimitSeconds) {
    if (!Valid(spot)) return false;
    Context context(spot, workers, stop, publish, timeLimitSeconds);
    const Computation& odds = Computation_For(Figure::Odds, spot);
    const Computation& river = Computation_For(Figure::River, spot);
    const Computation& strength = Computation_For(Figure::Strength, spot);
    // The first figure comes at once: the odds when they are quick, else a first Monte Carlo batch (which
    // a computation that waits for its first figure shows itself when it is late); then the strength,
    // which is quick.
    if (odds.quick ? !odds.run(context) : !odds.waits && !Monte_Carlo_First_Batch(context)) return false;
    if (!strength.run(context)) return false;
    context.last = odds.quick;
    if (!river.run(context)) return false;
    if (odds.quick) return true;
    context.last = true;
    return odds.run(context);
}

} // namespace showdown
