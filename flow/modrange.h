#pragma once

#include "showdown/spot.h"

#include <QString>

// The opponents' range the showdown odds are computed against: one process-wide range, any two cards
// until the player picks another, kept under its own settings key as its notation
// (showdown/rangenotation.h). The statistics table's ranks and groups give the ranges of the slider and
// the group box of the range dialog.
namespace modRange {

inline const QString RangeKey = QStringLiteral("RANGE");
// The longest notation the settings file can keep (a value is cut to 254 characters, four of which the
// cipher takes).
inline constexpr int MaxStoredText = 250;
inline constexpr int MaxGroup = 8;

// The range in use.
const showdown::Range& Current();
// Uses the range from now on without writing it (the dialog's choice while it is open); topPercent is
// the slider's n when the slider chose it (its description then names that n), else 0.
void Set_Current(const showdown::Range& range, int topPercent = 0);
int Current_Top();
// Reads the stored range: missing, damaged or empty, any two cards; the file is never repaired for it.
void Load_Range();
// Uses the range and writes its notation at once; the range is used whether or not it was written.
enum class Stored { Written, TooLong, WriteFailed }; // a failed write is reported under "PutIniValue"
Stored Store_Range(const showdown::Range& range);

// The top n% (1..100) by the statistics table: the classes whose HandRank is at most R, the smallest
// rank at which the classes ranked R or better hold at least n% of the 1,326 two-card hands (all the
// table's classes when they hold fewer). Empty without a table.
showdown::Range Top_Percent(int n);
// The classes whose Grouping is at most k.
showdown::Range Groups(int k);
// The largest n whose top n% is this range, or 0 (no n above the range's share of the hands counts).
int Top_Percent_Of(const showdown::Range& range);

// The panel's line for the range: "vs any two cards", "vs top 20% (270 combos)" or "vs " and its
// notation; for a range of no hand (as while the player empties it), that no hand of it is left. The n of a
// top n% is the slider's for the range in use, else the largest that gives it.
QString Description(const showdown::Range& range);
// "270 combos (20.4%)".
QString Combos_Text(const showdown::Range& range);

// Back to any two cards, without writing (tests).
void Reset_Range();

} // namespace modRange
