#include "advice/potodds.h"

#include "base/numbers.h"
#include "config/modglobal.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>

namespace advice {

namespace {

constexpr double LongMax = static_cast<double>(std::numeric_limits<Long>::max());

// The last wager of a round: N((raises + 1) x unit), held to the 32-bit range. Nothing when the unit
// is not a number.
std::optional<Long> Last_Wager(double unit, Long raises) {
    // raises is at most MaxRaises, so raises + 1 cannot overflow; below -1 it lists nothing anyway.
    const double top = static_cast<double>(std::max<Long>(raises, -1) + 1) * unit;
    if (std::isnan(top)) return std::nullopt;
    return Round_To_Long(std::min(top, LongMax));
}

} // namespace

int Wager_Actions(double outs, double unseen, double pot, bool smallBetRound,
                  WagerRow (&rows)[MaxWagerRows]) {
    const double hit = unseen > 0 ? outs / unseen : 0.0;
    const double share = pot * hit;
    const double unit = smallBetRound ? modGlobal::MINBET : modGlobal::MAXBET;
    const Long raises = modGlobal::Raises_Used(modGlobal::NUMRAISES);

    const auto step = Round_To_Long(unit);
    if (!step || *step <= 0) return 0;
    const auto last = Last_Wager(unit, raises);
    if (!last) return 0;

    int count = 0;
    for (std::int64_t wager = *step; wager <= *last && count < MaxWagerRows; wager += *step) {
        rows[count].wager = static_cast<Long>(wager);
        rows[count].bet = static_cast<double>(wager) <= share;
        ++count;
    }
    return count;
}

QString Settings_Summary() {
    return QCoreApplication::translate("advice", "Settings: %1/%2, Max %3 Raises")
        .arg(Format_Currency(modGlobal::MINBET).trimmed(), Format_Currency(modGlobal::MAXBET).trimmed(),
             QString::number(modGlobal::Raises_Used(modGlobal::NUMRAISES)));
}

} // namespace advice
