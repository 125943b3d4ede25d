#include "showdown/deck.h"
#include "showdown/odds.h"
#include "showdown/random.h"

#include <algorithm>
#include <cmath>

namespace showdown {

using detail::Deck;
using detail::Stopped;

namespace {

constexpr std::int64_t FirstBatchHands = 65536;
constexpr std::int64_t BatchHands = 524288;
constexpr int StopCheckTrials = 1024;
// A deal of a range that is not uniform is drawn again when its hands meet; a batch gives up after this
// many draws in a row fail (a range too narrow for the opponents).
constexpr int MaxRedraws = 1 << 20;

// The hero's share of the pot when he ties with k opponents, in ShareUnits.
constexpr std::uint32_t SplitShare[MaxOpponents + 1] = {
    ShareUnit,     ShareUnit / 2, ShareUnit / 3, ShareUnit / 4, ShareUnit / 5,
    ShareUnit / 6, ShareUnit / 7, ShareUnit / 8, ShareUnit / 9, ShareUnit / 10};

// The showdowns of a batch. Wins and ties come without a branch: which it is cannot be foretold.
struct Showdown {
    std::int64_t wins = 0, ties = 0;
    std::uint64_t shares = 0, squared = 0;

    // The hero's value against the opponents' n values.
    void Add(HandValue hero, const HandValue* v, int n) {
        HandValue best = 0;
        for (int o = 0; o < n; ++o)
            best = std::max(best, v[o]);
        int tied = 0;
        for (int o = 0; o < n; ++o)
            tied += v[o] == best;
        const bool win = hero > best, tie = hero == best;
        const std::uint64_t share = win ? ShareUnit : tie ? SplitShare[tied] : 0;
        wins += win;
        ties += tie;
        shares += share;
        squared += share * share;
    }
};

// The hands of a range that miss the spot's cards, each drawn in proportion to its weight: uniformly when
// they all weigh the same (a range of the notation), else by Walker's alias method (a uniform place, then
// the place's own hand or its alias by the place's threshold).
struct LiveHands {
    Cards set[cards::HandCount];
    std::uint64_t bits[cards::HandCount]; // the two cards as a card set (cards::Card_Bit)
    std::uint32_t threshold[cards::HandCount];
    std::uint16_t alias[cards::HandCount];
    std::uint32_t count = 0;
    bool equal = true;

    LiveHands(const Range& range, std::uint64_t dead) {
        int weight[cards::HandCount];
        std::int64_t total = 0;
        for (int h = 0; h < cards::HandCount; ++h) {
            const cards::CardPair p = cards::HandCards[static_cast<std::size_t>(h)];
            const std::uint64_t b = cards::Card_Bit(p.low) | cards::Card_Bit(p.high);
            if (range.Weight(h) <= 0 || (b & dead)) continue;
            set[count] = Card(p.low) + Card(p.high);
            bits[count] = b;
            weight[count] = range.Weight(h);
            equal = equal && weight[count] == weight[0];
            total += weight[count++];
        }
        if (equal) return;
        // Each place holds `total` units: its hand's weight times the count, topped up from an alias.
        const auto n = static_cast<int>(count);
        std::int64_t units[cards::HandCount];
        int small[cards::HandCount], large[cards::HandCount], ns = 0, nl = 0;
        for (int h = 0; h < n; ++h) {
            units[h] = std::int64_t{weight[h]} * n;
            alias[h] = static_cast<std::uint16_t>(h);
            (units[h] < total ? small[ns++] : large[nl++]) = h;
        }
        while (ns && nl) {
            const int sm = small[--ns], l = large[nl - 1];
            alias[sm] = static_cast<std::uint16_t>(l);
            units[l] -= total - units[sm];
            if (units[l] < total) {
                --nl;
                small[ns++] = l;
            }
        }
        for (int h = 0; h < n; ++h) {
            const long double p = static_cast<long double>(std::min(units[h], total)) / total;
            threshold[h] =
                static_cast<std::uint32_t>(std::min<long double>(p * 4294967296.0L, 4294967295.0L));
        }
        for (int i = 0; i < nl; ++i)
            threshold[large[i]] = 0xFFFFFFFFu;
    }

