#include "advice/preflopstats.h"
#include "base/messages.h"
#include "flow/modrange.h"
#include "showdown/evaluator.h"
#include "showdown/odds.h"
#include "showdown/rangenotation.h"
#include "tests/support/testsupport.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace showdown;

namespace {

// Ranks with a tie at 3; groups 1 to 4. Top 1% needs 14 hands, top 2% 27, top 3% 40.
const QList<testsupport::StatsRow> Table = {
    {"AA", "1", "Best", "1", "1", "1"},     {"KK", "1", "Best", "2", "1", "1"},
    {"AK s", "1", "Better", "3", "2", "2"}, {"QQ", "1", "Better", "3", "2", "2"},
    {"AK", "1", "Good", "5", "1", "3"},     {"JJ", "1", "Good", "6", "1", "4"},
};

} // namespace

class TestRange : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        msg::Set_Message_Handler([](const msg::Message& m) { QFAIL(qPrintable(m.text)); });
        QVERIFY(dir_.isValid());
        QVERIFY(testsupport::Write_Stats_File(dir_.filePath(advice::StatsFileName), Table));
        advice::Set_Stats_Folder(dir_.path());
    }
    void cleanupTestCase() { advice::Set_Stats_Folder(QString()); }

    // Typed, then written back in the shortest form; a token that is none of the forms is named as typed.
    void notation_both_ways_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written"); // or the refused token
        QTest::addColumn<int>("combos");
        QTest::newRow("the usual list") << "22+,A2s+  KTs+ , QJs ATo+,KQo"
                                        << "22+, A2s+, KTs+, QJs, ATo+, KQo" << 78 + 48 + 12 + 4 + 48 + 12;
        QTest::newRow("both forms, any case") << "ak"
                                              << "AKs, AKo" << 16;
        QTest::newRow("offsuit plus") << "KTo+"
                                      << "KTo+" << 36;
        QTest::newRow("span written high first") << "66-99, a2S-A5s"
                                                 << "99-66, A5s-A2s" << 40;
        QTest::newRow("pairs apart") << "AA KK QQ 88"
                                     << "QQ+, 88" << 24;
        QTest::newRow("top kicker alone") << "AKs+"
                                          << "AKs" << 4;
        QTest::newRow("hands of a class") << "khkd AsKs"
                                          << "AsKs, KhKd" << 2;
        QTest::newRow("a whole class of hands") << "AsKs AhKh AcKc AdKd"
                                                << "AKs" << 4;
        QTest::newRow("every hand") << "Random"
                                    << "any" << 1326;
        QTest::newRow("no hand") << " , "
                                 << "" << 0;
        QTest::newRow("unknown rank") << "AKs, A1s"
                                      << "!A1s" << 0;
        QTest::newRow("span of two kinds") << "A5s-A2o"
                                           << "!A5s-A2o" << 0;
        QTest::newRow("span of two high cards") << "A5s-K2s"
                                                << "!A5s-K2s" << 0;
        QTest::newRow("a pair with a suit") << "QQs"
                                            << "!QQs" << 0;
        QTest::newRow("one card twice") << "AsAs"
                                        << "!AsAs" << 0;
        QTest::newRow("half a class") << "AA, K"
                                      << "!K" << 0;
    }
    void notation_both_ways() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(int, combos);
        const rangenotation::Parsed p = rangenotation::Parse(typed);
        QCOMPARE(p.valid, !written.startsWith(QLatin1Char('!')));
        if (!p.valid) {
            QCOMPARE(QLatin1Char('!') + p.refused, written);
            return;
        }
        QCOMPARE(rangenotation::Shortest(p.range), written);
        QCOMPARE(rangenotation::Combos(p.range), combos);
        QCOMPARE(rangenotation::Shortest(rangenotation::Parse(written).range), written);
    }

    // The top n% by the table's ranks (classes tied at a rank come together), the groups, and the panel's
    // line for them.
    void top_percent_and_groups_data() {
        QTest::addColumn<int>("percent"); // 0: by groups
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("described");
        QTest::addColumn<QString>("bySlider"); // described while the slider's n chose it
        QTest::newRow("top 1%: the tie at rank 3") << 1 << 0 << "QQ+, AKs"
                                                   << "vs top 1% (22 combos)"
                                                   << "vs top 1% (22 combos)";
        QTest::newRow("top 2%") << 2 << 0 << "QQ+, AKs, AKo"
                                << "vs top 2% (34 combos)"
                                << "vs top 2% (34 combos)";
        QTest::newRow("more than the table") << 50 << 0 << "JJ+, AKs, AKo"
                                             << "vs top 3% (40 combos)"
                                             << "vs top 50% (40 combos)";
        QTest::newRow("group 1") << 0 << 1 << "KK+"
                                 << "vs KK+"
                                 << "vs KK+";
        QTest::newRow("groups 1 to 2") << 0 << 2 << "QQ+, AKs"
                                       << "vs top 1% (22 combos)"
                                       << "vs top 1% (22 combos)";
        const char* none = "No hand of the range is left";
        QTest::newRow("no hand") << 0 << 0 << "" << none << none;
    }
    void top_percent_and_groups() {
        QFETCH(int, percent);
        QFETCH(int, group);
        QFETCH(QString, written);
        QFETCH(QString, described);
        QFETCH(QString, bySlider);
        advice::Grab_Stats();
        const Range r = percent ? modRange::Top_Percent(percent) : modRange::Groups(group);
        QCOMPARE(rangenotation::Shortest(r), written);
        QCOMPARE(modRange::Description(r), described);
        modRange::Set_Current(r, percent);
        QCOMPARE(modRange::Description(r), bySlider);
        modRange::Reset_Range();
        QCOMPARE(modRange::Description(Range()), QStringLiteral("vs any two cards"));
        advice::Reset_Stats();
        QCOMPARE(rangenotation::Combos(modRange::Top_Percent(percent ? percent : 1)), 0); // no table
    }

    // Whether every opponent can be dealt a hand of the range beside the spot's cards and each other's.
    void hands_left_data() {
        QTest::addColumn<QString>("spot");
        QTest::addColumn<int>("opponents");
        QTest::addColumn<QString>("range");
        QTest::addColumn<bool>("left");
        QTest::newRow("two opponents of aces") << "7c 2d" << 2 << "AA" << true;
        QTest::newRow("three opponents of aces") << "7c 2d" << 3 << "AA" << false;
        QTest::newRow("blocked by the board") << "As Ah | Ac 5d 9s" << 1 << "AA" << false;
        QTest::newRow("one hand left") << "As 7h | Ac 5d 9s" << 1 << "AA" << true;
        // The first hand taken in order blocks both others, which fit together.
        QTest::newRow("a better choice") << "2c 3d" << 2 << "KsQs, AsKs, QsQh" << true;
        QTest::newRow("no better choice") << "2c 3d" << 3 << "KsQs, AsKs, QsQh" << false;
    }
    void hands_left() {
        QFETCH(QString, spot);
        QFETCH(int, opponents);
        QFETCH(QString, range);
        QFETCH(bool, left);
        const QList<Long> c = testsupport::Cards(QString(spot).remove(QLatin1Char('|')));
        Spot s;
        s.hole[0] = c[0], s.hole[1] = c[1];
        for (qsizetype i = 2; i < c.size(); ++i)
            s.board[s.boardCount++] = c[i];
        s.opponents = opponents;
        s.range = rangenotation::Parse(range).range;
        QCOMPARE(Valid(s), left);
    }

    // Before the flop against a range: the enumeration against loops of the test's own, hand by hand of the
    // range over every board of the 48 cards left.
    void preflop_against_brute_force_data() {
        QTest::addColumn<QString>("hero");
        QTest::addColumn<QString>("range");
        QTest::newRow("partly blocked by the hero") << "Ah Kd"
                                                    << "AA, KK, AKs";
        QTest::newRow("flushes of both") << "9h 8h"
                                         << "AKs, 76s";
        QTest::newRow("single hands") << "2c 2d"
                                      << "AsKs, QhJh, 2h2s";
    }
    void preflop_against_brute_force() {
        QFETCH(QString, hero);
        QFETCH(QString, range);
        const QList<Long> h = testsupport::Cards(hero);
        Spot s;
        s.hole[0] = h[0], s.hole[1] = h[1];
        s.range = rangenotation::Parse(range).range;
        const Evaluator& ev = Evaluator::Get();
        ExactCounts brute;
        for (int hand = 0; hand < cards::HandCount; ++hand) {
            const cards::CardPair p = cards::HandCards[static_cast<std::size_t>(hand)];
            const std::int64_t w = s.range.Weight(hand);
            if (w == 0 || p.low == h[0] || p.low == h[1] || p.high == h[0] || p.high == h[1]) continue;
            Cards deck[48];
            int n = 0;
            for (int c = 0; c < 52; ++c)
                if (c != h[0] && c != h[1] && c != p.low && c != p.high) deck[n++] = Card(c);
            const Cards mine = Card(int(h[0])) + Card(int(h[1])), theirs = Card(p.low) + Card(p.high);
            for (int a = 0; a < n; ++a)
                for (int b = a + 1; b < n; ++b)
                    for (int c = b + 1; c < n; ++c)
                        for (int d = c + 1; d < n; ++d)
                            for (int e = d + 1; e < n; ++e) {
                                const Cards board = deck[a] + deck[b] + deck[c] + deck[d] + deck[e];
                                const HandValue x = ev.Rate(board + mine), y = ev.Rate(board + theirs);
                                brute.deals += w, brute.wins += x > y ? w : 0,
                                    brute.splitTwo += x == y ? w : 0;
                            }
        }
        Workers workers(2);
        ExactCounts e;
        QVERIFY(Exact_Preflop_HeadsUp(s, workers, e));
        QCOMPARE((QList<std::int64_t>{e.deals, e.wins, e.splitTwo}),
                 (QList<std::int64_t>{brute.deals, brute.wins, brute.splitTwo}));
    }

  private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestRange)
#include "tst_range.moc"
