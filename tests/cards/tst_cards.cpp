#include "cards/colourscale.h"
#include "cards/handclass.h"
#include "cards/mododds.h"
#include "tests/support/testsupport.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <array>
#include <functional>
#include <numeric>
#include <vector>

using namespace modOdds;

namespace {

using testsupport::Card;
using testsupport::Card_Name;
using testsupport::Mark_Cards;
using testsupport::Play;

void Enter_Cards(const QString& cards) {
    testsupport::Reset_Program_State();
    Play(cards);
}

// The hands grid, the outs and the hit percentage on one line.
QString Summary() {
    QStringList rows;
    for (Long i = 0; i < HandsRowCount; ++i)
        rows
            << QStringLiteral("%1 %2 (%3)").arg(HandsRows[i].hand, HandsRows[i].odds).arg(HandsRows[i].count);
    return rows.join(QStringLiteral("; ")) + QStringLiteral(" | %1 | %2").arg(OutsText, HitPctText);
}

void Set_Work_Card(int index, Long value) {
    WorkGrid[Card_Suit(index)][Card_Rank(index)] = value;
    if (Card_Rank(index) == 13) WorkGrid[Card_Suit(index)][0] = value;
}

// The best rating of five cards out of the pool that hold every card of `must` and one or more of `any`
// (bit i stands for pool[i]); Evaluate_Hand is checked over every five-card hand in all_hands.
Long Best_Of(const std::vector<int>& pool, unsigned must, unsigned any) {
    Long best = 0;
    for (unsigned mask = 0; mask < (1u << pool.size()); ++mask) {
        if (__builtin_popcount(mask) != 5 || (mask & must) != must || (mask & any) == 0) continue;
        Clear_Work_Grid();
        for (size_t i = 0; i < pool.size(); ++i)
            if (mask & (1u << i)) Set_Work_Card(pool[i], 1);
        best = std::max(best, Evaluate_Hand(0));
    }
    return best;
}

} // namespace

