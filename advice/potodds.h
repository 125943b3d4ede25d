#pragma once

#include <QString>
#include <cstdint>

// The pot-odds rule and the table-settings summary.

using Long = std::int32_t;

struct WagerRow {
    Long wager = 0;
    bool bet = false; // "BET" when the wager does not exceed pot x hit, else "FOLD"
};

// The bound on the wager list, applied here and by the settings dialog: the bet and at most MaxRaises
// raises.
inline constexpr Long MaxRaises = 15;
inline constexpr int MaxWagerRows = MaxRaises + 1;

// Fills rows with the wagers of the round and their actions; returns how many.
int Wager_Actions(double outs, double unseen, double pot, bool smallBetRound, WagerRow (&rows)[MaxWagerRows]);

// Whether the wager list of these limits can be shown whole (NUMRAISES within 0..MaxRaises, every
// wager within the 32-bit range); the settings dialog refuses limits that fail this.
bool Wager_List_Fits(double minBet, double maxBet, Long numRaises);

// "Settings: $1.00/$2.00, Max 3 Raises"
QString Settings_Summary();
