#include "advice/preflopstats.h"
#include "base/messages.h"
#include "flow/modboard.h"
#include "showdown/calculator.h"
#include "showdown/computations.h"
#include "showdown/evaluator.h"
#include "showdown/odds.h"
#include "showdown/strength.h"
#include "tests/support/testsupport.h"

#include <QRegularExpression>

#include <QTest>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

using namespace showdown;

namespace {

// "As Kd 7c" as card indexes, in the shared notation.
std::vector<int> Cards_Of(const QString& text) {
    std::vector<int> out;
    for (const Long card : testsupport::Cards(text))
        out.push_back(card);
    return out;
}

// The opponents' range of a test row: "" any two cards; "mixed" every hand with a weight of its own;
// else the classes listed ("AA KK AK s") at full weight and no other hand.
Range Range_Of(const QString& text) {
    Range r;
    if (text == QLatin1String("mixed")) {
        for (int h = 0; h < cards::HandCount; ++h)
            r.Set_Weight(h, 1 + h * 7919 % Range::MaxWeight);
    } else if (!text.isEmpty()) {
        for (int h = 0; h < cards::HandCount; ++h)
            r.Set_Weight(h, 0);
        for (const QString& key : text.split(QLatin1Char(',')))
            r.Set_Class(*HandClass::Of_Key(key.trimmed()), Range::MaxWeight);
    }
    return r;
}

// "As Kd | Qs Js 2h": hole cards, then the board.
Spot Spot_Of(const QString& text, int opponents = 1, const QString& range = {}) {
    const std::vector<int> c = Cards_Of(QString(text).remove(QLatin1Char('|')));
    Spot s;
    std::copy(c.begin(), c.begin() + 2, s.hole);
    s.boardCount = int(c.size()) - 2;
    std::copy(c.begin() + 2, c.end(), s.board);
    s.opponents = opponents;
    s.range = Range_Of(range);
    return s;
}

// The published counts of all 133,784,560 seven-card hands (and 2,598,960 five-card hands) by category.
constexpr std::int64_t SevenCardCounts[10] = {0,       23294460, 58627800, 31433400, 6461620,
                                              6180020, 4047644,  3473184,  224848,   41584};
constexpr std::int64_t FiveCardCounts[10] = {0, 1302540, 1098240, 123552, 54912, 10200, 5108, 3744, 624, 40};

// Every hand of `left` more cards, a card a level: counts by category and the values seen.
void Census(const Evaluator& ev, Cards hand, int from, int left, std::int64_t (&count)[10],
            std::vector<bool>& seen) {
    for (int c = from; c <= 52 - left; ++c) {
        if (left > 1) {
            Census(ev, hand + Card(c), c + 1, left - 1, count, seen);
            continue;
        }
        const HandValue v = ev.Rate(hand + Card(c));
        ++count[Category_Of(v)];
        seen[v] = true;
    }
}

// Calls f for every choice of k of n places (ascending in pick).
template <class F> void Choose(int n, int k, std::vector<int>& pick, F&& f) {
    if (int(pick.size()) == k) return f();
    for (int i = pick.empty() ? 0 : pick.back() + 1; i <= n - (k - int(pick.size())); ++i) {
        pick.push_back(i);
        Choose(n, k, pick, f);
        pick.pop_back();
    }
}

// The showdowns of a spot one by one: every completion of the board, and against it every opponent hand
// (heads-up) or every ordered pair of opponent hands that share no card, each with its weight.
ExactCounts Brute_Force(const Spot& s, RiverFigures& river) {
    const Evaluator& ev = Evaluator::Get();
    std::vector<int> deck;
    for (int c = 0; c < 52; ++c)
        if (!(s.Dead() & cards::Card_Bit(c))) deck.push_back(c);
    ExactCounts e;
    std::vector<int> pick;
    Choose(int(deck.size()), 5 - s.boardCount, pick, [&] {
        int seven[7] = {s.hole[0], s.hole[1]};
        std::copy(s.board, s.board + s.boardCount, seven + 2);
        std::uint64_t used = 0;
        for (std::size_t i = 0; i < pick.size(); ++i) {
            seven[2 + s.boardCount + int(i)] = deck[pick[i]];
            used |= cards::Card_Bit(deck[pick[i]]);
        }
        const HandValue hero = ev.Rate(seven, 7);
        ++river.count[Category_Of(hero)], ++river.boards;
        struct Hand {
            std::uint64_t bits;
            std::int64_t weight;
            HandValue value;
        };
        std::vector<Hand> hands;
        for (std::size_t i = 0; i < deck.size(); ++i)
            for (std::size_t j = i + 1; j < deck.size(); ++j) {
                const std::uint64_t bits = cards::Card_Bit(deck[i]) | cards::Card_Bit(deck[j]);
                if (bits & used) continue;
                seven[0] = deck[i], seven[1] = deck[j];
                const std::int64_t weight = s.range.Uniform() ? 1 : s.range.Weight(deck[i], deck[j]);
                hands.push_back({bits, weight, ev.Rate(seven, 7)});
            }
        for (const Hand& a : hands) {
            if (s.opponents == 1) {
                e.deals += a.weight, e.wins += hero > a.value ? a.weight : 0;
                e.splitTwo += hero == a.value ? a.weight : 0;
                continue;
            }
            for (const Hand& b : hands) {
                if (a.bits & b.bits) continue;
                const std::int64_t w = a.weight * b.weight;
                const HandValue best = std::max(a.value, b.value);
                e.deals += w, e.wins += hero > best ? w : 0;
                if (hero == best) (a.value == b.value ? e.splitThree : e.splitTwo) += w;
            }
        }
    });
    return e;
}

// The strength counts one showdown at a time: every opponent hand, rated now and, on every completion of
// the board, with the hero at the river.
StrengthCounts Brute_Strength(const Spot& s) {
    const Evaluator& ev = Evaluator::Get();
    std::vector<int> deck;
    for (int c = 0; c < 52; ++c)
        if (!(s.Dead() & cards::Card_Bit(c))) deck.push_back(c);
    const auto standing = [](HandValue hero, HandValue v) { return hero > v ? 0 : hero == v ? 1 : 2; };
    int hero[7] = {s.hole[0], s.hole[1]}, opp[7];
    std::copy(s.board, s.board + s.boardCount, hero + 2);
    const HandValue heroNow = ev.Rate(hero, 2 + s.boardCount);
    StrengthCounts c;
    for (std::size_t i = 0; i < deck.size(); ++i)
        for (std::size_t j = i + 1; j < deck.size(); ++j) {
            const std::int64_t weight = s.range.Uniform() ? 1 : s.range.Weight(deck[i], deck[j]);
            if (weight == 0) continue;
            std::copy(hero + 2, hero + 2 + s.boardCount, opp + 2);
            opp[0] = deck[i], opp[1] = deck[j];
            const int now = standing(heroNow, ev.Rate(opp, 2 + s.boardCount));
            c.now[now] += weight;
            std::vector<int> pick;
            Choose(int(deck.size()), 5 - s.boardCount, pick, [&] { // the completions that miss his hand
                bool free = !pick.empty();
                for (std::size_t k = 0; k < pick.size(); ++k) {
                    free = free && pick[k] != int(i) && pick[k] != int(j);
                    hero[2 + s.boardCount + int(k)] = opp[2 + s.boardCount + int(k)] = deck[pick[k]];
                }
                if (free) c.moves[now][standing(ev.Rate(hero, 7), ev.Rate(opp, 7))] += weight;
            });
        }
    return c;
}

QList<std::int64_t> List(const ExactCounts& e) {
    return {e.deals, e.wins, e.splitTwo, e.splitThree};
}
QList<std::int64_t> List(const RiverFigures& r) {
    return QList<std::int64_t>(r.count, r.count + 10) << r.boards;
}

// The figures a Compute run ends with.
Result Compute_Now(const Spot& spot, int threads = 2) {
    Workers workers(threads);
    Result last;
    // No time limit: the precision alone ends the run, so that the figures never depend on the speed.
    Compute(
        spot, workers, [&](const Result& r) { last = r; }, {}, 1e9);
    return last;
}

QList<double> Figures(const Result& r) {
    return {double(r.odds.hands), r.odds.winPct,        r.odds.tiePct,          r.odds.equityPct,
            r.odds.stdErrorPct,   double(r.odds.exact), double(r.river.boards), double(r.river.count[1]),
            double(r.final)};
}

// Runs the event loop until the calculator has delivered figures of its current spot, the final ones when
// asked: the worker's figures end the wait, not a clock.
void Load_Shipped_Table() {
    advice::Set_Stats_Folder(QStringLiteral(QUORVANE_SOURCE_DIR "/resources"));
    advice::Grab_Stats();
    advice::Set_Stats_Folder(QString());
}

} // namespace

