#include "showdown/deck.h"
#include "showdown/odds.h"

#include <array>
#include <atomic>

// The hands by the river: the hero's category on every completion of the board (at the river, the one
// board that stands).

namespace showdown {

using detail::Deck;

namespace {

// K more cards from the places `from` on, a card per loop level.
template <int K>
void Completions(const Evaluator& ev, const Deck& d, Cards hand, int from, std::int64_t* count) {
    if constexpr (K == 0) {
        ++count[Category_Of(ev.Rate(hand))];
    } else {
        for (int i = from; i <= d.count - K; ++i)
            Completions<K - 1>(ev, d, hand + d.set[i], i + 1, count);
    }
}

template <int K>
bool Categories(const Deck& d, Workers& workers, RiverFigures& figures, const StopFlag& stop) {
    const Evaluator& ev = Evaluator::Get();
    // One task per first card of the completion; a board of three or four cards is done in one.
    const int tasks = K <= 2 ? 1 : d.count - K + 1;
    std::array<RiverFigures, cards::CardCount> parts{};
    std::atomic<bool> stopped{false};
    workers.Run(tasks, [&](int task) {
        if (detail::Abandoned(stopped, stop)) return;
        std::int64_t* count = parts[static_cast<std::size_t>(task)].count;
        if constexpr (K <= 2)
            Completions<K>(ev, d, d.hero, 0, count);
        else
            Completions<K - 1>(ev, d, d.hero + d.set[task], task + 1, count);
    });
    if (stopped.load()) return false;
    RiverFigures total;
    for (const RiverFigures& s : parts)
        for (int c = 1; c <= 9; ++c)
            total.count[c] += s.count[c];
    for (int c = 1; c <= 9; ++c)
        total.boards += total.count[c];
    figures = total;
    return true;
}

} // namespace

bool River_Categories(const Spot& spot, Workers& workers, RiverFigures& figures, const StopFlag& stop) {
    figures = RiverFigures{};
    if (!Valid(spot)) return false;
    const Deck d(spot);
    switch (5 - spot.boardCount) {
    case 0: // the river: the hand the hero holds
        return Categories<0>(d, workers, figures, stop);
    case 1:
        return Categories<1>(d, workers, figures, stop);
    case 2:
        return Categories<2>(d, workers, figures, stop);
    case 3:
        return Categories<3>(d, workers, figures, stop);
    case 4:
        return Categories<4>(d, workers, figures, stop);
    default:
        return Categories<5>(d, workers, figures, stop);
    }
}

} // namespace showdown
