#include "showdown/deck.h"
#include "showdown/odds.h"

#include <algorithm>
#include <atomic>
#include <bit>

// The exact heads-up odds before the flop against any two cards: 2,118,760 boards and 990 opponent hands
// each. The boards are taken by their ranks (a choice of five ranks, R) and then by their suits.
//
// Where no suit has three cards on the board nobody can make a flush, and every value depends on the
// ranks alone: the hero's, and the opponent's by his two ranks, with as many hands of those ranks as
// the cards left allow. So R's 91 pairs of opponent ranks are rated once and the boards of R without a
// flush are only counted. A board with three cards of a suit s adds the opponent hands of two s cards
// as flushes (in place of their ranks' value); with four, every hand holding an s card is a flush, known
// by its s cards alone; with five, every hand is.

namespace showdown {

namespace {

struct Hero {
    Cards cards;
    int rank[2];
    std::uint32_t suitRanks[4] = {}; // the hero's cards of each suit, as rank bits
    int suitCount[4] = {};
    unsigned rankSuits[13] = {}; // the suits of his cards of each rank, as bits
    int avail[13];               // cards of each rank not in his hand
};

// The sets of suits (4 bits) of each size.
struct SuitSets {
    unsigned set[5][6] = {};
    int count[5] = {};
    constexpr SuitSets() {
        for (unsigned suits = 0; suits < 16; ++suits) {
            const int n = std::popcount(suits);
            set[n][count[n]++] = suits;
        }
    }
};
constexpr SuitSets SuitsOfSize;

// The choices of five board ranks, none more often than the cards left allow: at most C(17, 5) less the
// 13 with five of a rank.
constexpr int MaxRankChoices = 6175;
using RankChoice = std::array<std::uint8_t, 13>;

void Rank_Choices(const Hero& hero, int rank, int left, RankChoice& count, RankChoice* out, int& n) {
    if (rank == 13) {
        if (left == 0) out[n++] = count;
        return;
    }
    for (int c = 0; c <= std::min(left, hero.avail[rank]); ++c) {
        count[static_cast<std::size_t>(rank)] = static_cast<std::uint8_t>(c);
        Rank_Choices(hero, rank + 1, left - c, count, out, n);
    }
    count[static_cast<std::size_t>(rank)] = 0;
}

constexpr std::int64_t Pairs(std::int64_t n) {
    return n * (n - 1) / 2;
}

// One choice of board ranks and all its boards.
class RankBoards {
  public:
    RankBoards(const Evaluator& ev, const Hero& hero, const RankChoice& count)
        : ev_(ev), hero_(hero), count_(count) {
        std::uint32_t boardKey = 0;
        for (int r = 0; r < 13; ++r) {
            boardKey += count[static_cast<std::size_t>(r)] * Evaluator::Rank_Key(r);
            left_[r] = hero.avail[r] - count[static_cast<std::size_t>(r)];
        }
        for (int lo = 0; lo < 13; ++lo)
            for (int hi = lo; hi < 13; ++hi)
                value_[lo][hi] = ev.Rate_Ranks(boardKey + Evaluator::Rank_Key(lo) + Evaluator::Rank_Key(hi));
        heroPlain_ =
            ev.Rate_Ranks(boardKey + Evaluator::Rank_Key(hero.rank[0]) + Evaluator::Rank_Key(hero.rank[1]));
    }

    void Count(ExactCounts& counts) {
        plainBoards_ = 0;
        Suits(0, Cards{}, {0, 0, 0, 0}, counts);
        // The boards without three of a suit: the same values on each.
        const Counted t = By_Ranks(heroPlain_, left_);
        counts.wins += plainBoards_ * t.below;
        counts.splitTwo += plainBoards_ * t.equal;
        counts.deals += plainBoards_ * HandClass::HeadsUpOpponentHands;
    }

  private:
    struct Counted {
        std::int64_t below = 0, equal = 0;
    };

    // The opponent hands without a flush, by their ranks, given the cards of each rank they may hold.
    Counted By_Ranks(HandValue h, const int (&left)[13]) const {
        Counted t;
        for (int lo = 0; lo < 13; ++lo) {
            const std::int64_t pair = Pairs(left[lo]);
            t.below += value_[lo][lo] < h ? pair : 0;
            t.equal += value_[lo][lo] == h ? pair : 0;
            for (int hi = lo + 1; hi < 13; ++hi) {
                const std::int64_t n = std::int64_t{left[lo]} * left[hi];
                t.below += value_[lo][hi] < h ? n : 0;
                t.equal += value_[lo][hi] == h ? n : 0;
            }
        }
        return t;
    }

    void Add(Counted& t, HandValue v, HandValue h, std::int64_t n) const {
        t.below += v < h ? n : 0;
        t.equal += v == h ? n : 0;
    }

