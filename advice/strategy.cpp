#include "advice/strategy.h"

#include "advice/preflopstats.h"
#include "base/errorreport.h"
#include "base/numbers.h"
#include "cards/handclass.h"

#include <algorithm>

namespace advice {

Long StrategyColor = 0;
Long StrategyRank = 0;
Long StrategyAtRank = 0;
Long StrategyGroup = 0;
bool StrategyFound = false;
Long StrategyRow = 0;

namespace {

Long Rounded_Figure(double value) {
    const auto r = Round_To_Long(value);
    if (!r) Raise_Error(err::Overflow);
    return *r;
}

} // namespace

void Reset_Strategy() {
    StrategyColor = 0;
    StrategyRank = 0;
    StrategyAtRank = 0;
    StrategyGroup = 0;
    StrategyFound = false;
    StrategyRow = 0;
}

Long Advice_Colour(const QString& word) {
    for (int i = 0; i < ScaleSize; ++i)
        if (word == AdviceWords[i]) return static_cast<Long>(ColourScale[i]);
    return 0;
}

QString Word_Text(const QString& word) {
    if (word == UnknownCombination) return QCoreApplication::translate("advice", "Unknown Combination");
    for (const QString& known : AdviceWords)
        if (word == known) return QCoreApplication::translate("advice", known.toLatin1().constData());
    return word;
}

QString Hand_Key(QChar first, QChar second, bool suited) {
    const int a = cards::Rank_Code_Of_Letter(first.toLatin1());
    const int b = cards::Rank_Code_Of_Letter(second.toLatin1());
    if (a < 0 || b < 0) return {};
    return HandClass::Of_Ranks(a, b, suited).Key();
}

QString Return_Strategy_Results(const QString& handKey) {
    QString result = UnknownCombination;
    StrategyColor = 0;
    StrategyFound = false;
    StrategyRow = 0;
    // A hand the table lacks shows zero figures rather than those of an earlier, different hand.
    StrategyRank = 0;
    StrategyAtRank = 0;
    StrategyGroup = 0;
    Trap("Return_Strategy_Results", [&] {
        const Long count = std::clamp<Long>(StatCount, 0, MaxStatRows);
        for (Long row = 1; row <= count; ++row) {
            const PreflopStat& stat = PreflopStats[row];
            if (stat.HandKey != handKey) continue;
            result = stat.Strategy;
            StrategyFound = true;
            StrategyRow = row;
            StrategyRank = Rounded_Figure(stat.HandRank);
            StrategyAtRank = Rounded_Figure(stat.HandsAtRank);
            StrategyGroup = Rounded_Figure(stat.Grouping);
            StrategyColor = Advice_Colour(stat.Strategy);
            break;
        }
    });
    return result;
}

QString Info_Line(const QString& handKey, const QString& word) {
    return handKey + QStringLiteral(" - ") + word + QStringLiteral(" (") + QString::number(StrategyRank) +
           QLatin1Char('/') + QString::number(StatCount) + QStringLiteral(") [") +
           QString::number(StrategyAtRank) + QStringLiteral("] G") + QString::number(StrategyGroup);
}

} // namespace advice
