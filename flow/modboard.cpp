#include "flow/modboard.h"

#include "advice/preflopstats.h"
#include "advice/strategy.h"
#include "base/errorreport.h"
#include "cards/mododds.h"

#include <cstring>

using namespace modOdds;

namespace modBoard {

BoardState Board;
bool PlayToRiver = false;

namespace {

bool Valid_Index(Long index) {
    return index >= 0 && index < CardCount;
}

bool Analysis_Shown() {
    return HandsRowCount > 0 || !OutsText.isEmpty() || !HitPctText.isEmpty();
}

// Empties the hands rows and the two labels; with frames, the unseen cards' frames go back to neutral.
void Wipe_Analysis(bool frames) {
    for (HandsRow& row : HandsRows)
        row = HandsRow{};
    HandsRowCount = 0;
    OutsText.clear();
    HitPctText.clear();
    TotalOuts = 0;
    if (frames)
        for (Long i = 0; i < CardCount; ++i)
            if (!Is_Chosen(i)) FrameColour[i] = NeutralColour;
    ++Board.Analysis;
}

// The made hand and the outs of the five (flop) or six (turn) chosen cards; WorkGrid holds the board.
void Analyse(bool turn) {
    MadeHand = 0;
    MadeHand = turn ? Best_Made_Hand(MadeHand) : Evaluate_Hand(MadeHand);
    Analyse_Outs();
    ++Board.Analysis;
}

// The pre-flop line for the hole cards as they now stand, once the board holds more than they: both
// held, the lookup of their two ranks (suited when they share a suit); one missing, no line.
void Hole_Cards_Advice() {
    if (HoleCards[1][1] && HoleCards[2][1]) {
        IsSuited = HoleCards[1][1] == HoleCards[2][1];
        Display_Results(QString(Rank_Letter(HoleCards[1][2])) + Rank_Letter(HoleCards[2][2]));
    } else {
        Board.InfoLine.clear();
        Board.InfoColour = NeutralColour;
    }
}

void Toggle(Long index, bool choose, Via via) {
    if (!Valid_Index(index) || Is_Chosen(index) == choose) return;
    if (via == Via::Frame) FrameColour[index] = choose ? BlackColour : NeutralColour;
    Long holeBefore[3][3];
    std::memcpy(holeBefore, HoleCards, sizeof HoleCards);

    const Long suit = Card_Suit(index);
    const Long rank = Card_Rank(index);
    const QChar letter = Rank_Letter(rank);
    if (choose) {
        Mark_Card(suit, rank);
        if (!letter.isNull()) Board.CardsText += letter;
    } else {
        Unmark_Card(suit, rank);
        const qsizetype at = letter.isNull() ? -1 : Board.CardsText.indexOf(letter);
        if (at >= 0) Board.CardsText.remove(at, 1);
    }
    Copy_Board();

    // The outs of the flop or the turn stand only while the board holds five or six cards.
    if (CardsChosen != 5 && CardsChosen != 6 && Analysis_Shown()) Wipe_Analysis(true);
    // A hole card swapped beside the board (one released, another chosen in its place) changes the hand
    // the pre-flop line speaks of.
    const bool holeChanged = std::memcmp(holeBefore, HoleCards, sizeof HoleCards) != 0;
    if (holeChanged && CardsChosen > 2 && CardsChosen <= Last_Card_Of_Hand()) Hole_Cards_Advice();

    switch (CardsChosen) {
    case 0:
    case 1:
        Board.Prompt = QCoreApplication::translate("modBoard", PromptPreFlop);
        Board.InfoColour = NeutralColour;
        Board.InfoLine.clear();
        SmallBetRound = true;
        break;
    case 2:
        Board.Prompt = QCoreApplication::translate("modBoard", PromptStrategy);
        Board.InfoColour = NeutralColour;
        Board.PreflopTable = {};
        SmallBetRound = true;
        IsSuited = Suited_Test();
        cmdNewStrategy_Click();
        break;
    case 5:
        Board.Prompt = QCoreApplication::translate("modBoard", PromptFlop);
        SmallBetRound = true;
        Analyse(false);
        break;
    case 6:
        Board.Prompt = QCoreApplication::translate("modBoard", PromptTurn);
        SmallBetRound = false;
        Analyse(true);
        break;
    case 7:
        SmallBetRound = false;
        if (!PlayToRiver) {
            Clear();
            break;
        }
        // The river: no card is to come, so there are no outs; the made hand of the seven cards stands.
        Board.Prompt = QCoreApplication::translate("modBoard", PromptRiver);
        MadeHand = 0;
        MadeHand = Best_Made_Hand(MadeHand);
        break;
    case 8: // the card after the river starts the next hand, without it
        SmallBetRound = false;
        Clear();
        break;
    default: // 3 and 4: the prompt, the info line and the last analysis stay
        break;
    }
}

} // namespace

Long Last_Card_Of_Hand() {
    return PlayToRiver ? 7 : 6;
}

void Set_Play_To_River(bool on) {
    PlayToRiver = on;
    if (!on && CardsChosen > Last_Card_Of_Hand()) Clear();
}

bool Is_Chosen(Long index) {
    return Valid_Index(index) && BoardGrid[Card_Suit(index)][Card_Rank(index)] == 1;
}

void Card_Chosen(Long index, Via via) {
    Toggle(index, true, via);
}

void Card_Released(Long index, Via via) {
    Toggle(index, false, via);
}

void Clear() {
    ++Board.Clears;
    Clear_Board();
    CardsChosen = 0;
    CardsUnseen = CardCount;
    MadeHand = 0;
    HandRating = 0;
    for (BgrColour& colour : FrameColour)
        colour = NeutralColour;
    Wipe_Analysis(false);
    Board.CardsText.clear();
    Board.Prompt = QCoreApplication::translate("modBoard", PromptPreFlop);
    Board.InfoLine.clear();
    Board.InfoColour = NeutralColour;
    Board.PreflopTable = {};
    BoardResetting = false;
    SmallBetRound = true;
}

void cmdNewStrategy_Click() {
    Trap("cmdNewStrategy_Click", [] {
        const QString cards = Board.CardsText.toUpper().trimmed();
        if (cards.size() == 2 && RankLetters.contains(cards.at(0)) && RankLetters.contains(cards.at(1)))
            Display_Results(cards);
        else
            Clear();
    });
}

void Display_Results(const QString& cards) {
    Trap("Display_Results", [&] {
        if (cards.size() != 2) return;
        const QString key = advice::Hand_Key(cards.at(0), cards.at(1), IsSuited);
        if (key.isEmpty()) return;
        advice::StrategyColor = 0;
        const QString word = advice::Return_Strategy_Results(key);
        Board.PreflopTable = {};
        const Long row = advice::StrategyRow;
        if (advice::StrategyFound && row >= 1 && row <= advice::MaxStatRows &&
            advice::PreflopStats[row].HasExact)
            Board.PreflopTable = {true, advice::PreflopStats[row].ExactWins,
                                  advice::PreflopStats[row].ExactTies};
        Board.InfoLine = advice::Info_Line(key, advice::Word_Text(word));
        // A hand the table lacks, or a row whose word has no colour, stands on the neutral face: black
        // text on the word's missing colour (black) could not be read.
        Board.InfoColour = advice::StrategyFound && advice::StrategyColor != 0
                               ? static_cast<BgrColour>(advice::StrategyColor)
                               : NeutralColour;
    });
}

bool Showdown_Spot(int opponents, showdown::Spot& spot, const showdown::Range& range) {
    showdown::Spot s;
    s.opponents = opponents;
    s.range = range;
    for (int row = 1; row <= 2; ++row) {
        const Long suit = HoleCards[row][1], rank = HoleCards[row][2];
        if (suit < 1 || suit > 4 || rank < 1 || rank > 13 || BoardGrid[suit][rank] != 1) return false;
        s.hole[row - 1] = Card_Index(suit, rank);
    }
    for (Long suit = 1; suit <= 4; ++suit)
        for (Long rank = 1; rank <= 13; ++rank) {
            const int card = Card_Index(suit, rank);
            if (BoardGrid[suit][rank] != 1 || card == s.hole[0] || card == s.hole[1]) continue;
            if (s.boardCount == showdown::MaxBoard) return false;
            s.board[s.boardCount++] = card;
        }
    if (s.boardCount == 0) s.table = Board.PreflopTable;
    if (!showdown::Valid(s)) return false;
    spot = s;
    return true;
}

void Reset() {
    Board = BoardState{};
    PlayToRiver = false;
}

} // namespace modBoard
