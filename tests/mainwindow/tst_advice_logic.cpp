#include "advice/potodds.h"
#include "advice/preflopstats.h"
#include "advice/strategy.h"
#include "config/modglobal.h"
#include "shell/errorreport.h"
#include "shell/messages.h"

#include <QLocale>
#include <QTest>

#include <limits>

namespace {

struct Row {
    const char* key;
    const char* word;
    double rank;
    double atRank;
    double group;
};

void Load_Table(std::initializer_list<Row> rows) {
    Reset_Stats();
    Long n = 0;
    for (const Row& r : rows) {
        ++n;
        PreflopStats[n].HandKey = QString::fromLatin1(r.key);
        PreflopStats[n].Strategy = QString::fromLatin1(r.word);
        PreflopStats[n].HandRank = r.rank;
        PreflopStats[n].HandsAtRank = r.atRank;
        PreflopStats[n].Grouping = r.group;
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
        parts << QString::number(rows[i].wager) +
                     (rows[i].bet ? QStringLiteral(":BET") : QStringLiteral(":FOLD"));
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

    // --- hand keys ---
    void hand_key_data() {
        QTest::addColumn<QString>("cards");
        QTest::addColumn<bool>("suited");
        QTest::addColumn<QString>("key");
        QTest::newRow("ace then king") << "AK" << false << "AK";
        QTest::newRow("king then ace") << "KA" << false << "AK";
        QTest::newRow("suited, king first") << "KA" << true << "AK s";
        QTest::newRow("pair") << "77" << false << "77";
        QTest::newRow("ten nine") << "9T" << false << "T9";
        QTest::newRow("ten nine suited") << "T9" << true << "T9 s";
        QTest::newRow("deuce and three") << "23" << false << "32";
        QTest::newRow("not a rank letter") << "A1" << false << "";
        QTest::newRow("lower case is no letter") << "ak" << false << "";
    }
    void hand_key() {
        QFETCH(QString, cards);
        QFETCH(bool, suited);
        QFETCH(QString, key);
        QCOMPARE(Hand_Key(cards.at(0), cards.at(1), suited), key);
    }

    // --- lookup ---
    void lookup_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("colour");
        QTest::addColumn<bool>("found");
        QTest::newRow("suited row") << "AK s"
                                    << "AK s - Best (3/5) [2] G1" << 0xFF00FF << true;
        QTest::newRow("offsuit row") << "AK"
                                     << "AK - Better (4/5) [4] G2" << 0xFFFF00 << true;
        QTest::newRow("first of two rows wins") << "77"
                                                << "77 - Marginal (20/5) [6] G3" << 0x00FF00 << true;
        QTest::newRow("lower-case word found, no colour") << "T9 s"
                                                          << "T9 s - best (40/5) [3] G5" << 0 << true;
        QTest::newRow("unknown hand") << "32"
                                      << "32 - Unknown Combination (0/5) [0] G0" << 0 << false;
        QTest::newRow("key compared exactly") << "ak s"
                                              << "ak s - Unknown Combination (0/5) [0] G0" << 0 << false;
    }
    void lookup() {
        QFETCH(QString, key);
        QFETCH(QString, line);
        QFETCH(int, colour);
        QFETCH(bool, found);
        Load_Table({{"AK s", "Best", 3, 2, 1},
                    {"AK", "Better", 4.5, 4, 2.5}, // halves to even: 4 and 2
                    {"77", "Marginal", 20, 6, 3},
                    {"77", "Fold", 99, 9, 9},
                    {"T9 s", "best", 40, 3, 5}});
        const QString word = Return_Strategy_Results(key);
        QCOMPARE(Info_Line(key, word), line);
        QCOMPARE(StrategyColor, colour);
        QCOMPARE(StrategyFound, found);
        QVERIFY(shown.isEmpty());
    }

    void rounding_of_figures() {
        Load_Table({{"AK", "Better", 4.5, 3.5, 2.5}});
        QCOMPARE(Return_Strategy_Results(QStringLiteral("AK")), QStringLiteral("Better"));
        QCOMPARE(StrategyRank, 4);
        QCOMPARE(StrategyAtRank, 4);
        QCOMPARE(StrategyGroup, 2);
    }

    void unknown_after_known_shows_zero_figures() {
        Load_Table({{"AK", "Best", 3, 2, 1}});
        Return_Strategy_Results(QStringLiteral("AK"));
        const QString word = Return_Strategy_Results(QStringLiteral("QJ"));
        QCOMPARE(Info_Line(QStringLiteral("QJ"), word),
                 QStringLiteral("QJ - Unknown Combination (0/1) [0] G0"));
        QCOMPARE(StrategyColor, 0);
    }

    void empty_table() {
        const QString word = Return_Strategy_Results(QStringLiteral("AK"));
        QCOMPARE(Info_Line(QStringLiteral("AK"), word),
                 QStringLiteral("AK - Unknown Combination (0/0) [0] G0"));
    }

    void figure_out_of_range_is_reported() {
        Load_Table({{"AK", "Best", 3, 1e12, 1}});
        const QString word = Return_Strategy_Results(QStringLiteral("AK"));
        QCOMPARE(word, QStringLiteral("Best"));
        QCOMPARE(StrategyRank, 3);
        QCOMPARE(StrategyColor, 0); // the lookup ended before the colour
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QStringLiteral("Return_Strategy_Results"));
        QCOMPARE(ErrNumber, err::Overflow);
    }

