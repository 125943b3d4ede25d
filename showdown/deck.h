#pragma once

#include "showdown/evaluator.h"
#include "showdown/odds.h"

#include <atomic>
#include <cstdint>
#include <span>

// What the computations share: the cards of a spot in the evaluator's form and the opponents' weights.

namespace showdown::detail {

inline bool Stopped(const StopFlag& stop) {
    return stop && stop();
}

// For the tasks of one enumeration: true once the run is stopped, noted in `stopped` for the tasks still
// to come.
inline bool Abandoned(std::atomic<bool>& stopped, const StopFlag& stop) {
    if (stopped.load(std::memory_order_relaxed)) return true;
    if (!Stopped(stop)) return false;
    stopped.store(true, std::memory_order_relaxed);
    return true;
}

// The end of an enumeration's tasks: false when they were stopped, else their counts added in the order
// of the tasks (so that the sum never depends on which thread ran which).
inline bool Sum_Tasks(const std::atomic<bool>& stopped, std::span<const ExactCounts> parts,
                      ExactCounts& counts) {
    if (stopped.load()) return false;
    ExactCounts total;
    for (const ExactCounts& part : parts)
        total.Add(part);
    counts = total;
    return true;
}

struct Deck {
    Cards board;                 // the board cards
    Cards hero;                  // the hole and board cards
    int card[cards::CardCount];  // the cards left, ascending: card[0 .. count - 1]
    Cards set[cards::CardCount]; // the same as card sets
    int count = 0;

    explicit Deck(const Spot& spot) {
        for (int i = 0; i < spot.boardCount; ++i)
            board += Card(spot.board[i]);
        hero = board + Card(spot.hole[0]) + Card(spot.hole[1]);
        const std::uint64_t dead = spot.Dead();
        for (int c = 0; c < cards::CardCount; ++c)
            if (!(dead & cards::Card_Bit(c))) {
                card[count] = c;
                set[count++] = Card(c);
            }
    }
};

// The weight of an opponent hand of two cards left, by their places in a Deck; 1 for every hand when the
// range is uniform, so that the counts are the same as those of the loops that do not weigh.
struct Weights {
    std::uint16_t w[cards::CardCount][cards::CardCount] = {};

    Weights(const Spot& spot, const Deck& d) {
        const bool uniform = spot.range.Uniform();
        for (int i = 0; i < d.count; ++i)
            for (int j = 0; j < d.count; ++j)
                if (i != j)
                    w[i][j] =
                        static_cast<std::uint16_t>(uniform ? 1 : spot.range.Weight(d.card[i], d.card[j]));
    }
};

} // namespace showdown::detail
