#include "advice/potodds.h"
#include "advice/preflopstats.h"
#include "advice/strategy.h"
#include "base/errorreport.h"
#include "base/messages.h"
#include "config/modglobal.h"

#include <QLocale>
#include <QTest>

#include <limits>

using namespace advice;

namespace {

struct Row {
    const char* key;
    const char* word;
    double rank, atRank, group;
};

void Load_Table(std::initializer_list<Row> rows) {
    Reset_Stats();
    Long n = 0;
    for (const Row& r : rows) {
        PreflopStat& s = PreflopStats[++n];
        s.HandKey = QString::fromLatin1(r.key);
        s.Strategy = QString::fromLatin1(r.word);
        s.HandRank = r.rank;
        s.HandsAtRank = r.atRank;
        s.Grouping = r.group;
    }
    StatCount = n;
}

void Set_Limits(double minBet, double maxBet, Long raises) {
    modGlobal::MINBET = minBet;
    modGlobal::MAXBET = maxBet;
    modGlobal::NUMRAISES = raises;
}

// "2:BET 4:FOLD ..." for easy comparison.
QString Wager_Text(double outs, double unseen, double pot, bool small) {
    WagerRow rows[MaxWagerRows];
    const int n = Wager_Actions(outs, unseen, pot, small, rows);
    QStringList parts;
    for (int i = 0; i < n; ++i)
        parts << QString::number(rows[i].wager, 'g', 12) +
                     (rows[i].bet ? QLatin1String(":BET") : QLatin1String(":FOLD"));
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestAdviceLogic : public QObject {
    Q_OBJECT
    QList<msg::Message> shown;

  private slots:
    void initTestCase() {
        msg::Set_Message_Handler([this](const msg::Message& m) { shown << m; });
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        shown.clear();
        Reset_Stats();
        StatCount = 0;
        Reset_Strategy();
        Set_Limits(1, 2, 3);
    }

    // Each lookup follows one of a known hand, so that a miss must clear what the hit left behind.
    void lookup_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("colour");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("line");
        QTest::newRow("suited row") << "AK s" << 0xFF00FF << true << "AK s - Best (3/5) [2] G1";
        QTest::newRow("figures halves to even") << "AK" << 0xFFFF00 << true << "AK - Better (4/5) [4] G2";
        QTest::newRow("first of two rows wins") << "77" << 0x00FF00 << true << "77 - Marginal (20/5) [6] G3";
        QTest::newRow("lower-case word, no colour") << "T9 s" << 0 << true << "T9 s - best (40/5) [3] G5";
        QTest::newRow("unknown hand") << "32" << 0 << false << "32 - Unknown Combination (0/5) [0] G0";
        QTest::newRow("key compared exactly")
            << "ak s" << 0 << false << "ak s - Unknown Combination (0/5) [0] G0";
    }
    void lookup() {
        QFETCH(QString, key);
        QFETCH(int, colour);
        QFETCH(bool, found);
        QFETCH(QString, line);
        Load_Table({{"AK s", "Best", 3, 2, 1},
                    {"AK", "Better", 4.5, 3.5, 2.5},
                    {"77", "Marginal", 20, 6, 3},
                    {"77", "Fold", 99, 9, 9},
                    {"T9 s", "best", 40, 3, 5}});
        Return_Strategy_Results(QStringLiteral("AK s"));
        QCOMPARE(Info_Line(key, Return_Strategy_Results(key)), line);
        QCOMPARE(StrategyColor, colour);
        QCOMPARE(StrategyFound, found);
        QVERIFY(shown.isEmpty());
    }

    // The seven words carry the colour scale in order; anything else has none.
    void advice_colours_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("colour");
        const char* words[] = {"Best", "Better", "Good", "Marginal", "Bad", "Worse", "Fold"};
        const int colours[] = {0xFF00FF, 0xFFFF00, 0xFF8080, 0x00FF00, 0x00FFFF, 0x0080FF, 0x0000FF};
        for (int i = 0; i < 7; ++i)
            QTest::newRow(words[i]) << QString::fromLatin1(words[i]) << colours[i];
        QTest::newRow("upper case") << "FOLD" << 0;
        QTest::newRow("trailing blank") << "Best " << 0;
    }
    void advice_colours() {
        QFETCH(QString, word);
        QFETCH(int, colour);
        QCOMPARE(Advice_Colour(word), colour);
    }

    void hand_keys_data() {
        QTest::addColumn<QString>("cards");
        QTest::addColumn<bool>("suited");
        QTest::addColumn<QString>("key");
        QTest::newRow("higher first") << "AK" << true << "AK s";
        QTest::newRow("lower first") << "KA" << false << "AK";
        QTest::newRow("ten as T") << "9T" << true << "T9 s";
        QTest::newRow("pair") << "77" << false << "77";
        QTest::newRow("not a rank letter") << "A1" << false << "";
        QTest::newRow("lower case") << "ak" << false << "";
    }
    void hand_keys() {
        QFETCH(QString, cards);
        QFETCH(bool, suited);
        QFETCH(QString, key);
        QCOMPARE(Hand_Key(cards[0], cards[1], suited), key);
    }

