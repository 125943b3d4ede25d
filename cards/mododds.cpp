#include "cards/mododds.h"

// Placeholder: the analysis lands in its own commit.
namespace modOdds {
QString RankLetters;
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
Long CardsUnseen;
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
QChar Rank_Letter(Long) { return {}; }
QString Category_Text(Long) { return {}; }
void Reset_State() {}
void Clear_Board() {}
void Copy_Board() {}
void Clear_Work_Grid() {}
void Build_Seen_List() {}
bool Suited_Test() { return false; }
void Mark_Card(Long, Long) {}
void Unmark_Card(Long, Long) {}
Long Evaluate_Hand(Long) { return 0; }
Long Best_Made_Hand(Long) { return 0; }
void Analyse_Outs() {}
} // namespace modOdds
