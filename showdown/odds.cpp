#include "showdown/odds.h"

#include "advice/preflopstats.h"
#include "advice/strategy.h"
#include "cards/mododds.h"
#include "showdown/evaluator.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace showdown {

namespace {

// The hot loops hold a hand as two words, its cards (suit s in bits 16 s .. 16 s + 12) and its suit
// counts (suit s in bits 4 s .. 4 s + 3), so that adding a card is an OR and an add. Every hand they rate
// has seven cards.
struct Hand {
    std::uint64_t bits = 0;
    std::uint32_t suits = 0;
};

inline Hand operator+(const Hand& h, const Hand& card) {
    return {h.bits | card.bits, h.suits + card.suits};
}

inline Hand Card_Of(int card) {
    return {Packed_Bit(card), Suit_Count_Bit(card)};
}

inline HandValue Value(const Hand& h) {
    return Evaluate_Seven(h.bits, h.suits);
}

// The cards of the spot, and the cards left, ascending.
struct Deck {
    Hand board; // board cards
    Hand hero;  // hole and board cards
    Hand unseen[DeckSize];
    int count = 0;

    explicit Deck(const Spot& spot) {
        for (int i = 0; i < spot.boardCount; ++i)
            board = board + Card_Of(spot.board[i]);
        hero = board + Card_Of(spot.hole[0]) + Card_Of(spot.hole[1]);
        for (int c = 0; c < DeckSize; ++c)
            if (!(hero.bits & Packed_Bit(c))) unseen[count++] = Card_Of(c);
    }
};

bool Stopped(const StopFlag& stop) {
    return stop && stop();
}

// Flop: every 4-set {turn, river, o1, o2} of the 47 cards left gives the opponent the same seven cards
// whichever two of them are the board, so the 4-set is rated once and its six splits are compared with
// the hero's rating of the board pair (1,081 pairs, rated first).
bool Flop_HeadsUp(const Deck& d, ExactCounts& counts, const StopFlag& stop) {
    constexpr int N = 47;
    HandValue hero[N][N];
    for (int i = 0; i < N; ++i)
        for (int j = i + 1; j < N; ++j)
            hero[i][j] = Value(d.hero + d.unseen[i] + d.unseen[j]);
    std::int64_t wins = 0, ties = 0;
    for (int a = 0; a < N - 3; ++a) {
        if (Stopped(stop)) return false;
        const Hand ma = d.board + d.unseen[a];
        for (int b = a + 1; b < N - 2; ++b) {
            const Hand mb = ma + d.unseen[b];
            const HandValue hab = hero[a][b];
            for (int c = b + 1; c < N - 1; ++c) {
                const Hand mc = mb + d.unseen[c];
                const HandValue hac = hero[a][c], hbc = hero[b][c];
                const HandValue* ha = hero[a];
                const HandValue* hb = hero[b];
                const HandValue* hc = hero[c];
                std::uint32_t w = 0, t = 0;
                for (int e = c + 1; e < N; ++e) {
                    const HandValue v = Value(mc + d.unseen[e]);
                    w += (hab > v) + (hac > v) + (hbc > v) + (ha[e] > v) + (hb[e] > v) + (hc[e] > v);
                    t += (hab == v) + (hac == v) + (hbc == v) + (ha[e] == v) + (hb[e] == v) + (hc[e] == v);
                }
                wins += w;
                ties += t;
            }
        }
    }
    counts = {wins, ties, std::int64_t{178365} * 6};
    return true;
}

// Turn: likewise with the 3-sets {river, o1, o2} of the 46 cards left and their three splits.
bool Turn_HeadsUp(const Deck& d, ExactCounts& counts, const StopFlag& stop) {
    constexpr int N = 46;
    HandValue hero[N];
    for (int i = 0; i < N; ++i)
        hero[i] = Value(d.hero + d.unseen[i]);
    std::int64_t wins = 0, ties = 0;
    for (int a = 0; a < N - 2; ++a) {
        if (Stopped(stop)) return false;
        const Hand ma = d.board + d.unseen[a];
        const HandValue ha = hero[a];
        for (int b = a + 1; b < N - 1; ++b) {
            const Hand mb = ma + d.unseen[b];
            const HandValue hb = hero[b];
            std::uint32_t w = 0, t = 0;
            for (int c = b + 1; c < N; ++c) {
                const HandValue v = Value(mb + d.unseen[c]);
                const HandValue hc = hero[c];
                w += (ha > v) + (hb > v) + (hc > v);
                t += (ha == v) + (hb == v) + (hc == v);
            }
            wins += w;
            ties += t;
        }
    }
    counts = {wins, ties, std::int64_t{15180} * 3};
    return true;
}

// The categories of every completion of the board: K more cards from the list, a card per loop level.
template <int K> void Category_Loop(const Hand& h, const Hand* cards, int from, int n, std::int64_t* count) {
    if constexpr (K == 0) {
        ++count[Category_Seven(h.bits, h.suits)];
    } else {
        for (int i = from; i <= n - K; ++i)
            Category_Loop<K - 1>(h + cards[i], cards, i + 1, n, count);
    }
}

template <int K> bool Categories(const Deck& d, std::int64_t* count, const StopFlag& stop) {
    for (int i = 0; i <= d.count - K; ++i) {
        if (Stopped(stop)) return false;
        Category_Loop<K - 1>(d.hero + d.unseen[i], d.unseen, i + 1, d.count, count);
    }
    return true;
}

// SplitMix64: a small, fast generator with a 64-bit state; every output is a full 64-bit mix.
struct Generator {
    std::uint64_t state;
    std::uint64_t Next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
};

std::uint64_t Mix(std::uint64_t x) {
    Generator g{x};
    return g.Next();
}

// A uniform whole number 0..range-1 from 32 random bits (multiply and shift, with the rejection that
// removes the bias).
struct Draw {
    Generator g;
    std::uint64_t bits = 0;
    int left = 0;
    std::uint32_t Next32() {
        if (left == 0) {
            bits = g.Next();
            left = 2;
        }
        --left;
        const auto out = static_cast<std::uint32_t>(bits);
        bits >>= 32;
        return out;
    }
    std::uint32_t Below(std::uint32_t range) {
        std::uint64_t m = std::uint64_t{Next32()} * range;
        auto low = static_cast<std::uint32_t>(m);
        if (low < range) {
            const std::uint32_t threshold = (0u - range) % range;
            while (low < threshold) {
                m = std::uint64_t{Next32()} * range;
                low = static_cast<std::uint32_t>(m);
            }
        }
        return static_cast<std::uint32_t>(m >> 32);
    }
};

constexpr std::int64_t FirstBatchHands = 65536;
constexpr std::int64_t BatchHands = 524288;
constexpr int StopCheckTrials = 1024;

} // namespace

