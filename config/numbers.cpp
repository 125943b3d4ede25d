#include "config/numbers.h"

#include <QLocale>
#include <cfenv>
#include <cmath>
#include <limits>

namespace {

QString strip_currency(QString text, const QLocale& locale) {
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    if (!symbol.isEmpty()) {
        const qsizetype at = text.indexOf(symbol);
        if (at >= 0) text.remove(at, symbol.size());
    }
    return text.trimmed();
}

std::optional<double> parse_in(const QString& raw, const QLocale& locale) {
    QString text = raw.trimmed();
    if (text.isEmpty()) return std::nullopt;
    bool ok = false;
    double value = locale.toDouble(text, &ok);
    if (!ok) {
        // A sign may stand before or after the currency symbol: "-$5", "$-5".
        text = strip_currency(text, locale);
        if (text.isEmpty()) return std::nullopt;
        value = locale.toDouble(text, &ok);
    }
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

} // namespace

std::optional<double> Parse_Number(const QString& text) {
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return parse_in(text, locale);
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

QString number_text_in(double value, QLocale locale) {
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    // Plain digits for every amount a table can have (100000, not 1E+05); the exponent form only for
    // the very large and the very small.
    const double magnitude = std::fabs(value);
    const bool plain = magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e15);
    return locale.toString(value, plain ? 'f' : 'g', QLocale::FloatingPointShortest);
}

bool single_byte(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() > 0xFF) return false;
    return true;
}

template <class T> QString stored_whole_text(T value) {
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(value);
    if (single_byte(text)) return text;
    return QLocale::c().toString(value);
}

} // namespace

QString Number_Text(double value) {
    return number_text_in(value, QLocale());
}

QString Stored_Number_Text(double value) {
    QString text = Number_Text(value);
    if (single_byte(text)) return text;
    return number_text_in(value, QLocale::c());
}

QString Stored_Number_Text(qlonglong value) {
    return stored_whole_text(value);
}

QString Stored_Number_Text(qulonglong value) {
    return stored_whole_text(value);
}

std::optional<double> Parse_Stored_Number(const QString& text) {
    if (const std::optional<double> value = Parse_Number(text)) return value;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::DefaultNumberOptions);
    return parse_in(text, c);
}
