#include "config/modencrypt.h"

#include "base/errorreport.h"
#include "base/numbers.h"

#include <QLocale>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <random>

namespace modEncrypt {

namespace {

// The texts go through loop counters of 16 bits: nothing longer than this is enciphered or deciphered.
constexpr qsizetype MaxText = 32767;
constexpr int LowKey = 46;  // "."
constexpr int HighKey = 54; // "6"
constexpr int MaxCode = 255;

// One generator for the life of the program, seeded once. Drawing four keys from a generator that is
// re-seeded from the clock before every draw gives four equal keys.
std::mt19937_64& Generator() {
    static std::mt19937_64 generator = [] {
        std::random_device device;
        const auto ticks =
            static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
        std::seed_seq seeds{device(),
                            device(),
                            device(),
                            device(),
                            static_cast<unsigned>(ticks),
                            static_cast<unsigned>(ticks >> 32)};
        return std::mt19937_64(seeds);
    }();
    return generator;
}

// A uniform draw with 0 <= r < 1: the top 53 bits of one 64-bit draw.
double Uniform() {
    return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

// Keys replacing the draw in tests, used in turn; empty for the real draw.
QList<int> TestKeys;
qsizetype NextTestKey = 0;

int Draw_Key() {
    if (!TestKeys.isEmpty()) {
        const int key = TestKeys.at(NextTestKey % TestKeys.size());
        NextTestKey = (NextTestKey + 1) % TestKeys.size();
        return key;
    }
    return static_cast<int>(randomnumber(9)) + 45;
}

// The text form of a value, as the program stores it; nothing when the value has none.
std::optional<QString> Text_Form(const QVariant& value) {
    if (!value.isValid()) return std::nullopt;
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray());
    case QMetaType::QChar:
        return QString(value.toChar());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return Stored_Number_Text(value.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return Stored_Number_Text(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return Stored_Number_Text(value.toDouble());
    default:
        break;
    }
    if (value.canConvert<QString>()) return value.toString();
    return std::nullopt;
}

} // namespace

QString Encrypt_With_Keys(const QString& plain, int key1, int key2, int key3, int key4) {
    const int keys[4] = {key1, key2, key3, key4};
    for (const int key : keys)
        if (key < LowKey || key > HighKey) return EncryptError;
    if (plain.size() > MaxText) return EncryptError;

    QString result;
    result.reserve(plain.size() + 4);
    result += QChar(key1);
    result += QChar(key2);
    result += QChar(key3);
    for (qsizetype i = 0; i < plain.size(); ++i) {
        // A character beyond the single-byte codes cannot be carried at all.
        const int code = plain.at(i).unicode();
        const int shifted = code + keys[i % 4];
        if (code > MaxCode || shifted > MaxCode) return EncryptError;
        result += QChar(shifted);
    }
    result += QChar(key4);
    return result;
}

QString Encrypt(const QVariant& value) {
    const std::optional<QString> text = Text_Form(value);
    if (!text || text->size() > MaxText) return EncryptError;
    // The first draw is key 1, the second key 3, the third key 2, the fourth key 4.
    const int key1 = Draw_Key();
    const int key3 = Draw_Key();
    const int key2 = Draw_Key();
    const int key4 = Draw_Key();
    return Encrypt_With_Keys(*text, key1, key2, key3, key4);
}

QString Decrypt(const QString& cipher) {
    if (cipher.size() < 3) return DecryptError;
    const qsizetype bodySize = cipher.size() - 4; // -1 for a three-character text: no body
    if (bodySize > MaxText) return DecryptError;
    const int keys[4] = {cipher.at(0).unicode(), cipher.at(1).unicode(), cipher.at(2).unicode(),
                         cipher.at(cipher.size() - 1).unicode()};
    for (const int key : keys)
        if (key > MaxCode) return DecryptError;

    QString result;
    if (bodySize <= 0) return result;
    result.reserve(bodySize);
    for (qsizetype i = 0; i < bodySize; ++i) {
        const int code = cipher.at(3 + i).unicode();
        const int plain = code - keys[i % 4];
        if (code > MaxCode || plain < 0) return DecryptError;
        result += QChar(plain);
    }
    return result;
}

bool Keys_In_Range(const QString& cipher) {
    if (cipher.size() < 4) return false;
    const QChar keys[4] = {cipher.at(0), cipher.at(1), cipher.at(2), cipher.at(cipher.size() - 1)};
    for (const QChar key : keys)
        if (key.unicode() < LowKey || key.unicode() > HighKey) return false;
    return true;
}

double randomnumber(const QVariant& bound) {
    double upper = 0;
    bool ok = false;
    switch (bound.metaType().id()) {
    case QMetaType::QString: {
        const std::optional<double> parsed = Parse_Number(bound.toString());
        ok = parsed.has_value();
        if (ok) upper = *parsed;
        break;
    }
    case QMetaType::Bool:
    case QMetaType::UnknownType:
        break;
    default:
        upper = bound.toDouble(&ok);
        break;
    }
    if (!ok || !std::isfinite(upper)) {
        Report_Error(QStringLiteral("randomnumber"), err::TypeMismatch, err::Description(err::TypeMismatch));
        return 0;
    }
    // upper * r stays below |upper|, so the result is finite.
    return std::floor(upper * Uniform() + 1.0);
}

void Set_Test_Keys(const QList<int>& keys) {
    TestKeys = keys;
    NextTestKey = 0;
}

} // namespace modEncrypt
