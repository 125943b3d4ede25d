#pragma once

#include "advice/preflopstats.h"
#include "base/long.h"

#include <cstdint>
#include <functional>

// The showdown odds of a spot: the hero's two hole cards, zero to four board cards and one to nine
// opponents holding unknown cards, the board completed to five cards from what is left. Cards are the
// program's card indexes 0..51.
//
// The figures come exact wherever that is cheap (heads-up at the flop and the turn, heads-up before the
// flop from the shipped statistics table, the by-the-river categories at every board count) and from a
// seeded Monte Carlo run otherwise. These are plain functions, run by the showdown worker
// (showdown/calculator.h) and callable directly by tests and benchmarks.

namespace showdown {

inline constexpr int MaxOpponents = 9;
inline constexpr int MaxBoard = 4; // the program's board: flop and turn; the river is always to come

struct Spot {
    int hole[2] = {-1, -1};
    int board[MaxBoard] = {-1, -1, -1, -1};
    int boardCount = 0; // 0..4
    int opponents = 1;  // 1..9
};

// Every card 0..51 and none twice, 0..4 board cards, 1..9 opponents.
bool Valid(const Spot& spot);

// The spot of the board state (cards/mododds): the two hole cards of HoleCards rows 1 and 2 and every
// other chosen card as the board. False (and the spot untouched) unless both hole cards are chosen and
// at most four other cards are.
bool Spot_From_Board(int opponents, Spot& spot);

// Pre-flop heads-up figures from the statistics table: exact wins and ties out of
// PreflopTrialsPerHand deals of an opponent hand and a board.
inline constexpr std::int64_t PreflopTrialsPerHand = PreflopDealsPerHand;
struct PreflopExact {
    bool found = false;
    std::int64_t wins = 0;
    std::int64_t ties = 0;
};
// Looks the hand up in the loaded statistics table (advice/preflopstats) by its hand key; found only when
// the row carries valid exact counts. Reads the table: call it on the thread that loads the table.
PreflopExact Preflop_Lookup(int card1, int card2);

// What a run has found so far.
struct Result {
    std::uint64_t generation = 0; // the spot the figures belong to (set by the calculator)
    bool exact = false;           // win, tie and equity are exact (stdErrorPct 0)
    bool final = false;           // no further figures come for this spot
    double winPct = 0;            // the hero's best hand beats every opponent
    double tiePct = 0;            // best, but shared
    double equityPct = 0;         // expected share of the pot (a tie with k others gives 1 / (k + 1))
    double stdErrorPct = 0;       // one standard error of equityPct; 0 when exact
    std::int64_t hands = 0;       // showdowns counted (exact) or deals played (Monte Carlo)
    // By the river: of riverBoards completions of the board, how many give the hero's best five of seven
    // each category code 1 "High Card" .. 9 "Straight Flush" (slot 0 unused). Always exact.
    std::int64_t riverCount[10] = {};
    std::int64_t riverBoards = 0;
};

// Asked every few thousand hands whether to abandon the run; true stops it. Empty: never stop.
using StopFlag = std::function<bool()>;

// Heads-up counts.
struct ExactCounts {
    std::int64_t wins = 0;
    std::int64_t ties = 0;
    std::int64_t showdowns = 0;
};

// Exact heads-up at the flop (three board cards) or the turn (four); false when stopped or when the
// spot has another board count.
bool Exact_HeadsUp(const Spot& spot, ExactCounts& counts, const StopFlag& stop = {});

// The by-the-river categories by full enumeration of the missing board cards (any board count);
// false when stopped.
bool River_Categories(const Spot& spot, std::int64_t (&count)[10], std::int64_t& boards,
                      const StopFlag& stop = {});

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
};

inline constexpr int ShareUnit = 2520;

// The seed of a spot: from its cards (in any order) and the opponent count.
std::uint64_t Spot_Seed(const Spot& spot);

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

// The whole computation of a spot: the by-the-river categories, then the odds, exact or refined batch by
// batch; `publish` gets the running figures after the exact part and after every batch (final set on
// the last). preflop: the table's figures for the spot (looked up on the caller's thread).
// Returns false when stopped.
bool Compute(const Spot& spot, const PreflopExact& preflop, const std::function<void(const Result&)>& publish,
             const StopFlag& stop = {}, double timeLimitSeconds = TimeLimitSeconds);

} // namespace showdown
