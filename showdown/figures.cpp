#include "showdown/figures.h"

#include "base/numbers.h"
#include "cards/mododds.h"

#include <QLocale>

namespace showdown {

QString Percent_Text(double pct) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(pct, 'f', 2) + QLatin1Char('%');
}

QString Precision_Text(const Result& result) {
    if (result.exact) return QStringLiteral("exact");
    return QStringLiteral("\u00B1 ") + Percent_Text(result.stdErrorPct);
}

Long River_Rows(const Result& result, RiverRow (&rows)[RiverRowSlots]) {
    Long n = 0;
    if (result.riverBoards <= 0) return 0;
    for (Long code = modOdds::HighCard; code <= modOdds::StraightFlush; ++code) {
        if (result.riverCount[code] <= 0) continue;
        rows[n].code = code;
        rows[n].hand = modOdds::Category_Text(code);
        rows[n].odds = Format_Ratio(static_cast<double>(result.riverCount[code]) /
                                    static_cast<double>(result.riverBoards));
        ++n;
    }
    return n;
}

} // namespace showdown
