#include "showdown/spot.h"

#include "showdown/random.h"

#include <algorithm>
#include <utility>

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

namespace {

// The largest number of hands of the range that share no card with each other or with `dead`: half the
// rank of the Tutte matrix of the cards left (a hand of the range an edge between its two cards), taken
// with random entries modulo a prime; a fixed seed gives the same answer every time, and a wrong one
// (too small) is as unlikely as a random draw of one in 2^25.
int Most_Disjoint_Hands(const Range& range, std::uint64_t dead) {
    constexpr std::uint64_t P = 2147483647; // 2^31 - 1
    int place[cards::CardCount];
    int n = 0;
    for (int c = 0; c < cards::CardCount; ++c)
        place[c] = dead & cards::Card_Bit(c) ? -1 : n++;
    std::uint64_t m[cards::CardCount][cards::CardCount] = {};
    std::uint64_t state = 0x7A11'7E00'5EEDull;
    for (int hand = 0; hand < cards::HandCount; ++hand) {
        const cards::CardPair p = cards::HandCards[static_cast<std::size_t>(hand)];
        if (range.Weight(hand) <= 0 || place[p.low] < 0 || place[p.high] < 0) continue;
        state = Mix(state + static_cast<std::uint64_t>(hand));
        const std::uint64_t x = 1 + state % (P - 1);
        m[place[p.low]][place[p.high]] = x;
        m[place[p.high]][place[p.low]] = P - x;
    }
    auto power = [&](std::uint64_t b, std::uint64_t e) {
        std::uint64_t r = 1;
        for (; e; e >>= 1, b = b * b % P)
            if (e & 1) r = r * b % P;
        return r;
    };
    int rank = 0;
    for (int col = 0; col < n && rank < n; ++col) {
        int pivot = rank;
        while (pivot < n && m[pivot][col] == 0)
            ++pivot;
        if (pivot == n) continue;
        std::swap(m[pivot], m[rank]);
        const std::uint64_t inverse = power(m[rank][col], P - 2);
        for (int r = rank + 1; r < n; ++r) {
            if (m[r][col] == 0) continue;
            const std::uint64_t f = m[r][col] * inverse % P;
            for (int c = col; c < n; ++c)
                m[r][c] = (m[r][c] + (P - f) * m[rank][c]) % P;
        }
        ++rank;
    }
    return rank / 2;
}

} // namespace

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
    return Hands_Left(spot.range, used, spot.opponents);
}

bool Hands_Left(const Range& range, std::uint64_t dead, int opponents) {
    // Most ranges give every opponent a hand at the first try: the hands in their order, each taken when
    // it meets no card taken before. Only when that falls short can a better choice do more.
    std::uint64_t used = dead;
    int found = 0;
    for (int hand = 0; hand < cards::HandCount && found < opponents; ++hand) {
        const cards::CardPair p = cards::HandCards[static_cast<std::size_t>(hand)];
        const std::uint64_t bits = cards::Card_Bit(p.low) | cards::Card_Bit(p.high);
        if (range.Weight(hand) > 0 && !(used & bits)) {
            used |= bits;
            ++found;
        }
    }
    if (found >= opponents) return true;
    return found > 0 && Most_Disjoint_Hands(range, dead) >= opponents;
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
