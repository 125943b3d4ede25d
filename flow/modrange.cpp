#include "flow/modrange.h"

#include "advice/preflopstats.h"
#include "base/numbers.h"
#include "config/modglobal.h"
#include "showdown/rangenotation.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <optional>

namespace modRange {

namespace {

showdown::Range CurrentRange;
int CurrentTop = 0; // the slider's n when it chose the range in use, else 0

showdown::Range Empty_Range() {
    showdown::Range range;
    for (int h = 0; h < cards::HandCount; ++h)
        range.Set_Weight(h, 0);
    return range;
}

// The first row of the table for each class (the lookup's row), or nothing.
void Table_Rows(const advice::PreflopStat* (&rows)[HandClass::Count]) {
    std::fill(std::begin(rows), std::end(rows), nullptr);
    for (Long r = 1; r <= advice::StatCount; ++r) {
        const std::optional<HandClass> c = HandClass::Of_Key(advice::PreflopStats[r].HandKey);
        if (c && !rows[c->Index()]) rows[c->Index()] = &advice::PreflopStats[r];
    }
}

QString Locale_Number(int n) {
    return QLocale().toString(n);
}

} // namespace

const showdown::Range& Current() {
    return CurrentRange;
}

int Current_Top() {
    return CurrentTop;
}

void Set_Current(const showdown::Range& range, int topPercent) {
    CurrentRange = range;
    CurrentTop = topPercent;
}

void Load_Range() {
    CurrentRange = showdown::Range();
    CurrentTop = 0;
    const std::optional<QString> text = modGlobal::Get_Optional_Text(RangeKey);
    if (!text) return;
    const rangenotation::Parsed parsed = rangenotation::Parse(*text);
    if (parsed.valid && rangenotation::Combos(parsed.range) > 0) CurrentRange = parsed.range;
}

Stored Store_Range(const showdown::Range& range) {
    if (!(range == CurrentRange)) CurrentTop = 0;
    CurrentRange = range;
    const QString text = rangenotation::Shortest(range);
    if (text.size() > MaxStoredText) return Stored::TooLong;
    return modGlobal::Put_Setting(RangeKey, text) ? Stored::Written : Stored::WriteFailed;
}

namespace {

// The table's classes by HandRank, best first: read once for every n a caller tries.
struct Ranking {
    const advice::PreflopStat* rows[HandClass::Count];
    int order[HandClass::Count];
    int count = 0;

    Ranking() {
        Table_Rows(rows);
        for (int c = 0; c < HandClass::Count; ++c)
            if (rows[c]) order[count++] = c;
        std::sort(order, order + count, [&](int a, int b) { return rows[a]->HandRank < rows[b]->HandRank; });
    }
    showdown::Range Top(int n) const;
};

showdown::Range Ranking::Top(int n) const {
    n = std::clamp(n, 1, 100);
    showdown::Range range = Empty_Range();
    if (count == 0) return range;
    // The classes rank by rank, until those taken hold n% of the hands.
    double limit = rows[order[count - 1]]->HandRank;
    int hands = 0;
    for (int i = 0; i < count;) {
        const double rank = rows[order[i]]->HandRank;
        for (; i < count && rows[order[i]]->HandRank == rank; ++i)
            hands += HandClass::Of_Index(order[i]).Member_Count();
        if (hands * 100 >= n * cards::HandCount) {
            limit = rank;
            break;
        }
    }
    for (int c = 0; c < HandClass::Count; ++c)
        if (rows[c] && rows[c]->HandRank <= limit)
            range.Set_Class(HandClass::Of_Index(c), showdown::Range::MaxWeight);
    return range;
}

} // namespace

showdown::Range Top_Percent(int n) {
    return Ranking().Top(n);
}

showdown::Range Groups(int k) {
    const advice::PreflopStat* rows[HandClass::Count];
    Table_Rows(rows);
    showdown::Range range = Empty_Range();
    for (int c = 0; c < HandClass::Count; ++c)
        if (rows[c] && rows[c]->Grouping <= k)
            range.Set_Class(HandClass::Of_Index(c), showdown::Range::MaxWeight);
    return range;
}

int Top_Percent_Of(const showdown::Range& range) {
    // A top n% holds at least n% of the hands.
    const Ranking ranking;
    for (int n = std::min(100, rangenotation::Combos(range) * 100 / cards::HandCount); n >= 1; --n)
        if (ranking.Top(n) == range) return n;
    return 0;
}

QString Description(const showdown::Range& range) {
    const int combos = rangenotation::Combos(range);
    if (combos == cards::HandCount) return QCoreApplication::translate("modRange", "vs any two cards");
    if (combos == 0) return QCoreApplication::translate("modRange", "No hand of the range is left");
    const bool slider = CurrentTop && range == CurrentRange && Top_Percent(CurrentTop) == range;
    if (const int n = slider ? CurrentTop : Top_Percent_Of(range))
        return QCoreApplication::translate("modRange", "vs top %1% (%2 combos)")
            .arg(Locale_Number(n), Locale_Number(combos));
    return QCoreApplication::translate("modRange", "vs %1").arg(rangenotation::Shortest(range));
}

QString Combos_Text(const showdown::Range& range) {
    const int combos = rangenotation::Combos(range);
    return QCoreApplication::translate("modRange", "%1 combos (%2)")
        .arg(Locale_Number(combos), Format_Ratio(static_cast<double>(combos) / cards::HandCount));
}

void Reset_Range() {
    CurrentRange = showdown::Range();
    CurrentTop = 0;
}

} // namespace modRange
