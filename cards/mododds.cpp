#include "cards/mododds.h"

#include "base/numbers.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstring>

namespace modOdds {

QString RankLetters = QLatin1String(RankLetterText);
Long ChosenOrder[CardCount];
Long BoardGrid[SuitSlots][RankSlots];
Long WorkGrid[SuitSlots][RankSlots];
Long RankCount[RankSlots];
Long SuitCount[SuitSlots];
Long HandFlags[CategorySlots];
Long SeenList[11][3];
Long SeenCount;
Long HoleCards[3][3];
Long MadeHand;
Long CardsChosen;
Long CardsUnseen = CardCount;
bool BoardResetting;
bool SmallBetRound;
bool IsSuited;
Long HandRating;
Long BestRating;
Long CategoryCount[CategorySlots];
Long OutsCount;
Long TotalOuts;
HandsRow HandsRows[CategorySlots];
Long HandsRowCount;
QString OutsText;
QString HitPctText;
BgrColour FrameColour[CardCount];

namespace {

constexpr Long SeenCapacity = 10;
constexpr Long AceRank = 13;

bool Valid_Card(Long suit, Long rank) {
    return suit >= 1 && suit <= 4 && rank >= 1 && rank <= 13;
}

// Puts one card into WorkGrid; an ace also goes into the low slot so that it can start a run.
inline void Place_Card(Long suit, Long rank) {
    WorkGrid[suit][rank] = 1;
    if (rank == AceRank) WorkGrid[suit][0] = 1;
}

inline void Place_Seen(Long entry) {
    Place_Card(SeenList[entry][1], SeenList[entry][2]);
}

// Whether WorkGrid holds the hole card of the given row (a free row holds no card).
inline bool Work_Holds_Hole(int row) {
    const Long suit = HoleCards[row][1];
    const Long rank = HoleCards[row][2];
    return Valid_Card(suit, rank) && WorkGrid[suit][rank] == 1;
}

// The category's text in the user's language.
QString Category_Name(Long code) {
    static const char* const names[CategorySlots] = {
        nullptr,
        QT_TRANSLATE_NOOP("modOdds", "High Card"),
        QT_TRANSLATE_NOOP("modOdds", "Pair"),
        QT_TRANSLATE_NOOP("modOdds", "2 Pair"),
        QT_TRANSLATE_NOOP("modOdds", "3 Of A Kind"),
        QT_TRANSLATE_NOOP("modOdds", "Straight"),
        QT_TRANSLATE_NOOP("modOdds", "Flush"),
        QT_TRANSLATE_NOOP("modOdds", "Full House"),
        QT_TRANSLATE_NOOP("modOdds", "4 Of A Kind"),
        QT_TRANSLATE_NOOP("modOdds", "Straight Flush"),
        nullptr,
    };
    const char* name = code >= 0 && code < CategorySlots ? names[code] : nullptr;
    return name ? QCoreApplication::translate("modOdds", name) : QString();
}

// Every frame starts in the neutral colour, as after a clear.
[[maybe_unused]] const bool FramesNeutral = [] {
    for (BgrColour& colour : FrameColour)
        colour = NeutralColour;
    return true;
}();

} // namespace

QChar Rank_Letter(Long rank) {
    const Long position = 14 - rank; // 1-based
    if (rank < 1 || rank > 13 || position > RankLetters.size()) return {};
    return RankLetters.at(position - 1);
}

QString Category_Text(Long code) {
    return Category_Name(code);
}

void Reset_State() {
    RankLetters = QLatin1String(RankLetterText);
    std::memset(ChosenOrder, 0, sizeof ChosenOrder);
    std::memset(BoardGrid, 0, sizeof BoardGrid);
    std::memset(WorkGrid, 0, sizeof WorkGrid);
    std::memset(RankCount, 0, sizeof RankCount);
    std::memset(SuitCount, 0, sizeof SuitCount);
    std::memset(HandFlags, 0, sizeof HandFlags);
    std::memset(SeenList, 0, sizeof SeenList);
    std::memset(HoleCards, 0, sizeof HoleCards);
    std::memset(CategoryCount, 0, sizeof CategoryCount);
    SeenCount = 0;
    MadeHand = 0;
    CardsChosen = 0;
    CardsUnseen = CardCount;
    BoardResetting = false;
    SmallBetRound = false;
    IsSuited = false;
    HandRating = 0;
    BestRating = 0;
    OutsCount = 0;
    TotalOuts = 0;
    for (HandsRow& row : HandsRows)
        row = HandsRow{};
    HandsRowCount = 0;
    OutsText.clear();
    HitPctText.clear();
    for (BgrColour& colour : FrameColour)
        colour = NeutralColour;
}

void Clear_Board() {
    std::memset(BoardGrid, 0, sizeof BoardGrid);
    std::memset(ChosenOrder, 0, sizeof ChosenOrder);
    std::memset(WorkGrid, 0, sizeof WorkGrid);
    std::memset(HoleCards, 0, sizeof HoleCards);
}

void Copy_Board() {
    std::memcpy(WorkGrid, BoardGrid, sizeof WorkGrid);
}

void Clear_Work_Grid() {
    std::memset(WorkGrid, 0, sizeof WorkGrid);
}

void Build_Seen_List() {
    Long count = 0;
    for (Long suit = 1; suit <= 4; ++suit) {
        for (Long rank = 1; rank <= 13; ++rank) {
            // The list holds ten cards; the board never has more than six when it is read.
            if (BoardGrid[suit][rank] == 1 && count < SeenCapacity) {
                ++count;
                SeenList[count][1] = suit;
                SeenList[count][2] = rank;
            }
        }
    }
    SeenCount = count;
}

bool Suited_Test() {
    for (Long suit = 1; suit <= 4; ++suit) {
        Long count = 0;
        for (Long rank = 1; rank <= 13; ++rank)
            count += BoardGrid[suit][rank];
        SuitCount[suit] = count;
    }
    for (Long suit = 1; suit <= 4; ++suit)
        if (SuitCount[suit] == 2) return true;
    return false;
}

namespace {

// With two cards or fewer chosen, the chosen cards are the hole cards, the earlier chosen first.
void Hole_Cards_From_Order() {
    for (int row = 1; row <= 2; ++row) {
        const bool held = row <= CardsChosen;
        HoleCards[row][1] = held ? Card_Suit(ChosenOrder[row - 1]) : 0;
        HoleCards[row][2] = held ? Card_Rank(ChosenOrder[row - 1]) : 0;
    }
}

} // namespace

void Mark_Card(Long suit, Long rank) {
    if (!Valid_Card(suit, rank) || BoardGrid[suit][rank] == 1) return;
    BoardGrid[suit][rank] = 1;
    if (rank == AceRank) BoardGrid[suit][0] = 1;
    // The order list holds every chosen card; a board wiped without Clear_Board cannot overflow it.
    if (CardsChosen >= 0 && CardsChosen < CardCount) ChosenOrder[CardsChosen] = Card_Index(suit, rank);
    ++CardsChosen;
    --CardsUnseen;
    if (CardsChosen <= 2) {
        Hole_Cards_From_Order();
        return;
    }
    for (int row = 1; row <= 2; ++row) {
        if (HoleCards[row][1] == 0) {
            HoleCards[row][1] = suit;
            HoleCards[row][2] = rank;
            break;
        }
    }
}

void Unmark_Card(Long suit, Long rank) {
    if (!Valid_Card(suit, rank) || BoardGrid[suit][rank] != 1) return;
    BoardGrid[suit][rank] = 0;
    if (rank == AceRank) BoardGrid[suit][0] = 0;
    const Long index = Card_Index(suit, rank);
    const Long listed = std::clamp<Long>(CardsChosen, 0, CardCount);
    Long* end = std::remove(ChosenOrder, ChosenOrder + listed, index);
    std::fill(end, ChosenOrder + listed, 0);
    --CardsChosen;
    ++CardsUnseen;
    if (CardsChosen <= 2) {
        Hole_Cards_From_Order();
        return;
    }
    for (int row = 1; row <= 2; ++row) {
        if (HoleCards[row][1] == suit && HoleCards[row][2] == rank) {
            HoleCards[row][1] = 0;
            HoleCards[row][2] = 0;
        }
    }
}

Long Last_Chosen() {
    return CardsChosen > 0 && CardsChosen <= CardCount ? ChosenOrder[CardsChosen - 1] : -1;
}

Long Evaluate_Hand(Long floor) {
    std::memset(HandFlags, 0, sizeof HandFlags);
    for (Long r = 0; r < RankSlots; ++r)
        RankCount[r] = WorkGrid[1][r] + WorkGrid[2][r] + WorkGrid[3][r] + WorkGrid[4][r];
    SuitCount[0] = 0;
    for (Long s = 1; s <= 4; ++s) {
        Long count = 0;
        for (Long r = 1; r < RankSlots; ++r) // the low ace slot is not counted: an ace is one card
            count += WorkGrid[s][r];
        SuitCount[s] = count;
    }

    bool noSets = true;
    for (Long r = 1; r < RankSlots; ++r) {
        switch (RankCount[r]) {
        case 2:
            if (HandFlags[Pair] == 1) HandFlags[TwoPair] = 1;
            HandFlags[Pair] = 1;
            noSets = false;
            break;
        case 3:
            HandFlags[ThreeOfAKind] = 1;
            noSets = false;
            break;
        case 4:
            HandFlags[FourOfAKind] = 1;
            noSets = false;
            break;
        default:
            HandFlags[HighCard] = 1;
            break;
        }
    }
    if (HandFlags[ThreeOfAKind] == 1 && HandFlags[Pair] == 1) HandFlags[FullHouse] = 1;

    if (noSets) {
        for (Long s = 1; s <= 4; ++s)
            if (SuitCount[s] == 5) HandFlags[Flush] = 1;
        // Five slots in a row holding exactly one card each, slot 0 being the ace played low; a run
        // ends at the ace in slot 13, so Q-K-A-2-3 is none.
        Long run = 0;
        for (Long r = 0; r < RankSlots; ++r) {
            run = RankCount[r] == 1 ? run + 1 : 0;
            if (run >= 5) HandFlags[Straight] = 1;
        }
        if (HandFlags[Flush] == 1 && HandFlags[Straight] == 1) HandFlags[StraightFlush] = 1;
    }

    if (floor > StraightFlush) return 0;
    const Long lowest = floor < 0 ? 0 : floor;
    for (Long code = StraightFlush; code >= lowest; --code)
        if (HandFlags[code] == 1) return code;
    return 0;
}

Long Best_Made_Hand(Long floor) {
    // The list is rebuilt here: the one left by the last analysis may predate the card just chosen.
    Build_Seen_List();
    BestRating = 0;
    const Long n = SeenCount;
    for (Long i = 1; i <= n; ++i)
        for (Long j = i + 1; j <= n; ++j)
            for (Long k = j + 1; k <= n; ++k)
                for (Long l = k + 1; l <= n; ++l)
                    for (Long m = l + 1; m <= n; ++m) {
                        Clear_Work_Grid();
                        Place_Seen(i);
                        Place_Seen(j);
                        Place_Seen(k);
                        Place_Seen(l);
                        Place_Seen(m);
                        HandRating = Evaluate_Hand(floor);
                        if (HandRating > BestRating) BestRating = HandRating;
                    }
    return BestRating;
}

void Analyse_Outs() {
    Build_Seen_List();
    std::memset(CategoryCount, 0, sizeof CategoryCount);
    OutsCount = 0;

    // The made hand indexes the counts; keep it inside the array whatever a caller left in it.
    const Long made = MadeHand < 0 ? 0 : (MadeHand >= CategorySlots ? CategorySlots - 1 : MadeHand);
    const Long n = SeenCount;

    for (Long suit = 1; suit <= 4; ++suit) {
        for (Long rank = 1; rank <= 13; ++rank) {
            if (BoardGrid[suit][rank] == 1) continue; // a chosen card keeps its frame

            BestRating = 0;
            for (Long i = 1; i <= n; ++i)
                for (Long j = i + 1; j <= n; ++j)
                    for (Long k = j + 1; k <= n; ++k)
                        for (Long l = k + 1; l <= n; ++l) {
                            Clear_Work_Grid();
                            Place_Card(suit, rank);
                            Place_Seen(i);
                            Place_Seen(j);
                            Place_Seen(k);
                            Place_Seen(l);
                            // Only hands that use one of the player's own cards count.
                            if (!Work_Holds_Hole(1) && !Work_Holds_Hole(2)) continue;
                            HandRating = Evaluate_Hand(MadeHand);
                            if (HandRating > BestRating) BestRating = HandRating;
                        }

            const Long index = Card_Index(suit, rank);
            if (BestRating <= MadeHand) {
                ++CategoryCount[made];
                FrameColour[index] = NeutralColour;
            } else {
                ++OutsCount;
                ++CategoryCount[BestRating];
                FrameColour[index] = Category_Colour(BestRating);
            }
        }
    }

    TotalOuts = OutsCount;
    const double unseen = CardsUnseen > 0 ? double(CardsUnseen) : 0.0;
    auto ratio = [unseen](Long count) { return unseen > 0.0 ? count / unseen : 0.0; };
    OutsText = QString::number(OutsCount);
    HitPctText = Format_Ratio(ratio(OutsCount));

    Long rows = 0;
    for (Long code = 0; code < CategorySlots; ++code) {
        if (CategoryCount[code] == 0) continue;
        HandsRow& row = HandsRows[rows++];
        row.code = code;
        row.count = CategoryCount[code];
        row.hand = Category_Name(code);
        row.odds = Format_Ratio(ratio(CategoryCount[code]));
    }
    for (Long r = rows; r < CategorySlots; ++r) {
        HandsRows[r].code = 0;
        HandsRows[r].count = 0;
        HandsRows[r].hand.clear();
        HandsRows[r].odds.clear();
    }
    HandsRowCount = rows;
}

} // namespace modOdds
