#include "advice/preflopstats.h"
#include "base/messages.h"
#include "cards/mododds.h"
#include "showdown/calculator.h"
#include "showdown/evaluator.h"
#include "showdown/figures.h"
#include "showdown/odds.h"
#include "tests/support/testsupport.h"

#include <QLocale>
#include <QRegularExpression>
#include <QSignalSpy>

#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using namespace showdown;

namespace {

// "As Kd 7c" as card indexes, in the shared notation.
std::vector<int> Cards(const QString& text) {
    std::vector<int> out;
    for (const Long card : testsupport::Cards(text))
        out.push_back(card);
    return out;
}

// "As Kd | Qs Js 2h": hole cards, then the board.
Spot Spot_Of(const QString& text, int opponents = 1) {
    const std::vector<int> c = Cards(QString(text).remove(QLatin1Char('|')));
    Spot s;
    std::copy(c.begin(), c.begin() + 2, s.hole);
    s.boardCount = int(c.size()) - 2;
    std::copy(c.begin() + 2, c.end(), s.board);
    s.opponents = opponents;
    return s;
}

// The published counts of all 133,784,560 seven-card hands by category code 1..9.
constexpr std::int64_t SevenCardCounts[10] = {0,       23294460, 58627800, 31433400, 6461620,
                                              6180020, 4047644,  3473184,  224848,   41584};

// Every seven-card hand, a card a level: counts by the category of the full rating, and the hands where
// the rating of the suit masks and those of the packed words (Evaluate_Seven, Category_Seven) differ.
struct SevenCounts {
    std::int64_t full[10] = {}, differ = 0;
    void Deal(int from, int left, std::array<std::uint32_t, 4> s, std::uint64_t bits, std::uint32_t suits) {
        for (int c = from; c <= 52 - left; ++c) {
            std::array<std::uint32_t, 4> t = s;
            t[c / 13] |= 1u << (c % 13);
            if (left > 1) {
                Deal(c + 1, left - 1, t, bits | Packed_Bit(c), suits + Suit_Count_Bit(c));
                continue;
            }
            const HandValue v = Evaluate(t[0], t[1], t[2], t[3]);
            const Long a = Category_Of(v);
            ++full[a];
            differ += v != Evaluate_Seven(bits | Packed_Bit(c), suits + Suit_Count_Bit(c)) ||
                      a != Category_Seven(bits | Packed_Bit(c), suits + Suit_Count_Bit(c));
        }
    }
};

// Calls f for every choice of k cards of the deck (positions ascending in pick).
template <class F> void Choose(int n, int k, std::vector<int>& pick, F&& f) {
    if (int(pick.size()) == k) return f();
    for (int i = pick.empty() ? 0 : pick.back() + 1; i <= n - (k - int(pick.size())); ++i) {
        pick.push_back(i);
        Choose(n, k, pick, f);
        pick.pop_back();
    }
}

Result Compute_Now(const Spot& spot, const PreflopExact& preflop = {}) {
    Result last;
    // No time limit: the precision alone ends the run, so that the figures never depend on the speed.
    Compute(
        spot, preflop, [&](const Result& r) { last = r; }, {}, 1e9);
    return last;
}

void Load_Shipped_Table() {
    Set_Stats_Folder(QStringLiteral(QUORVANE_SOURCE_DIR "/resources"));
    Grab_Stats();
    Set_Stats_Folder(QString());
}

} // namespace

