#pragma once

#include "base/long.h"
#include "cards/cardcodes.h"
#include "cards/category.h"
#include "cards/colourscale.h"

#include <QString>
#include <cstdint>

// The card model, the board state and the hand analysis. All state is process-wide, in fixed-size
// arrays that live as long as the program; Reset_State puts everything back to its start value.
//
// A card is its index 0..51 = (suit - 1) * 13 + (rank - 1); suits 1..4 are spades, hearts, clubs,
// diamonds; ranks 1..13 are deuce to ace. Grids are 5 suit slots by 14 rank slots: the ace sits in
// slot 13 and again in slot 0, so that A-2-3-4-5 is a run of five slots like any other straight.

namespace modOdds {

inline constexpr int SuitSlots = 5;
inline constexpr int RankSlots = 14;
using cards::CardCount;

// The rank letters, highest first: the letter of rank r is at 1-based position 14 - r.
using cards::RankLetterText;
extern QString RankLetters; // set from RankLetterText when the main window loads

// The chosen cards by card index, in the order the player chose them (ChosenOrder[0] the earliest);
// CardsChosen entries are valid.
extern Long ChosenOrder[CardCount];

extern Long BoardGrid[SuitSlots][RankSlots];
extern Long WorkGrid[SuitSlots][RankSlots];
extern Long RankCount[RankSlots];
extern Long SuitCount[SuitSlots];
extern Long HandFlags[CategorySlots];
extern Long SeenList[11][3]; // entries 1..SeenCount; column 1 suit, column 2 rank
extern Long SeenCount;
extern Long HoleCards[3][3]; // rows 1 and 2; column 1 suit, column 2 rank; 0 = free
extern Long MadeHand;
extern Long CardsChosen;
extern Long CardsUnseen;
extern bool BoardResetting;
extern bool SmallBetRound;
extern bool IsSuited;
extern Long HandRating;
extern Long BestRating;
extern Long CategoryCount[CategorySlots];
extern Long OutsCount;
extern Long TotalOuts;

// What the analysis leaves for the window to show.
struct HandsRow {
    Long code = 0;  // category code
    Long count = 0; // unseen cards that end in it ("Outs" column)
    QString hand;   // "Hand" column: the category's text
    QString odds;   // "%Odds" column: count / CardsUnseen as "0.0%"
};
extern HandsRow HandsRows[CategorySlots];
extern Long HandsRowCount;
extern QString OutsText;   // lblOuts
extern QString HitPctText; // lblHitPct
// The frame colour of every card; the analysis recolours unseen cards only, the window writes black or
// neutral when the player clicks a card.
extern BgrColour FrameColour[CardCount];

// Card identity (cards/cardcodes.h).
using cards::Card_Index;
using cards::Card_Rank;
using cards::Card_Suit;
QChar Rank_Letter(Long rank);

// The grid text of a category code ("High Card" .. "Straight Flush"), "" for codes without one.
QString Category_Text(Long code);

void Reset_State();
void Clear_Board();
void Copy_Board();
void Clear_Work_Grid();
void Build_Seen_List();
// Fills SuitCount from BoardGrid and returns whether some suit holds exactly two chosen cards.
bool Suited_Test();
// The one writer of BoardGrid: marks or unmarks a card, moves the counters, the order of choosing and
// HoleCards. Whenever two cards or fewer are chosen they are the hole cards, the earlier chosen in row 1.
// With more, a chosen card fills the first free hole-card row, if any; releasing a hole card frees its
// row; releasing a board card leaves the hole cards alone.
void Mark_Card(Long suit, Long rank);
void Unmark_Card(Long suit, Long rank);
// The card index of the most recently chosen card still chosen; -1 when none is.
Long Last_Chosen();

Long Evaluate_Hand(Long floor);
Long Best_Made_Hand(Long floor);
void Analyse_Outs();

} // namespace modOdds
