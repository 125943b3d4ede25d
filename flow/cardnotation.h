#pragma once

#include "base/long.h"
#include "cards/mododds.h"

#include <QString>

// Cards typed on the keyboard: rank then suit, separated by blanks or commas or run together ("As Kh",
// "AsKh", "ah kd 2c", "10s", "Td9d"). The rank is 2..9, T or 10, J, Q, K, A; the suit s, h, c, d (or the
// symbols of the four suits); either case.
namespace cardnotation {

enum class Problem {
    None,
    NotACard,      // a token that reads as no card
    AlreadyChosen, // a card the board holds when its turn comes
    Repeated,      // the same card twice in the entry
};

// What an entry asks for: the cards in the order typed, or the first token at fault. An entry that runs
// past the last card of the hand holds only the cards of the last hand it starts: the hands before it are
// cleared by the cards after them, whatever their number.
struct Entry {
    Long cards[modOdds::CardCount] = {};
    int count = 0;
    bool newHand = false; // the board is cleared before the cards are chosen
    Problem problem = Problem::None;
    qsizetype errorStart = 0; // the token at fault: where it starts in the text, and its length
    qsizetype errorLength = 0;
};

// Reads an entry and checks it against the board as the clicks it stands for would meet it: a card that
// is chosen when its turn comes is at fault. An entry that runs past the last card of the hand (the turn,
// or the river when the hand is played to it: modBoard::Last_Card_Of_Hand) starts the next hand with
// the cards that did not fit, in order (the board is cleared before the first of them), and those are
// checked against the new hand only.
Entry Read_Entry(const QString& text);

// The short reason shown for a token at fault: "is not a card", "is already chosen", "is typed twice".
QString Problem_Text(Problem problem);

} // namespace cardnotation
