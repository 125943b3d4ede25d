#include "config/modencrypt.h"
#include "shell/errorreport.h"
#include "shell/messages.h"

#include <QLocale>
#include <QSet>
#include <QTest>

#include <limits>

using namespace modEncrypt;

namespace {

// A text of single-byte codes.
QString Codes(std::initializer_list<int> codes) {
    QString text;
    for (const int code : codes)
        text += QChar(code);
    return text;
}

} // namespace

class TestCipher : public QObject {
    Q_OBJECT

    QList<msg::Message> shown;

  private slots:
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Set_Test_Keys({});
        shown.clear();
        msg::Set_Message_Handler([this](const msg::Message& m) { shown.append(m); });
    }
    void cleanup() {
        msg::Set_Message_Handler({});
        Set_Test_Keys({});
    }

    // The worked example: keys 48, 51, 46, 54 turn "40" into 0 3 . d c 6.
    void example() {
        QCOMPARE(Encrypt_With_Keys(QStringLiteral("40"), 48, 51, 46, 54), QStringLiteral("03.dc6"));
        QCOMPARE(Decrypt(QStringLiteral("03.dc6")), QStringLiteral("40"));
    }

    // The draws fill key 1, key 3, key 2, key 4 in that order.
    void draw_order() {
        Set_Test_Keys({48, 46, 51, 54});
        QCOMPARE(Encrypt(QStringLiteral("40")), QStringLiteral("03.dc6"));
        QCOMPARE(Encrypt(40), QStringLiteral("03.dc6"));
    }

    void positions() {
        // Each position takes key ((i - 1) mod 4) + 1; the last character is key 4.
        const QString cipher = Encrypt_With_Keys(Codes({0, 0, 0, 0, 0, 0}), 46, 47, 48, 49);
        QCOMPARE(cipher, Codes({46, 47, 48, 46, 47, 48, 49, 46, 47, 49}));
    }

    void value_text_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("int") << QVariant(40) << "40";
        QTest::newRow("negative int") << QVariant(-3) << "-3";
        QTest::newRow("whole double") << QVariant(2.0) << "2";
        QTest::newRow("fraction") << QVariant(2.5) << "2.5";
        QTest::newRow("no grouping") << QVariant(12345.0) << "12345";
        QTest::newRow("large whole double") << QVariant(100000.0) << "100000";
        QTest::newRow("million") << QVariant(-2000000.0) << "-2000000";
        QTest::newRow("smallest plain") << QVariant(0.0001) << "0.0001";
        QTest::newRow("exponent above") << QVariant(1e15) << "1E+15";
        QTest::newRow("exponent below") << QVariant(0.00001) << "1E-05";
        QTest::newRow("int64") << QVariant(qlonglong(9007199254740993LL)) << "9007199254740993";
        QTest::newRow("text") << QVariant(QStringLiteral("abc")) << "abc";
        QTest::newRow("empty text") << QVariant(QString()) << "";
        QTest::newRow("bool") << QVariant(true) << "True";
    }
    void value_text() {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        const QString cipher = Encrypt(value);
        QCOMPARE(Decrypt(cipher), text);
        QCOMPARE(cipher.size(), text.size() + 4);
    }

    void german_decimal_comma() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(Decrypt(Encrypt(2.5)), QStringLiteral("2,5"));
        QCOMPARE(Decrypt(Encrypt(1234.0)), QStringLiteral("1234"));
    }

    void no_text_form() {
        QCOMPARE(Encrypt(QVariant()), EncryptError);
        QCOMPARE(Encrypt(QVariant::fromValue(QList<int>{1, 2})), EncryptError);
    }

    void empty_text_gives_four_keys() {
        const QString cipher = Encrypt(QString());
        QCOMPARE(cipher.size(), 4);
        QVERIFY(Keys_In_Range(cipher));
        QCOMPARE(Decrypt(cipher), QString());
    }

    void decrypt_short_data() {
        QTest::addColumn<QString>("cipher");
        QTest::addColumn<QString>("plain");
        QTest::newRow("empty") << "" << DecryptError;
        QTest::newRow("one") << "0" << DecryptError;
        QTest::newRow("two") << "03" << DecryptError;
        QTest::newRow("three") << "03."
                               << "";
        QTest::newRow("four") << "03.6"
                              << "";
        QTest::newRow("five") << "03.d6"
                              << "4";
        QTest::newRow("below zero") << "03.\x01"
                                       "6"
                                    << DecryptError;
    }
    void decrypt_short() {
        QFETCH(QString, cipher);
        QFETCH(QString, plain);
        QCOMPARE(Decrypt(cipher), plain);
    }

    void decrypt_beyond_single_byte() {
        QCOMPARE(Decrypt(QStringLiteral("03.") + QChar(0x100) + QStringLiteral("6")), DecryptError);
        QCOMPARE(Decrypt(QChar(0x130) + QStringLiteral("3.d6")), DecryptError);
    }

    void length_limit() {
        const QString longest(32767, QLatin1Char('a'));
        const QString cipher = Encrypt(longest);
        QCOMPARE(cipher.size(), 32767 + 4);
        QCOMPARE(Decrypt(cipher), longest);
        QCOMPARE(Encrypt(longest + QLatin1Char('a')), EncryptError);
        QCOMPARE(Decrypt(cipher.left(3) + QLatin1Char('a') + cipher.mid(3)), DecryptError);
    }

    void every_code_round_trips() {
        // Every code from 0 to 201 is carried under every key; above that it depends on the key.
        for (int key = 46; key <= 54; ++key) {
            for (int code = 0; code <= 255; ++code) {
                const QString plain{QChar(code)};
                const QString cipher = Encrypt_With_Keys(plain, key, 46, 46, 46);
                if (code + key <= 255) {
                    QCOMPARE(cipher.size(), 5);
                    QCOMPARE(Decrypt(cipher), plain);
                } else {
                    QCOMPARE(cipher, EncryptError);
                    QVERIFY2(code >= 202, qPrintable(QString::number(code)));
                }
            }
        }
    }

    void code_202_fails_for_some_keys_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("highestKey"); // the highest key that still carries the code
        QTest::newRow("201 always") << 201 << 54;
        QTest::newRow("202") << 202 << 53;
        QTest::newRow("205") << 205 << 50;
        QTest::newRow("209") << 209 << 46;
        QTest::newRow("210 never") << 210 << 45;
        QTest::newRow("255 never") << 255 << 45;
    }
    void code_202_fails_for_some_keys() {
        QFETCH(int, code);
        QFETCH(int, highestKey);
        const QString plain = QStringLiteral("ab") + QChar(code) + QStringLiteral("c");
        for (int key = 46; key <= 54; ++key) {
            // The character stands at position 3: key 3 decides.
            const QString cipher = Encrypt_With_Keys(plain, 50, 50, key, 50);
            QCOMPARE(cipher == EncryptError, key > highestKey);
            if (key <= highestKey) QCOMPARE(Decrypt(cipher), plain);
        }
    }

    void beyond_single_byte_cannot_be_carried() {
        QCOMPARE(Encrypt(QString(QChar(0x100))), EncryptError);
        QCOMPARE(Encrypt(QStringLiteral("\u20ac")), EncryptError);
    }

    void keys_out_of_range() {
        QCOMPARE(Encrypt_With_Keys(QStringLiteral("1"), 45, 46, 46, 46), EncryptError);
        QCOMPARE(Encrypt_With_Keys(QStringLiteral("1"), 46, 46, 46, 55), EncryptError);
    }

    void random_keys() {
        // Every key in range; every key value turns up; two cipher texts of the same value differ
        // at least once in a few tries; all decipher alike.
        QSet<int> seen;
        QSet<QString> texts;
        for (int i = 0; i < 400; ++i) {
            const QString cipher = Encrypt(QStringLiteral("hello"));
            QVERIFY(Keys_In_Range(cipher));
            QCOMPARE(Decrypt(cipher), QStringLiteral("hello"));
            for (const int at : {0, 1, 2, 8})
                seen.insert(cipher.at(at).unicode());
            texts.insert(cipher);
        }
        QCOMPARE(seen.size(), 9);
        QVERIFY(texts.size() > 300);
        // Four keys of one cipher text are not all equal every time (a generator re-seeded per draw).
        int allEqual = 0;
        for (int i = 0; i < 200; ++i) {
            const QString c = Encrypt(QString());
            if (c.at(0) == c.at(1) && c.at(1) == c.at(2) && c.at(2) == c.at(3)) ++allEqual;
        }
        QVERIFY(allEqual < 20);
    }

    void randomnumber_bounds_data() {
        QTest::addColumn<QVariant>("bound");
        QTest::addColumn<int>("high");
        QTest::newRow("9") << QVariant(9) << 9;
        QTest::newRow("9 as text") << QVariant(QStringLiteral("9")) << 9;
        QTest::newRow("1") << QVariant(1.0) << 1;
        QTest::newRow("2.5 as text") << QVariant(QStringLiteral("2.5")) << 3;
    }
    void randomnumber_bounds() {
        QFETCH(QVariant, bound);
        QFETCH(int, high);
        QSet<int> seen;
        for (int i = 0; i < 500; ++i) {
            const double r = randomnumber(bound);
            QCOMPARE(r, std::floor(r));
            QVERIFY(r >= 1 && r <= high);
            seen.insert(int(r));
        }
        QCOMPARE(seen.size(), high);
        QVERIFY(shown.isEmpty());
    }

    void randomnumber_bad_bound_data() {
        QTest::addColumn<QVariant>("bound");
        QTest::newRow("letters") << QVariant(QStringLiteral("abc"));
        QTest::newRow("empty text") << QVariant(QString());
        QTest::newRow("nothing") << QVariant();
        QTest::newRow("infinity") << QVariant(std::numeric_limits<double>::infinity());
        QTest::newRow("nan") << QVariant(std::numeric_limits<double>::quiet_NaN());
    }
    void randomnumber_bad_bound() {
        QFETCH(QVariant, bound);
        QCOMPARE(randomnumber(bound), 0.0);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).title, QStringLiteral("randomnumber"));
        QCOMPARE(shown.at(0).icon, msg::Icon::Exclamation);
        QCOMPARE(ErrProcedure, QStringLiteral("randomnumber"));
        QCOMPARE(ErrNumber, err::TypeMismatch);
    }

    void keys_in_range_data() {
        QTest::addColumn<QString>("cipher");
        QTest::addColumn<bool>("ok");
        QTest::newRow("example") << "03.dc6" << true;
        QTest::newRow("four keys") << "./66" << true;
        QTest::newRow("too short") << "03." << false;
        QTest::newRow("first out") << "-3.dc6" << false;
        QTest::newRow("last out") << "03.dc7" << false;
        QTest::newRow("cut") << "03.dc" << false;
    }
    void keys_in_range() {
        QFETCH(QString, cipher);
        QFETCH(bool, ok);
        QCOMPARE(Keys_In_Range(cipher), ok);
    }
};

QTEST_GUILESS_MAIN(TestCipher)
#include "tst_cipher.moc"
