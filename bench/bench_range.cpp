#include "advice/preflopstats.h"
#include "flow/modrange.h"
#include "showdown/evaluator.h"
#include "showdown/odds.h"
#include "tests/support/testsupport.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace showdown;

namespace {

// The opponents hold the top 20% of the shipped statistics table.
Spot Top20_Spot(const char* cards, int opponents) {
    static const Range top20 = [] {
        advice::Set_Stats_Folder(QStringLiteral(QUORVANE_SOURCE_DIR "/resources"));
        advice::Grab_Stats();
        return modRange::Top_Percent(20);
    }();
    const QList<Long> c = testsupport::Cards(QString::fromLatin1(cards));
    Spot s;
    s.hole[0] = c[0], s.hole[1] = c[1];
    for (qsizetype i = 2; i < c.size(); ++i)
        s.board[s.boardCount++] = c[i];
    s.opponents = opponents;
    s.range = top20;
    Evaluator::Get();
    return s;
}

void BM_Range_Flop_HeadsUp_Top20(benchmark::State& state) {
    const Spot spot = Top20_Spot("8s 9s 2s 3s Kh", 1);
    for (auto _ : state) {
        ExactCounts counts;
        Exact_HeadsUp(spot, counts);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_Range_Flop_HeadsUp_Top20)->Unit(benchmark::kMillisecond);

// Exact, on one thread.
void BM_Range_Turn_TwoOpponents_Top20(benchmark::State& state) {
    const Spot spot = Top20_Spot("As Kd Qs Js 2h 7c", 2);
    Workers workers(1);
    for (auto _ : state) {
        ExactCounts counts;
        Exact_Two_Opponents(spot, workers, counts);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_Range_Turn_TwoOpponents_Top20)->Unit(benchmark::kMillisecond);

// Every board and every hand of the range, on two threads.
void BM_Range_Preflop_HeadsUp_Top20(benchmark::State& state) {
    const Spot spot = Top20_Spot("Ah Kd", 1);
    Workers workers(2);
    for (auto _ : state) {
        ExactCounts counts;
        Exact_Preflop_HeadsUp(spot, workers, counts);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_Range_Preflop_HeadsUp_Top20)->Unit(benchmark::kMillisecond)->UseRealTime();

// Three opponents of the range from the flop, one thread; the counter is deals a second.
void BM_Range_MonteCarlo_3_Top20(benchmark::State& state) {
    const Spot spot = Top20_Spot("Ac Qc Jc 7h 2c", 3);
    const std::uint64_t seed = Spot_Seed(spot);
    std::uint64_t batch = 0;
    std::int64_t deals = 0;
    for (auto _ : state) {
        Tally tally;
        Monte_Carlo_Batch(spot, seed, batch++, 65536, tally);
        deals += tally.trials;
        benchmark::DoNotOptimize(tally);
    }
    state.counters["deals_per_second"] =
        benchmark::Counter(static_cast<double>(deals), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Range_MonteCarlo_3_Top20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
