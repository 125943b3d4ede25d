#include "showdown/evaluator.h"
#include "showdown/odds.h"
#include "showdown/strength.h"
#include "tests/support/testsupport.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

using namespace showdown;

namespace {

int Card_Of(const char* text) {
    return testsupport::Card(QLatin1String(text));
}

Spot Make_Spot(const char* h1, const char* h2, std::initializer_list<const char*> board, int opponents) {
    Spot s;
    s.hole[0] = Card_Of(h1);
    s.hole[1] = Card_Of(h2);
    for (const char* c : board)
        s.board[s.boardCount++] = Card_Of(c);
    s.opponents = opponents;
    return s;
}

// Every seven-card hand in turn, a card added per loop level: 133,784,560 ratings an iteration.
void BM_Evaluator_Sequential(benchmark::State& state) {
    const Evaluator& ev = Evaluator::Get();
    Cards deck[52];
    for (int i = 0; i < 52; ++i)
        deck[i] = Card(i);
    std::int64_t ratings = 0;
    for (auto _ : state) {
        std::uint32_t sum = 0;
        for (int a = 0; a < 46; ++a)
            for (int b = a + 1; b < 47; ++b) {
                const Cards hb = deck[a] + deck[b];
                for (int c = b + 1; c < 48; ++c) {
                    const Cards hc = hb + deck[c];
                    for (int d = c + 1; d < 49; ++d) {
                        const Cards hd = hc + deck[d];
                        for (int e = d + 1; e < 50; ++e) {
                            const Cards he = hd + deck[e];
                            for (int f = e + 1; f < 51; ++f) {
                                const Cards hf = he + deck[f];
                                for (int g = f + 1; g < 52; ++g)
                                    sum += ev.Rate(hf + deck[g]);
                            }
                        }
                    }
                }
            }
        benchmark::DoNotOptimize(sum);
        ratings += 133784560;
    }
    state.counters["ratings"] = benchmark::Counter(static_cast<double>(ratings), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Evaluator_Sequential)->Unit(benchmark::kMillisecond);

// Random seven-card hands given by their card indexes (65,536 of them, dealt beforehand): each is put
// together from its seven cards and rated.
void BM_Evaluator_Random(benchmark::State& state) {
    const Evaluator& ev = Evaluator::Get();
    constexpr std::size_t Hands = 65536;
    std::vector<std::uint8_t> cards(Hands * 8);
    std::mt19937_64 rng(20240607);
    for (std::size_t h = 0; h < Hands; ++h) {
        std::uint64_t used = 0;
        for (int k = 0; k < 7;) {
            const auto c = static_cast<int>(rng() % 52);
            if (used >> c & 1u) continue;
            used |= std::uint64_t{1} << c;
            cards[h * 8 + static_cast<std::size_t>(k++)] = static_cast<std::uint8_t>(c);
        }
    }
    Cards deck[52];
    for (int i = 0; i < 52; ++i)
        deck[i] = Card(i);
    std::int64_t ratings = 0;
    for (auto _ : state) {
        std::uint32_t sum = 0;
        for (std::size_t h = 0; h < Hands; ++h) {
            const std::uint8_t* c = &cards[h * 8];
            sum += ev.Rate(deck[c[0]] + deck[c[1]] + deck[c[2]] + deck[c[3]] + deck[c[4]] + deck[c[5]] +
                           deck[c[6]]);
        }
        benchmark::DoNotOptimize(sum);
        ratings += Hands;
    }
    state.counters["ratings"] = benchmark::Counter(static_cast<double>(ratings), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Evaluator_Random)->Unit(benchmark::kMicrosecond);

void BM_Showdown_Flop_HeadsUp(benchmark::State& state) {
    const Spot spot = Make_Spot("8s", "9s", {"2s", "3s", "Kh"}, 1);
    Evaluator::Get();
    for (auto _ : state) {
        ExactCounts counts;
        Exact_HeadsUp(spot, counts);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_Showdown_Flop_HeadsUp)->Unit(benchmark::kMillisecond);

void BM_Showdown_Turn_HeadsUp(benchmark::State& state) {
    const Spot spot = Make_Spot("As", "Kd", {"Qs", "Js", "2h", "7c"}, 1);
    Evaluator::Get();
    for (auto _ : state) {
        ExactCounts counts;
        Exact_HeadsUp(spot, counts);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_Showdown_Turn_HeadsUp)->Unit(benchmark::kMillisecond);

// Two opponents, exact, on one thread.
void Two_Opponents(benchmark::State& state, const Spot& spot) {
    Workers workers(1);
    Evaluator::Get();
    for (auto _ : state) {
        ExactCounts counts;
        Exact_Two_Opponents(spot, workers, counts);
        benchmark::DoNotOptimize(counts);
    }
}
void BM_Showdown_Flop_TwoOpponents(benchmark::State& state) {
    Two_Opponents(state, Make_Spot("8s", "9s", {"2s", "3s", "Kh"}, 2));
}
BENCHMARK(BM_Showdown_Flop_TwoOpponents)->Unit(benchmark::kMillisecond);
void BM_Showdown_Turn_TwoOpponents(benchmark::State& state) {
    Two_Opponents(state, Make_Spot("As", "Kd", {"Qs", "Js", "2h", "7c"}, 2));
}
BENCHMARK(BM_Showdown_Turn_TwoOpponents)->Unit(benchmark::kMillisecond);

// Ace-king offsuit against one random hand before the flop, every board and opponent hand, two threads.
void BM_Showdown_Preflop_Exact_Threads2(benchmark::State& state) {
    const Spot spot = Make_Spot("Ah", "Kd", {}, 1);
    Workers workers(2);
    Evaluator::Get();
    for (auto _ : state) {
        ExactCounts counts;
        Exact_Preflop_HeadsUp(spot, workers, counts);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_Showdown_Preflop_Exact_Threads2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The by-the-river categories before the flop: all 2,118,760 boards, one thread.
void BM_Showdown_River_Categories_Preflop(benchmark::State& state) {
    const Spot spot = Make_Spot("Ah", "Td", {}, 1);
    Workers workers(1);
    Evaluator::Get();
    for (auto _ : state) {
        RiverFigures figures;
        River_Categories(spot, workers, figures);
        benchmark::DoNotOptimize(figures);
    }
}
BENCHMARK(BM_Showdown_River_Categories_Preflop)->Unit(benchmark::kMillisecond);

// The strength and the potentials against one random hand, one thread: at the flop every opponent hand
// and every two cards to come (1,070,190 pairs, budget 10 ms), at the turn every hand and river; then the
// clean outs. A narrow range weighs the same loops.
void Strength(benchmark::State& state, const Spot& spot) {
    Evaluator::Get();
    for (auto _ : state) {
        StrengthCounts counts;
        Strength_Counts(spot, counts);
        benchmark::DoNotOptimize(counts);
        benchmark::DoNotOptimize(Clean_Outs(spot));
    }
}
void BM_Strength_Flop(benchmark::State& state) {
    Strength(state, Make_Spot("Ad", "Qc", {"3h", "4c", "Jh"}, 1));
}
BENCHMARK(BM_Strength_Flop)->Unit(benchmark::kMillisecond);
void BM_Strength_Flop_Narrow_Range(benchmark::State& state) {
    Spot spot = Make_Spot("Ad", "Qc", {"3h", "4c", "Jh"}, 1);
    for (int hand = 0; hand < cards::HandCount; ++hand)
        spot.range.Set_Weight(hand, hand % 7 == 0 ? Range::MaxWeight : 0);
    Strength(state, spot);
}
BENCHMARK(BM_Strength_Flop_Narrow_Range)->Unit(benchmark::kMillisecond);
void BM_Strength_Turn(benchmark::State& state) {
    Strength(state, Make_Spot("As", "Kd", {"Qs", "Js", "2h", "7c"}, 1));
}
BENCHMARK(BM_Strength_Turn)->Unit(benchmark::kMillisecond);

// Three opponents from the flop, batches of 65,536 deals on `threads` threads at once; a deal is the
// hero's hand and the three opponents' rated and compared. The counter is deals a second.
void Monte_Carlo_3(benchmark::State& state, int threads) {
    const Spot spot = Make_Spot("Ac", "Qc", {"Jc", "7h", "2c"}, 3);
    const std::uint64_t seed = Spot_Seed(spot);
    constexpr std::int64_t trials = 65536;
    Workers workers(threads);
    Evaluator::Get();
    std::uint64_t batch = 0;
    std::int64_t deals = 0;
    std::vector<Tally> tallies(static_cast<std::size_t>(threads));
    for (auto _ : state) {
        workers.Run(threads, [&](int i) {
            Monte_Carlo_Batch(spot, seed, batch + static_cast<std::uint64_t>(i), trials,
                              tallies[static_cast<std::size_t>(i)]);
        });
        batch += static_cast<std::uint64_t>(threads);
        for (const Tally& t : tallies)
            deals += t.trials;
        benchmark::DoNotOptimize(tallies);
    }
    state.counters["deals_per_second"] =
        benchmark::Counter(static_cast<double>(deals), benchmark::Counter::kIsRate);
}
void BM_Showdown_MonteCarlo_3(benchmark::State& state) {
    Monte_Carlo_3(state, 1);
}
BENCHMARK(BM_Showdown_MonteCarlo_3)->Unit(benchmark::kMillisecond);
void BM_Showdown_MonteCarlo_3_Threads2(benchmark::State& state) {
    Monte_Carlo_3(state, 2);
}
BENCHMARK(BM_Showdown_MonteCarlo_3_Threads2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