    // A board with n (three or more) cards of suit s: `suited` their ranks.
    void Flush_Board(const Cards& board, int s, int n, std::uint32_t suited, ExactCounts& counts) const {
        const HandValue h = ev_.Rate(hero_.cards + board);
        const std::uint32_t free = 0x1FFFu & ~suited & ~hero_.suitRanks[s]; // s cards the opponent may hold
        const std::int64_t others = 45 - (13 - n - hero_.suitCount[s]);     // cards left of the other suits
        Counted t;
        if (n == 3) {
            t = By_Ranks(h, left_);
            // Two s cards: a flush, counted above by its ranks.
            for (std::uint32_t a = free; a; a &= a - 1) {
                const int x = std::countr_zero(a);
                for (std::uint32_t b = a & (a - 1); b; b &= b - 1) {
                    const int y = std::countr_zero(b);
                    Add(t, ev_.Rate_Suited(suited | 1u << x | 1u << y), h, 1);
                    Add(t, value_[x][y], h, -1);
                }
            }
        } else {
            if (n == 4) {
                // No s card: ranks alone.
                int left[13];
                for (int r = 0; r < 13; ++r)
                    left[r] = left_[r] - static_cast<int>(free >> r & 1u);
                t = By_Ranks(h, left);
            } else {
                Add(t, ev_.Rate_Suited(suited), h, Pairs(others));
            }
            for (std::uint32_t a = free; a; a &= a - 1) {
                const int x = std::countr_zero(a);
                Add(t, ev_.Rate_Suited(suited | 1u << x), h, others); // one s card
                for (std::uint32_t b = a & (a - 1); b; b &= b - 1)
                    Add(t, ev_.Rate_Suited(suited | 1u << x | 1u << std::countr_zero(b)), h, 1);
            }
        }
        counts.wins += t.below;
        counts.splitTwo += t.equal;
        counts.deals += HandClass::HeadsUpOpponentHands;
    }

    // The suits of the board's cards, rank by rank: `suited` holds the ranks of each suit so far, and the
    // board's key counts its cards of each suit.
    void Suits(int rank, Cards board, std::array<std::uint32_t, 4> suited, ExactCounts& counts) {
        while (rank < 13 && count_[static_cast<std::size_t>(rank)] == 0)
            ++rank;
        if (rank == 13) {
            if (const int s = Suit_Of_Three(board); s >= 0)
                return Flush_Board(board, s, Suit_Count(board, s), suited[static_cast<std::size_t>(s)],
                                   counts);
            ++plainBoards_;
            return;
        }
        const int want = count_[static_cast<std::size_t>(rank)];
        for (int i = 0; i < SuitsOfSize.count[want]; ++i) {
            const unsigned suits = SuitsOfSize.set[want][i];
            if (suits & hero_.rankSuits[rank]) continue; // a card the hero holds
            Cards b = board;
            std::array<std::uint32_t, 4> sr = suited;
            for (int s = 0; s < 4; ++s) {
                if (!(suits >> s & 1u)) continue;
                b += Card(cards::Card_Of_Codes(s, rank));
                sr[static_cast<std::size_t>(s)] |= 1u << rank;
            }
            Suits(rank + 1, b, sr, counts);
        }
    }

    const Evaluator& ev_;
    const Hero& hero_;
    const RankChoice& count_;
    int left_[13];            // cards of each rank left for the opponent
    HandValue value_[13][13]; // [low][high]: the value of the opponent's two ranks with the board's
    HandValue heroPlain_ = 0; // the hero's value where no flush can be made
    std::int64_t plainBoards_ = 0;
};

bool Preflop_Any_Two(const Spot& spot, Workers& workers, ExactCounts& counts, const StopFlag& stop) {
    const Evaluator& ev = Evaluator::Get();
    Hero hero;
    hero.cards = Card(spot.hole[0]) + Card(spot.hole[1]);
    std::fill(std::begin(hero.avail), std::end(hero.avail), 4);
    for (int i = 0; i < 2; ++i) {
        const int suit = cards::Suit_Code(spot.hole[i]);
        hero.rank[i] = cards::Rank_Code(spot.hole[i]);
        hero.suitRanks[suit] |= 1u << hero.rank[i];
        ++hero.suitCount[suit];
        hero.rankSuits[hero.rank[i]] |= 1u << suit;
        --hero.avail[hero.rank[i]];
    }
    std::array<RankChoice, MaxRankChoices> choices;
    RankChoice count{};
    int n = 0;
    Rank_Choices(hero, 0, 5, count, choices.data(), n);

    constexpr int Tasks = 256;
    std::array<ExactCounts, Tasks> parts{};
    std::atomic<bool> stopped{false};
    const int per = (n + Tasks - 1) / Tasks;
    workers.Run(Tasks, [&](int task) {
        for (int i = task * per; i < std::min(n, (task + 1) * per); ++i) {
            if (detail::Abandoned(stopped, stop)) return;
            RankBoards(ev, hero, choices[static_cast<std::size_t>(i)])
                .Count(parts[static_cast<std::size_t>(task)]);
        }
    });
    return detail::Sum_Tasks(stopped, parts, counts);
}

} // namespace

bool Exact_Preflop_HeadsUp(const Spot& spot, Workers& workers, ExactCounts& counts, const StopFlag& stop) {
    if (!Valid(spot) || spot.opponents != 1 || spot.boardCount != 0) return false;
    if (!spot.range.Uniform()) return Exact_HeadsUp_By_Boards(spot, workers, counts, stop);
    return Preflop_Any_Two(spot, workers, counts, stop);
}

} // namespace showdown
