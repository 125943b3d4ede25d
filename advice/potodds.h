#pragma once

#include "base/long.h"
#include "config/modglobal.h"

#include <QString>
#include <cstdint>

namespace advice {

// The pot-odds rule and the table-settings summary.

struct WagerRow {
    double wager = 0; // money: the unit times the bet level
    bool bet = false; // "BET" when the wager does not exceed pot x hit, else "FOLD"
};

// The bound on the wager list, one for the settings dialog and the settings file (config/modglobal.h):
// the bet and at most MaxRaises raises.
using modGlobal::MaxRaises;
inline constexpr int MaxWagerRows = MaxRaises + 1;

// Fills rows with the wagers of the round and their actions; returns how many. The unit is MINBET in
// the small-bet round and MAXBET at the turn; the wagers are the unit, 2 x unit, ... up to
// (NUMRAISES + 1) x unit, as money (a unit of 2.50 bets 2.50, 5.00, 7.50, 10.00). The list is always
// finite and at most MaxWagerRows long:
//  - a unit of 0 or below, or that is not a finite number, gives no wager at all (an empty list);
//  - NUMRAISES is held to at most MaxRaises (modGlobal::Raises_Used); a negative count lists no wager;
//  - wagers beyond the 32-bit range are left off the end of the list.
int Wager_Actions(double outs, double unseen, double pot, bool smallBetRound, WagerRow (&rows)[MaxWagerRows]);

// The wagers of the round, ascending, as Wager_Actions lists them; returns how many.
int Round_Wagers(bool smallBetRound, double (&wagers)[MaxWagerRows]);

// The price of a call set against the showdown equity: for each wager W of the round, the share of the
// final pot it buys, W / (pot + W), and "BET" when the equity is at least that share.
struct AdviceRow {
    double wager = 0;
    double needs = 0; // 0..1
    bool bet = false;
};
// Fills rows for the pot and the equity (a percentage); returns how many. No row for a negative pot, which
// buys no share of anything, or for a figure that is not a number.
int Showdown_Advice(double equityPct, double pot, bool smallBetRound, AdviceRow (&rows)[MaxWagerRows]);

// "Settings: $1.00/$2.00, Max 3 Raises": the raises are those the wager list uses.
QString Settings_Summary();

} // namespace advice