    void empty_table() {
        QCOMPARE(Info_Line(QStringLiteral("AK"), Return_Strategy_Results(QStringLiteral("AK"))),
                 QStringLiteral("AK - Unknown Combination (0/0) [0] G0"));
    }

    void figure_out_of_range_is_reported() {
        Load_Table({{"AK", "Best", 3, 1e12, 1}});
        QCOMPARE(Return_Strategy_Results(QStringLiteral("AK")), QStringLiteral("Best"));
        QCOMPARE(StrategyRank, 3);
        QCOMPARE(StrategyColor, 0); // the lookup ended before the colour
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Return_Strategy_Results"));
        QCOMPARE(ErrNumber, err::Overflow);
    }

    void wagers_data() {
        QTest::addColumn<double>("minBet");
        QTest::addColumn<double>("maxBet");
        QTest::addColumn<int>("raises");
        QTest::addColumn<double>("outs");
        QTest::addColumn<double>("unseen");
        QTest::addColumn<double>("pot");
        QTest::addColumn<bool>("small");
        QTest::addColumn<QString>("expected");
        const QString folds = QStringLiteral("1:FOLD 2:FOLD 3:FOLD 4:FOLD");
        QTest::newRow("flop, pot 40")
            << 1.0 << 2.0 << 3 << 9.0 << 47.0 << 40.0 << true << "1:BET 2:BET 3:BET 4:BET";
        QTest::newRow("turn 9 outs pot 20")
            << 1.0 << 2.0 << 3 << 9.0 << 46.0 << 20.0 << false << "2:BET 4:FOLD 6:FOLD 8:FOLD";
        QTest::newRow("wager equal to share bets")
            << 1.0 << 2.0 << 3 << 23.0 << 46.0 << 8.0 << false << "2:BET 4:BET 6:FOLD 8:FOLD";
        QTest::newRow("unit 2.5") << 2.5 << 2.0 << 3 << 9.0 << 47.0 << 0.0 << true
                                  << "2.5:FOLD 5:FOLD 7.5:FOLD 10:FOLD"; // money, a row a bet level
        QTest::newRow("unit 3.5 at the turn")
            << 1.0 << 3.5 << 3 << 23.0 << 46.0 << 15.0 << false << "3.5:BET 7:BET 10.5:FOLD 14:FOLD";
        QTest::newRow("negative pot") << 1.0 << 2.0 << 3 << 9.0 << 47.0 << -5.0 << true << folds;
        QTest::newRow("zero outs") << 1.0 << 2.0 << 3 << 0.0 << 47.0 << 1000.0 << true << folds;
        QTest::newRow("no unseen cards") << 1.0 << 2.0 << 3 << 9.0 << 0.0 << 1000.0 << true << folds;
        QTest::newRow("unit under 1")
            << 0.5 << 2.0 << 3 << 9.0 << 47.0 << 40.0 << true << "0.5:BET 1:BET 1.5:BET 2:BET";
        QTest::newRow("negative unit") << -3.0 << 2.0 << 3 << 9.0 << 47.0 << 40.0 << true << "";
        QTest::newRow("unit huge negative") << -1e300 << 2.0 << 3 << 9.0 << 47.0 << 40.0 << true << "";
        QTest::newRow("no raises lists the bet") << 1.0 << 2.0 << 0 << 9.0 << 47.0 << 40.0 << true << "1:BET";
        QTest::newRow("minus one raise lists nothing")
            << 1.0 << 2.0 << -1 << 9.0 << 47.0 << 40.0 << true << "";
        QTest::newRow("negative raises list nothing")
            << 1.0 << 2.0 << -7 << 9.0 << 47.0 << 40.0 << true << "";
        QTest::newRow("unit beyond 32 bits") << 1.0 << 3e9 << 3 << 9.0 << 46.0 << 40.0 << false << "";
        QTest::newRow("unit near 32-bit limit")
            << 1.0 << 2e9 << 3 << 46.0 << 46.0 << 3e9 << false << "2000000000:BET";
    }
    void wagers() {
        QFETCH(double, minBet);
        QFETCH(double, maxBet);
        QFETCH(int, raises);
        QFETCH(double, outs);
        QFETCH(double, unseen);
        QFETCH(double, pot);
        QFETCH(bool, small);
        QFETCH(QString, expected);
        Set_Limits(minBet, maxBet, raises);
        QCOMPARE(Wager_Text(outs, unseen, pot, small), expected);
    }

