#pragma once

#include "base/long.h"

#include <QString>
#include <cstdint>
#include <optional>

// The locale rules of the whole program, in one place: every number the player reads or types goes
// through these, and all of them follow QLocale() (the default locale, which tests pin).

// A lenient numeric test and conversion: surrounding blanks, a sign, grouping separators, the decimal
// separator and an exponent are accepted, and so is the locale's currency symbol where the locale
// writes it for money (in US English "$5", "-$5", "$-5" and "($5)", never "5$" or "5$5"); an empty
// text, infinities and NaN are not.
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

// The text under which a number is kept in a file that every locale must read alike: Number_Text when
// the plain C form reads it back as the same number (whole numbers, and fractions where the decimal
// separator is a point), else the same form in plain C digits ("-2.5" rather than "-2,5" or "−2,5").
QString Stored_Number_Text(double value);
QString Stored_Number_Text(qlonglong value);
QString Stored_Number_Text(qulonglong value);

// Reads a number kept that way: in the plain C form first, then by the locale (a value edited by hand,
// "1,000" in US English), then with a lone comma as the decimal separator (a fraction that a locale
// with a decimal comma stored before such fractions were kept in the C form).
std::optional<double> Parse_Stored_Number(const QString& text);