    void advice_colours_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("colour");
        QTest::newRow("Best") << "Best" << 0xFF00FF;
        QTest::newRow("Better") << "Better" << 0xFFFF00;
        QTest::newRow("Good") << "Good" << 0xFF8080;
        QTest::newRow("Marginal") << "Marginal" << 0x00FF00;
        QTest::newRow("Bad") << "Bad" << 0x00FFFF;
        QTest::newRow("Worse") << "Worse" << 0x0080FF;
        QTest::newRow("Fold") << "Fold" << 0x0000FF;
        QTest::newRow("FOLD upper case") << "FOLD" << 0;
        QTest::newRow("blank") << "" << 0;
    }
    void advice_colours() {
        QFETCH(QString, word);
        QFETCH(int, colour);
        QCOMPARE(Advice_Colour(word), colour);
    }

    // --- wagers ---
    void wagers_data() {
        QTest::addColumn<double>("minBet");
        QTest::addColumn<double>("maxBet");
        QTest::addColumn<int>("raises");
        QTest::addColumn<double>("outs");
        QTest::addColumn<double>("unseen");
        QTest::addColumn<double>("pot");
        QTest::addColumn<bool>("small");
        QTest::addColumn<QString>("expected");
        QTest::newRow("flop defaults, pot 40, 9 outs")
            << 1.0 << 2.0 << 3 << 9.0 << 47.0 << 40.0 << true << "1:BET 2:BET 3:BET 4:BET";
        QTest::newRow("turn 9 outs pot 20")
            << 1.0 << 2.0 << 3 << 9.0 << 46.0 << 20.0 << false << "2:BET 4:FOLD 6:FOLD 8:FOLD";
        QTest::newRow("wager equal to share bets")
            << 1.0 << 2.0 << 3 << 23.0 << 46.0 << 8.0 << false << "2:BET 4:BET 6:FOLD 8:FOLD";
        QTest::newRow("unit 2.5") << 2.5 << 2.0 << 3 << 9.0 << 47.0 << 0.0 << true
                                  << "2:FOLD 4:FOLD 6:FOLD 8:FOLD 10:FOLD";
        QTest::newRow("unit 3.5 rounds to 4, end 14")
            << 3.5 << 2.0 << 3 << 47.0 << 47.0 << 100.0 << true << "4:BET 8:BET 12:BET";
        QTest::newRow("pot 0") << 1.0 << 2.0 << 3 << 9.0 << 47.0 << 0.0 << true
                               << "1:FOLD 2:FOLD 3:FOLD 4:FOLD";
        QTest::newRow("negative pot")
            << 1.0 << 2.0 << 3 << 9.0 << 47.0 << -5.0 << true << "1:FOLD 2:FOLD 3:FOLD 4:FOLD";
        QTest::newRow("zero outs") << 1.0 << 2.0 << 3 << 0.0 << 46.0 << 1000.0 << false
                                   << "2:FOLD 4:FOLD 6:FOLD 8:FOLD";
        QTest::newRow("no unseen cards")
            << 1.0 << 2.0 << 3 << 9.0 << 0.0 << 1000.0 << true << "1:FOLD 2:FOLD 3:FOLD 4:FOLD";
        QTest::newRow("unit rounds to 0") << 0.5 << 2.0 << 3 << 9.0 << 47.0 << 40.0 << true << "";
        QTest::newRow("unit 0.4") << 0.4 << 2.0 << 3 << 9.0 << 47.0 << 40.0 << true << "";
        QTest::newRow("negative unit") << -3.0 << 2.0 << 3 << 9.0 << 47.0 << 40.0 << true << "";
        QTest::newRow("negative raises lists the bet")
            << 1.0 << 2.0 << -7 << 9.0 << 47.0 << 40.0 << true << "1:BET";
        QTest::newRow("zero raises") << 1.0 << 2.0 << 0 << 9.0 << 47.0 << 40.0 << true << "1:BET";
        QTest::newRow("unit beyond 32 bits") << 1.0 << 3e9 << 3 << 9.0 << 46.0 << 40.0 << false << "";
        QTest::newRow("unit near 32-bit limit")
            << 1.0 << 2e9 << 3 << 46.0 << 46.0 << 3e9 << false << "2000000000:BET";
        QTest::newRow("unit huge negative") << -1e300 << 2.0 << 3 << 9.0 << 47.0 << 40.0 << true << "";
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

    void wager_list_stays_bounded_data() {
        QTest::addColumn<double>("unit");
        QTest::addColumn<int>("raises");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("last");
        QTest::newRow("int max raises")
            << 1.0 << std::numeric_limits<int>::max() << MaxRaises + 1 << MaxRaises + 1;
        QTest::newRow("int min raises") << 1.0 << std::numeric_limits<int>::min() << 1 << 1;
        QTest::newRow("most raises") << 2.0 << int(MaxRaises) << MaxRaises + 1 << 2 * (MaxRaises + 1);
        QTest::newRow("unit just under 1.5 steps by one") << 1.4999 << int(MaxRaises) << 24 << 24;
        QTest::newRow("unit 2.5, most raises") << 2.5 << int(MaxRaises) << 20 << 40;
        QTest::newRow("bets near the limit") << 1.0e9 << 1000 << 2 << 2000000000;
        QTest::newRow("bets at the limit") << 2147483647.0 << 5 << 1 << 2147483647;
    }
    void wager_list_stays_bounded() {
        QFETCH(double, unit);
        QFETCH(int, raises);
        QFETCH(int, rows);
        QFETCH(int, last);
        Set_Limits(unit, unit, raises);
        WagerRow list[MaxWagerRows];
        const int n = Wager_Actions(1, 46, 10, true, list);
        QCOMPARE(n, rows);
        QVERIFY(n <= MaxWagerRows);
        QCOMPARE(list[n - 1].wager, last);
        for (int i = 1; i < n; ++i)
            QVERIFY(list[i].wager > list[i - 1].wager);
    }

    void list_fits_data() {
        QTest::addColumn<double>("minBet");
        QTest::addColumn<double>("maxBet");
        QTest::addColumn<int>("raises");
        QTest::addColumn<bool>("fits");
        QTest::newRow("defaults") << 1.0 << 2.0 << 3 << true;
        QTest::newRow("most raises") << 10.0 << 20.0 << int(MaxRaises) << true;
        QTest::newRow("one raise too many") << 10.0 << 20.0 << int(MaxRaises) + 1 << false;
        QTest::newRow("negative raises") << 10.0 << 20.0 << -1 << false;
        QTest::newRow("fractional units") << 0.5 << 2.5 << 3 << true;
        QTest::newRow("zero and negative units") << 0.0 << -4.0 << 3 << true;
        QTest::newRow("top wager beyond 32 bits") << 1.0 << 1e9 << 3 << false;
        QTest::newRow("unit beyond 32 bits") << 1.0 << 3e9 << 0 << false;
    }
    void list_fits() {
        QFETCH(double, minBet);
        QFETCH(double, maxBet);
        QFETCH(int, raises);
        QFETCH(bool, fits);
        QCOMPARE(Wager_List_Fits(minBet, maxBet, raises), fits);
    }

    void summary_data() {
        QTest::addColumn<double>("minBet");
        QTest::addColumn<double>("maxBet");
        QTest::addColumn<int>("raises");
        QTest::addColumn<QString>("text");
        QTest::newRow("defaults") << 1.0 << 2.0 << 3 << "Settings: $1.00/$2.00, Max 3 Raises";
        QTest::newRow("10/20 table") << 10.0 << 20.0 << 4 << "Settings: $10.00/$20.00, Max 4 Raises";
        QTest::newRow("thousands") << 1000.0 << 2000.5 << 3 << "Settings: $1,000.00/$2,000.50, Max 3 Raises";
    }
    void summary() {
        QFETCH(double, minBet);
        QFETCH(double, maxBet);
        QFETCH(int, raises);
        QFETCH(QString, text);
        Set_Limits(minBet, maxBet, raises);
        QCOMPARE(Settings_Summary(), text);
    }
};

QTEST_GUILESS_MAIN(TestAdviceLogic)
#include "tst_advice_logic.moc"
