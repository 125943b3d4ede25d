#pragma once

#include "base/long.h"

#include "cards/colourscale.h"

#include <QCoreApplication>
#include <QString>
#include <cstdint>

namespace advice {

// The pre-flop lookup: a hand key in, the advice word and its figures out.

extern Long StrategyColor; // BGR colour of the last advice word; 0 when none was found or the word is unknown
extern Long StrategyRank;
extern Long StrategyAtRank;
extern Long StrategyGroup;
extern bool StrategyFound; // the last lookup found a row
extern Long StrategyRow;   // the row it found (1..StatCount), 0 when none

// The words as the statistics file holds them; Word_Text gives them in the user's language.
inline const QString AdviceWords[7] = {QStringLiteral(QT_TRANSLATE_NOOP("advice", "Best")),
                                       QStringLiteral(QT_TRANSLATE_NOOP("advice", "Better")),
                                       QStringLiteral(QT_TRANSLATE_NOOP("advice", "Good")),
                                       QStringLiteral(QT_TRANSLATE_NOOP("advice", "Marginal")),
                                       QStringLiteral(QT_TRANSLATE_NOOP("advice", "Bad")),
                                       QStringLiteral(QT_TRANSLATE_NOOP("advice", "Worse")),
                                       QStringLiteral(QT_TRANSLATE_NOOP("advice", "Fold"))};

inline const QString UnknownCombination = QStringLiteral(QT_TRANSLATE_NOOP("advice", "Unknown Combination"));

// An advice word or "Unknown Combination" as the player reads it, in his language; any other text (a word
// of the statistics file that is none of the seven) as it stands.
QString Word_Text(const QString& word);

void Reset_Strategy();

// The colour of an advice word (exact comparison, letter case included); 0 for any other text.
Long Advice_Colour(const QString& word);

// The hand key of two rank letters: higher rank first, " s" appended when suited. Empty when either
// character is not a rank letter.
QString Hand_Key(QChar first, QChar second, bool suited);

// Looks the key up in rows 1..StatCount; the first row whose key matches exactly wins. Sets
// StrategyFound, StrategyColor and the three figures (all 0 when the key is not in the table) and
// returns the row's word, or "Unknown Combination". A figure outside the 32-bit range is reported
// as an overflow under "Return_Strategy_Results"; the word and the figures set before it stay.
QString Return_Strategy_Results(const QString& handKey);

// The info line: key - word (rank/total) [at rank] Ggroup.
QString Info_Line(const QString& handKey, const QString& word);

} // namespace advice
