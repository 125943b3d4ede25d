#include "showdown/deck.h"
#include "showdown/odds.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <iterator>

// The exact odds at the flop, the turn and the river: heads-up and against two opponents, and the plain
// enumeration of every completion and every opponent hand that serves as their reference.

namespace showdown {

using detail::Deck;
using detail::Stopped;
using detail::Weights;

namespace {

// The weight of the opponent hand of the cards at places i and j of the deck: 1 for a uniform range.
template <bool Uniform> inline std::int64_t Weight(const Weights* w, int i, int j) {
    if constexpr (Uniform)
        return 1;
    else
        return w->w[i][j];
}

// Flop, against any two cards: every 4-set {a, b, c, e} of the 47 cards left gives the opponent the same
// seven cards whichever two of them complete the board, so it is rated once and compared with the hero's
// rating of each of its six pairs (the 1,081 pairs are rated first); the opponent holds the other two.
bool Flop_HeadsUp(const Deck& d, ExactCounts& counts, const StopFlag& stop) {
    constexpr int N = 47;
    const Evaluator& ev = Evaluator::Get();
    HandValue hero[N][N];
    for (int i = 0; i < N; ++i)
        for (int j = i + 1; j < N; ++j)
            hero[i][j] = hero[j][i] = ev.Rate(d.hero + d.set[i] + d.set[j]);
    ExactCounts total;
    for (int a = 0; a < N - 3; ++a) {
        if (Stopped(stop)) return false;
        for (int b = a + 1; b < N - 2; ++b) {
            const Cards ab = d.board + d.set[a] + d.set[b];
            for (int c = b + 1; c < N - 1; ++c) {
                const Cards abc = ab + d.set[c];
                HandValue v[N];
                for (int e = c + 1; e < N; ++e)
                    v[e] = ev.Rate(abc + d.set[e]);
                const HandValue hab = hero[a][b], hac = hero[a][c], hbc = hero[b][c];
                const HandValue *ha = hero[a], *hb = hero[b], *hc = hero[c];
                std::uint32_t wins = 0, ties = 0;
                for (int e = c + 1; e < N; ++e) {
                    wins += (hab > v[e]) + (hac > v[e]) + (hbc > v[e]) + (ha[e] > v[e]) + (hb[e] > v[e]) +
                            (hc[e] > v[e]);
                    ties += (hab == v[e]) + (hac == v[e]) + (hbc == v[e]) + (ha[e] == v[e]) +
                            (hb[e] == v[e]) + (hc[e] == v[e]);
                }
                total.wins += wins;
                total.splitTwo += ties;
                total.deals += 6 * (N - 1 - c);
            }
        }
    }
    counts = total;
    return true;
}

// Turn: likewise with the 3-sets {river, o1, o2} of the 46 cards left and their three splits.
bool Turn_HeadsUp(const Deck& d, ExactCounts& counts, const StopFlag& stop) {
    constexpr int N = 46;
    const Evaluator& ev = Evaluator::Get();
    HandValue hero[N];
    for (int i = 0; i < N; ++i)
        hero[i] = ev.Rate(d.hero + d.set[i]);
    ExactCounts total;
    for (int a = 0; a < N - 2; ++a) {
        if (Stopped(stop)) return false;
        for (int b = a + 1; b < N - 1; ++b) {
            const Cards ab = d.board + d.set[a] + d.set[b];
            HandValue v[N];
            for (int c = b + 1; c < N; ++c)
                v[c] = ev.Rate(ab + d.set[c]);
            const HandValue ha = hero[a], hb = hero[b];
            std::uint32_t wins = 0, ties = 0;
            for (int c = b + 1; c < N; ++c) {
                wins += (ha > v[c]) + (hb > v[c]) + (hero[c] > v[c]);
                ties += (ha == v[c]) + (hb == v[c]) + (hero[c] == v[c]);
            }
            total.wins += wins;
            total.splitTwo += ties;
            total.deals += 3 * (N - 1 - b);
        }
    }
    counts = total;
    return true;
}

// Two opponents on one completed board: every opponent hand of the n cards at places rest[0..n-1] is
// rated once and sorted by the hero's value h into those below it (L), equal to it (E) and above. With
// S the sum of the weights of a set of hands, Q the sum of their squares and S(c) the sum over its hands
// holding card c, the ordered pairs of hands of one set that share no card weigh S^2 + Q - sum_c S(c)^2,
// and those of two sets, S S' - sum_c S(c) S'(c): a pair of different hands shares at most one card.
template <bool Uniform>
void Two_Opponents_Board(const Deck& d, const Weights* w, Cards full, HandValue h, const int* rest, int n,
                         ExactCounts& counts) {
    const Evaluator& ev = Evaluator::Get();
    std::int64_t sl[cards::CardCount] = {}, se[cards::CardCount] = {}, sa[cards::CardCount] = {};
    std::int64_t ql = 0, qe = 0, qa = 0;
    for (int i = 0; i < n; ++i) {
        const Cards fi = full + d.set[rest[i]];
        std::int64_t li = 0, ei = 0, ai = 0;
        for (int j = i + 1; j < n; ++j) {
            const HandValue v = ev.Rate(fi + d.set[rest[j]]);
            const std::int64_t weight = Weight<Uniform>(w, rest[i], rest[j]);
            const std::int64_t below = v < h ? weight : 0, equal = v == h ? weight : 0;
            sl[j] += below;
            se[j] += equal;
            li += below;
            ei += equal;
            if constexpr (!Uniform) {
                sa[j] += weight;
                ai += weight;
                ql += below * weight;
                qe += equal * weight;
                qa += weight * weight;
            }
        }
        sl[i] += li;
        se[i] += ei;
        sa[i] += ai;
    }
    std::int64_t sumL = 0, sumE = 0, sumA = 0, squaresL = 0, squaresE = 0, squaresA = 0, crossLE = 0;
    for (int c = 0; c < n; ++c) {
        if constexpr (Uniform) sa[c] = n - 1;
        sumL += sl[c];
        sumE += se[c];
        sumA += sa[c];
        squaresL += sl[c] * sl[c];
        squaresE += se[c] * se[c];
        squaresA += sa[c] * sa[c];
        crossLE += sl[c] * se[c];
    }
    // Each hand was summed at both of its cards.
    sumL /= 2, sumE /= 2, sumA /= 2;
    if constexpr (Uniform) ql = sumL, qe = sumE, qa = sumA;
    counts.wins += sumL * sumL + ql - squaresL;
    counts.splitThree += sumE * sumE + qe - squaresE;
    counts.splitTwo += 2 * (sumL * sumE - crossLE);
    counts.deals += sumA * sumA + qa - squaresA;
}

template <bool Uniform>
bool Two_Opponents(const Spot& spot, const Deck& d, const Weights* w, Workers& workers, ExactCounts& counts,
                   const StopFlag& stop) {
    const Evaluator& ev = Evaluator::Get();
    const int n = d.count;
    if (spot.boardCount == 5) { // the river: one board, a thousand hands
        int rest[cards::CardCount];
        for (int i = 0; i < n; ++i)
            rest[i] = i;
        ExactCounts total;
        Two_Opponents_Board<Uniform>(d, w, d.board, ev.Rate(d.hero), rest, n, total);
        counts = total;
        return true;
    }
    std::array<ExactCounts, cards::CardCount> parts{};
    std::atomic<bool> stopped{false};
    // One task per first card of the completion: the turn card at the flop, the river at the turn.
    workers.Run(n, [&](int x) {
        if (detail::Abandoned(stopped, stop)) return;
        int rest[cards::CardCount];
        ExactCounts& slot = parts[static_cast<std::size_t>(x)];
        if (spot.boardCount == 4) {
            int m = 0;
            for (int i = 0; i < n; ++i)
                if (i != x) rest[m++] = i;
            Two_Opponents_Board<Uniform>(d, w, d.board + d.set[x], ev.Rate(d.hero + d.set[x]), rest, m, slot);
            return;
        }
        for (int y = x + 1; y < n; ++y) {
            int m = 0;
            for (int i = 0; i < n; ++i)
                if (i != x && i != y) rest[m++] = i;
            const Cards pair = d.set[x] + d.set[y];
            Two_Opponents_Board<Uniform>(d, w, d.board + pair, ev.Rate(d.hero + pair), rest, m, slot);
        }
    });
    return detail::Sum_Tasks(stopped, parts, counts);
}

// The opponent hands of the range among the cards left, with their weights. A hand that cannot make a
// flush on the board has a value that depends on its two ranks alone: such hands are summed by their
// ranks' slot and each slot is rated once. The sums of a board are those of all the hands less those
// that meet a board card: the hands of each place are subtracted, and the hand of each pair of board
// places, subtracted twice, added back once.
struct RangeHands {
    static constexpr int MaxSlots = cards::RankCount * (cards::RankCount + 1) / 2;

