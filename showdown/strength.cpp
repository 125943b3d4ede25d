#include "showdown/strength.h"

#include "cards/category.h"
#include "showdown/deck.h"

#include <algorithm>
#include <cmath>

namespace showdown {

using detail::Deck;
using detail::Stopped;
using detail::Weights;

namespace {

using Standings = std::uint8_t[cards::CardCount][cards::CardCount];

// Ahead, Tied or Behind without a branch: which it is cannot be foretold.
inline int Standing_Of(HandValue hero, HandValue opponent) {
    return (hero == opponent) + 2 * (hero < opponent);
}

// The standing now against every opponent hand of the cards at places i < j, kept for the potential.
void Count_Now(const Deck& d, const Weights& w, StrengthCounts& counts, Standings& standing) {
    const Evaluator& ev = Evaluator::Get();
    const HandValue hero = ev.Rate(d.hero);
    for (int i = 0; i < d.count; ++i)
        for (int j = i + 1; j < d.count; ++j) {
            const int s = Standing_Of(hero, ev.Rate(d.board + d.set[i] + d.set[j]));
            standing[i][j] = standing[j][i] = static_cast<std::uint8_t>(s);
            counts.now[s] += w.w[i][j];
        }
}

// The moves of one opponent hand (places o1, o2) on one completed board, the opponent's seven cards
// rated v and the hero's h.
inline void Move(std::int64_t (&moves)[9], const Weights& w, const Standings& standing, int o1, int o2,
                 HandValue h, HandValue v) {
    moves[3 * standing[o1][o2] + Standing_Of(h, v)] += w.w[o1][o2];
}

bool Flop(const Deck& d, const Weights& w, const Standings& standing, std::int64_t (&moves)[9],
          const StopFlag& stop) {
    const Evaluator& ev = Evaluator::Get();
    const int n = d.count;
    HandValue hero[cards::CardCount][cards::CardCount];
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            hero[i][j] = hero[j][i] = ev.Rate(d.hero + d.set[i] + d.set[j]);
    for (int a = 0; a < n - 3; ++a) {
        if (Stopped(stop)) return false;
        for (int b = a + 1; b < n - 2; ++b) {
            const Cards ab = d.board + d.set[a] + d.set[b];
            for (int c = b + 1; c < n - 1; ++c) {
                const Cards abc = ab + d.set[c];
                for (int e = c + 1; e < n; ++e) {
                    const HandValue v = ev.Rate(abc + d.set[e]);
                    // The board's two cards and the opponent's two: (a b | c e), (a c | b e), (b c | a e),
                    // (a e | b c), (b e | a c), (c e | a b).
                    Move(moves, w, standing, c, e, hero[a][b], v);
                    Move(moves, w, standing, b, e, hero[a][c], v);
                    Move(moves, w, standing, a, e, hero[b][c], v);
                    Move(moves, w, standing, b, c, hero[a][e], v);
                    Move(moves, w, standing, a, c, hero[b][e], v);
                    Move(moves, w, standing, a, b, hero[c][e], v);
                }
            }
        }
    }
    return true;
}

bool Turn(const Deck& d, const Weights& w, const Standings& standing, std::int64_t (&moves)[9],
          const StopFlag& stop) {
    const Evaluator& ev = Evaluator::Get();
    const int n = d.count;
    HandValue hero[cards::CardCount];
    for (int i = 0; i < n; ++i)
        hero[i] = ev.Rate(d.hero + d.set[i]);
    for (int a = 0; a < n - 2; ++a) {
        if (Stopped(stop)) return false;
        for (int b = a + 1; b < n - 1; ++b) {
            const Cards ab = d.board + d.set[a] + d.set[b];
            for (int c = b + 1; c < n; ++c) {
                const HandValue v = ev.Rate(ab + d.set[c]);
                // The river and the opponent's two: (a | b c), (b | a c), (c | a b).
                Move(moves, w, standing, b, c, hero[a], v);
                Move(moves, w, standing, a, c, hero[b], v);
                Move(moves, w, standing, a, b, hero[c], v);
            }
        }
    }
    return true;
}

// The category of four cards, which make no straight and no flush: by how many share a rank.
Long Four_Card_Category(const int* cardsOf) {
    int count[cards::RankCount] = {};
    for (int i = 0; i < 4; ++i)
        ++count[cards::Rank_Code(cardsOf[i])];
    const int most = *std::max_element(count, count + cards::RankCount);
    const auto pairs = std::count(count, count + cards::RankCount, 2);
    using namespace modOdds;
    return most == 4    ? FourOfAKind
           : most == 3  ? ThreeOfAKind
           : pairs == 2 ? TwoPair
           : pairs == 1 ? Pair
                        : HighCard;
}

double Ratio(double part, double whole) {
    return whole > 0 ? part / whole : 0.0;
}

} // namespace

bool Strength_Counts(const Spot& spot, StrengthCounts& counts, const StopFlag& stop) {
    counts = StrengthCounts{};
    if (!Valid(spot) || spot.boardCount < 3) return false;
    const Deck d(spot);
    const Weights w(spot, d);
    Standings standing;
    StrengthCounts c;
    Count_Now(d, w, c, standing);
    std::int64_t moves[9] = {};
    if (spot.boardCount == 3 && !Flop(d, w, standing, moves, stop)) return false;
    if (spot.boardCount == 4 && !Turn(d, w, standing, moves, stop)) return false;
    for (int i = 0; i < 9; ++i)
        c.moves[i / 3][i % 3] = moves[i];
    counts = c;
    return true;
}

int Clean_Outs(const Spot& spot) {
    if (!Valid(spot) || spot.boardCount < 3 || spot.boardCount > 4) return 0;
    const Evaluator& ev = Evaluator::Get();
    const Deck d(spot);
    const Long now = Category_Of(ev.Rate(d.hero));
    int board[MaxBoard];
    std::copy(spot.board, spot.board + spot.boardCount, board);
    int outs = 0;
    for (int i = 0; i < d.count; ++i) {
        const Long hero = Category_Of(ev.Rate(d.hero + d.set[i]));
        board[spot.boardCount] = d.card[i];
        const Long shared =
            spot.boardCount == 3 ? Four_Card_Category(board) : Category_Of(ev.Rate(d.board + d.set[i]));
        outs += hero > now && hero > shared;
    }
    return outs;
}

StrengthFigures Strength_Figures(const StrengthCounts& counts, int opponents) {
    StrengthFigures f;
    const auto& m = counts.moves;
    const double all = static_cast<double>(counts.now[Ahead] + counts.now[Tied] + counts.now[Behind]);
    const double strength = Ratio(counts.now[Ahead] + counts.now[Tied] / 2.0, all);
    const double strengthAll = std::pow(strength, std::max(1, opponents));
    // Each denominator counts the pairs that start in that standing, whatever they come to.
    const auto start = [&](int s) { return static_cast<double>(m[s][Ahead] + m[s][Tied] + m[s][Behind]); };
    const double positive = Ratio(m[Behind][Ahead] + m[Behind][Tied] / 2.0 + m[Tied][Ahead] / 2.0,
                                  start(Behind) + start(Tied) / 2.0);
    const double negative = Ratio(m[Ahead][Behind] + m[Tied][Behind] / 2.0 + m[Ahead][Tied] / 2.0,
                                  start(Ahead) + start(Tied) / 2.0);
    f.strengthPct = 100.0 * strengthAll;
    f.hasPotential = start(Ahead) + start(Tied) + start(Behind) > 0;
    f.positivePct = 100.0 * positive;
    f.negativePct = 100.0 * negative;
    f.effectivePct = 100.0 * (strengthAll + (1.0 - strengthAll) * positive);
    return f;
}

} // namespace showdown
