#pragma once

#include "showdown/spot.h"
#include "showdown/workers.h"

#include <cstdint>
#include <functional>

// The showdown figures of a spot and the computations that give them.
//
// A figure is what the player reads: the odds (the hero's chance to win, to tie and his equity) and the
// hands by the river (how often the board's completion gives him each category). A computation is one
// figure by one method, exact or Monte Carlo (showdown/computations.h lists them); Compute plans the
// computations of a spot. Everything here is a function of its arguments; the threads come from the
// Workers handed in, and the figures are the same for any number of them.

namespace showdown {

// Asked every few thousand hands whether to abandon the run; true stops it. It may be asked from every
// thread of the Workers at once. Empty: never stop.
using StopFlag = std::function<bool()>;

// The odds.
struct OddsFigures {
    bool exact = false;     // win, tie and equity are exact (stdErrorPct 0)
    double winPct = 0;      // the hero's best hand beats every opponent
    double tiePct = 0;      // best, but shared
    double equityPct = 0;   // expected share of the pot (a tie with k others gives 1 / (k + 1))
    double stdErrorPct = 0; // one standard error of equityPct; 0 when exact
    std::int64_t hands = 0; // deals counted (exact; weighted by the range unless it is uniform) or played
};

// By the river: of `boards` completions of the board, how many give the hero's best five of seven each
// category code 1 "High Card" .. 9 "Straight Flush" (slot 0 unused).
struct RiverFigures {
    std::int64_t count[10] = {};
    std::int64_t boards = 0;
};

// Strength and potential after the flop (showdown/strength.h), as percentages 0..100.
struct StrengthFigures {
    double strengthPct = 0;    // HS^n: the hero's hand is the best now against every opponent
    bool hasPotential = false; // a card is still to come (the flop and the turn)
    double positivePct = 0;    // PPot: behind or tied now, ahead by the river (one opponent)
    double negativePct = 0;    // NPot: ahead or tied now, behind by the river (one opponent)
    double effectivePct = 0;   // EHS = HS^n + (1 - HS^n) x PPot
    int cleanOuts = 0;         // the unseen cards that lift the hero above his hand now and the board's
    int unseen = 0;            // the cards the next one comes from
};

// What a run has found so far.
struct Result {
    std::uint64_t generation = 0; // the spot the figures belong to (set by the calculator)
    bool final = false;           // no further figures come for this spot
    bool hasOdds = false;
    OddsFigures odds;
    bool hasRiver = false;
    RiverFigures river;
    bool hasStrength = false; // from the flop on
    StrengthFigures strength;
};

// Exact counts of a showdown, each deal counted by its weight (1 when the range is uniform).
struct ExactCounts {
    std::int64_t deals = 0;
    std::int64_t wins = 0;
    std::int64_t splitTwo = 0;   // the hero's hand is the best, shared with one opponent
    std::int64_t splitThree = 0; // shared with two
    std::int64_t Ties() const { return splitTwo + splitThree; }
    void Add(const ExactCounts& other);
    OddsFigures Figures() const;
};

// Exact heads-up at the flop (three board cards), the turn (four) or the river (five): every completion
// of the board and every opponent hand. False when stopped or the spot has another board count or opponent
// count.
bool Exact_HeadsUp(const Spot& spot, ExactCounts& counts, const StopFlag& stop = {});

// Exact against two opponents at the flop, the turn or the river: every completion and every pair of opponent
// hands. Each completed board rates every opponent hand once; the pairs of hands that share no card are
// counted from sums over the cards (two hands share at most one card).
bool Exact_Two_Opponents(const Spot& spot, Workers& workers, ExactCounts& counts, const StopFlag& stop = {});

// Exact heads-up before the flop: every board and every opponent hand. Against any two cards the ranks
// decide most boards: the opponent hands are counted by their two ranks and only the boards where a
// flush can be made look at suits; with another range every board rates every opponent hand.
bool Exact_Preflop_HeadsUp(const Spot& spot, Workers& workers, ExactCounts& counts,
                           const StopFlag& stop = {});

// Exact heads-up for any board count, the plain way: every completion rates the hero and every opponent
// hand. The reference of the others, and the way before the flop with a range that is not uniform.
bool Exact_HeadsUp_By_Boards(const Spot& spot, Workers& workers, ExactCounts& counts,
                             const StopFlag& stop = {});

// The by-the-river categories by full enumeration of the missing board cards (any board count).
bool River_Categories(const Spot& spot, Workers& workers, RiverFigures& figures, const StopFlag& stop = {});

// The Monte Carlo tally of a spot. Shares are counted in 2520ths of a pot (2520 is divisible by every
// split 1..10), so the running sums are exact whole numbers and the same batches give the same figures.
struct Tally {
    std::int64_t trials = 0;
    std::int64_t wins = 0;
    std::int64_t ties = 0;
    std::uint64_t shares = 0;        // sum of the hero's shares, in 2520ths
    std::uint64_t squaredShares = 0; // sum of their squares
    void Add(const Tally& other);
    double Equity() const;         // 0..1
    double Standard_Error() const; // of Equity()
    OddsFigures Figures() const;
};

inline constexpr int ShareUnit = 2520;

// Plays batch number `batch` of a spot: deals `trials` random completions (opponent hands and board)
// from a generator seeded by the spot's seed and the batch number, so that a batch always deals the
// same cards. False when stopped before the end (the tally then holds the deals played).
bool Monte_Carlo_Batch(const Spot& spot, std::uint64_t seed, std::uint64_t batch, std::int64_t trials,
                       Tally& tally, const StopFlag& stop = {});

// The deals of batch `batch` for a spot with `opponents` opponents: a first short batch for a quick first
// figure, then batches of about half a million seven-card hands.
std::int64_t Batch_Trials(int opponents, std::uint64_t batch);

// The precision at which a Monte Carlo run stops, and its time limit.
inline constexpr double TargetStdError = 0.0005; // 0.05 percentage points
inline constexpr double TimeLimitSeconds = 2.0;

// The whole computation of a spot: a first figure of the odds at once (an exact one when it is quick,
// else the first Monte Carlo batch), then the strength from the flop on, then the hands by the river,
// then the odds to their end, exact or refined batch by batch. `publish` gets the running figures each
// time they move (final set on the last). Returns false when stopped.
bool Compute(const Spot& spot, Workers& workers, const std::function<void(const Result&)>& publish,
             const StopFlag& stop = {}, double timeLimitSeconds = TimeLimitSeconds);

} // namespace showdown
