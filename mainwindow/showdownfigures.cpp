#include "mainwindow/showdownfigures.h"

#include "base/numbers.h"
#include "cards/mododds.h"

#include <QLocale>

namespace showdowntexts {

QString Percent_Text(double pct) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(pct, 'f', 2) + QLatin1Char('%');
}

QString Signed_Percent_Text(double pct, bool negative) {
    const QLocale locale;
    return (negative ? locale.negativeSign() : locale.positiveSign()) + Percent_Text(pct);
}

QString Clean_Outs_Text(int outs, int unseen) {
    return QStringLiteral("%1 (%2)").arg(QLocale().toString(outs),
                                         Format_Ratio(unseen > 0 ? double(outs) / unseen : 0.0));
}

QString Precision_Text(const showdown::OddsFigures& odds) {
    if (odds.exact) return QStringLiteral("exact");
    return QStringLiteral("\u00B1 ") + Percent_Text(odds.stdErrorPct);
}

Long River_Rows(const showdown::RiverFigures& river, RiverRow (&rows)[RiverRowSlots]) {
    Long n = 0;
    if (river.boards <= 0) return 0;
    for (Long code = modOdds::HighCard; code <= modOdds::StraightFlush; ++code) {
        if (river.count[code] <= 0) continue;
        rows[n].code = code;
        rows[n].hand = modOdds::Category_Text(code);
        rows[n].odds =
            Format_Ratio(static_cast<double>(river.count[code]) / static_cast<double>(river.boards));
        ++n;
    }
    return n;
}

} // namespace showdowntexts
