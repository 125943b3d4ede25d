#include "advice/strategy.h"

// Placeholder: the lookup lands in its own commit.
Long StrategyColor = 0;
Long StrategyRank = 0;
Long StrategyAtRank = 0;
Long StrategyGroup = 0;
bool StrategyFound = false;
void Reset_Strategy() {}
QString Hand_Key(QChar, QChar, bool) { return {}; }
QString Return_Strategy_Results(const QString&) { return {}; }
QString Info_Line(const QString&, const QString&) { return {}; }