    std::uint32_t Draw_Hand(Draw& draw) const {
        const std::uint32_t place = draw.Below(count);
        if (equal) return place;
        return draw.Next32() < threshold[place] ? place : alias[place];
    }
};

// Any two cards. A deal of few cards draws them two at a time, from all pairs of the cards left, and
// draws a pair again when it meets a card already dealt: each pair is then uniform among those that
// fit, and the deal as a whole is uniform. With many cards to deal those draws fail too often, and a
// partial shuffle deals them instead.
constexpr int MaxPairDealCards = 12;

// The tables of a batch: every pair of the cards left, and the deck that the shuffle permutes.
struct DealTables {
    Cards pair[cards::CardCount * (cards::CardCount - 1) / 2];
    std::uint32_t pairs = 0;
    std::uint8_t deck[cards::CardCount];

    explicit DealTables(const Deck& d) {
        for (int j = 1; j < d.count; ++j)
            for (int i = 0; i < j; ++i)
                pair[pairs++] = d.set[i] + d.set[j];
        for (int i = 0; i < d.count; ++i)
            deck[i] = static_cast<std::uint8_t>(i);
    }
};

// A card set from `n` sets, drawn again while it meets a card already dealt.
inline Cards Draw_Free(Draw& draw, const Cards* sets, std::uint32_t n, std::uint64_t& used) {
    for (;;) {
        const Cards& c = sets[draw.Below(n)];
        if (c.Mask() & used) continue;
        used |= c.Mask();
        return c;
    }
}

// The first `need` places of the deck become a uniform draw without replacement; the rest stays a
// permutation of the cards left, so the next deal can start from it.
inline void Shuffle(Draw& draw, std::uint8_t* deck, std::uint32_t n, int need) {
    for (int i = 0; i < need; ++i) {
        const std::uint32_t j = static_cast<std::uint32_t>(i) + draw.Below(n - static_cast<std::uint32_t>(i));
        std::swap(deck[i], deck[j]);
    }
}

// The loops over the opponents are unrolled for each count; the generator and the counts live in locals
// of the loop, so that they stay in registers.
template <int Opponents>
bool Batch_Any_Two(const Spot& spot, Draw& draw, std::int64_t trials, Tally& tally, const StopFlag& stop) {
    const Evaluator& ev = Evaluator::Get();
    const Deck d(spot);
    DealTables tables(d);
    const Cards* pair = tables.pair;
    const std::uint32_t pairs = tables.pairs, n = static_cast<std::uint32_t>(d.count);
    const int boardMissing = 5 - spot.boardCount;
    const bool byPairs = boardMissing + 2 * Opponents <= MaxPairDealCards;
    const Cards hole = Card(spot.hole[0]) + Card(spot.hole[1]);
    Draw rng = draw;
    Showdown sd;
    std::int64_t t = 0;
    for (; t < trials; ++t) {
        if (t % StopCheckTrials == 0 && Stopped(stop)) break;
        Cards board = d.board;
        HandValue v[Opponents];
        if (byPairs) {
            std::uint64_t used = 0;
            for (int i = 0; i + 1 < boardMissing; i += 2)
                board += Draw_Free(rng, pair, pairs, used);
            if (boardMissing % 2) board += Draw_Free(rng, d.set, n, used);
            for (int o = 0; o < Opponents; ++o)
                v[o] = ev.Rate(board + Draw_Free(rng, pair, pairs, used));
        } else {
            std::uint8_t* deck = tables.deck;
            Shuffle(rng, deck, n, boardMissing + 2 * Opponents);
            for (int i = 0; i < boardMissing; ++i)
                board += d.set[deck[i]];
            for (int o = 0; o < Opponents; ++o)
                v[o] = ev.Rate(board + d.set[deck[boardMissing + 2 * o]] +
                               d.set[deck[boardMissing + 2 * o + 1]]);
        }
        const HandValue hero = ev.Rate(board + hole);
        sd.Add(hero, v, Opponents);
    }
    draw = rng;
    tally = {t, sd.wins, sd.ties, sd.shares, sd.squared};
    return t == trials;
}

// A range: each opponent's hand is drawn from the range's hands that miss the spot's cards, and the whole
// deal is drawn again when two hands meet (so that a deal comes with the product of its hands' weights);
// the board from the cards left.
bool Batch_Range(const Spot& spot, Draw& draw, std::int64_t trials, Tally& tally, const StopFlag& stop) {
    const Evaluator& ev = Evaluator::Get();
    const Deck d(spot);
    const std::uint64_t dead = spot.Dead();
    const LiveHands live(spot.range, dead);
    const int boardMissing = 5 - spot.boardCount;
    const Cards hole = Card(spot.hole[0]) + Card(spot.hole[1]);
    const auto n = static_cast<std::uint32_t>(d.count);
    Showdown sd;
    std::int64_t t = 0;
    for (; t < trials; ++t) {
        if (t % StopCheckTrials == 0 && Stopped(stop)) break;
        std::uint64_t used = 0;
        std::uint32_t hands[MaxOpponents];
        for (int o = 0, redraws = 0; o < spot.opponents;) {
            const std::uint32_t h = live.Draw_Hand(draw);
            if (used & live.bits[h]) {
                if (++redraws == MaxRedraws) {
                    tally = {t, sd.wins, sd.ties, sd.shares, sd.squared};
                    return false;
                }
                used = 0;
                o = 0;
                continue;
            }
            used |= live.bits[h];
            hands[o++] = h;
        }
        Cards board = d.board;
        for (int i = 0; i < boardMissing; ++i)
            board += Draw_Free(draw, d.set, n, used);
        const HandValue hero = ev.Rate(board + hole);
        HandValue v[MaxOpponents];
        for (int o = 0; o < spot.opponents; ++o)
            v[o] = ev.Rate(board + live.set[hands[o]]);
        sd.Add(hero, v, spot.opponents);
    }
    tally = {t, sd.wins, sd.ties, sd.shares, sd.squared};
    return t == trials;
}

} // namespace

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

OddsFigures Tally::Figures() const {
    OddsFigures f;
    f.hands = trials;
    if (trials <= 0) return f;
    const double n = static_cast<double>(trials);
    f.winPct = 100.0 * static_cast<double>(wins) / n;
    f.tiePct = 100.0 * static_cast<double>(ties) / n;
    f.equityPct = 100.0 * Equity();
    f.stdErrorPct = 100.0 * Standard_Error();
    return f;
}

std::int64_t Batch_Trials(int opponents, std::uint64_t batch) {
    const std::int64_t hands = batch == 0 ? FirstBatchHands : BatchHands;
    return hands / (std::clamp(opponents, 1, MaxOpponents) + 1);
}

bool Monte_Carlo_Batch(const Spot& spot, std::uint64_t seed, std::uint64_t batch, std::int64_t trials,
                       Tally& tally, const StopFlag& stop) {
    tally = Tally{};
    if (!Valid(spot)) return false;
    Draw draw(Generator{Mix(seed ^ Mix(batch + 1))});
    if (!spot.range.Uniform()) return Batch_Range(spot, draw, trials, tally, stop);
    using Batch = bool (*)(const Spot&, Draw&, std::int64_t, Tally&, const StopFlag&);
    constexpr Batch ByOpponents[MaxOpponents] = {Batch_Any_Two<1>, Batch_Any_Two<2>, Batch_Any_Two<3>,
                                                 Batch_Any_Two<4>, Batch_Any_Two<5>, Batch_Any_Two<6>,
                                                 Batch_Any_Two<7>, Batch_Any_Two<8>, Batch_Any_Two<9>};
    return ByOpponents[spot.opponents - 1](spot, draw, trials, tally, stop);
}

} // namespace showdown
