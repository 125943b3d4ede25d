#pragma once

#include "cards/cardcodes.h"
#include "cards/handclass.h"

#include <array>
#include <cstdint>

// A spot: the hero's two hole cards, zero to five board cards, one to nine opponents holding hands of
// one range, the board completed to five cards from what is left (at the river nothing is left to come).
// Cards are card indexes 0..51 (cards/cardcodes.h). Everything a computation of the showdown figures needs is
// in the spot.

namespace showdown {

inline constexpr int MaxOpponents = 9;
inline constexpr int MaxBoard = 5; // flop, turn and river

// The opponents' range: a weight 0..MaxWeight for each of the 1,326 two-card hands (numbered as in
// cards/cardcodes.h). A deal gives each opponent a hand of the range; a deal whose hands share no card
// with each other or with the spot comes with the product of their weights. By default any two cards,
// all alike.
class Range {
  public:
    static constexpr int MaxWeight = 1000;

    Range() { weights_.fill(MaxWeight); }

    int Weight(int hand) const { return weights_[static_cast<std::size_t>(hand)]; }
    int Weight(int card1, int card2) const { return Weight(cards::Hand_Index(card1, card2)); }
    void Set_Weight(int hand, int weight); // clamped to 0..MaxWeight
    void Set_Class(const HandClass& handClass, int weight);
    // Every hand weighs the same, above 0: the computations then count deals instead of weighing them.
    bool Uniform() const;

    friend bool operator==(const Range&, const Range&) = default;

  private:
    std::array<std::uint16_t, cards::HandCount> weights_;
};

// The statistics table's exact heads-up counts for the hero's two cards, when the table has them: the
// wins and ties out of HandClass::HeadsUpDeals showdowns against any two cards.
struct TableCounts {
    bool known = false;
    std::int64_t wins = 0;
    std::int64_t ties = 0;
    friend bool operator==(const TableCounts&, const TableCounts&) = default;
};

struct Spot {
    int hole[2] = {-1, -1};
    int board[MaxBoard] = {-1, -1, -1, -1, -1};
    int boardCount = 0; // 0..5
    int opponents = 1;  // 1..9
    Range range;
    TableCounts table; // read before the flop against one opponent holding any two cards

    // The hole and board cards as a card set (cards::Card_Bit).
    std::uint64_t Dead() const;

    friend bool operator==(const Spot&, const Spot&) = default;
};

// Every card 0..51 and none twice, 0..5 board cards, 1..9 opponents, and a hand of the range for every
// opponent, none sharing a card with the spot or with another's.
bool Valid(const Spot& spot);
// Whether the range holds `opponents` hands that share no card with each other or with the card set
// `dead` (cards::Card_Bit).
bool Hands_Left(const Range& range, std::uint64_t dead, int opponents);

// The seed of a spot's Monte Carlo batches: from its cards (in any order), the opponent count and the
// range.
std::uint64_t Spot_Seed(const Spot& spot);

} // namespace showdown