bool Valid(const Spot& spot) {
    if (spot.boardCount < 0 || spot.boardCount > MaxBoard) return false;
    if (spot.opponents < 1 || spot.opponents > MaxOpponents) return false;
    std::uint64_t used = 0;
    auto take = [&](int card) {
        if (card < 0 || card >= DeckSize || (used >> card & 1u)) return false;
        used |= std::uint64_t{1} << card;
        return true;
    };
    if (!take(spot.hole[0]) || !take(spot.hole[1])) return false;
    for (int i = 0; i < spot.boardCount; ++i)
        if (!take(spot.board[i])) return false;
    return true;
}

bool Spot_From_Board(int opponents, Spot& spot) {
    using namespace modOdds;
    Spot s;
    s.opponents = opponents;
    for (int row = 1; row <= 2; ++row) {
        const Long suit = HoleCards[row][1], rank = HoleCards[row][2];
        if (suit < 1 || suit > 4 || rank < 1 || rank > 13 || BoardGrid[suit][rank] != 1) return false;
        s.hole[row - 1] = Card_Index(suit, rank);
    }
    for (Long suit = 1; suit <= 4; ++suit)
        for (Long rank = 1; rank <= 13; ++rank) {
            const int card = Card_Index(suit, rank);
            if (BoardGrid[suit][rank] != 1 || card == s.hole[0] || card == s.hole[1]) continue;
            if (s.boardCount == MaxBoard) return false;
            s.board[s.boardCount++] = card;
        }
    if (!Valid(s)) return false;
    spot = s;
    return true;
}

