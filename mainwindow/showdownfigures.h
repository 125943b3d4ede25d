#pragma once

#include "base/long.h"
#include "showdown/odds.h"

#include <QString>

// The texts the showdown panel shows the figures with, in the user's locale (QLocale()).

namespace showdowntexts {

// A percentage with two decimals and "%": 49.58%.
QString Percent_Text(double pct);

// A potential with its sign: "+20.83%", or "-27.37%" when negative.
QString Signed_Percent_Text(double pct, bool negative);

// The clean outs and the chance that the next card is one: "6 (12.8%)".
QString Clean_Outs_Text(int outs, int unseen);

// "exact", or one standard error of the equity as "± 0.12%".
QString Precision_Text(const showdown::OddsFigures& odds);

// One row of the by-the-river grid: the category code, its text as in the hands grid ("High Card" ..
// "Straight Flush") and its chance with one decimal ("12.3%").
struct RiverRow {
    Long code = 0;
    QString hand;
    QString odds;
};
inline constexpr int RiverRowSlots = 9;

// Fills rows 0.. with one row per category whose chance is above 0, lowest category first, and returns
// how many (0 when there are no boards).
Long River_Rows(const showdown::RiverFigures& river, RiverRow (&rows)[RiverRowSlots]);

} // namespace showdowntexts
