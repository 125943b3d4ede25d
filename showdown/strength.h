#pragma once

#include "showdown/odds.h"

#include <cstdint>

// How the hero's hand stands against the opponents' range now and how it may move by the river: the hand
// strength and the positive and negative potential of the Limit Hold'em literature, and the clean outs.
//
// Each opponent hand of the range that misses the spot's cards counts with its weight. The hero's hand
// and an opponent's are his best five of the cards known now (the strength) and of the final seven (the
// potential); a hand is ahead, tied or behind as the hero's value is above, equal to or below the
// opponent's.

namespace showdown {

enum Standing { Ahead, Tied, Behind };

struct StrengthCounts {
    // The weighted opponent hands by how the hero stands against them now.
    std::int64_t now[3] = {};
    // The weighted (opponent hand, completion of the board) pairs by how the hero stands now and at the
    // river: moves[now][river]. Empty at the river.
    std::int64_t moves[3][3] = {};
    friend bool operator==(const StrengthCounts&, const StrengthCounts&) = default;
};

// The counts of a spot with three to five board cards. At the flop every 4-set of the cards left gives the
// opponent the same seven cards whichever two of them complete the board, so it is rated once for its six
// splits (1,070,190 hand-completion pairs against any two cards); at the turn every 3-set for its three.
// False for another spot or when stopped.
bool Strength_Counts(const Spot& spot, StrengthCounts& counts, const StopFlag& stop = {});

// The unseen cards after which the hero's category (his best five of the known cards and that card) is
// above both his category now and the category of the board with that card alone, which every opponent
// shares. 0 at the river or for another spot.
int Clean_Outs(const Spot& spot);

// The figures from the counts: HS = (ahead + tied / 2) / all, raised to the opponent count; PPot and NPot
// against one opponent (0 when no pair starts behind or tied, or ahead or tied); EHS.
StrengthFigures Strength_Figures(const StrengthCounts& counts, int opponents);

} // namespace showdown
