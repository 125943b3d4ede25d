#include "base/numbers.h"

#include <QLocale>
#include <cfenv>
#include <cmath>
#include <limits>

namespace {

bool Is_Blank(QChar c) {
    return c.isSpace() || c.category() == QChar::Other_Format;
}

// What the locale writes before and after the digits of an amount of money ("$" and "" for $1.00 in
// US English, "" and "€" for 1,00 € in German, "($" and ")" for ($1.00)); blanks and direction marks
// left out.
struct Affixes {
    QString prefix;
    QString suffix;
};

QString Without_Blanks(QStringView text) {
    QString kept;
    for (const QChar c : text)
        if (!Is_Blank(c)) kept += c;
    return kept;
}

Affixes Affixes_Of(const QString& sample) {
    qsizetype first = 0;
    while (first < sample.size() && !sample.at(first).isDigit())
        ++first;
    qsizetype last = sample.size() - 1;
    while (last >= first && !sample.at(last).isDigit())
        --last;
    return {Without_Blanks(QStringView(sample).first(first)),
            Without_Blanks(QStringView(sample).sliced(last + 1))};
}

// Takes the affix off the front (or the back) of the text, blanks between its characters and the
// number allowed; false when the text does not start (end) with it.
bool Take_Front(QStringView& text, const QString& affix) {
    for (const QChar c : affix) {
        while (!text.isEmpty() && Is_Blank(text.front()))
            text = text.sliced(1);
        if (text.isEmpty() || text.front() != c) return false;
        text = text.sliced(1);
    }
    while (!text.isEmpty() && Is_Blank(text.front()))
        text = text.sliced(1);
    return true;
}

bool Take_Back(QStringView& text, const QString& affix) {
    for (qsizetype i = affix.size() - 1; i >= 0; --i) {
        while (!text.isEmpty() && Is_Blank(text.back()))
            text.chop(1);
        if (text.isEmpty() || text.back() != affix.at(i)) return false;
        text.chop(1);
    }
    while (!text.isEmpty() && Is_Blank(text.back()))
        text.chop(1);
    return true;
}

std::optional<double> Plain_Number(QStringView text, const QLocale& locale) {
    if (text.isEmpty()) return std::nullopt;
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

bool Starts_With_Sign(QStringView text, const QLocale& locale) {
    return text.startsWith(locale.negativeSign()) || text.startsWith(locale.positiveSign());
}

// An amount written as the locale writes money: its symbol before or after the number, as its own
// amounts have it; the sign where the locale puts it (its own negative form, "($5.00)" or "-5,00 €"),
// in front of the whole ("-$5") or in front of the number ("$-5").
std::optional<double> Money(QStringView text, const QLocale& locale) {
    if (locale.currencySymbol(QLocale::CurrencySymbol).isEmpty()) return std::nullopt;
    const Affixes positive = Affixes_Of(locale.toCurrencyString(1.0));
    const Affixes negative = Affixes_Of(locale.toCurrencyString(-1.0));
    if (positive.prefix.isEmpty() && positive.suffix.isEmpty()) return std::nullopt;

    if (QStringView middle = text; Take_Front(middle, positive.prefix) && Take_Back(middle, positive.suffix))
        return Plain_Number(middle, locale);
    if (QStringView middle = text; Take_Front(middle, negative.prefix) &&
                                   Take_Back(middle, negative.suffix) && !Starts_With_Sign(middle, locale)) {
        if (const auto value = Plain_Number(middle, locale)) return -*value;
        return std::nullopt;
    }
    for (const QString& sign : {locale.negativeSign(), locale.positiveSign()}) {
        if (sign.isEmpty() || !text.startsWith(sign)) continue;
        QStringView middle = text.sliced(sign.size());
        if (!Take_Front(middle, positive.prefix) || !Take_Back(middle, positive.suffix) ||
            Starts_With_Sign(middle, locale))
            return std::nullopt;
        const auto value = Plain_Number(middle, locale);
        if (!value) return std::nullopt;
        return sign == locale.negativeSign() ? -*value : *value;
    }
    return std::nullopt;
}

std::optional<double> Parse_In(const QString& raw, const QLocale& locale) {
    const QString text = raw.trimmed();
    if (text.isEmpty()) return std::nullopt;
    if (const auto value = Plain_Number(text, locale)) return value;
    return Money(text, locale);
}

// The plain C form only ("2.5", "-40", "1e+15"): no grouping, no currency.
std::optional<double> Parse_C(const QString& text) {
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    return Plain_Number(QStringView(text).trimmed(), c);
}

} // namespace

std::optional<double> Parse_Number(const QString& text) {
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return Parse_In(text, locale);
}

std::optional<Long> Round_To_Long(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    if (rounded < static_cast<double>(std::numeric_limits<Long>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Long>::max()))
        return std::nullopt;
    return static_cast<Long>(rounded);
}

QString Format_Ratio(double ratio) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(ratio * 100.0, 'f', 1) + QLatin1Char('%');
}

QString Format_Currency(double value) {
    return QLocale().toCurrencyString(value);
}

namespace {

QString Number_Text_In(double value, QLocale locale) {
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    // Plain digits for every amount a table can have (100000, not 1E+05); the exponent form only for
    // the very large and the very small.
    const double magnitude = std::fabs(value);
    const bool plain = magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e15);
    return locale.toString(value, plain ? 'f' : 'g', QLocale::FloatingPointShortest);
}

// Whether a stored text reads back as the value in the plain C form, so that every locale reads it alike.
bool Reads_Alike(const QString& text, double value) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80) return false; // "−4": a minus sign of the locale's own
    const auto back = Parse_C(text);
    return back && *back == value;
}

template <class T> QString Stored_Whole_Text(T value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const QString text = locale.toString(value);
    if (Reads_Alike(text, static_cast<double>(value))) return text;
    return QLocale::c().toString(value);
}

} // namespace

QString Number_Text(double value) {
    return Number_Text_In(value, QLocale());
}

QString Stored_Number_Text(double value) {
    const QString text = Number_Text(value);
    if (Reads_Alike(text, value)) return text;
    return Number_Text_In(value, QLocale::c());
}

QString Stored_Number_Text(qlonglong value) {
    return Stored_Whole_Text(value);
}

QString Stored_Number_Text(qulonglong value) {
    return Stored_Whole_Text(value);
}

std::optional<double> Parse_Stored_Number(const QString& text) {
    if (const auto value = Parse_C(text)) return value;
    if (const auto value = Parse_Number(text)) return value;
    // A fraction that a locale with a decimal comma stored ("2,5"): stored texts have no grouping, so a
    // single comma can only be that locale's decimal separator.
    if (text.count(QLatin1Char(',')) == 1 && !text.contains(QLatin1Char('.')))
        return Parse_C(QString(text).replace(QLatin1Char(','), QLatin1Char('.')));
    return std::nullopt;
}
