#pragma once

#include "base/long.h"
#include "cards/colourscale.h"
#include "flow/modrange.h"
#include "showdown/spot.h"

#include <QCoreApplication>
#include <QString>
#include <cstdint>

// The road of one hand, without a widget: every board event (a card chosen, a card released, Clear) runs
// the whole flow here — marking, the chosen ranks' text, the hole cards, the prompt, the round's bet unit,
// the suited test, the pre-flop lookup, the flop and turn analysis and the frame of every card — and leaves
// what the main window shows in Board (and in modOdds' analysis results), which the window only paints.
namespace modBoard {

// How a choice reached the board: through the card's picture or frame, which paints the frame black
// (choosing) or neutral (releasing), or through its hidden check box alone, which leaves the frame as it is.
enum class Via { CheckBox, Frame };

// The prompts, as written here; the board holds them in the user's language.
inline constexpr char PromptPreFlop[] = QT_TRANSLATE_NOOP("modBoard", "Enter Pre-Flop Cards");
inline constexpr char PromptStrategy[] = QT_TRANSLATE_NOOP("modBoard", "Pre-Flop Strategy");
inline constexpr char PromptFlop[] = QT_TRANSLATE_NOOP("modBoard", "Flop - Enter Pot for Strategy");
inline constexpr char PromptTurn[] = QT_TRANSLATE_NOOP("modBoard", "Turn - Enter Pot for Strategy");
inline constexpr char PromptRiver[] = QT_TRANSLATE_NOOP("modBoard", "River - Enter Pot for Strategy");

// File > Play to the River: the seventh card is the river, and the eighth starts the next hand. Off, the
// seventh starts it.
extern bool PlayToRiver;
// The last card of a hand that the player enters: the turn (6), or the river (7) with PlayToRiver.
Long Last_Card_Of_Hand();
// Sets PlayToRiver; turned off with the river on the board, the board clears as a seventh card would.
void Set_Play_To_River(bool on);

struct BoardState {
    QString CardsText; // txtCards: the chosen rank letters in the order chosen
    QString Prompt = QString::fromLatin1(PromptPreFlop); // lblCurrent
    QString InfoLine;                                    // lblSuited: the pre-flop line
    BgrColour InfoColour = NeutralColour;
    // The statistics table's exact heads-up counts of the two hole cards, from the same lookup.
    showdown::TableCounts PreflopTable;
    // Counters that tell the window what to repaint: Analysis moves whenever the hands rows, the outs and
    // the hit percentage change (an analysis, or its display wiped); Clears on every Clear, which also
    // empties the pot and the action list.
    std::uint64_t Analysis = 0;
    std::uint64_t Clears = 0;
};

extern BoardState Board;

// Whether the card of this index is chosen (BoardGrid holds it).
bool Is_Chosen(Long index);

// The three board events. Choosing a chosen card or releasing one that is not, or an index outside the
// deck, changes nothing. A card after the last of the hand clears the board.
void Card_Chosen(Long index, Via via);
void Card_Released(Long index, Via via);
void Clear();

// The pre-flop advice for the two chosen cards: cmdNewStrategy_Click checks the chosen ranks' text (two
// rank letters, else Clear) and hands it to Display_Results, which builds the hand key, looks it up and
// writes the line and its colour.
void cmdNewStrategy_Click();
void Display_Results(const QString& cards);

// The showdown spot of the board: the two hole cards (HoleCards rows 1 and 2), every other chosen card as
// the board, the opponents holding hands of the range, and before the flop the table's counts. False
// (and the spot untouched) unless both hole cards are chosen, at most five other cards are, and the
// range has a hand left for every opponent.
bool Showdown_Spot(int opponents, showdown::Spot& spot, const showdown::Range& range = modRange::Current());

// Back to the start (tests).
void Reset();

} // namespace modBoard
