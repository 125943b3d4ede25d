#include "advice/potodds.h"

#include "base/numbers.h"
#include "config/modglobal.h"

#include <QCoreApplication>
#include <cmath>
#include <limits>

namespace advice {

int Round_Wagers(bool smallBetRound, double (&wagers)[MaxWagerRows]) {
    const double unit = smallBetRound ? modGlobal::MINBET : modGlobal::MAXBET;
    const Long raises = modGlobal::Raises_Used(modGlobal::NUMRAISES);
    if (!std::isfinite(unit) || unit <= 0) return 0;

    constexpr double LongMax = static_cast<double>(std::numeric_limits<Long>::max());
    int count = 0;
    for (Long level = 1; level <= raises + 1 && count < MaxWagerRows; ++level) {
        const double wager = level * unit;
        if (wager > LongMax) break;
        wagers[count++] = wager;
    }
    return count;
}

int Wager_Actions(double outs, double unseen, double pot, bool smallBetRound,
                  WagerRow (&rows)[MaxWagerRows]) {
    const double hit = unseen > 0 ? outs / unseen : 0.0;
    const double share = pot * hit;
    double wagers[MaxWagerRows];
    const int count = Round_Wagers(smallBetRound, wagers);
    for (int i = 0; i < count; ++i)
        rows[i] = {wagers[i], wagers[i] <= share};
    return count;
}

int Showdown_Advice(double equityPct, double pot, bool smallBetRound, AdviceRow (&rows)[MaxWagerRows]) {
    if (!std::isfinite(equityPct) || !std::isfinite(pot) || pot < 0) return 0;
    double wagers[MaxWagerRows];
    const int count = Round_Wagers(smallBetRound, wagers);
    for (int i = 0; i < count; ++i) {
        const double needs = wagers[i] / (pot + wagers[i]);
        rows[i] = {wagers[i], needs, equityPct >= 100.0 * needs};
    }
    return count;
}

QString Settings_Summary() {
    return QCoreApplication::translate("advice", "Settings: %1/%2, Max %3 Raises")
        .arg(Format_Currency(modGlobal::MINBET).trimmed(), Format_Currency(modGlobal::MAXBET).trimmed(),
             QString::number(modGlobal::Raises_Used(modGlobal::NUMRAISES)));
}

} // namespace advice