    Cards set[cards::HandCount];
    std::uint64_t places[cards::HandCount]; // the bits of its two places in the deck
    std::int32_t weight[cards::HandCount];
    std::uint8_t slot[cards::HandCount];
    std::uint32_t slotKey[MaxSlots]; // the sum of the slot's two rank keys (Evaluator::Rank_Key)
    std::int64_t total[MaxSlots] = {};
    int count = 0;
    int slotCount = 0;
    // The hands of each place, place p's from placeStart[p] on: their slots and weights.
    int placeStart[cards::CardCount + 1] = {};
    std::uint8_t placeSlot[2 * cards::HandCount];
    std::int32_t placeWeight[2 * cards::HandCount];
    // The hand of two places: its slot and weight (0: none).
    std::uint8_t pairSlot[cards::CardCount][cards::CardCount] = {};
    std::int32_t pairWeight[cards::CardCount][cards::CardCount] = {};
    // The hands holding a card of each suit.
    std::uint16_t suitHand[4][cards::HandCount];
    int suitCount[4] = {};

    RangeHands(const Deck& d, const Weights& w) {
        int slotOf[cards::RankCount][cards::RankCount];
        for (auto& row : slotOf)
            std::fill(std::begin(row), std::end(row), -1);
        int first[cards::HandCount], second[cards::HandCount];
        for (int i = 0; i < d.count; ++i)
            for (int j = i + 1; j < d.count; ++j) {
                if (w.w[i][j] == 0) continue;
                set[count] = d.set[i] + d.set[j];
                places[count] = std::uint64_t{1} << i | std::uint64_t{1} << j;
                weight[count] = w.w[i][j];
                const int r1 = cards::Rank_Code(d.card[i]), r2 = cards::Rank_Code(d.card[j]);
                int& s = slotOf[std::max(r1, r2)][std::min(r1, r2)];
                if (s < 0) {
                    s = slotCount;
                    slotKey[slotCount++] = Evaluator::Rank_Key(r1) + Evaluator::Rank_Key(r2);
                }
                slot[count] = static_cast<std::uint8_t>(s);
                total[s] += weight[count];
                pairSlot[i][j] = pairSlot[j][i] = slot[count];
                pairWeight[i][j] = pairWeight[j][i] = weight[count];
                for (int suit = 0; suit < 4; ++suit)
                    if (cards::Suit_Code(d.card[i]) == suit || cards::Suit_Code(d.card[j]) == suit)
                        suitHand[suit][suitCount[suit]++] = static_cast<std::uint16_t>(count);
                ++placeStart[i + 1], ++placeStart[j + 1];
                first[count] = i, second[count++] = j;
            }
        for (int p = 0; p < cards::CardCount; ++p)
            placeStart[p + 1] += placeStart[p];
        int next[cards::CardCount];
        std::copy(placeStart, placeStart + cards::CardCount, next);
        for (int k = 0; k < count; ++k)
            for (const int p : {first[k], second[k]}) {
                placeSlot[next[p]] = slot[k];
                placeWeight[next[p]++] = weight[k];
            }
    }
};

// Every completion of the board (K more cards, ascending places from `from`) and every opponent hand.
template <int K>
void By_Boards(const Deck& d, const RangeHands& hands, Cards board, Cards hero, std::uint64_t taken, int from,
               ExactCounts& counts) {
    const Evaluator& ev = Evaluator::Get();
    if constexpr (K == 0) {
        const HandValue h = ev.Rate(hero);
        auto count = [&](HandValue v, std::int64_t weight) {
            counts.wins += h > v ? weight : 0;
            counts.splitTwo += h == v ? weight : 0;
            counts.deals += weight;
        };
        // The suit with three cards or more on the board, if any: only hands holding one of it can make a
        // flush, and they are rated whole; with five of a suit every hand is.
        const int flushSuit = Suit_Of_Three(board);
        const bool three = flushSuit >= 0;
        if (three && Suit_Count(board, flushSuit) == 5) {
            for (int k = 0; k < hands.count; ++k)
                if (!(hands.places[k] & taken)) count(ev.Rate(board + hands.set[k]), hands.weight[k]);
            return;
        }
        std::int64_t sum[RangeHands::MaxSlots];
        std::copy(hands.total, hands.total + hands.slotCount, sum);
        for (std::uint64_t t = taken; t; t &= t - 1) {
            const int p = std::countr_zero(t);
            for (int e = hands.placeStart[p]; e < hands.placeStart[p + 1]; ++e)
                sum[hands.placeSlot[e]] -= hands.placeWeight[e];
            for (std::uint64_t u = t & (t - 1); u; u &= u - 1) {
                const int q = std::countr_zero(u);
                sum[hands.pairSlot[p][q]] += hands.pairWeight[p][q];
            }
        }
        if (three)
            for (int i = 0; i < hands.suitCount[flushSuit]; ++i) {
                const int k = hands.suitHand[flushSuit][i];
                if (hands.places[k] & taken) continue;
                sum[hands.slot[k]] -= hands.weight[k];
                count(ev.Rate(board + hands.set[k]), hands.weight[k]);
            }
        const auto ranks = static_cast<std::uint32_t>(board.Key());
        for (int s = 0; s < hands.slotCount; ++s)
            count(ev.Rate_Ranks(ranks + hands.slotKey[s]), sum[s]);
    } else {
        for (int i = from; i <= d.count - K; ++i)
            By_Boards<K - 1>(d, hands, board + d.set[i], hero + d.set[i], taken | std::uint64_t{1} << i,
                             i + 1, counts);
    }
}

template <int K>
bool By_Boards_Tasks(const Deck& d, const RangeHands& w, Workers& workers, ExactCounts& counts,
                     const StopFlag& stop) {
    const int tasks = d.count - K + 1;
    std::array<ExactCounts, cards::CardCount> parts{};
    std::atomic<bool> stopped{false};
    workers.Run(tasks, [&](int first) {
        if (detail::Abandoned(stopped, stop)) return;
        // The first card of the completion is place `first`; before the flop the next one is checked too.
        if constexpr (K >= 4) {
            for (int second = first + 1; second <= d.count - K + 1; ++second) {
                if (detail::Abandoned(stopped, stop)) return;
                const Cards two = d.set[first] + d.set[second];
                By_Boards<K - 2>(d, w, d.board + two, d.hero + two,
                                 std::uint64_t{1} << first | std::uint64_t{1} << second, second + 1,
                                 parts[static_cast<std::size_t>(first)]);
            }
        } else {
            By_Boards<K - 1>(d, w, d.board + d.set[first], d.hero + d.set[first], std::uint64_t{1} << first,
                             first + 1, parts[static_cast<std::size_t>(first)]);
        }
    });
    return detail::Sum_Tasks(stopped, parts, counts);
}

// The river: the hero's seven cards against every opponent hand, on the one board.
void River_HeadsUp(const Spot& spot, const Deck& d, ExactCounts& counts) {
    const RangeHands hands(d, Weights(spot, d));
    ExactCounts total;
    By_Boards<0>(d, hands, d.board, d.hero, 0, 0, total);
    counts = total;
}

} // namespace

bool Exact_HeadsUp(const Spot& spot, ExactCounts& counts, const StopFlag& stop) {
    if (!Valid(spot) || spot.opponents != 1 || spot.boardCount < 3) return false;
    const Deck d(spot);
    if (spot.boardCount == 5) {
        River_HeadsUp(spot, d, counts);
        return true;
    }
    if (spot.range.Uniform())
        return spot.boardCount == 3 ? Flop_HeadsUp(d, counts, stop) : Turn_HeadsUp(d, counts, stop);
    // A range: every completion of the board (1,081 at the flop) against the range's hands by their slots.
    const RangeHands hands(d, Weights(spot, d));
    if (Stopped(stop)) return false;
    ExactCounts total;
    if (spot.boardCount == 3)
        By_Boards<2>(d, hands, d.board, d.hero, 0, 0, total);
    else
        By_Boards<1>(d, hands, d.board, d.hero, 0, 0, total);
    counts = total;
    return true;
}

bool Exact_Two_Opponents(const Spot& spot, Workers& workers, ExactCounts& counts, const StopFlag& stop) {
    if (!Valid(spot) || spot.opponents != 2 || spot.boardCount < 3) return false;
    const Deck d(spot);
    if (spot.range.Uniform()) return Two_Opponents<true>(spot, d, nullptr, workers, counts, stop);
    const Weights w(spot, d);
    return Two_Opponents<false>(spot, d, &w, workers, counts, stop);
}

bool Exact_HeadsUp_By_Boards(const Spot& spot, Workers& workers, ExactCounts& counts, const StopFlag& stop) {
    if (!Valid(spot) || spot.opponents != 1) return false;
    const Deck d(spot);
    const RangeHands w(d, Weights(spot, d));
    switch (5 - spot.boardCount) {
    case 0:
        River_HeadsUp(spot, d, counts);
        return true;
    case 1:
        return By_Boards_Tasks<1>(d, w, workers, counts, stop);
    case 2:
        return By_Boards_Tasks<2>(d, w, workers, counts, stop);
    case 3:
        return By_Boards_Tasks<3>(d, w, workers, counts, stop);
    case 4:
        return By_Boards_Tasks<4>(d, w, workers, counts, stop);
    default:
        return By_Boards_Tasks<5>(d, w, workers, counts, stop);
    }
}

void ExactCounts::Add(const ExactCounts& other) {
    deals += other.deals;
    wins += other.wins;
    splitTwo += other.splitTwo;
    splitThree += other.splitThree;
}

OddsFigures ExactCounts::Figures() const {
    OddsFigures f;
    f.exact = true;
    f.hands = deals;
    if (deals <= 0) return f;
    const double n = static_cast<double>(deals);
    f.winPct = 100.0 * static_cast<double>(wins) / n;
    f.tiePct = 100.0 * static_cast<double>(Ties()) / n;
    f.equityPct = 100.0 *
                  (static_cast<double>(wins) + 0.5 * static_cast<double>(splitTwo) +
                   static_cast<double>(splitThree) / 3.0) /
                  n;
    return f;
}

} // namespace showdown