class TestShowdown : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        msg::Set_Message_Handler([](const msg::Message& m) { QFAIL(qPrintable(m.text)); });
    }
    void cleanup() { testsupport::Reset_Program_State(); }

    // Every five- and seven-card hand: the published counts by category, and 7,462 distinct values of
    // five cards, 4,824 of which can be the best five of seven.
    void census_data() {
        QTest::addColumn<int>("cards");
        QTest::newRow("five cards") << 5;
        QTest::newRow("seven cards") << 7;
    }
    void census() {
        QFETCH(int, cards);
        std::int64_t count[10] = {};
        std::vector<bool> seen(1 << 16);
        Census(Evaluator::Get(), Cards{}, 0, cards, count, seen);
        const std::int64_t* expected = cards == 5 ? FiveCardCounts : SevenCardCounts;
        QCOMPARE(QList<std::int64_t>(count, count + 10), QList<std::int64_t>(expected, expected + 10));
        QCOMPARE(std::count(seen.begin(), seen.end(), true), cards == 5 ? 7462 : 4824);
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
        const std::vector<int> a = Cards_Of(two[0]), b = Cards_Of(two[1]);
        const Evaluator& ev = Evaluator::Get();
        const HandValue va = ev.Rate(a.data(), int(a.size())), vb = ev.Rate(b.data(), int(b.size()));
        QCOMPARE(int(Category_Of(va)), category);
        QVERIFY(tie ? va == vb : va > vb);
    }

    // Over all 1,326 starting hands the by-the-river counts see each seven-card hand 21 times (once per
    // pair of its cards as hole cards); one hand of each class stands for its 6, 4 or 12.
    void river_categories_before_the_flop() {
        Workers workers(2);
        std::int64_t sum[10] = {};
        for (int i = 0; i < HandClass::Count; ++i) {
            const HandClass c = HandClass::Of_Index(i);
            int members[HandClass::MaxMembers];
            c.Members(members);
            Spot s;
            s.hole[0] = cards::HandCards[members[0]].low;
            s.hole[1] = cards::HandCards[members[0]].high;
            RiverFigures r;
            QVERIFY(River_Categories(s, workers, r));
            QCOMPARE(r.boards, 2118760);
            for (int k = 0; k < 10; ++k)
                sum[k] += c.Member_Count() * r.count[k];
        }
        for (int k = 0; k < 10; ++k)
            QCOMPARE(sum[k], 21 * SevenCardCounts[k]);
    }

    // The exact counts at the flop, the turn and the river against loops of the test's own over every
    // showdown.
    void exact_against_brute_force_data() {
        QTest::addColumn<QString>("spot");
        QTest::addColumn<int>("opponents");
        QTest::addColumn<QString>("range");
        QTest::newRow("turn, overcards and a gutshot") << "As Kd | Qs Js 2h 7c" << 1 << "";
        QTest::newRow("turn, flush, weighted hands") << "Ah 9h | Kh 5h 5c 2d" << 1 << "mixed";
        QTest::newRow("flop, flush draw") << "8s 9s | 2s 3s Kh" << 1 << "";
        QTest::newRow("flop, a narrow range") << "7h 7d | Ac Kd 2s" << 1 << "AA, KK, AK s, AK, 22";
        QTest::newRow("turn, two, board straight") << "2c 3d | 9s Ts Jh Qc" << 2 << "";
        QTest::newRow("turn, two, four of a kind on board") << "Kc 2d | 8s 8h 8c 8d" << 2 << "mixed";
        QTest::newRow("turn, two, a narrow range") << "Ah Kh | Qh Jd 7s 2c" << 2 << "AA, QQ, JT s, AK, KQ";
        QTest::newRow("flop, two, board pair") << "Ad Kc | 5h 5d 9s" << 2 << "";
        QTest::newRow("river, weighted hands") << "As Kd | Qs Js 2h 7c Tc" << 1 << "mixed";
        QTest::newRow("river, two, board straight") << "2c 3d | 9s Ts Jh Qc Kd" << 2 << "";
    }
    void exact_against_brute_force() {
        QFETCH(QString, spot);
        QFETCH(int, opponents);
        QFETCH(QString, range);
        const Spot s = Spot_Of(spot, opponents, range);
        RiverFigures river;
        const ExactCounts brute = Brute_Force(s, river);
        if (opponents == 2) QVERIFY(brute.splitThree > 0); // the spots split pots three ways too
        Workers workers(2);
        ExactCounts e;
        QVERIFY(opponents == 1 ? Exact_HeadsUp(s, e) : Exact_Two_Opponents(s, workers, e));
        QCOMPARE(List(e), List(brute));
        if (opponents == 1) {
            QVERIFY(Exact_HeadsUp_By_Boards(s, workers, e));
            QCOMPARE(List(e), List(brute));
        }
        RiverFigures r;
        QVERIFY(River_Categories(s, workers, r));
        QCOMPARE(List(r), List(river));
        const Result c = Compute_Now(s);
        QVERIFY(c.odds.exact && c.final && c.river.boards == river.boards);
        QCOMPARE(c.odds.equityPct, 100.0 *
                                       (double(brute.wins) + brute.splitTwo / 2.0 + brute.splitThree / 3.0) /
                                       double(brute.deals));
    }

    // Strength and potential against loops of the test's own over every hand and completion; the clean
    // outs counted by hand.
    void strength_against_brute_force_data() {
        QTest::addColumn<QString>("spot");
        QTest::addColumn<QString>("range");
        QTest::addColumn<int>("cleanOuts");
        // clang-format off
        QTest::newRow("flop, flush draw: the board's pairs are not clean") << "8s 9s | 2s 3s Kh" << "" << 15;
        QTest::newRow("flop, a set, a narrow range") << "7h 7d | 7c Kd 2s" << "AA, KK, AK s, AK, 22" << 7;
        QTest::newRow("flop, board pair, ties") << "Ah 2c | Ad Kh Kd" << "" << 4;
        QTest::newRow("flop, board pair, weighted hands") << "Ad Kc | 5h 5d 9s" << "mixed" << 6;
        QTest::newRow("turn, overcards and a gutshot") << "As Kd | Qs Js 2h 7c" << "" << 10;
        QTest::newRow("turn, a narrow range") << "Ah Kh | Qh Jd 7s 2c" << "QQ, JT s, KQ" << 10;
        QTest::newRow("river, nothing to come") << "As Kd | Qs Js 2h 7c Tc" << "AK, QJ" << 0;
        // clang-format on
    }
    void strength_against_brute_force() {
        QFETCH(QString, spot);
        QFETCH(QString, range);
        QFETCH(int, cleanOuts);
        const Spot s = Spot_Of(spot, 1, range);
        StrengthCounts counts;
        QVERIFY(Strength_Counts(s, counts));
        const StrengthCounts brute = Brute_Strength(s);
        QVERIFY(counts == brute);
        QCOMPARE(Clean_Outs(s), cleanOuts);
    }

    // The figures from the counts (tied pairs count half, the strength raised to the opponent count), and
    // the worked example of the literature: A-Q on 3-4-J against any two cards, strength 58.5%, potential
    // +20.8% and -27.4%.
    void strength_figures() {
        StrengthCounts c{{6, 2, 2}, {{8, 0, 2}, {0, 4, 0}, {3, 0, 5}}};
        const StrengthFigures two = Strength_Figures(c, 2);
        QCOMPARE(
            QString::asprintf("%.4f %.4f %.4f %.4f", two.strengthPct, two.positivePct, two.negativePct,
                              two.effectivePct),
            QStringLiteral("49.0000 30.0000 16.6667 64.3000")); // PPot 3 / (8 + 4 / 2), NPot 2 / (10 + 2)
        QVERIFY(!Strength_Figures(StrengthCounts{}, 1).hasPotential);
        QVERIFY(Strength_Counts(Spot_Of("Ad Qc | 3h 4c Jh"), c));
        const StrengthFigures f = Strength_Figures(c, 1);
        QCOMPARE(QString::asprintf("%.1f %.2f %.2f", f.strengthPct, f.positivePct, f.negativePct),
                 QStringLiteral("58.5 20.83 27.37"));
    }

    // Before the flop against any two cards the enumeration gives the shipped table's fields 7 and 8.
    void preflop_enumeration_data() {
        QTest::addColumn<QString>("hand");
        QTest::newRow("offsuit") << "Ah Kd";
        QTest::newRow("pair") << "7c 7d";
        QTest::newRow("suited") << "Ts 9s";
        QTest::newRow("the worst") << "2h 7c";
    }
    void preflop_enumeration() {
        QFETCH(QString, hand);
        Load_Shipped_Table();
        const Spot s = Spot_Of(hand);
        const HandClass c = HandClass::Of_Cards(s.hole[0], s.hole[1]);
        const advice::PreflopStat& row = advice::PreflopStats[1 + c.Index()];
        QCOMPARE(row.HandKey, c.Key());
        Workers workers(2);
        ExactCounts e;
        QVERIFY(Exact_Preflop_HeadsUp(s, workers, e));
        QCOMPARE(List(e), (QList<std::int64_t>{HandClass::HeadsUpDeals, row.ExactWins, row.ExactTies, 0}));
    }

    // The flow hands the table's counts to the spot of two hole cards; the odds then come from them, exact.
    void shipped_table_through_the_flow() {
        Load_Shipped_Table();
        testsupport::Play(QStringLiteral("Kd Ad"));
        Spot s;
        QVERIFY(modBoard::Showdown_Spot(1, s));
        const advice::PreflopStat& row = advice::PreflopStats[2]; // AK s
        QCOMPARE(s.table, (TableCounts{true, row.ExactWins, row.ExactTies}));
        QCOMPARE(QString(Computation_For(Figure::Odds, s).name),
                 QStringLiteral("odds heads-up before the flop, from the statistics table"));
        Spot narrow = s; // the table's counts are against any two cards only
        narrow.range.Set_Weight(0, 0);
        QCOMPARE(QString(Computation_For(Figure::Odds, narrow).name),
                 QStringLiteral("odds heads-up before the flop against a range"));
        const Result r = Compute_Now(s);
        QVERIFY(r.odds.exact && r.final && r.odds.tiePct > 0);
        QCOMPARE(r.odds.hands, HandClass::HeadsUpDeals);
        QCOMPARE(std::round(r.odds.equityPct * 100) / 100, 67.04);
        QCOMPARE(r.river.boards, 2118760);
        testsupport::Play(QStringLiteral("2c"));
        QVERIFY(modBoard::Showdown_Spot(1, s) && !s.table.known);
    }

    // Monte Carlo against the exact figures: win, tie and equity within four standard errors, whichever
    // way the deals are drawn.
    void monte_carlo_against_exact_data() {
        QTest::addColumn<QString>("spot");
        QTest::addColumn<int>("opponents");
        QTest::addColumn<QString>("range");
        QTest::newRow("flop, flush draw") << "8s 9s | 2s 3s Kh" << 1 << "";
        QTest::newRow("turn, two, split pots") << "2c 3d | 9s Ts Jh Qc" << 2 << "";
        QTest::newRow("flop, two, board pair") << "Ad Kc | 5h 5d 9s" << 2 << "";
        QTest::newRow("turn, weighted hands") << "Ah 9h | Kh 5h 5c 2d" << 1 << "mixed";
        QTest::newRow("turn, two, narrow range") << "Ah Kh | Qh Jd 7s 2c" << 2 << "AA, QQ, JT s, AK, KQ";
        QTest::newRow("before the flop, seven deuce") << "7h 2c" << 1 << "";
        QTest::newRow("before the flop, a narrow range") << "7h 2c" << 1 << "AA, KK, AK s, 72 s";
    }
    void monte_carlo_against_exact() {
        QFETCH(QString, spot);
        QFETCH(int, opponents);
        QFETCH(QString, range);
        const Spot s = Spot_Of(spot, opponents, range);
        Workers workers(2);
        ExactCounts e;
        QVERIFY(s.boardCount == 0 ? Exact_Preflop_HeadsUp(s, workers, e)
                : opponents == 1  ? Exact_HeadsUp(s, e)
                                  : Exact_Two_Opponents(s, workers, e));
        const OddsFigures exact = e.Figures();
        Tally total;
        for (std::uint64_t b = 0; b < 4; ++b) {
            Tally t;
            QVERIFY(Monte_Carlo_Batch(s, Spot_Seed(s), b, 50000, t));
            total.Add(t);
        }
        const double n = double(total.trials), win = exact.winPct / 100, tie = exact.tiePct / 100;
        QVERIFY(std::abs(total.Equity() - exact.equityPct / 100) <= 4 * total.Standard_Error());
        QVERIFY(std::abs(double(total.wins) / n - win) <= 4 * std::sqrt(win * (1 - win) / n));
        QVERIFY(std::abs(double(total.ties) / n - tie) <= 4 * std::sqrt(std::max(tie * (1 - tie), 1e-6) / n));
    }

    // The figures do not depend on the number of threads; the same spot gives the same figures in
    // whatever order its cards come. The nuts: every deal won, the first batch is the last.
    void same_figures_any_threads_data() {
        QTest::addColumn<QString>("spot");
        QTest::addColumn<QString>("same"); // the spot's cards in another order
        QTest::addColumn<int>("opponents");
        QTest::newRow("Monte Carlo") << "Qh Jh | 9c Th 2h"
                                     << "Jh Qh | 2h 9c Th" << 3;
        QTest::newRow("Monte Carlo, many opponents") << "8c 8d | 4s"
                                                     << "8d 8c | 4s" << 7;
        QTest::newRow("two opponents at the flop") << "Ad Kc | 5h 5d 9s"
                                                   << "Kc Ad | 9s 5d 5h" << 2;
        QTest::newRow("before the flop, no table") << "Js Td"
                                                   << "Td Js" << 1;
        QTest::newRow("the nuts, nine opponents") << "As Ks | Qs Js Ts 2d"
                                                  << "Ks As | 2d Ts Js Qs" << 9;
    }
    void same_figures_any_threads() {
        QFETCH(QString, spot);
        QFETCH(QString, same);
        QFETCH(int, opponents);
        const Result one = Compute_Now(Spot_Of(spot, opponents), 1);
        QCOMPARE(Figures(Compute_Now(Spot_Of(spot, opponents), 2)), Figures(one));
        QCOMPARE(Figures(Compute_Now(Spot_Of(same, opponents), 2)), Figures(one));
        QCOMPARE(Spot_Seed(Spot_Of(spot, opponents)), Spot_Seed(Spot_Of(same, opponents)));
        QVERIFY(one.final && one.river.boards > 0);
        QVERIFY(one.odds.exact || one.odds.stdErrorPct <= 100 * TargetStdError);
        if (opponents == 9) QVERIFY(one.odds.winPct == 100 && one.odds.hands == Batch_Trials(9, 0));
    }

    // A run stops at the first check after its stop flag is raised and publishes nothing more: in the
    // Monte Carlo batches, the enumerations on two threads and the exact heads-up count.
    void compute_stops_when_told() {
        Workers workers(2);
        for (const char* spot : {"Ah Kh", "Ah Kh | 2c 7d 9s"}) {
            std::atomic<int> published = 0;
            const auto publish = [&](const Result&) { ++published; };
            const auto stop = [&] { return published >= 1; };
            QVERIFY(!Compute(Spot_Of(spot, 9), workers, publish, stop, 1e9));
            QCOMPARE(published.load(), 1);
        }
        std::atomic<int> checks = 0;
        const auto afterThree = [&] { return ++checks > 3; };
        RiverFigures r;
        ExactCounts e;
        QVERIFY(!River_Categories(Spot_Of("Ah Kh"), workers, r, afterThree));
        checks = 0;
        QVERIFY(!Exact_HeadsUp(Spot_Of("Ah Kh | 2c 7d 9s"), e, afterThree));
        checks = 0;
        QVERIFY(!Exact_Preflop_HeadsUp(Spot_Of("Ah Kh"), workers, e, afterThree));
        checks = 0;
        QVERIFY(!Exact_Two_Opponents(Spot_Of("Ah Kh | 2c 7d 9s", 2), workers, e, afterThree));
    }

    // Invalid spots give nothing; the spot of the board takes the hole cards from HoleCards.
    void spots() {
        std::vector<Spot> invalid(7, Spot_Of("As Kd | 2c 3c 4c 5c"));
        invalid[0].hole[1] = invalid[0].hole[0];
        invalid[1].hole[1] = -1;
        invalid[2].hole[1] = 52;
        invalid[3].boardCount = 6;
        invalid[4].opponents = 0;
        invalid[5].opponents = 10;
        for (int h = 0; h < cards::HandCount; ++h) // no hand but the hero's own
            invalid[6].range.Set_Weight(h, h == cards::Hand_Index(invalid[6].hole[0], invalid[6].hole[1]));
        Workers workers(1);
        for (const Spot& s : invalid) {
            RiverFigures r;
            Tally t;
            QVERIFY(!Valid(s) && !River_Categories(s, workers, r) && !Monte_Carlo_Batch(s, 1, 0, 10, t));
            Calculator calc;
            QCOMPARE(calc.Start(s), std::uint64_t{0});
        }
        QVERIFY(Range().Uniform() && !Range_Of("mixed").Uniform() && !Range_Of("AA").Uniform());
        // Three opponents cannot all hold aces: the batch gives up rather than draw for ever.
        Tally t;
        QVERIFY(!Monte_Carlo_Batch(Spot_Of("Kh Kd", 3, "AA"), 1, 0, 10, t) && t.trials == 0);
        const std::pair<const char*, const char*> boards[] = {{"As", ""},
                                                              {"As Kd", "As Kd"},
                                                              {"As Kd 2c 9h Tc 3s", "As Kd | 3s 9h 2c Tc"},
                                                              {"As Kd 2c -As", "Kd 2c"},
                                                              {"As Kd 2c 9h Tc -9h", "As Kd | 2c Tc"}};
        for (const auto& [clicks, expected] : boards) {
            testsupport::Reset_Program_State();
            testsupport::Play(QString::fromLatin1(clicks));
            Spot s;
            QCOMPARE(modBoard::Showdown_Spot(3, s), *expected != 0);
            if (!*expected) continue;
            std::vector<int> got{s.hole[0], s.hole[1]};
            got.insert(got.end(), s.board, s.board + s.boardCount);
            QCOMPARE(got, Cards_Of(QString(expected).remove(QLatin1Char('|'))));
            QVERIFY(s.opponents == 3 && s.range.Uniform());
        }
    }

    // Nine opponents before the flop: a Monte Carlo run whose running figures come batch by batch, the
    // first before the hands by the river. Start returns before the first; after Cancel nothing of that
    // spot comes, up to the last figures of the next one.
    void calculator_cancels() {
        Calculator calc(nullptr, 2);
        std::vector<Result> delivered;
        connect(&calc, &Calculator::resultReady, &calc, [&](const Result& r) { delivered.push_back(r); });
        const std::uint64_t first = calc.Start(Spot_Of("9h 9d", 9));
        QVERIFY(!calc.Has_Result() && delivered.empty());
        testsupport::Wait_For_Figures(calc, false);
        QVERIFY(delivered[0].hasOdds && !delivered[0].hasRiver && delivered[0].odds.hands > 0);
        calc.Cancel();
        QVERIFY(!calc.Has_Result());
        const std::size_t seen = delivered.size();
        const std::uint64_t next = calc.Start(Spot_Of("8s 9s | 2s 3s Kh"));
        testsupport::Wait_For_Figures(calc, true);
        QVERIFY(std::all_of(delivered.begin(), delivered.begin() + seen,
                            [&](auto& r) { return r.generation == first; }));
        QVERIFY(std::all_of(delivered.begin() + seen, delivered.end(),
                            [&](auto& r) { return r.generation == next; }));
    }

    // Rapid changes of the spot: only the last spot's figures are delivered, and they are those of a run
    // of its own; an invalid spot cancels; destroyed while it runs, the worker is stopped and joined.
    void calculator_drops_stale_figures() {
        Calculator calc(nullptr, 2);
        std::vector<std::uint64_t> delivered;
        connect(&calc, &Calculator::resultReady, &calc,
                [&](const Result& r) { delivered.push_back(r.generation); });
        for (int i = 0; i < 20; ++i)
            calc.Start(Spot_Of(i % 2 ? "Ah Kh" : "2c 7d | 9s Ts", 1 + i % 9));
        const std::uint64_t last = calc.Start(Spot_Of("8s 9s | 2s 3s Kh"));
        QVERIFY(last > 0 && delivered.empty() && !calc.Has_Result());
        testsupport::Wait_For_Figures(calc, true);
        QVERIFY(calc.Latest().odds.exact && calc.Latest().odds.hands == 1070190);
        QCOMPARE(Figures(calc.Latest()), Figures(Compute_Now(Spot_Of("8s 9s | 2s 3s Kh"))));
        QVERIFY(std::all_of(delivered.begin(), delivered.end(), [&](auto g) { return g == last; }));
        calc.Start(Spot_Of("2c 7d | 9s Ts", 5));
        QCOMPARE(calc.Start(Spot{}), std::uint64_t{0});
        QVERIFY(!calc.Has_Result());
        const std::uint64_t after = calc.Start(Spot_Of("As Kd | Qs Js 2h 7c"));
        testsupport::Wait_For_Figures(calc, true);
        QVERIFY(
            std::all_of(delivered.begin(), delivered.end(), [&](auto g) { return g == last || g == after; }));

        auto* running = new Calculator(nullptr, 2);
        running->Start(Spot_Of("Ah Kh", 9));
        testsupport::Wait_For_Figures(*running, false);
        delete running;
    }
};

QTEST_GUILESS_MAIN(TestShowdown)
#include "tst_showdown.moc"
