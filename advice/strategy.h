#pragma once

#include "cards/colourscale.h"

#include <QString>
#include <cstdint>

// The pre-flop lookup: a hand key in, the advice word and its figures out.

using Long = std::int32_t;

extern Long StrategyColor; // BGR colour of the last advice word; 0 when none was found or the word is unknown
extern Long StrategyRank;
extern Long StrategyAtRank;
extern Long StrategyGroup;
extern bool StrategyFound; // the last lookup found a row

inline const QString AdviceWords[7] = {QStringLiteral("Best"),  QStringLiteral("Better"),
                                       QStringLiteral("Good"),  QStringLiteral("Marginal"),
                                       QStringLiteral("Bad"),   QStringLiteral("Worse"),
                                       QStringLiteral("Fold")};

void Reset_Strategy();

// The hand key of two rank letters: higher rank first, " s" appended when suited. Empty when either
// character is not a rank letter.
QString Hand_Key(QChar first, QChar second, bool suited);

QString Return_Strategy_Results(const QString& handKey);

// The info line: key - word (rank/total) [at rank] Ggroup.
QString Info_Line(const QString& handKey, const QString& word);
