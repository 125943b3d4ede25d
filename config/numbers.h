#pragma once

#include "cards/long.h"

#include <QString>
#include <cstdint>
#include <optional>

// The locale rules of the whole program, in one place: every number the player reads or types goes
// through these, and all of them follow QLocale() (the default locale, which tests pin).


// A lenient numeric test and conversion: surrounding blanks, a sign, grouping separators, the decimal
// separator, an exponent and the locale's currency symbol are accepted; an empty text, infinities and
// NaN are not.
std::optional<double> Parse_Number(const QString& text);

// Nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4); nothing when the value
// is not finite or lies outside the 32-bit signed range.
std::optional<Long> Round_To_Long(double value);

// The ratio in the pattern "0.0%": times 100, one decimal, the locale's decimal separator, then "%".
QString Format_Ratio(double ratio);

// Money in the locale's currency format ($4.00 in a US-English locale).
QString Format_Currency(double value);

// The shortest decimal text of a number in the locale (1, 2.5, 40, 100000), without grouping separators;
// the exponent form (1E+15, 1E-05) only below 0.0001 and from 1E+15 on.
QString Number_Text(double value);

// The text under which a number is kept in a single-byte file: Number_Text, or, in a locale that writes
// numbers with characters beyond the single-byte codes (other digits, a minus sign of its own), the
// same form in plain C digits ("-2.5").
QString Stored_Number_Text(double value);
QString Stored_Number_Text(qlonglong value);
QString Stored_Number_Text(qulonglong value);

// Reads a number kept that way: by the locale first, then in the C form.
std::optional<double> Parse_Stored_Number(const QString& text);
