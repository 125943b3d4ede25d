#include "cards/mododds.h"

#include <benchmark/benchmark.h>

using namespace modOdds;

namespace {

struct Card {
    Long suit;
    Long rank;
};

// Hole cards first, as the player enters them.
constexpr Card FlopCards[] = {{1, 7}, {1, 8}, {1, 1}, {1, 2}, {2, 12}};            // 8s 9s / 2s 3s Kh
constexpr Card TurnCards[] = {{1, 13}, {4, 12}, {1, 11}, {1, 10}, {2, 1}, {3, 6}}; // As Kd / Qs Js 2h 7c

template <std::size_t N> void Deal(const Card (&cards)[N]) {
    Reset_State();
    for (const Card& c : cards)
        Mark_Card(c.suit, c.rank);
    Copy_Board();
}

void BM_Evaluate_Hand(benchmark::State& state) {
    // A rotating set of hands so that the rating does not see one grid only.
    constexpr Card hands[][5] = {
        {{1, 7}, {1, 8}, {1, 1}, {1, 2}, {2, 12}}, {{1, 13}, {2, 1}, {3, 2}, {4, 3}, {1, 4}},
        {{1, 5}, {2, 5}, {3, 5}, {4, 9}, {1, 9}},  {{3, 9}, {3, 10}, {3, 11}, {3, 12}, {3, 13}},
        {{2, 2}, {2, 6}, {2, 8}, {2, 10}, {2, 1}}, {{1, 3}, {2, 3}, {3, 7}, {4, 7}, {2, 11}},
    };
    constexpr int count = sizeof hands / sizeof hands[0];
    int next = 0;
    Long sum = 0;
    for (auto _ : state) {
        Clear_Work_Grid();
        for (const Card& c : hands[next]) {
            WorkGrid[c.suit][c.rank] = 1;
            if (c.rank == 13) WorkGrid[c.suit][0] = 1;
        }
        sum += Evaluate_Hand(0);
        next = next + 1 == count ? 0 : next + 1;
    }
    benchmark::DoNotOptimize(sum);
}
BENCHMARK(BM_Evaluate_Hand);

void BM_Flop_Analysis(benchmark::State& state) {
    Deal(FlopCards);
    for (auto _ : state) {
        Copy_Board();
        MadeHand = 0;
        MadeHand = Evaluate_Hand(MadeHand);
        Analyse_Outs();
        benchmark::DoNotOptimize(OutsCount);
    }
}
BENCHMARK(BM_Flop_Analysis)->Unit(benchmark::kMicrosecond);

void BM_Turn_Analysis(benchmark::State& state) {
    Deal(TurnCards);
    for (auto _ : state) {
        MadeHand = 0;
        MadeHand = Best_Made_Hand(MadeHand);
        Analyse_Outs();
        benchmark::DoNotOptimize(OutsCount);
    }
}
BENCHMARK(BM_Turn_Analysis)->Unit(benchmark::kMicrosecond);

// The search alone, without the turn's made-hand rating, to show where the time goes.
void BM_Turn_Best_Made_Hand(benchmark::State& state) {
    Deal(TurnCards);
    for (auto _ : state)
        benchmark::DoNotOptimize(Best_Made_Hand(0));
}
BENCHMARK(BM_Turn_Best_Made_Hand)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
