#include "cards/colourscale.h"
#include "cards/mododds.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <array>
#include <vector>

using namespace modOdds;

namespace {

struct Card {
    Long suit = 0;
    Long rank = 0;
};

// "As" is the ace of spades, "Th" the ten of hearts; suits s h c d are 1 2 3 4.
Card Parse_Card(const QString& text) {
    static const QString ranks = QStringLiteral("23456789TJQKA");
    static const QString suits = QStringLiteral("shcd");
    Card c;
    c.rank = Long(ranks.indexOf(text.at(0))) + 1;
    c.suit = Long(suits.indexOf(text.at(1))) + 1;
    Q_ASSERT(c.rank >= 1 && c.suit >= 1);
    return c;
}

// Runs the analysis the way the window does at five and six chosen cards.
void Run_Analysis() {
    Copy_Board();
    MadeHand = 0;
    if (CardsChosen == 5)
        MadeHand = Evaluate_Hand(MadeHand);
    else
        MadeHand = Best_Made_Hand(MadeHand);
    Analyse_Outs();
}

void Enter_Cards(const QStringList& cards) {
    Reset_State();
    for (const QString& text : cards) {
        const Card c = Parse_Card(text);
        Mark_Card(c.suit, c.rank);
    }
    Run_Analysis();
}

QString Rows_Text() {
    QStringList rows;
    for (Long i = 0; i < HandsRowCount; ++i)
        rows
            << QStringLiteral("%1 %2 (%3)").arg(HandsRows[i].hand, HandsRows[i].odds).arg(HandsRows[i].count);
    return rows.join(QStringLiteral("; "));
}

void Set_Work_Card(int index, Long value) {
    const Long suit = Card_Suit(index);
    const Long rank = Card_Rank(index);
    WorkGrid[suit][rank] = value;
    if (rank == 13) WorkGrid[suit][0] = value;
}

// An independent rating of five cards from sorted rank counts, to check the grid evaluator against.
Long Reference_Rating(const std::array<Card, 5>& hand) {
    int counts[14] = {};
    bool flush = true;
    for (const Card& c : hand) {
        ++counts[c.rank];
        flush = flush && c.suit == hand[0].suit;
    }
    std::vector<int> groups;
    int lowest = 14, highest = 0;
    for (int r = 1; r <= 13; ++r) {
        if (counts[r] == 0) continue;
        groups.push_back(counts[r]);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    std::sort(groups.rbegin(), groups.rend());
    const bool distinct = groups.size() == 5;
    const bool wheel = distinct && counts[13] && counts[1] && counts[2] && counts[3] && counts[4];
    const bool straight = distinct && (highest - lowest == 4 || wheel);
    if (straight && flush) return StraightFlush;
    if (groups[0] == 4) return FourOfAKind;
    if (groups[0] == 3 && groups[1] == 2) return FullHouse;
    if (flush) return Flush;
    if (straight) return Straight;
    if (groups[0] == 3) return ThreeOfAKind;
    if (groups[0] == 2 && groups[1] == 2) return TwoPair;
    if (groups[0] == 2) return Pair;
    return HighCard;
}

QString Describe(const std::vector<Card>& cards) {
    QStringList parts;
    for (const Card& c : cards)
        parts << QStringLiteral("%1/%2").arg(c.suit).arg(c.rank);
    return parts.join(QLatin1Char(' '));
}

} // namespace

class TestCards : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Reset_State();
    }

    // ---- Card model and board state ----

    void cardIdentity_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("suit");
        QTest::addColumn<int>("rank");
        QTest::addColumn<QChar>("letter");
        QTest::newRow("0 deuce of spades") << 0 << 1 << 1 << QChar('2');
        QTest::newRow("12 ace of spades") << 12 << 1 << 13 << QChar('A');
        QTest::newRow("13 deuce of hearts") << 13 << 2 << 1 << QChar('2');
        QTest::newRow("21 ten of hearts") << 21 << 2 << 9 << QChar('T');
        QTest::newRow("38 ace of clubs") << 38 << 3 << 13 << QChar('A');
        QTest::newRow("50 king of diamonds") << 50 << 4 << 12 << QChar('K');
        QTest::newRow("51 ace of diamonds") << 51 << 4 << 13 << QChar('A');
    }
    void cardIdentity() {
        QFETCH(int, index);
        QFETCH(int, suit);
        QFETCH(int, rank);
        QFETCH(QChar, letter);
        QCOMPARE(Card_Suit(index), suit);
        QCOMPARE(Card_Rank(index), rank);
        QCOMPARE(Card_Index(suit, rank), index);
        QCOMPARE(Rank_Letter(rank), letter);
    }

    void rankLetterOutOfRange_data() {
        QTest::addColumn<int>("rank");
        QTest::newRow("0") << 0;
        QTest::newRow("14") << 14;
        QTest::newRow("negative") << -3;
    }
    void rankLetterOutOfRange() {
        QFETCH(int, rank);
        QVERIFY(Rank_Letter(rank).isNull());
    }

    void resetState() {
        Mark_Card(1, 13);
        FrameColour[5] = BlackColour;
        MadeHand = 4;
        Reset_State();
        QCOMPARE(RankLetters, QStringLiteral("AKQJT98765432"));
        QCOMPARE(CardsChosen, 0);
        QCOMPARE(CardsUnseen, 52);
        QCOMPARE(MadeHand, 0);
        QCOMPARE(BoardGrid[1][13], 0);
        QCOMPARE(BoardGrid[1][0], 0);
        QCOMPARE(HoleCards[1][1], 0);
        QCOMPARE(FrameColour[5], NeutralColour);
        QCOMPARE(HandsRowCount, 0);
        QVERIFY(OutsText.isEmpty());
    }

    void aceMirror() {
        Mark_Card(2, 13);
        QCOMPARE(BoardGrid[2][13], 1);
        QCOMPARE(BoardGrid[2][0], 1);
        QCOMPARE(CardsChosen, 1);
        QCOMPARE(CardsUnseen, 51);
        Unmark_Card(2, 13);
        QCOMPARE(BoardGrid[2][13], 0);
        QCOMPARE(BoardGrid[2][0], 0);
        QCOMPARE(CardsChosen, 0);
        QCOMPARE(CardsUnseen, 52);
        Mark_Card(2, 12); // a king has no mirror
        QCOMPARE(BoardGrid[2][0], 0);
    }

    void markGuards_data() {
        QTest::addColumn<int>("suit");
        QTest::addColumn<int>("rank");
        QTest::newRow("suit 0") << 0 << 5;
        QTest::newRow("suit 5") << 5 << 5;
        QTest::newRow("rank 0") << 1 << 0;
        QTest::newRow("rank 14") << 1 << 14;
        QTest::newRow("negative") << -1 << -1;
        QTest::newRow("huge") << 1000000 << 1000000;
    }
    void markGuards() {
        QFETCH(int, suit);
        QFETCH(int, rank);
        Mark_Card(suit, rank);
        QCOMPARE(CardsChosen, 0);
        QCOMPARE(CardsUnseen, 52);
        QCOMPARE(HoleCards[1][1], 0);
        Mark_Card(1, 1);
        Unmark_Card(suit, rank);
        QCOMPARE(CardsChosen, 1);
        QCOMPARE(BoardGrid[1][1], 1);
    }

    void markTwiceCountsOnce() {
        Mark_Card(3, 7);
        Mark_Card(3, 7);
        QCOMPARE(CardsChosen, 1);
        QCOMPARE(CardsUnseen, 51);
        QCOMPARE(HoleCards[2][1], 0); // the second mark did not fill the second hole card
        Unmark_Card(3, 7);
        Unmark_Card(3, 7);
        QCOMPARE(CardsChosen, 0);
        QCOMPARE(CardsUnseen, 52);
        Unmark_Card(4, 4); // never chosen
        QCOMPARE(CardsChosen, 0);
    }

    void seenListOrder() {
        Mark_Card(3, 13); // ace of clubs
        Mark_Card(2, 12); // king of hearts
        Mark_Card(1, 13); // ace of spades
        Build_Seen_List();
        QCOMPARE(SeenCount, 3);
        QCOMPARE(SeenList[1][1], 1);
        QCOMPARE(SeenList[1][2], 13);
        QCOMPARE(SeenList[2][1], 2);
        QCOMPARE(SeenList[2][2], 12);
        QCOMPARE(SeenList[3][1], 3);
        QCOMPARE(SeenList[3][2], 13);
    }

    void seenListHoldsTenAtMost() {
        for (int i = 0; i < 20; ++i)
            Mark_Card(Card_Suit(i * 2), Card_Rank(i * 2));
        QCOMPARE(CardsChosen, 20);
        Build_Seen_List();
        QCOMPARE(SeenCount, 10);
        // Analysing such a board must stay inside the arrays.
        Run_Analysis();
        Long sum = 0;
        for (Long c : CategoryCount)
            sum += c;
        QCOMPARE(sum, 32);
    }

    void clearBoard() {
        for (const char* text : {"As", "Kd", "2c", "7h", "Ah"}) {
            const Card c = Parse_Card(QLatin1String(text));
            Mark_Card(c.suit, c.rank);
        }
        Copy_Board();
        FrameColour[0] = ColourScale[3];
        Clear_Board();
        for (int s = 0; s < SuitSlots; ++s)
            for (int r = 0; r < RankSlots; ++r) {
                QCOMPARE(BoardGrid[s][r], 0);
                QCOMPARE(WorkGrid[s][r], 0);
            }
        QCOMPARE(HoleCards[1][1], 0);
        QCOMPARE(HoleCards[1][2], 0);
        QCOMPARE(HoleCards[2][1], 0);
        QCOMPARE(HoleCards[2][2], 0);
        QCOMPARE(FrameColour[0], ColourScale[3]); // the window recolours the frames itself
        WorkGrid[2][5] = 1;
        Copy_Board();
        QCOMPARE(WorkGrid[2][5], 0);
        WorkGrid[4][0] = 1;
        Clear_Work_Grid();
        QCOMPARE(WorkGrid[4][0], 0);
    }

    void suitedTest_data() {
        QTest::addColumn<QStringList>("cards");
        QTest::addColumn<bool>("suited");
        QTest::newRow("ace king of spades") << QStringList{"As", "Ks"} << true;
        QTest::newRow("ace of spades king of hearts") << QStringList{"As", "Kh"} << false;
        QTest::newRow("two diamonds") << QStringList{"2d", "7d"} << true;
        QTest::newRow("pair of aces") << QStringList{"Ac", "Ad"} << false;
    }
    void suitedTest() {
        QFETCH(QStringList, cards);
        QFETCH(bool, suited);
        for (const QString& text : cards) {
            const Card c = Parse_Card(text);
            Mark_Card(c.suit, c.rank);
        }
        QCOMPARE(Suited_Test(), suited);
    }

    // ---- Hole cards as the player corrects his entry ----

    void holeCardCorrections_data() {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("hole1");
        QTest::addColumn<QString>("hole2");
        QTest::newRow("wrong second card released") << "+As +2h -2h +9d +2c +3h +4d"
                                                    << "As"
                                                    << "9d";
        QTest::newRow("wrong first card released") << "+2h +9d -2h +As +2c +3h +4d"
                                                   << "As"
                                                   << "9d";
        QTest::newRow("flop card released at three cards") << "+As +9d +Kc -Kc +2c +3h +4d"
                                                           << "As"
                                                           << "9d";
        QTest::newRow("board card released at the turn") << "+As +9d +2c +3h +5s -5s +4d"
                                                         << "As"
                                                         << "9d";
        QTest::newRow("both hole cards replaced after the flop") << "+Kh +Qh +2c +3h +4d -Kh -Qh +As +9d"
                                                                 << "As"
                                                                 << "9d";
        QTest::newRow("second hole card replaced after the flop") << "+As +Qh +2c +3h +4d -Qh +9d"
                                                                  << "As"
                                                                  << "9d";
    }
    void holeCardCorrections() {
        QFETCH(QString, actions);
        QFETCH(QString, hole1);
        QFETCH(QString, hole2);

        QSet<int> chosen;
        for (const QString& action : actions.split(QLatin1Char(' '))) {
            const Card c = Parse_Card(action.mid(1));
            if (action.startsWith(QLatin1Char('+'))) {
                Mark_Card(c.suit, c.rank);
                chosen.insert(Card_Index(c.suit, c.rank));
            } else {
                Unmark_Card(c.suit, c.rank);
                chosen.remove(Card_Index(c.suit, c.rank));
            }
        }
        const Card h1 = Parse_Card(hole1);
        const Card h2 = Parse_Card(hole2);
        QCOMPARE(HoleCards[1][1], h1.suit);
        QCOMPARE(HoleCards[1][2], h1.rank);
        QCOMPARE(HoleCards[2][1], h2.suit);
        QCOMPARE(HoleCards[2][2], h2.rank);
        QCOMPARE(CardsChosen, Long(chosen.size()));
        QCOMPARE(CardsUnseen, 52 - Long(chosen.size()));

        Run_Analysis();
        const QString rows = Rows_Text();
        const QString outs = OutsText;
        // The same cards entered straight away, hole cards first.
        QStringList direct{hole1, hole2};
        for (int index : chosen) {
            const QString text = QString(QStringLiteral("23456789TJQKA").at(Card_Rank(index) - 1)) +
                                 QStringLiteral("shcd").at(Card_Suit(index) - 1);
            if (text != hole1 && text != hole2) direct << text;
        }
        Enter_Cards(direct);
        QCOMPARE(rows, Rows_Text());
        QCOMPARE(outs, OutsText);
    }

    void boardReleaseKeepsHoleCards() {
        for (const char* text : {"Qs", "Jd", "4c", "8h", "2s"}) {
            const Card c = Parse_Card(QLatin1String(text));
            Mark_Card(c.suit, c.rank);
        }
        Unmark_Card(3, 3); // the four of clubs
        Unmark_Card(1, 1); // the deuce of spades
        QCOMPARE(HoleCards[1][1], 1);
        QCOMPARE(HoleCards[1][2], 11);
        QCOMPARE(HoleCards[2][1], 4);
        QCOMPARE(HoleCards[2][2], 10);
        Unmark_Card(1, 11); // releasing a hole card frees its row only
        QCOMPARE(HoleCards[1][1], 0);
        QCOMPARE(HoleCards[1][2], 0);
        QCOMPARE(HoleCards[2][1], 4);
        Mark_Card(2, 13); // the next chosen card fills the free row
        QCOMPARE(HoleCards[1][1], 2);
        QCOMPARE(HoleCards[1][2], 13);
        Mark_Card(2, 12); // both rows taken: a board card
        QCOMPARE(HoleCards[1][2], 13);
        QCOMPARE(HoleCards[2][2], 10);
    }

    // ---- Rating one hand ----

    void evaluateHand_data() {
        QTest::addColumn<QStringList>("cards");
        QTest::addColumn<int>("floor");
        QTest::addColumn<int>("expected");
        QTest::newRow("royal flush") << QStringList{"Ts", "Js", "Qs", "Ks", "As"} << 0 << 9;
        QTest::newRow("wheel of one suit") << QStringList{"Ah", "2h", "3h", "4h", "5h"} << 0 << 9;
        QTest::newRow("wheel mixed") << QStringList{"Ah", "2c", "3h", "4h", "5h"} << 0 << 5;
        QTest::newRow("ace high straight mixed") << QStringList{"Td", "Js", "Qs", "Ks", "As"} << 0 << 5;
        QTest::newRow("Q-K-A-2-3 is no straight") << QStringList{"Qd", "Ks", "As", "2s", "3h"} << 0 << 1;
        QTest::newRow("Q-K-A-2-3 of one suit is a flush")
            << QStringList{"Qd", "Kd", "Ad", "2d", "3d"} << 0 << 6;
        QTest::newRow("full house") << QStringList{"7s", "7h", "7d", "Ks", "Kc"} << 0 << 7;
        QTest::newRow("full house of aces") << QStringList{"As", "Ah", "Ad", "2s", "2c"} << 0 << 7;
        QTest::newRow("four of a kind") << QStringList{"9s", "9h", "9d", "9c", "2c"} << 0 << 8;
        QTest::newRow("four aces") << QStringList{"As", "Ah", "Ad", "Ac", "Kc"} << 0 << 8;
        QTest::newRow("three of a kind") << QStringList{"9s", "9h", "9d", "4c", "2c"} << 0 << 4;
        QTest::newRow("two pair") << QStringList{"9s", "9h", "4d", "4c", "2c"} << 0 << 3;
        QTest::newRow("pair of aces") << QStringList{"As", "Ah", "4d", "5c", "2c"} << 0 << 2;
        QTest::newRow("flush") << QStringList{"2c", "5c", "9c", "Jc", "Kc"} << 0 << 6;
        QTest::newRow("high card") << QStringList{"2c", "5d", "9c", "Jc", "Kc"} << 0 << 1;
        QTest::newRow("floor above the hand") << QStringList{"As", "Ah", "4d", "5c", "2c"} << 3 << 0;
        QTest::newRow("floor at the hand") << QStringList{"As", "Ah", "4d", "5c", "2c"} << 2 << 2;
        QTest::newRow("floor 9 straight flush") << QStringList{"Ts", "Js", "Qs", "Ks", "As"} << 9 << 9;
        QTest::newRow("floor 10") << QStringList{"Ts", "Js", "Qs", "Ks", "As"} << 10 << 0;
        QTest::newRow("floor far above") << QStringList{"Ts", "Js", "Qs", "Ks", "As"} << 1000 << 0;
        QTest::newRow("negative floor") << QStringList{"As", "Ah", "4d", "5c", "2c"} << -7 << 2;
    }
    void evaluateHand() {
        QFETCH(QStringList, cards);
        QFETCH(int, floor);
        QFETCH(int, expected);
        for (const QString& text : cards) {
            const Card c = Parse_Card(text);
            Mark_Card(c.suit, c.rank);
        }
        Copy_Board();
        QCOMPARE(Evaluate_Hand(floor), expected);
    }

    void evaluateHandFlags() {
        // Two pair leaves the pair flag set as well; a full house leaves three of a kind and pair.
        for (const char* text : {"7s", "7h", "7d", "Ks", "Kc"}) {
            const Card c = Parse_Card(QLatin1String(text));
            Mark_Card(c.suit, c.rank);
        }
        Copy_Board();
        QCOMPARE(Evaluate_Hand(0), 7);
        QCOMPARE(HandFlags[Pair], 1);
        QCOMPARE(HandFlags[ThreeOfAKind], 1);
        QCOMPARE(HandFlags[HighCard], 1);
        QCOMPARE(HandFlags[Flush], 0);
        QCOMPARE(RankCount[6], 3);
        QCOMPARE(SuitCount[1], 2);
    }

    void allHands_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("expected");
        QTest::newRow("straight flush") << 9 << 40;
        QTest::newRow("four of a kind") << 8 << 624;
        QTest::newRow("full house") << 7 << 3744;
        QTest::newRow("flush") << 6 << 5108;
        QTest::newRow("straight") << 5 << 10200;
        QTest::newRow("three of a kind") << 4 << 54912;
        QTest::newRow("two pair") << 3 << 123552;
        QTest::newRow("pair") << 2 << 1098240;
        QTest::newRow("high card") << 1 << 1302540;
        QTest::newRow("nothing rates 0") << 0 << 0;
    }
    void allHands() {
        QFETCH(int, code);
        QFETCH(int, expected);
        static std::array<long, CategorySlots> counts{};
        static bool counted = false;
        if (!counted) {
            Clear_Work_Grid();
            for (int a = 0; a < 52; ++a) {
                Set_Work_Card(a, 1);
                for (int b = a + 1; b < 52; ++b) {
                    Set_Work_Card(b, 1);
                    for (int c = b + 1; c < 52; ++c) {
                        Set_Work_Card(c, 1);
                        for (int d = c + 1; d < 52; ++d) {
                            Set_Work_Card(d, 1);
                            for (int e = d + 1; e < 52; ++e) {
                                Set_Work_Card(e, 1);
                                ++counts[Evaluate_Hand(0)];
                                Set_Work_Card(e, 0);
                            }
                            Set_Work_Card(d, 0);
                        }
                        Set_Work_Card(c, 0);
                    }
                    Set_Work_Card(b, 0);
                }
                Set_Work_Card(a, 0);
            }
            counted = true;
        }
        QCOMPARE(counts[code], long(expected));
    }

    void bestMadeHand_data() {
        QTest::addColumn<QStringList>("cards");
        QTest::addColumn<int>("expected");
        QTest::newRow("no cards") << QStringList{} << 0;
        QTest::newRow("four cards") << QStringList{"As", "Ah", "Ad", "Ac"} << 0;
        QTest::newRow("five cards") << QStringList{"As", "Ah", "Ad", "Kc", "2d"} << 4;
        QTest::newRow("turn card makes a flush") << QStringList{"As", "9s", "2s", "3s", "Kh", "Js"} << 6;
        QTest::newRow("turn card makes a wheel") << QStringList{"As", "9d", "2c", "3h", "4d", "5c"} << 5;
        QTest::newRow("board alone makes a straight")
            << QStringList{"2d", "2h", "8s", "9c", "Th", "Jd", "Qs"} << 5;
        QTest::newRow("two pair on six cards") << QStringList{"As", "Ad", "Kc", "Kh", "7d", "8d"} << 3;
        QTest::newRow("full house over two sets") << QStringList{"9s", "9d", "9c", "4h", "4s", "4d"} << 7;
    }
    void bestMadeHand() {
        QFETCH(QStringList, cards);
        QFETCH(int, expected);
        // The list of chosen cards is built before the last card comes, as the flop analysis leaves it:
        // the rating must read the board as it is now.
        for (const QString& text : cards) {
            Build_Seen_List();
            const Card c = Parse_Card(text);
            Mark_Card(c.suit, c.rank);
        }
        QCOMPARE(Best_Made_Hand(0), expected);
    }

    // ---- The outs search ----

    void analysis_data() {
        QTest::addColumn<QStringList>("cards");
        QTest::addColumn<int>("made");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("outs");
        QTest::addColumn<QString>("hit");
        QTest::newRow("flush draw") << QStringList{"8s", "9s", "2s", "3s", "Kh"} << 1
                                    << "High Card 51.1% (24); Pair 29.8% (14); Flush 19.1% (9)"
                                    << "23"
                                    << "48.9%";
        QTest::newRow("hole ace plays low") << QStringList{"As", "9d", "2c", "3h", "4d"} << 1
                                            << "High Card 59.6% (28); Pair 31.9% (15); Straight 8.5% (4)"
                                            << "19"
                                            << "40.4%";
        QTest::newRow("turn") << QStringList{"As", "Kd", "Qs", "Js", "2h", "7c"} << 1
                              << "High Card 52.2% (24); Pair 39.1% (18); Straight 8.7% (4)"
                              << "22"
                              << "47.8%";
        QTest::newRow("board pair K-K-7 with A Q")
            << QStringList{"As", "Qh", "Kc", "Kd", "7s"} << 2
            << "Pair 76.6% (36); 2 Pair 19.1% (9); 3 Of A Kind 4.3% (2)"
            << "11"
            << "23.4%";
        QTest::newRow("nines on 2-5-K") << QStringList{"9s", "9h", "2c", "5d", "Kh"} << 2
                                        << "Pair 76.6% (36); 2 Pair 19.1% (9); 3 Of A Kind 4.3% (2)"
                                        << "11"
                                        << "23.4%";
        QTest::newRow("four of a kind cannot improve")
            << QStringList{"2s", "2h", "2c", "2d", "7s"} << 8 << "4 Of A Kind 100.0% (47)"
            << "0"
            << "0.0%";
        QTest::newRow("straight flush cannot improve")
            << QStringList{"As", "Ks", "Qs", "Js", "Ts"} << 9 << "Straight Flush 100.0% (47)"
            << "0"
            << "0.0%";
        QTest::newRow("flush on the board alone is no out")
            << QStringList{"2h", "7c", "4s", "9s", "Js", "Ks"} << 1 << "High Card 60.9% (28); Pair 39.1% (18)"
            << "18"
            << "39.1%";
    }
    void analysis() {
        QFETCH(QStringList, cards);
        QFETCH(int, made);
        QFETCH(QString, rows);
        QFETCH(QString, outs);
        QFETCH(QString, hit);
        Enter_Cards(cards);
        QCOMPARE(MadeHand, made);
        QCOMPARE(Rows_Text(), rows);
        QCOMPARE(OutsText, outs);
        QCOMPARE(HitPctText, hit);
        QCOMPARE(TotalOuts, OutsCount);
        QCOMPARE(OutsText.toInt(), OutsCount);
    }

    void analysisLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Enter_Cards({"8s", "9s", "2s", "3s", "Kh"});
        QCOMPARE(HitPctText, QStringLiteral("48,9%"));
        QCOMPARE(HandsRows[2].odds, QStringLiteral("19,1%"));
    }

    void frameColours_data() {
        QTest::addColumn<QStringList>("cards");
        QTest::addColumn<QString>("card");
        QTest::addColumn<uint>("colour");
        const QStringList draw{"8s", "9s", "2s", "3s", "Kh"};
        QTest::newRow("king of spades completes the flush") << draw << "Ks" << uint(ColourScale[2]);
        QTest::newRow("eight of hearts pairs") << draw << "8h" << uint(ColourScale[6]);
        QTest::newRow("four of hearts misses") << draw << "4h" << uint(NeutralColour);
        const QStringList kings{"As", "Qh", "Kc", "Kd", "7s"};
        QTest::newRow("a seven gives two pair with the hole ace") << kings << "7h" << uint(ColourScale[5]);
        QTest::newRow("a king gives three of a kind") << kings << "Kh" << uint(ColourScale[4]);
        QTest::newRow("nines: an unseen ace is no out")
            << QStringList{"9s", "9h", "2c", "5d", "Kh"} << "Ad" << uint(NeutralColour);
        QTest::newRow("a five makes the wheel")
            << QStringList{"As", "9d", "2c", "3h", "4d"} << "5s" << uint(ColourScale[3]);
        QTest::newRow("a ten fills the royal flush draw")
            << QStringList{"As", "Ks", "Qs", "Js", "2d"} << "Ts" << uint(ColourScale[0]);
        QTest::newRow("a nine fills the full house")
            << QStringList{"2s", "2h", "9c", "9d", "5h"} << "9h" << uint(ColourScale[1]);
        QTest::newRow("the last nine makes four of a kind")
            << QStringList{"9s", "2h", "9c", "9d", "5h"} << "9h" << uint(ColourScale[0]);
        QTest::newRow("a spade completes only the board's flush")
            << QStringList{"2h", "7c", "4s", "9s", "Js", "Ks"} << "Qs" << uint(NeutralColour);
    }
    void frameColours() {
        QFETCH(QStringList, cards);
        QFETCH(QString, card);
        QFETCH(uint, colour);
        Enter_Cards(cards);
        const Card c = Parse_Card(card);
        QCOMPARE(uint(FrameColour[Card_Index(c.suit, c.rank)]), colour);
    }

    void chosenFramesKeepTheirColour() {
        Enter_Cards({"8s", "9s", "2s", "3s", "Kh"});
        const BgrColour flopColour = FrameColour[Card_Index(1, 12)]; // king of spades, a flush card
        QCOMPARE(flopColour, ColourScale[2]);
        for (int i = 0; i < CardCount; ++i)
            if (BoardGrid[Card_Suit(i)][Card_Rank(i)] == 1) FrameColour[i] = BlackColour;
        Mark_Card(1, 12); // the king of spades comes on the turn
        Run_Analysis();
        QCOMPARE(MadeHand, Long(Flush));
        QCOMPARE(FrameColour[Card_Index(1, 12)], flopColour);
        QCOMPARE(FrameColour[Card_Index(1, 7)], BlackColour);
        QCOMPARE(FrameColour[Card_Index(2, 12)], BlackColour);
        QCOMPARE(CardsUnseen, 46);
    }

    void analysisBelowFiveCards() {
        Enter_Cards({"As", "Kd", "7c"});
        QCOMPARE(MadeHand, 0);
        QCOMPARE(OutsCount, 0);
        QCOMPARE(HandsRowCount, 1);
        QCOMPARE(HandsRows[0].code, 0);
        QVERIFY(HandsRows[0].hand.isEmpty());
        QCOMPARE(HandsRows[0].count, 49);
        QCOMPARE(HitPctText, QStringLiteral("0.0%"));
    }

    void rowsDoNotLinger() {
        Enter_Cards({"8s", "9s", "2s", "3s", "Kh"});
        QCOMPARE(HandsRowCount, 3);
        Enter_Cards({"2s", "2h", "2c", "2d", "7s"});
        QCOMPARE(HandsRowCount, 1);
        QCOMPARE(HandsRows[1].count, 0);
        QVERIFY(HandsRows[1].hand.isEmpty());
    }

    void randomBoards_data() {
        QTest::addColumn<int>("cards");
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 2024u})
            QTest::addRow("flop seed %u", seed) << 5 << seed;
        for (quint32 seed : {3u, 11u, 4096u})
            QTest::addRow("turn seed %u", seed) << 6 << seed;
    }
    void randomBoards() {
        QFETCH(int, cards);
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        for (int deal = 0; deal < 40; ++deal) {
            Reset_State();
            std::vector<Card> chosen;
            std::array<int, CardCount> deck{};
            for (int i = 0; i < CardCount; ++i)
                deck[i] = i;
            for (int i = 0; i < cards; ++i) {
                const int pick = i + int(random.bounded(CardCount - i));
                std::swap(deck[i], deck[pick]);
                const Card c{Card_Suit(deck[i]), Card_Rank(deck[i])};
                Mark_Card(c.suit, c.rank);
                chosen.push_back(c);
            }
            for (const Card& c : chosen)
                FrameColour[Card_Index(c.suit, c.rank)] = BlackColour;
            Run_Analysis();
            const QString where = Describe(chosen);

            // The made hand over every five of the chosen cards.
            Long made = 0;
            const int n = int(chosen.size());
            for (int mask = 0; mask < (1 << n); ++mask) {
                if (__builtin_popcount(unsigned(mask)) != 5) continue;
                std::array<Card, 5> hand;
                int k = 0;
                for (int i = 0; i < n; ++i)
                    if (mask & (1 << i)) hand[k++] = chosen[i];
                made = std::max(made, Reference_Rating(hand));
            }
            QVERIFY2(MadeHand == made, qPrintable(where));

            // Per unseen card, the best five that hold the candidate, four chosen cards and a hole card.
            std::array<Long, CategorySlots> expected{};
            for (int index = 0; index < CardCount; ++index) {
                const Card candidate{Card_Suit(index), Card_Rank(index)};
                if (std::find(deck.begin(), deck.begin() + cards, index) != deck.begin() + cards) continue;
                Long best = 0;
                for (int mask = 0; mask < (1 << n); ++mask) {
                    if (__builtin_popcount(unsigned(mask)) != 4 || (mask & 3) == 0) continue;
                    std::array<Card, 5> hand;
                    hand[0] = candidate;
                    int k = 1;
                    for (int i = 0; i < n; ++i)
                        if (mask & (1 << i)) hand[k++] = chosen[i];
                    best = std::max(best, Reference_Rating(hand));
                }
                const Long code = best > made ? best : made;
                ++expected[code];
                const BgrColour colour = best > made ? Category_Colour(best) : NeutralColour;
                QVERIFY2(FrameColour[index] == colour, qPrintable(where));
            }

            Long sum = 0, above = 0;
            for (Long code = 0; code < CategorySlots; ++code) {
                QVERIFY2(CategoryCount[code] == expected[code], qPrintable(where));
                sum += CategoryCount[code];
                if (code < MadeHand) QVERIFY2(CategoryCount[code] == 0, qPrintable(where));
                if (code > MadeHand) above += CategoryCount[code];
            }
            QCOMPARE(sum, CardsUnseen);
            QCOMPARE(CardsUnseen, 52 - cards);
            QCOMPARE(OutsCount, above);
            QCOMPARE(TotalOuts, OutsCount);
            for (const Card& c : chosen)
                QCOMPARE(FrameColour[Card_Index(c.suit, c.rank)], BlackColour);
            Long rowSum = 0;
            for (Long r = 0; r < HandsRowCount; ++r) {
                QVERIFY(HandsRows[r].count > 0);
                if (r > 0) QVERIFY(HandsRows[r].code > HandsRows[r - 1].code);
                QCOMPARE(HandsRows[r].hand, Category_Text(HandsRows[r].code));
                rowSum += HandsRows[r].count;
            }
            QCOMPARE(rowSum, CardsUnseen);
        }
    }
};

QTEST_GUILESS_MAIN(TestCards)
#include "tst_cards.moc"