PreflopExact Preflop_Lookup(int card1, int card2) {
    PreflopExact out;
    if (card1 < 0 || card1 >= DeckSize || card2 < 0 || card2 >= DeckSize || card1 == card2) return out;
    const QString key = Hand_Key(modOdds::Rank_Letter(modOdds::Card_Rank(card1)),
                                 modOdds::Rank_Letter(modOdds::Card_Rank(card2)),
                                 modOdds::Card_Suit(card1) == modOdds::Card_Suit(card2));
    for (Long r = 1; r <= StatCount && r <= MaxStatRows; ++r) {
        const PreflopStat& row = PreflopStats[r];
        if (row.HandKey != key) continue;
        if (row.HasExact) {
            out.found = true;
            out.wins = row.ExactWins;
            out.ties = row.ExactTies;
        }
        break; // the first row of a key is the one that counts
    }
    return out;
}

void Tally::Add(const Tally& other) {
    trials += other.trials;
    wins += other.wins;
    ties += other.ties;
    shares += other.shares;
    squaredShares += other.squaredShares;
}

double Tally::Equity() const {
    return trials ? static_cast<double>(shares) / ShareUnit / static_cast<double>(trials) : 0.0;
}

double Tally::Standard_Error() const {
    if (trials < 2) return 1.0;
    const double n = static_cast<double>(trials);
    const double mean = static_cast<double>(shares) / n;
    const double variance = std::max(0.0, (static_cast<double>(squaredShares) - mean * mean * n) / (n - 1));
    return std::sqrt(variance / n) / ShareUnit;
}