class TestCards : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        testsupport::Reset_Program_State();
    }

    void card_identity_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("card");
        QTest::newRow("0 deuce of spades") << 0 << "2s";
        QTest::newRow("12 ace of spades") << 12 << "As";
        QTest::newRow("13 deuce of hearts") << 13 << "2h";
        QTest::newRow("21 ten of hearts") << 21 << "Th";
        QTest::newRow("38 ace of clubs") << 38 << "Ac";
        QTest::newRow("51 ace of diamonds") << 51 << "Ad";
    }
    void card_identity() {
        QFETCH(int, index);
        QFETCH(QString, card);
        QCOMPARE(Rank_Letter(Card_Rank(index)), card[0]);
        QCOMPARE(Card_Suit(index), QStringLiteral("shcd").indexOf(card[1]) + 1);
        QCOMPARE(Card_Index(Card_Suit(index), Card_Rank(index)), index);
        const std::array<char, 2> name = cards::Card_Name(index);
        QCOMPARE(QString::fromLatin1(name.data(), 2), card);
        QCOMPARE(cards::Card_Of_Name(std::string_view(name.data(), 2)), index);
        for (int outside : {0, 14, -3})
            QVERIFY(Rank_Letter(outside).isNull());
        QCOMPARE(RankLetters, QStringLiteral("AKQJT98765432"));
    }

    // The starting-hand classes: keys both ways, their place in the statistics file's order and their
    // members; a key in any other form is no class.
    void hand_classes_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index"); // -1: not a key
        QTest::addColumn<QString>("member");
        QTest::newRow("the first") << "AA" << 0 << "Ah Ac";
        QTest::newRow("suited before offsuit") << "AK s" << 1 << "Kd Ad";
        QTest::newRow("offsuit") << "AK" << 2 << "As Kh";
        QTest::newRow("ten as T") << "T9 s" << 89 << "9c Tc";
        QTest::newRow("the last") << "22" << 168 << "2s 2d";
        for (const char* bad : {"KA", "AA s", "ak", "AK  s", "A", "10 9", "AKs"})
            QTest::newRow(bad) << bad << -1 << "";
    }
    void hand_classes() {
        QFETCH(QString, key);
        QFETCH(int, index);
        QFETCH(QString, member);
        const std::optional<HandClass> c = HandClass::Of_Key(key);
        QCOMPARE(c.has_value(), index >= 0);
        if (!c) return;
        QCOMPARE(c->Index(), index);
        QCOMPARE(HandClass::Of_Index(index).Key(), key);
        const QList<Long> two = testsupport::Cards(member);
        QCOMPARE(HandClass::Of_Cards(two[0], two[1]), *c);
        int hands[HandClass::MaxMembers];
        const int n = c->Members(hands);
        QCOMPARE(n, c->Member_Count());
        QVERIFY(std::count(hands, hands + n, cards::Hand_Index(two[0], two[1])) == 1);
    }

    // Every class in order, and each two-card hand a member of exactly the class of its cards.
    void hand_classes_cover_every_hand() {
        std::vector<int> classOf(cards::HandCount, -1);
        for (int i = 0; i < HandClass::Count; ++i) {
            const HandClass c = HandClass::Of_Index(i);
            QCOMPARE(c.Index(), i);
            QCOMPARE(HandClass::Of_Key(c.Key()), std::optional<HandClass>(c));
            int hands[HandClass::MaxMembers];
            for (int k = 0, n = c.Members(hands); k < n; ++k) {
                QCOMPARE(classOf[hands[k]], -1);
                classOf[hands[k]] = i;
            }
        }
        for (int h = 0; h < cards::HandCount; ++h) {
            const cards::CardPair p = cards::HandCards[h];
            QCOMPARE(cards::Hand_Index(p.high, p.low), h);
            QCOMPARE(classOf[h], HandClass::Of_Cards(p.low, p.high).Index());
        }
    }

    void mark_and_unmark() {
        Mark_Card(2, 13);
        Mark_Card(2, 13); // a second mark counts once and fills no second hole card
        QCOMPARE(BoardGrid[2][13] + BoardGrid[2][0], 2); // the ace is mirrored in slot 0
        QCOMPARE(CardsChosen, 1);
        QCOMPARE(CardsUnseen, 51);
        QCOMPARE(HoleCards[2][1], 0);
        Unmark_Card(2, 13);
        Unmark_Card(2, 13);
        Unmark_Card(4, 4); // never chosen
        QCOMPARE(BoardGrid[2][13] + BoardGrid[2][0], 0);
        QCOMPARE(CardsChosen, 0);
        QCOMPARE(CardsUnseen, 52);
        Mark_Card(2, 12); // a king has no mirror
        QCOMPARE(BoardGrid[2][0], 0);
        Unmark_Card(2, 12);
        // Cards outside the deck are ignored, marked or released.
        Mark_Card(1, 1);
        for (auto [suit, rank] : {std::pair{0, 5}, {5, 5}, {1, 0}, {1, 14}, {-1, -1}, {1000000, 1000000}}) {
            Mark_Card(suit, rank);
            Unmark_Card(suit, rank);
        }
        QCOMPARE(CardsChosen, 1);
        QCOMPARE(CardsUnseen, 51);
        QCOMPARE(BoardGrid[1][1], 1);
        QCOMPARE(HoleCards[2][1], 0);
    }

    void seen_list_order() {
        Mark_Cards("Ac Kh As");
        Build_Seen_List();
        QString seen;
        for (int i = 1; i <= SeenCount; ++i)
            seen += QStringLiteral("(%1, %2)").arg(SeenList[i][1]).arg(SeenList[i][2]);
        QCOMPARE(seen, QStringLiteral("(1, 13)(2, 12)(3, 13)"));
    }

    void seen_list_holds_ten_at_most() {
        for (int i = 0; i < 20; ++i)
            Mark_Card(Card_Suit(i * 2), Card_Rank(i * 2));
        Build_Seen_List();
        QCOMPARE(SeenCount, 10);
        // Analysing such a board must stay inside the arrays.
        Copy_Board();
        MadeHand = Best_Made_Hand(0);
        Analyse_Outs();
        Long sum = 0;
        for (Long c : CategoryCount)
            sum += c;
        QCOMPARE(sum, 32);
    }

    void clear_board() {
        Mark_Cards("As Kd 2c 7h Ah");
        Copy_Board();
        FrameColour[0] = ColourScale[3];
        Clear_Board();
        for (int s = 0; s < SuitSlots; ++s)
            for (int r = 0; r < RankSlots; ++r)
                QCOMPARE(BoardGrid[s][r] + WorkGrid[s][r], 0);
        QCOMPARE(HoleCards[1][1] + HoleCards[1][2] + HoleCards[2][1] + HoleCards[2][2], 0);
        QCOMPARE(FrameColour[0], ColourScale[3]); // the window recolours the frames itself
        WorkGrid[2][5] = 1;
        Copy_Board();
        QCOMPARE(WorkGrid[2][5], 0);
    }

    void suited_test_data() {
        QTest::addColumn<QString>("cards");
        QTest::addColumn<bool>("suited");
        QTest::newRow("ace king of spades") << "As Ks" << true;
        QTest::newRow("ace of spades king of hearts") << "As Kh" << false;
        QTest::newRow("two diamonds") << "2d 7d" << true;
        QTest::newRow("pair of aces") << "Ac Ad" << false;
    }
    void suited_test() {
        QFETCH(QString, cards);
        QFETCH(bool, suited);
        Mark_Cards(cards);
        QCOMPARE(Suited_Test(), suited);
    }

    // A released hole card frees its row, the next chosen card fills the first free row, and a released
    // board card leaves the hole cards alone: the analysis then matches the same cards entered straight away.
    void hole_card_corrections_data() {
        QTest::addColumn<QString>("entry"); // the clicks, then "=" and the two hole cards
        QTest::newRow("wrong second card released") << "As 2h -2h 9d 2c 3h 4d = As 9d";
        QTest::newRow("wrong first card released") << "2h 9d -2h As 2c 3h 4d = 9d As";
        QTest::newRow("flop card released at three cards") << "As 9d Kc -Kc 2c 3h 4d = As 9d";
        QTest::newRow("board card released at the turn") << "As 9d 2c 3h 5s -5s 4d = As 9d";
        QTest::newRow("both hole cards replaced after the flop") << "Kh Qh 2c 3h 4d -Kh -Qh As 9d = As 9d";
        QTest::newRow("second hole card replaced after the flop") << "As Qh 2c 3h 4d -Qh 9d = As 9d";
        QTest::newRow("board and hole cards released") << "Qs Jd 4c 8h 2s -4c -2s -Qs Ah Kh 3c = Jd 8h";
        QTest::newRow("back to two cards: the two left") << "As Kd 2c -As Qh 7h 8s = Kd 2c";
    }
    void hole_card_corrections() {
        QFETCH(QString, entry);
        const QStringList parts = entry.split(QStringLiteral(" = "));
        Play(parts[0]);
        auto hole = [](int row) {
            return HoleCards[row][1] ? Card_Name(Card_Index(HoleCards[row][1], HoleCards[row][2])) : "--";
        };
        QCOMPARE(hole(1) + QLatin1Char(' ') + hole(2), parts[1]);
        const QString corrected = Summary();
        QStringList direct = parts[1].split(QLatin1Char(' '));
        for (int i = 0; i < CardCount; ++i)
            if (BoardGrid[Card_Suit(i)][Card_Rank(i)] && !direct.contains(Card_Name(i)))
                direct << Card_Name(i);
        Enter_Cards(direct.join(QLatin1Char(' ')));
        QCOMPARE(corrected, Summary());
    }

    // Five cards are rated alone and as the best five of the chosen cards; more cards only as the best five.
    void rating_data() {
        QTest::addColumn<QString>("cards");
        QTest::addColumn<int>("floor");
        QTest::addColumn<int>("expected");
        QTest::newRow("royal flush") << "Ts Js Qs Ks As" << 0 << 9;
        QTest::newRow("wheel of one suit") << "Ah 2h 3h 4h 5h" << 0 << 9;
        QTest::newRow("wheel mixed") << "Ah 2c 3h 4h 5h" << 0 << 5;
        QTest::newRow("ace high straight mixed") << "Td Js Qs Ks As" << 0 << 5;
        QTest::newRow("Q-K-A-2-3 is no straight") << "Qd Ks As 2s 3h" << 0 << 1;
        QTest::newRow("Q-K-A-2-3 of one suit is a flush") << "Qd Kd Ad 2d 3d" << 0 << 6;
        QTest::newRow("full house of aces") << "As Ah Ad 2s 2c" << 0 << 7;
        QTest::newRow("four aces") << "As Ah Ad Ac Kc" << 0 << 8;
        QTest::newRow("floor above the hand") << "As Ah 4d 5c 2c" << 3 << 0;
        QTest::newRow("floor at the hand") << "As Ah 4d 5c 2c" << 2 << 2;
        QTest::newRow("floor 10") << "Ts Js Qs Ks As" << 10 << 0;
        QTest::newRow("floor far above") << "Ts Js Qs Ks As" << 1000 << 0;
        QTest::newRow("negative floor") << "As Ah 4d 5c 2c" << -7 << 2;
        QTest::newRow("no cards") << "" << 0 << 0;
        QTest::newRow("four cards") << "As Ah Ad Ac" << 0 << 0;
        QTest::newRow("turn card makes a flush") << "As 9s 2s 3s Kh Js" << 0 << 6;
        QTest::newRow("turn card makes a wheel") << "As 9d 2c 3h 4d 5c" << 0 << 5;
        QTest::newRow("board alone makes a straight") << "2d 2h 8s 9c Th Jd Qs" << 0 << 5;
        QTest::newRow("two pair on six cards") << "As Ad Kc Kh 7d 8d" << 0 << 3;
        QTest::newRow("full house over two sets") << "9s 9d 9c 4h 4s 4d" << 0 << 7;
    }
    void rating() {
        QFETCH(QString, cards);
        QFETCH(int, floor);
        QFETCH(int, expected);
        // The list of chosen cards is built before the last card comes, as the flop analysis leaves it:
        // the rating must read the board as it is now.
        for (const QString& text : cards.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            Build_Seen_List();
            Mark_Cards(text);
        }
        if (CardsChosen == 5) {
            Copy_Board();
            QCOMPARE(Evaluate_Hand(floor), expected);
        }
        QCOMPARE(Best_Made_Hand(floor), expected);
    }

    void all_hands_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("expected");
        const int published[] = {0, 1302540, 1098240, 123552, 54912, 10200, 5108, 3744, 624, 40};
        for (int code = 0; code <= 9; ++code)
            QTest::newRow(code ? qPrintable(Category_Text(code)) : "nothing rates 0")
                << code << published[code];
    }
    void all_hands() {
        QFETCH(int, code);
        QFETCH(int, expected);
        static std::array<long, CategorySlots> counts{};
        static bool counted = false;
        // Deals every five-card hand into the work grid, card by card.
        std::function<void(int, int)> deal = [&](int from, int left) {
            if (left == 0) ++counts[Evaluate_Hand(0)];
            for (int i = from; left > 0 && i <= CardCount - left; ++i) {
                Set_Work_Card(i, 1);
                deal(i + 1, left - 1);
                Set_Work_Card(i, 0);
            }
        };
        if (!counted) {
            Clear_Work_Grid();
            deal(0, 5);
            counted = true;
        }
        QCOMPARE(counts[code], long(expected));
    }

    // The hands grid, then the outs and the hit percentage; the first row is the made hand.
    void analysis_data() {
        QTest::addColumn<QString>("deal"); // the cards, then what the window shows
        QTest::newRow("flush draw")
            << "8s 9s 2s 3s Kh: High Card 51.1% (24); Pair 29.8% (14); Flush 19.1% (9) | 23 | 48.9%";
        QTest::newRow("hole ace plays low")
            << "As 9d 2c 3h 4d: High Card 59.6% (28); Pair 31.9% (15); Straight 8.5% (4) | 19 | 40.4%";
        QTest::newRow("turn")
            << "As Kd Qs Js 2h 7c: High Card 52.2% (24); Pair 39.1% (18); Straight 8.7% (4) | 22 | 47.8%";
        QTest::newRow("board pair K-K-7 with A Q")
            << "As Qh Kc Kd 7s: Pair 76.6% (36); 2 Pair 19.1% (9); 3 Of A Kind 4.3% (2) | 11 | 23.4%";
        QTest::newRow("nines on 2-5-K")
            << "9s 9h 2c 5d Kh: Pair 76.6% (36); 2 Pair 19.1% (9); 3 Of A Kind 4.3% (2) | 11 | 23.4%";
        QTest::newRow("four of a kind") << "2s 2h 2c 2d 7s: 4 Of A Kind 100.0% (47) | 0 | 0.0%";
        QTest::newRow("straight flush") << "As Ks Qs Js Ts: Straight Flush 100.0% (47) | 0 | 0.0%";
        QTest::newRow("flush on the board alone is no out")
            << "2h 7c 4s 9s Js Ks: High Card 60.9% (28); Pair 39.1% (18) | 18 | 39.1%";
    }
    void analysis() {
        QFETCH(QString, deal);
        Enter_Cards(deal.section(QStringLiteral(": "), 0, 0));
        QCOMPARE(Summary(), deal.section(QStringLiteral(": "), 1));
    }

    // The search on a board with no made hand yet: one row without a category text.
    void analysis_without_made_hand() {
        Mark_Cards("As Kd 7c");
        Copy_Board();
        MadeHand = Best_Made_Hand(0);
        Analyse_Outs();
        QCOMPARE(Summary(), QStringLiteral(" 100.0% (49) | 0 | 0.0%"));
    }

    void analysis_locale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Enter_Cards("8s 9s 2s 3s Kh");
        QCOMPARE(HitPctText, QStringLiteral("48,9%"));
        QCOMPARE(HandsRows[2].odds, QStringLiteral("19,1%"));
    }

    void frame_colours_data() {
        QTest::addColumn<QString>("cards");
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QString>("card");
        const QString draw = "8s 9s 2s 3s Kh", kings = "As Qh Kc Kd 7s";
        QTest::newRow("king of spades completes the flush") << draw << uint(ColourScale[2]) << "Ks";
        QTest::newRow("eight of hearts pairs") << draw << uint(ColourScale[6]) << "8h";
        QTest::newRow("four of hearts misses") << draw << uint(NeutralColour) << "4h";
        QTest::newRow("a seven gives two pair with the hole ace") << kings << uint(ColourScale[5]) << "7h";
        QTest::newRow("a king gives three of a kind") << kings << uint(ColourScale[4]) << "Kh";
        QTest::newRow("nines: an unseen ace is no out") << "9s 9h 2c 5d Kh" << uint(NeutralColour) << "Ad";
        QTest::newRow("a five makes the wheel") << "As 9d 2c 3h 4d" << uint(ColourScale[3]) << "5s";
        QTest::newRow("a ten fills the royal flush draw") << "As Ks Qs Js 2d" << uint(ColourScale[0]) << "Ts";
        QTest::newRow("a nine fills the full house") << "2s 2h 9c 9d 5h" << uint(ColourScale[1]) << "9h";
        QTest::newRow("last nine: four of a kind") << "9s 2h 9c 9d 5h" << uint(ColourScale[0]) << "9h";
        QTest::newRow("spade: board flush only") << "2h 7c 4s 9s Js Ks" << uint(NeutralColour) << "Qs";
    }
    void frame_colours() {
        QFETCH(QString, cards);
        QFETCH(uint, colour);
        QFETCH(QString, card);
        Enter_Cards(cards);
        QCOMPARE(uint(FrameColour[Card(card)]), colour);
    }

    void chosen_frames_keep_their_colour() {
        Enter_Cards("8s 9s 2s 3s Kh");
        const Long kingOfSpades = Card_Index(1, 12);
        QCOMPARE(FrameColour[kingOfSpades], ColourScale[2]);
        for (int i = 0; i < CardCount; ++i)
            QCOMPARE(FrameColour[i] == BlackColour, BoardGrid[Card_Suit(i)][Card_Rank(i)] == 1);
        Play("~Ks"); // the king of spades comes on the turn, ticked in its box
        QCOMPARE(CardsChosen, 6);
        QCOMPARE(MadeHand, Long(Flush));
        QCOMPARE(FrameColour[kingOfSpades], ColourScale[2]);
        QCOMPARE(FrameColour[Card_Index(2, 12)], BlackColour);
    }

    void rows_do_not_linger() {
        Enter_Cards("2s 2h 2c 7s Kh");
        QCOMPARE(HandsRowCount, 3);
        Play("2d"); // the last deuce: nothing improves on four of a kind
        QCOMPARE(HandsRowCount, 1);
        QCOMPARE(HandsRows[1].count, 0);
        QVERIFY(HandsRows[1].hand.isEmpty());
    }

    // The outs search against a brute force over every five of the chosen cards and the candidate.
    void random_boards_data() {
        QTest::addColumn<int>("cards");
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 2024u})
            QTest::addRow("flop seed %u", seed) << 5 << seed;
        for (quint32 seed : {3u, 11u, 4096u})
            QTest::addRow("turn seed %u", seed) << 6 << seed;
    }
    void random_boards() {
        QFETCH(int, cards);
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        for (int deal = 0; deal < 40; ++deal) {
            testsupport::Reset_Program_State();
            std::vector<int> deck(CardCount);
            std::iota(deck.begin(), deck.end(), 0);
            QStringList names;
            for (int i = 0; i < cards; ++i) {
                std::swap(deck[i], deck[i + int(random.bounded(CardCount - i))]);
                names << Card_Name(deck[i]);
            }
            Play(names.join(QLatin1Char(' ')));
            const QByteArray where = names.join(QLatin1Char(' ')).toLatin1();

            // The first two chosen are the hole cards; an out must make its hand with one of them.
            std::vector<int> pool(deck.begin(), deck.begin() + cards);
            const Long made = Best_Of(pool, 0, ~0u);
            QVERIFY2(MadeHand == made, where.constData());
            Long expected[CategorySlots] = {};
            pool.push_back(0);
            for (int u = cards; u < CardCount; ++u) {
                pool.back() = deck[u];
                const Long best = Best_Of(pool, 1u << cards, 3u);
                ++expected[std::max(best, made)];
                QVERIFY2(FrameColour[deck[u]] == (best > made ? Category_Colour(best) : NeutralColour),
                         where.constData());
            }
            for (int i = 0; i < cards; ++i)
                QCOMPARE(FrameColour[deck[i]], BlackColour);

            // Nothing below the made hand, the outs are the cards above it, and the rows hold every unseen
            // card.
            Long above = 0, rowSum = 0;
            for (Long code = 0; code < CategorySlots; ++code) {
                QVERIFY2(CategoryCount[code] == expected[code], where.constData());
                above += code > made ? CategoryCount[code] : 0;
            }
            QCOMPARE(OutsCount, above);
            QCOMPARE(TotalOuts, above);
            for (Long r = 0; r < HandsRowCount; ++r) {
                QVERIFY(HandsRows[r].count > 0);
                QVERIFY(r == 0 || HandsRows[r].code > HandsRows[r - 1].code);
                QCOMPARE(HandsRows[r].hand, Category_Text(HandsRows[r].code));
                rowSum += HandsRows[r].count;
            }
            QCOMPARE(rowSum, CardsUnseen);
            QCOMPARE(CardsUnseen, 52 - cards);
        }
    }
};

QTEST_GUILESS_MAIN(TestCards)
#include "tst_cards.moc"