class TestShowdown : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        msg::Set_Message_Handler([](const msg::Message& m) { QFAIL(qPrintable(m.text)); });
    }
    void cleanup() { Reset_Stats(); }

    void seven_card_counts() {
        SevenCounts counts;
        counts.Deal(0, 7, {}, 0, 0);
        QCOMPARE(counts.differ, 0);
        for (int code = 0; code <= 9; ++code)
            QCOMPARE(counts.full[code], SevenCardCounts[code]);
    }

    void hand_order_data() {
        QTest::addColumn<QString>("hands"); // better > worse, or a tie: a = b
        QTest::addColumn<int>("category");  // of the first
        QTest::newRow("kicker decides a pair") << "Ah Ad Ks 7c 4d 3s 2h > Ac As Qh Jc 9d 3s 2h" << 2;
        QTest::newRow("fifth card of a high hand") << "Ah Kd 9s 7c 5d 3s 2h > Ac Kh 9d 7s 4c 3d 2c" << 1;
        QTest::newRow("sixth and seventh do not play") << "Ah Kd 9s 7c 5d 4s 3h = Ac Kh 9d 7s 5c 3d 2c" << 1;
        QTest::newRow("six-high straight over the wheel")
            << "2h 3d 4s 5c 6d Kh Kd > Ah 2d 3s 4c 5d Kc Ks" << 5;
        QTest::newRow("wheel over three of a kind") << "Ah 2d 3s 4c 5d > Kh Kd Ks 4d 5h" << 5;
        QTest::newRow("no straight round the corner") << "Ah Ad 2s 3c 4d > Qh Kd As 2c 3d" << 2;
        QTest::newRow("board straight plays: a tie") << "5h 6d 7s 8c 9d 2h 2c = 5h 6d 7s 8c 9d 3s 3h" << 5;
        QTest::newRow("top end of the board straight") << "5h 6d 7s 8c 9d Th 2c > 5h 6d 7s 8c 9d Ks Kh" << 5;
        QTest::newRow("counterfeited two pair") << "Kh Kd Qs Qc 5d Ah 2c > Kh Kd Qs Qc 5d 6h 6c" << 3;
        QTest::newRow("third pair as a kicker") << "Kh Kd Qs Qc 6h 6c 5d > Kh Kd Qs Qc 5d 5h 4c" << 3;
        QTest::newRow("board two pair and kicker") << "Kh Kd Qs Qc Ad 3h 2c = Kh Kd Qs Qc Ad 4h 3c" << 3;
        QTest::newRow("flush beats straight") << "2h 7h 9h Jh Kh Qd Tc > 9d Tc Js Qh Kd 2c 3s" << 6;
        QTest::newRow("six flush cards: the top five") << "Ah Kh 9h 7h 5h 4h > Ah Kh 9h 7h 4h 3h 2h" << 6;
        QTest::newRow("full house beats flush") << "9h 9d 9s 4h 4c > Ah Kh 9h 7h 5h" << 7;
        QTest::newRow("full house by its three") << "9h 9d 9s 2h 2c > 8h 8d 8s Ah Ac" << 7;
        QTest::newRow("two threes: a full house") << "8h 8d 8s 7h 7c 7d 2s > 8h 8d 8s 6h 6c Ad Ks" << 7;
        QTest::newRow("four of a kind, the kicker") << "5h 5d 5s 5c Ad 2h 3c > 5h 5d 5s 5c Kd Qh Jc" << 8;
        QTest::newRow("board four of a kind: a tie") << "5h 5d 5s 5c Ad 2h 3c = 5h 5d 5s 5c Ad Kh Qc" << 8;
        QTest::newRow("steel wheel over four aces") << "Ah 2h 3h 4h 5h > As Ad Ac Ah Kd" << 9;
        QTest::newRow("royal over king high") << "Th Jh Qh Kh Ah > 9s Ts Js Qs Ks" << 9;
        QTest::newRow("straight flush over ace flush") << "5h 6h 7h 8h 9h Ah > Ad Kd Qd Jd 9d" << 9;
        QTest::newRow("three of a kind, kickers") << "7h 7d 7s Ac 3d > 7h 7d 7s Kc Qd" << 4;
        QTest::newRow("suits never break a tie") << "Ah Kh Qh Jh 9h = As Ks Qs Js 9s" << 6;
    }
    void hand_order() {
        QFETCH(QString, hands);
        QFETCH(int, category);
        const bool tie = hands.contains(QLatin1Char('='));
        const QStringList two = hands.split(QRegularExpression(QStringLiteral(" [>=] ")));
        const std::vector<int> a = Cards(two[0]), b = Cards(two[1]);
        const HandValue va = Evaluate_Cards(a.data(), int(a.size())),
                        vb = Evaluate_Cards(b.data(), int(b.size()));
        QCOMPARE(int(Category_Of(va)), category);
        QVERIFY(tie ? va == vb : va > vb);
    }

    // Over all 1,326 starting hands the by-the-river counts see each seven-card hand 21 times (once per
    // pair of its cards as hole cards); one hand of each class stands for its 6, 4 or 12.
    void river_categories_before_the_flop() {
        std::int64_t sum[10] = {};
        for (int hi = 0; hi < 13; ++hi)
            for (int lo = 0; lo <= hi; ++lo)
                for (int suited = 0; suited <= (hi != lo ? 1 : 0); ++suited) {
                    Spot s;
                    s.hole[0] = hi;
                    s.hole[1] = (suited ? 0 : 13) + lo;
                    std::int64_t count[10], boards = 0;
                    QVERIFY(River_Categories(s, count, boards));
                    QCOMPARE(boards, 2118760);
                    for (int c = 0; c < 10; ++c)
                        sum[c] += (hi == lo ? 6 : suited ? 4 : 12) * count[c];
                }
        for (int c = 0; c < 10; ++c)
            QCOMPARE(sum[c], 21 * SevenCardCounts[c]);
    }

    // Small spots against loops of their own: every completion of the board and every opponent hand.
    void exact_against_brute_force_data() {
        QTest::addColumn<QString>("spot");
        QTest::newRow("turn, overcards and a gutshot") << "As Kd | Qs Js 2h 7c";
        QTest::newRow("turn, flush against the board pair") << "Ah 9h | Kh 5h 5c 2d";
        QTest::newRow("turn, the board straight plays") << "2c 3d | 9s Ts Jh Qc";
        QTest::newRow("turn, four of a kind on board") << "Kc 2d | 8s 8h 8c 8d";
        QTest::newRow("flop, flush draw") << "8s 9s | 2s 3s Kh";
        QTest::newRow("one board card") << "7h 7d | Ac";
        QTest::newRow("two board cards") << "Ah Qd | Js Tc";
    }
    void exact_against_brute_force() {
        QFETCH(QString, spot);
        const Spot s = Spot_Of(spot);
        std::vector<int> deck;
        for (int c = 0; c < 52; ++c)
            if (c != s.hole[0] && c != s.hole[1] &&
                std::find(s.board, s.board + s.boardCount, c) == s.board + s.boardCount)
                deck.push_back(c);
        const int n = int(deck.size());
        std::int64_t category[10] = {}, wins = 0, ties = 0, showdowns = 0;
        std::vector<int> pick, opp;
        Choose(n, 5 - s.boardCount, pick, [&] {
            int hero[7] = {s.hole[0], s.hole[1]}, other[7];
            std::copy(s.board, s.board + s.boardCount, hero + 2);
            for (std::size_t i = 0; i < pick.size(); ++i)
                hero[2 + s.boardCount + int(i)] = deck[pick[i]];
            std::copy(hero + 2, hero + 7, other + 2);
            const HandValue h = Evaluate_Cards(hero, 7);
            ++category[Category_Of(h)];
            if (s.boardCount < 3) return;
            Choose(n, 2, opp, [&] {
                if (std::find_first_of(opp.begin(), opp.end(), pick.begin(), pick.end()) != opp.end()) return;
                other[0] = deck[opp[0]];
                other[1] = deck[opp[1]];
                const HandValue o = Evaluate_Cards(other, 7);
                wins += h > o, ties += h == o, ++showdowns;
            });
        });
        std::int64_t count[10], boards = 0;
        QVERIFY(River_Categories(s, count, boards));
        QCOMPARE(std::vector<std::int64_t>(count, count + 10),
                 std::vector<std::int64_t>(category, category + 10));
        if (s.boardCount < 3) return;
        ExactCounts exact;
        QVERIFY(Exact_HeadsUp(s, exact));
        QCOMPARE(exact.showdowns, s.boardCount == 3 ? 1070190 : 45540);
        QCOMPARE(exact.showdowns, showdowns);
        QCOMPARE(exact.wins, wins);
        QCOMPARE(exact.ties, ties);
        const Result r = Compute_Now(s);
        QVERIFY(r.exact && r.final && r.stdErrorPct == 0 && r.riverBoards == boards);
        QCOMPARE(r.equityPct, 100.0 * (double(wins) + 0.5 * double(ties)) / double(showdowns));
    }

    // The shipped exact counts: each row's wins + ties / 2 rounds to its equity; over all 1,326 hands
    // every deal is won or tied. The engine finds them by key, whatever the order and suits.
    void shipped_preflop_counts() {
        Load_Shipped_Table();
        QCOMPARE(StatCount, 169);
        std::int64_t halfPoints = 0;
        for (int r = 1; r <= StatCount; ++r) {
            const PreflopStat& s = PreflopStats[r];
            QVERIFY2(s.HasExact, qPrintable(s.HandKey));
            const double equity = 100.0 * (s.ExactWins + 0.5 * s.ExactTies) / double(PreflopTrialsPerHand);
            QCOMPARE(std::round(equity * 100) / 100, s.StatValue);
            const int weight = s.HandKey[0] == s.HandKey[1]              ? 6
                               : s.HandKey.endsWith(QLatin1String(" s")) ? 4
                                                                         : 12;
            halfPoints += weight * (2 * std::int64_t(s.ExactWins) + s.ExactTies);
        }
        QCOMPARE(halfPoints, 1326 * PreflopTrialsPerHand);
        const std::vector<int> ak = Cards(QStringLiteral("Kd Ad"));
        const PreflopExact aks = Preflop_Lookup(ak[0], ak[1]);
        QVERIFY(aks.found);
        const Result r = Compute_Now(Spot_Of("Ad Kd"), aks);
        QVERIFY(r.exact && r.final && r.tiePct > 0);
        QCOMPARE(r.hands, PreflopTrialsPerHand);
        QCOMPARE(std::round(r.equityPct * 100) / 100, 67.04);
        QCOMPARE(r.riverBoards, 2118760);
        Reset_Stats();
        QVERIFY(!Preflop_Lookup(ak[0], ak[1]).found);
    }

    // Monte Carlo against the exact figures: win, tie and equity within four standard errors.
    void monte_carlo_against_exact_data() {
        QTest::addColumn<QString>("spot");
        QTest::newRow("flop, flush draw") << "8s 9s | 2s 3s Kh";
        QTest::newRow("flop, set against overcards") << "4h 4d | 4c Jd 9s";
        QTest::newRow("turn, split pot likely") << "2c 3d | 9s Ts Jh Qc";
        QTest::newRow("before the flop, aces") << "Ah As";
        QTest::newRow("before the flop, seven deuce") << "7h 2c";
    }
    void monte_carlo_against_exact() {
        QFETCH(QString, spot);
        const Spot s = Spot_Of(spot);
        ExactCounts e{0, 0, PreflopTrialsPerHand};
        if (s.boardCount >= 3) {
            QVERIFY(Exact_HeadsUp(s, e));
        } else {
            Load_Shipped_Table();
            const PreflopExact p = Preflop_Lookup(s.hole[0], s.hole[1]);
            QVERIFY(p.found);
            e.wins = p.wins, e.ties = p.ties;
        }
        const double win = double(e.wins) / double(e.showdowns), tie = double(e.ties) / double(e.showdowns);
        Tally total;
        for (std::uint64_t b = 0; b < 4; ++b) {
            Tally t;
            QVERIFY(Monte_Carlo_Batch(s, Spot_Seed(s), b, 50000, t));
            total.Add(t);
        }
        const double n = double(total.trials);
        QVERIFY(std::abs(total.Equity() - (win + tie / 2)) <= 4 * total.Standard_Error());
        QVERIFY(std::abs(double(total.wins) / n - win) <= 4 * std::sqrt(win * (1 - win) / n));
        QVERIFY(std::abs(double(total.ties) / n - tie) <= 4 * std::sqrt(std::max(tie * (1 - tie), 1e-6) / n));
    }

    // The same spot gives the same figures, in whatever order its cards come; the run stops on its
    // precision. The nuts: every deal won, no spread, the first batch is the last.
    void same_spot_same_figures() {
        const Spot a = Spot_Of("Qh Jh | 9c Th 2h", 3), b = Spot_Of("Jh Qh | 2h 9c Th", 3);
        QCOMPARE(Spot_Seed(a), Spot_Seed(b));
        QVERIFY(Spot_Seed(a) != Spot_Seed(Spot_Of("Qh Jh | 9c Th 2h", 4)));
        const Result first = Compute_Now(a), second = Compute_Now(b);
        QVERIFY(first.final && !first.exact && first.stdErrorPct <= 100 * TargetStdError && first.hands > 0);
        QVERIFY(first.equityPct >= first.winPct && first.equityPct <= first.winPct + first.tiePct / 2 + 1e-9);
        const auto figures = [](const Result& r) {
            return QList<double>{double(r.hands), r.winPct, r.tiePct, r.equityPct, r.stdErrorPct};
        };
        QCOMPARE(figures(second), figures(first));
        QCOMPARE(first.riverBoards, 1081);

        const Result nuts = Compute_Now(Spot_Of("As Ks | Qs Js Ts 2d", 4));
        QVERIFY(nuts.final && nuts.winPct == 100 && nuts.equityPct == 100 && nuts.stdErrorPct == 0);
        QCOMPARE(nuts.hands, Batch_Trials(4, 0));
        QCOMPARE(nuts.riverCount[9], nuts.riverBoards);
    }

    // A run stops at the first check after its stop flag is raised and publishes nothing more: in the
    // Monte Carlo batches, the by-the-river enumeration and the exact heads-up count.
    void compute_stops_when_told() {
        for (const char* spot : {"Ah Kh", "Ah Kh | 2c 7d 9s"}) {
            int published = 0, checksAfter = 0;
            const auto publish = [&](const Result&) { ++published; };
            const auto stop = [&] { return published >= 2 && ++checksAfter; };
            QVERIFY(!Compute(Spot_Of(spot, 9), {}, publish, stop, 1e9));
            QCOMPARE(published, 2);
            QCOMPARE(checksAfter, 1);
        }
        int checks = 0;
        const auto afterThree = [&] { return ++checks > 3; };
        std::int64_t count[10], boards = 0;
        QVERIFY(!River_Categories(Spot_Of("Ah Kh"), count, boards, afterThree));
        checks = 0;
        ExactCounts e;
        QVERIFY(!Exact_HeadsUp(Spot_Of("Ah Kh | 2c 7d 9s"), e, afterThree));
    }

    // Invalid spots give nothing; the spot of the board state takes the hole cards from HoleCards.
    void spots() {
        std::vector<Spot> invalid(6, Spot_Of("As Kd | 2c 3c 4c 5c"));
        invalid[0].hole[1] = invalid[0].hole[0];
        invalid[1].hole[1] = -1;
        invalid[2].hole[1] = 52;
        invalid[3].boardCount = 5;
        invalid[4].opponents = 0;
        invalid[5].opponents = 10;
        for (const Spot& s : invalid) {
            std::int64_t count[10], boards = 0;
            Tally t;
            QVERIFY(!Valid(s) && !River_Categories(s, count, boards) && !Monte_Carlo_Batch(s, 1, 0, 10, t));
            Calculator calc;
            QCOMPARE(calc.Start(s), std::uint64_t{0});
        }
        const std::pair<const char*, const char*> boards[] = {{"As", ""},
                                                              {"As Kd", "As Kd"},
                                                              {"As Kd 2c 9h Tc 3s", "As Kd | 3s 9h 2c Tc"},
                                                              {"As Kd 2c -As", "Kd 2c"},
                                                              {"As Kd 2c 9h Tc -9h", "As Kd | 2c Tc"}};
        for (const auto& [clicks, expected] : boards) {
            modOdds::Reset_State();
            for (QString c : QString(clicks).split(QLatin1Char(' '))) {
                const bool release = c.startsWith(QLatin1Char('-'));
                const int card = Cards(c.remove(QLatin1Char('-')))[0];
                const Long suit = modOdds::Card_Suit(card), rank = modOdds::Card_Rank(card);
                release ? modOdds::Unmark_Card(suit, rank) : modOdds::Mark_Card(suit, rank);
            }
            Spot s;
            QCOMPARE(Spot_From_Board(3, s), *expected != 0);
            if (!*expected) continue;
            std::vector<int> got{s.hole[0], s.hole[1]};
            got.insert(got.end(), s.board, s.board + s.boardCount);
            QCOMPARE(got, Cards(QString(expected).remove(QLatin1Char('|'))));
            QCOMPARE(s.opponents, 3);
        }
        modOdds::Reset_State();
    }

    // The panel's texts in the user's locale: two decimals for the odds, one for the by-the-river rows,
    // which list the categories with a chance above 0, lowest first.
    void figure_texts() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Result exact, refined;
        exact.exact = true;
        refined.stdErrorPct = 0.1249;
        refined.riverBoards = 1000, refined.riverCount[1] = 511, refined.riverCount[2] = 298;
        refined.riverCount[6] = 191;
        QStringList got{Percent_Text(49.5812), Percent_Text(0), Percent_Text(100), Precision_Text(exact),
                        Precision_Text(refined)};
        RiverRow rows[RiverRowSlots];
        QCOMPARE(River_Rows(exact, rows), 0);
        for (Long i = 0, n = River_Rows(refined, rows); i < n; ++i)
            got << rows[i].hand << rows[i].odds;
        QCOMPARE(got.join(QLatin1Char(' ')),
                 "49,58% 0,00% 100,00% exact \u00B1 0,12% High Card 51,1% Pair 29,8% Flush 19,1%");
        QLocale::setDefault(QLocale::c());
    }

    // Nine opponents before the flop: a long Monte Carlo run whose running figures come batch by batch.
    // Start returns before the first; Cancel stops the worker, and nothing comes after it.
    void calculator_cancels() {
        Calculator calc;
        QSignalSpy spy(&calc, &Calculator::resultReady);
        calc.Start(Spot_Of("9h 9d", 9));
        QVERIFY(!calc.Has_Result() && spy.count() == 0);
        QTRY_VERIFY(spy.count() >= 1);
        QVERIFY(!calc.Latest().exact && calc.Latest().riverBoards == 2118760 && calc.Latest().hands > 0);
        QVERIFY(!calc.Latest().final); // nine opponents pre-flop take many batches
        calc.Cancel();
        QTRY_VERIFY(!calc.Busy());
        const int seen = spy.count();
        QTest::qWait(50);
        QVERIFY(spy.count() == seen && !calc.Has_Result());
    }

    // Rapid changes of the spot: only the last spot's figures are delivered, once; an invalid spot
    // cancels; destroyed while it runs, the worker is stopped and joined.
    void calculator_drops_stale_figures() {
        Calculator calc;
        std::vector<std::uint64_t> delivered;
        connect(&calc, &Calculator::resultReady, &calc,
                [&](const Result& r) { delivered.push_back(r.generation); });
        for (int i = 0; i < 20; ++i)
            calc.Start(Spot_Of(i % 2 ? "Ah Kh" : "2c 7d | 9s Ts", 1 + i % 9));
        const std::uint64_t last = calc.Start(Spot_Of("8s 9s | 2s 3s Kh"));
        QVERIFY(last > 0 && delivered.empty() && !calc.Has_Result());
        QTRY_VERIFY(calc.Has_Result() && calc.Latest().final);
        QVERIFY(calc.Latest().exact && calc.Latest().hands == 1070190);
        QCOMPARE(calc.Latest().equityPct, Compute_Now(Spot_Of("8s 9s | 2s 3s Kh")).equityPct);
        QCOMPARE(delivered, std::vector<std::uint64_t>{last});
        calc.Start(Spot_Of("2c 7d | 9s Ts", 5));
        QCOMPARE(calc.Start(Spot{}), std::uint64_t{0});
        QTRY_VERIFY(!calc.Busy());
        QTest::qWait(20);
        QVERIFY(!calc.Has_Result());

        auto* running = new Calculator;
        running->Start(Spot_Of("Ah Kh", 9));
        QTest::qWait(5);
        delete running;
    }
};

QTEST_GUILESS_MAIN(TestShowdown)
#include "tst_showdown.moc"
