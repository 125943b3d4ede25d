#include "cards/mododds.h"
#include "flow/modboard.h"
#include "tests/support/testsupport.h"

#include <benchmark/benchmark.h>

using namespace modOdds;

namespace {

// Hole cards first, as the player enters them.
const char* const FlopCards = "8s 9s 2s 3s Kh";
const char* const TurnCards = "As Kd Qs Js 2h 7c";

void Deal(const char* cards) {
    testsupport::Reset_Program_State();
    testsupport::Mark_Cards(QLatin1String(cards));
    Copy_Board();
}

void BM_Evaluate_Hand(benchmark::State& state) {
    // A rotating set of hands so that the rating does not see one grid only.
    const char* const hands[] = {"8s 9s 2s 3s Kh", "As 2h 3c 4d 5s", "6s 6h 6c Td Ts",
                                 "Tc Jc Qc Kc Ac", "3h 7h 9h Qh 2h", "4s 4h 8c 8d Kh"};
    QList<Long> cards[std::size(hands)];
    for (std::size_t h = 0; h < std::size(hands); ++h)
        cards[h] = testsupport::Cards(QLatin1String(hands[h]));
    std::size_t next = 0;
    Long sum = 0;
    for (auto _ : state) {
        Clear_Work_Grid();
        for (const Long i : cards[next]) {
            WorkGrid[Card_Suit(i)][Card_Rank(i)] = 1;
            if (Card_Rank(i) == 13) WorkGrid[Card_Suit(i)][0] = 1;
        }
        sum += Evaluate_Hand(0);
        next = next + 1 == std::size(hands) ? 0 : next + 1;
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

// The whole board event of the turn card: marking, the letters, the made hand and the outs search, as
// the window's click hands it to the board flow (the painting is in bench_mainwindow).
void BM_Turn_Card_Event(benchmark::State& state) {
    testsupport::Reset_Program_State();
    testsupport::Play(QStringLiteral("8s 9s 2s 3s Kh"));
    const Long turn = testsupport::Card(QStringLiteral("Ad"));
    for (auto _ : state) {
        modBoard::Card_Chosen(turn, modBoard::Via::Frame);
        benchmark::DoNotOptimize(OutsCount);
        state.PauseTiming();
        modBoard::Card_Released(turn, modBoard::Via::Frame);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Turn_Card_Event)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
