#include "advice/preflopstats.h"
#include "cards/mododds.h"
#include "flow/modboard.h"
#include "tests/support/testsupport.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

// Whole hands through the board flow, as the player clicks them, with no window: what each event leaves
// for the window to paint.
using namespace advice;
using namespace modOdds;
using modBoard::Board;
using testsupport::Card;
using testsupport::Play;

namespace {

QString Hole_Cards() {
    auto row = [](int r) {
        return HoleCards[r][1] ? testsupport::Card_Name(Card_Index(HoleCards[r][1], HoleCards[r][2]))
                               : QStringLiteral("--");
    };
    return row(1) + QLatin1Char(' ') + row(2);
}

} // namespace

class TestBoard : public QObject {
    Q_OBJECT
    QTemporaryDir statsDir;

  private slots:
    void initTestCase() {
        QVERIFY(testsupport::Write_Stats_File(statsDir.filePath(StatsFileName),
                                              {{"AK s", "1", "Best", "3", "2", "1"},
                                               {"AK", "2", "Better", "5", "4", "2"},
                                               {"K2", "3", "Fold", "160", "1", "9"},
                                               {"Q7", "4", "Worse", "120", "2", "8"}}));
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        testsupport::Reset_Program_State();
        Set_Stats_Folder(statsDir.path());
        Grab_Stats();
        QCOMPARE(StatCount, 4);
        modBoard::Clear();
    }
    void cleanupTestCase() { Set_Stats_Folder(QString()); }

