#include "showdown/spot.h"

#include "showdown/random.h"

#include <algorithm>

namespace showdown {

void Range::Set_Weight(int hand, int weight) {
    if (hand < 0 || hand >= cards::HandCount) return;
    weights_[static_cast<std::size_t>(hand)] = static_cast<std::uint16_t>(std::clamp(weight, 0, MaxWeight));
}

void Range::Set_Class(const HandClass& handClass, int weight) {
    int hands[HandClass::MaxMembers];
    for (int i = 0, n = handClass.Members(hands); i < n; ++i)
        Set_Weight(hands[i], weight);
}

bool Range::Uniform() const {
    return weights_[0] > 0 &&
           std::all_of(weights_.begin(), weights_.end(), [&](auto w) { return w == weights_[0]; });
}

std::uint64_t Spot::Dead() const {
    std::uint64_t dead = 0;
    for (const int card : hole)
        if (card >= 0 && card < cards::CardCount) dead |= cards::Card_Bit(card);
    for (int i = 0; i < std::clamp(boardCount, 0, MaxBoard); ++i)
        if (board[i] >= 0 && board[i] < cards::CardCount) dead |= cards::Card_Bit(board[i]);
    return dead;
}

bool Valid(const Spot& spot) {
    if (spot.boardCount < 0 || spot.boardCount > MaxBoard) return false;
    if (spot.opponents < 1 || spot.opponents > MaxOpponents) return false;
    std::uint64_t used = 0;
    auto take = [&](int card) {
        if (card < 0 || card >= cards::CardCount || (used & cards::Card_Bit(card))) return false;
        used |= cards::Card_Bit(card);
        return true;
    };
    if (!take(spot.hole[0]) || !take(spot.hole[1])) return false;
    for (int i = 0; i < spot.boardCount; ++i)
        if (!take(spot.board[i])) return false;
    for (int hand = 0; hand < cards::HandCount; ++hand) {
        const cards::CardPair p = cards::HandCards[static_cast<std::size_t>(hand)];
        if (spot.range.Weight(hand) > 0 && !(used & (cards::Card_Bit(p.low) | cards::Card_Bit(p.high))))
            return true;
    }
    return false;
}

std::uint64_t Spot_Seed(const Spot& spot) {
    // The cards as sets (one bit a card), so that their order does not matter.
    std::uint64_t hole = 0, board = 0;
    for (const int card : spot.hole)
        if (card >= 0 && card < cards::CardCount) hole |= std::uint64_t{1} << card;
    for (int i = 0; i < std::clamp(spot.boardCount, 0, MaxBoard); ++i)
        if (spot.board[i] >= 0 && spot.board[i] < cards::CardCount)
            board |= std::uint64_t{1} << spot.board[i];
    std::uint64_t h = Mix(0x51A0'0D0E'0000'0000ull + static_cast<std::uint64_t>(spot.opponents));
    h = Mix(h ^ hole);
    h = Mix(h ^ board);
    if (spot.range.Uniform()) return h; // any two cards: the seed of a spot without a range
    for (int hand = 0; hand < cards::HandCount; ++hand)
        h = Mix(h ^ (static_cast<std::uint64_t>(hand) << 16 |
                     static_cast<std::uint64_t>(spot.range.Weight(hand))));
    return h;
}

} // namespace showdown
