#pragma once

#include "base/long.h"
#include "cards/handclass.h"

#include <QString>
#include <QtGlobal>
#include <cstdint>

namespace advice {

// The statistics of the starting hands, read once from the enciphered file "stats.csv" in the
// program's folder.

struct PreflopStat {
    QString HandKey; // "AA", "AK s", "AK", ..., "32"
    double StatValue = 0;
    QString Strategy; // "Best" .. "Fold"
    double HandRank = 0;
    double HandsAtRank = 0;
    double Grouping = 0;
    // Optional fields 7 and 8: the exact heads-up wins and ties of the hand out of every deal of an
    // opponent hand and a board (the showdown odds read them). HasExact only when both are present and
    // valid; a row without them loads as before.
    bool HasExact = false;
    Long ExactWins = 0;
    Long ExactTies = 0;
};

inline constexpr int MaxStatRows = 200;

// Fields 7 and 8 of a row count the hand's heads-up wins and ties over every deal of an opponent hand
// and a board: C(50,5) boards x C(45,2) opponent hands.
inline constexpr qint64 PreflopBoardsPerHand = HandClass::HeadsUpBoards;
inline constexpr qint64 PreflopOpponentsPerBoard = HandClass::HeadsUpOpponentHands;
inline constexpr qint64 PreflopDealsPerHand = HandClass::HeadsUpDeals;

// Rows 1..StatCount are valid; row 0 is unused.
extern PreflopStat PreflopStats[MaxStatRows + 1];
extern Long StatCount;

inline const QString StatsFileName = QStringLiteral("stats.csv");

// The folder the statistics file is read from: the running program's folder, unless a test set another.
QString Stats_Folder();
void Set_Stats_Folder(const QString& folder); // "" restores the program's folder

// Loads the whole file into rows 1..StatCount; StatCount stays 0 unless every line read cleanly. Only a
// regular file is read, and at most 16 MiB of it. The numbers are read in their plain C form ("85.20"),
// and by the user's locale when they are not in that form. Failures are shown to the user, never raised.
void Grab_Stats();
void Reset_Stats(); // StatCount 0, rows emptied (tests)

} // namespace advice