    // The list stays finite, rising and within MaxWagerRows for any settings; the settings dialog
    // refuses (fits false) what it cannot show whole.
    void wager_list_stays_bounded_data() {
        QTest::addColumn<double>("unit");
        QTest::addColumn<int>("raises");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("fits");
        const int most = int(MaxRaises);
        QTest::newRow("most raises") << 10.0 << most << most + 1 << 10 * (most + 1) << true;
        QTest::newRow("one raise too many") << 10.0 << most + 1 << most + 1 << 10 * (most + 1) << false;
        QTest::newRow("int max raises")
            << 1.0 << std::numeric_limits<int>::max() << most + 1 << most + 1 << false;
        QTest::newRow("int min raises") << 1.0 << std::numeric_limits<int>::min() << 0 << 0 << false;
        QTest::newRow("unit 1.5, a row a bet level") << 1.5 << most << most + 1 << 24 << true;
        QTest::newRow("unit 2.5, most raises") << 2.5 << most << most + 1 << 40 << true;
        QTest::newRow("zero unit, no list") << 0.0 << 3 << 0 << 0 << true;
        QTest::newRow("bets near the limit") << 1.0e9 << 1000 << 2 << 2000000000 << false;
        QTest::newRow("top wager beyond 32 bits") << 1.0e9 << 3 << 2 << 2000000000 << false;
        QTest::newRow("bets at the limit") << 2147483647.0 << 5 << 1 << 2147483647 << false;
        QTest::newRow("unit beyond 32 bits") << 3e9 << 0 << 0 << 0 << false;
    }
    void wager_list_stays_bounded() {
        QFETCH(double, unit);
        QFETCH(int, raises);
        QFETCH(int, rows);
        QFETCH(int, last);
        QFETCH(bool, fits);
        Set_Limits(unit, unit, raises);
        WagerRow list[MaxWagerRows];
        const int n = Wager_Actions(1, 46, 10, true, list);
        QCOMPARE(n, rows);
        QCOMPARE(n ? list[n - 1].wager : 0.0, double(last));
        for (int i = 1; i < n; ++i)
            QVERIFY(list[i].wager > list[i - 1].wager);
        QCOMPARE(modGlobal::Wager_List_Fits(unit, unit, raises), fits);
    }

    // The price of each wager against the showdown equity: W / (pot + W), "BET" from an equity equal to
    // it up; the round's wagers as the action list has them.
    void showdown_advice_data() {
        QTest::addColumn<double>("equityPct");
        QTest::addColumn<double>("pot");
        QTest::addColumn<bool>("small");
        QTest::addColumn<QString>("rows"); // wager:needs in percent:action
        // clang-format off
        QTest::newRow("a made hand the outs rule folds") << 49.6 << 10.0 << true << "1:9.1:BET 2:16.7:BET 3:23.1:BET 4:28.6:BET";
        QTest::newRow("big bets, an equity exactly the price") << 25.0 << 6.0 << false << "2:25.0:BET 4:40.0:FOLD 6:50.0:FOLD 8:57.1:FOLD";
        QTest::newRow("a pot of 0: the whole pot is the wager") << 99.9 << 0.0 << true << "1:100.0:FOLD 2:100.0:FOLD 3:100.0:FOLD 4:100.0:FOLD";
        // clang-format on
        QTest::newRow("a negative pot gives no row") << 50.0 << -5.0 << true << "";
    }
    void showdown_advice() {
        QFETCH(double, equityPct);
        QFETCH(double, pot);
        QFETCH(bool, small);
        QFETCH(QString, rows);
        Set_Limits(1, 2, 3);
        AdviceRow list[MaxWagerRows];
        QStringList got;
        for (int i = 0, n = Showdown_Advice(equityPct, pot, small, list); i < n; ++i)
            got << QString::asprintf("%g:%.1f:%s", list[i].wager, 100 * list[i].needs,
                                     list[i].bet ? "BET" : "FOLD");
        QCOMPARE(got.join(QLatin1Char(' ')), rows);
    }

    void summary_with_grouping() {
        Set_Limits(1000, 2000.5, 4);
        QCOMPARE(Settings_Summary(), QStringLiteral("Settings: $1,000.00/$2,000.50, Max 4 Raises"));
    }

    // The summary names the raises the wager list uses: more than the list can show are shown as the
    // most it shows; a negative count, which lists no wager, as it stands.
    void summary_says_what_the_list_uses_data() {
        QTest::addColumn<int>("raises");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("rows");
        QTest::newRow("defaults") << 3 << 3 << 4;
        QTest::newRow("none") << 0 << 0 << 1;
        QTest::newRow("int max") << std::numeric_limits<int>::max() << int(MaxRaises) << int(MaxRaises) + 1;
        QTest::newRow("negative") << -3 << -3 << 0;
    }
    void summary_says_what_the_list_uses() {
        QFETCH(int, raises);
        QFETCH(int, shown);
        QFETCH(int, rows);
        Set_Limits(1, 2, raises);
        QCOMPARE(Settings_Summary(), QStringLiteral("Settings: $1.00/$2.00, Max %1 Raises").arg(shown));
        WagerRow list[MaxWagerRows];
        QCOMPARE(Wager_Actions(9, 47, 40, true, list), rows);
        QCOMPARE(modGlobal::Raises_Used(raises), shown);
    }
};

QTEST_GUILESS_MAIN(TestAdviceLogic)
#include "tst_advice_logic.moc"