std::uint64_t Spot_Seed(const Spot& spot) {
    // The cards as sets (one bit a card), so that their order does not matter.
    std::uint64_t hole = 0, board = 0;
    for (int card : spot.hole)
        if (card >= 0 && card < DeckSize) hole |= std::uint64_t{1} << card;
    for (int i = 0; i < std::clamp(spot.boardCount, 0, MaxBoard); ++i)
        if (spot.board[i] >= 0 && spot.board[i] < DeckSize) board |= std::uint64_t{1} << spot.board[i];
    std::uint64_t h = Mix(0x51A0'0D0E'0000'0000ull + static_cast<std::uint64_t>(spot.opponents));
    h = Mix(h ^ hole);
    return Mix(h ^ board);
}

std::int64_t Batch_Trials(int opponents, std::uint64_t batch) {
    const std::int64_t hands = batch == 0 ? FirstBatchHands : BatchHands;
    return hands / (std::clamp(opponents, 1, MaxOpponents) + 1);
}

bool Monte_Carlo_Batch(const Spot& spot, std::uint64_t seed, std::uint64_t batch, std::int64_t trials,
                       Tally& tally, const StopFlag& stop) {
    tally = Tally{};
    if (!Valid(spot)) return false;
    Deck d(spot);
    Draw draw{Generator{Mix(seed ^ Mix(batch + 1))}};
    const int boardMissing = 5 - spot.boardCount;
    const int opponents = spot.opponents;
    const int need = boardMissing + 2 * opponents;
    const Hand hole = Card_Of(spot.hole[0]) + Card_Of(spot.hole[1]);
    Hand* deck = d.unseen;
    const auto n = static_cast<std::uint32_t>(d.count);
    std::int64_t wins = 0, ties = 0;
    std::uint64_t shares = 0, squared = 0;
    std::int64_t t = 0;
    for (; t < trials; ++t) {
        if (t % StopCheckTrials == 0 && Stopped(stop)) break;
        // A partial shuffle: the first `need` places become a uniform draw without replacement. The rest
        // of the deck stays a permutation of the cards left, so the next deal can start from it.
        for (int i = 0; i < need; ++i) {
            const std::uint32_t j =
                static_cast<std::uint32_t>(i) + draw.Below(n - static_cast<std::uint32_t>(i));
            std::swap(deck[i], deck[j]);
        }
        Hand board = d.board;
        for (int i = 0; i < boardMissing; ++i)
            board = board + deck[i];
        const HandValue hero = Value(board + hole);
        HandValue best = 0;
        int tied = 0;
        for (int o = 0; o < opponents; ++o) {
            const HandValue v = Value(board + deck[boardMissing + 2 * o] + deck[boardMissing + 2 * o + 1]);
            if (v > best) {
                best = v;
                tied = 0;
            }
            tied += v == best;
        }
        std::uint64_t share = 0;
        if (hero > best) {
            ++wins;
            share = ShareUnit;
        } else if (hero == best) {
            ++ties;
            share = ShareUnit / static_cast<std::uint64_t>(tied + 1);
        }
        shares += share;
        squared += share * share;
    }
    tally = {t, wins, ties, shares, squared};
    return t == trials;
}

bool Exact_HeadsUp(const Spot& spot, ExactCounts& counts, const StopFlag& stop) {
    if (!Valid(spot)) return false;
    const Deck d(spot);
    if (spot.boardCount == 3) return Flop_HeadsUp(d, counts, stop);
    if (spot.boardCount == 4) return Turn_HeadsUp(d, counts, stop);
    return false;
}

bool River_Categories(const Spot& spot, std::int64_t (&count)[10], std::int64_t& boards,
                      const StopFlag& stop) {
    std::fill(std::begin(count), std::end(count), 0);
    boards = 0;
    if (!Valid(spot)) return false;
    const Deck d(spot);
    bool done = false;
    switch (5 - spot.boardCount) {
    case 1:
        done = Categories<1>(d, count, stop);
        break;
    case 2:
        done = Categories<2>(d, count, stop);
        break;
    case 3:
        done = Categories<3>(d, count, stop);
        break;
    case 4:
        done = Categories<4>(d, count, stop);
        break;
    default:
        done = Categories<5>(d, count, stop);
        break;
    }
    if (!done) return false;
    for (int c = 1; c <= 9; ++c)
        boards += count[c];
    return true;
}

bool Compute(const Spot& spot, const PreflopExact& preflop, const std::function<void(const Result&)>& publish,
             const StopFlag& stop, double timeLimitSeconds) {
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    if (!Valid(spot)) return false;
    Result r;
    if (!River_Categories(spot, r.riverCount, r.riverBoards, stop)) return false;

    auto exact = [&](std::int64_t wins, std::int64_t ties, std::int64_t showdowns) {
        r.exact = r.final = true;
        r.hands = showdowns;
        const double n = static_cast<double>(showdowns);
        r.winPct = 100.0 * static_cast<double>(wins) / n;
        r.tiePct = 100.0 * static_cast<double>(ties) / n;
        // Heads-up a tie splits the pot in two.
        r.equityPct = 100.0 * (static_cast<double>(wins) + 0.5 * static_cast<double>(ties)) / n;
        r.stdErrorPct = 0;
        publish(r);
        return true;
    };
    if (spot.opponents == 1) {
        if (spot.boardCount >= 3) {
            ExactCounts counts;
            if (!Exact_HeadsUp(spot, counts, stop)) return false;
            return exact(counts.wins, counts.ties, counts.showdowns);
        }
        if (spot.boardCount == 0 && preflop.found)
            return exact(preflop.wins, preflop.ties, PreflopTrialsPerHand);
    }

    const std::uint64_t seed = Spot_Seed(spot);
    Tally total;
    for (std::uint64_t batch = 0;; ++batch) {
        Tally t;
        if (!Monte_Carlo_Batch(spot, seed, batch, Batch_Trials(spot.opponents, batch), t, stop)) return false;
        total.Add(t);
        const double n = static_cast<double>(total.trials);
        r.hands = total.trials;
        r.winPct = 100.0 * static_cast<double>(total.wins) / n;
        r.tiePct = 100.0 * static_cast<double>(total.ties) / n;
        r.equityPct = 100.0 * total.Equity();
        r.stdErrorPct = 100.0 * total.Standard_Error();
        const double elapsed = std::chrono::duration<double>(Clock::now() - started).count();
        r.final = total.Standard_Error() <= TargetStdError || elapsed >= timeLimitSeconds;
        publish(r);
        if (r.final) return true;
    }
}

} // namespace showdown
