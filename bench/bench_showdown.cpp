#include "showdown/odds.h"
#include "tests/support/testsupport.h"

#include <benchmark/benchmark.h>

using namespace showdown;

namespace {

int Card(const char* text) {
    return testsupport::Card(QLatin1String(text));
}

Spot Make_Spot(const char* h1, const char* h2, std::initializer_list<const char*> board, int opponents) {
    Spot s;
    s.hole[0] = Card(h1);
    s.hole[1] = Card(h2);
    for (const char* c : board)
        s.board[s.boardCount++] = Card(c);
    s.opponents = opponents;
    return s;
}

void BM_Showdown_Flop_HeadsUp(benchmark::State& state) {
    const Spot spot = Make_Spot("8s", "9s", {"2s", "3s", "Kh"}, 1);
    for (auto _ : state) {
        ExactCounts counts;
        Exact_HeadsUp(spot, counts);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_Showdown_Flop_HeadsUp)->Unit(benchmark::kMillisecond);

void BM_Showdown_Turn_HeadsUp(benchmark::State& state) {
    const Spot spot = Make_Spot("As", "Kd", {"Qs", "Js", "2h", "7c"}, 1);
    for (auto _ : state) {
        ExactCounts counts;
        Exact_HeadsUp(spot, counts);
        benchmark::DoNotOptimize(counts);
    }
}
BENCHMARK(BM_Showdown_Turn_HeadsUp)->Unit(benchmark::kMillisecond);

// The by-the-river categories before the flop: all 2,118,760 boards.
void BM_Showdown_River_Categories_Preflop(benchmark::State& state) {
    const Spot spot = Make_Spot("Ah", "Td", {}, 1);
    for (auto _ : state) {
        std::int64_t count[10];
        std::int64_t boards = 0;
        River_Categories(spot, count, boards);
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_Showdown_River_Categories_Preflop)->Unit(benchmark::kMillisecond);

// Three opponents from the flop. A "hand" is one player's seven-card hand evaluated: every deal rates
// the hero and the three opponents, four hands; the counter "hands" is their rate per second.
void BM_Showdown_MonteCarlo_3(benchmark::State& state) {
    const Spot spot = Make_Spot("Ac", "Qc", {"Jc", "7h", "2c"}, 3);
    const std::uint64_t seed = Spot_Seed(spot);
    constexpr std::int64_t trials = 65536;
    std::uint64_t batch = 0;
    std::int64_t hands = 0;
    for (auto _ : state) {
        Tally tally;
        Monte_Carlo_Batch(spot, seed, batch++, trials, tally);
        benchmark::DoNotOptimize(tally);
        hands += tally.trials * (spot.opponents + 1);
    }
    state.counters["hands"] = benchmark::Counter(static_cast<double>(hands), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Showdown_MonteCarlo_3)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