    // Each step of a hand: the letters, the prompt, the pre-flop line, the round's unit, the legend's
    // mode and the hole cards.
    void steps_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("shown"); // letters | prompt | line | small bets | hole cards
        // clang-format off
        QTest::newRow("one card") << "As" << "A|Enter Pre-Flop Cards||1|As --";
        QTest::newRow("suited pair of cards") << "Kh Ah" << "KA|Pre-Flop Strategy|AK s - Best (3/4) [2] G1|1|Kh Ah";
        QTest::newRow("offsuit") << "As Kh" << "AK|Pre-Flop Strategy|AK - Better (5/4) [4] G2|1|As Kh";
        QTest::newRow("third card keeps the line") << "As Kh 2c" << "AK2|Pre-Flop Strategy|AK - Better (5/4) [4] G2|1|As Kh";
        QTest::newRow("flop") << "As Kh 2c 3c 9d" << "AK239|Flop - Enter Pot for Strategy|AK - Better (5/4) [4] G2|1|As Kh";
        QTest::newRow("turn") << "As Kh 2c 3c 9d Td" << "AK239T|Turn - Enter Pot for Strategy|AK - Better (5/4) [4] G2|0|As Kh";
        QTest::newRow("seventh card starts a new hand") << "As Kh 2c 3c 9d Td Jd" << "|Enter Pre-Flop Cards||1|-- --";
        QTest::newRow("back from the turn to the flop") << "As Kh 2c 3c 9d Td -9d" << "AK23T|Flop - Enter Pot for Strategy|AK - Better (5/4) [4] G2|1|As Kh";
        // The line and the hole cards agree when the count comes back to two: the two cards left.
        QTest::newRow("a hole card released at three cards") << "As Kd 2c -As" << "K2|Pre-Flop Strategy|K2 - Fold (160/4) [1] G9|1|Kd 2c";
        QTest::newRow("then a flop") << "As Kd 2c -As Qh 7h 8s" << "K2Q78|Flop - Enter Pot for Strategy|K2 - Fold (160/4) [1] G9|1|Kd 2c";
        QTest::newRow("back to one card") << "As Kd -As" << "K|Enter Pre-Flop Cards||1|Kd --";
        QTest::newRow("a hole card released at the flop") << "As Kd 2s 3s 4h -Kd" << "A234|Flop - Enter Pot for Strategy||1|As --";
        QTest::newRow("another in its place at the turn") << "Ah Kh 2s 3s 4h 5c -Kh Kd" << "A2345K|Turn - Enter Pot for Strategy|AK - Better (5/4) [4] G2|0|Ah Kd";
        QTest::newRow("a pair of one letter released once") << "As Ah -Ah" << "A|Enter Pre-Flop Cards||1|As --";
        QTest::newRow("unknown hand") << "7c Qd" << "7Q|Pre-Flop Strategy|Q7 - Worse (120/4) [2] G8|1|7c Qd";
        QTest::newRow("Clear") << "As Kh 2c 3c 9d !" << "|Enter Pre-Flop Cards||1|-- --";
        QTest::newRow("a chosen card again, a released one again") << "As As -Kh" << "A|Enter Pre-Flop Cards||1|As --";
        // clang-format on
    }
    void steps() {
        QFETCH(QString, clicks);
        QFETCH(QString, shown);
        Play(clicks);
        const QString now = QStringList{Board.CardsText, Board.Prompt, Board.InfoLine,
                                        QString::number(SmallBetRound ? 1 : 0), Hole_Cards()}
                                .join(QLatin1Char('|'));
        QCOMPARE(now, shown);
        QCOMPARE(CardsUnseen, CardCount - CardsChosen);
    }

    // The info line's colour: the advice word's, or neutral for a hand that the table lacks and when
    // the line goes.
    void info_colour() {
        Play("Kh Ah");
        QCOMPARE(Board.InfoColour, ColourScale[0]);
        Play("-Kh");
        QCOMPARE(Board.InfoColour, NeutralColour);
        Play("2s 3h -3h 4d"); // 2 and 4: not in the table
        QVERIFY(Board.InfoLine.contains(QLatin1String("Unknown Combination")));
        QCOMPARE(Board.InfoColour, NeutralColour);
    }

    // Frames: black for a card chosen through its picture or frame, neutral when released that way, the
    // analysis colour for unseen cards; a card ticked in its box alone keeps the colour it had.
    void frames() {
        Play("8s 9s 2s 3s Kh");
        QCOMPARE(FrameColour[Card("8s")], BlackColour);
        QCOMPARE(FrameColour[Card("Ks")], ColourScale[2]); // flush
        QCOMPARE(FrameColour[Card("8h")], ColourScale[6]); // pair
        Play("~Ks");
        QCOMPARE(FrameColour[Card("Ks")], ColourScale[2]);
        Play("-Kh");
        QCOMPARE(MadeHand, Long(Flush)); // back to five, the flush made: the king of hearts improves nothing
        QCOMPARE(FrameColour[Card("Kh")], NeutralColour);
    }

    // Any count but five or six wipes what the flop showed (frames of unseen cards, rows, outs, hit).
    void analysis_wiped_below_three() {
        Play("8s 9s 2s 3s Kh");
        const auto analysed = Board.Analysis;
        Play("-2s"); // four cards
        QVERIFY(Board.Analysis > analysed);
        QCOMPARE(HandsRowCount, 0);
        QCOMPARE(OutsText, QString());
        QCOMPARE(HitPctText, QString());
        QCOMPARE(TotalOuts, 0);
        for (Long i = 0; i < CardCount; ++i)
            QCOMPARE(FrameColour[i], modBoard::Is_Chosen(i) ? BlackColour : NeutralColour);
        QCOMPARE(FrameColour[Card("2s")], NeutralColour); // released through its frame
        QCOMPARE(Board.InfoLine, QStringLiteral("98 s - Unknown Combination (0/4) [0] G0"));
        const auto wiped = Board.Analysis;
        Play("-9s Ad");
        QCOMPARE(Board.Analysis, wiped); // nothing left to wipe
    }

    // What the window repaints: an analysis or its wiping moves Analysis; only Clear (or a seventh card)
    // moves Clears.
    void repaint_counters() {
        const modBoard::BoardState before = Board;
        Play("As Kh 2c");
        QCOMPARE(Board.Analysis, before.Analysis);
        Play("3c 9d");
        QCOMPARE(Board.Analysis, before.Analysis + 1);
        Play("Td Jd");
        QCOMPARE(Board.Clears, before.Clears + 1);
        QCOMPARE(CardsChosen, 0);
    }

    void cards_outside_the_deck_are_ignored() {
        for (const Long index : {-1, 52, 1000}) {
            modBoard::Card_Chosen(index, modBoard::Via::Frame);
            modBoard::Card_Released(index, modBoard::Via::Frame);
        }
        QCOMPARE(CardsChosen, 0);
        QCOMPARE(Board.CardsText, QString());
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "tst_board.moc"
