#include "base/errorreport.h"
#include "base/messages.h"
#include "config/modencrypt.h"

#include <QLocale>
#include <QSet>
#include <QTest>

#include <limits>

using namespace modEncrypt;

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

    // The worked example: keys 48, 51, 46, 54 turn "40" into 0 3 . d c 6. The draws fill key 1, key 3,
    // key 2, key 4 in that order; each position i takes key ((i - 1) mod 4) + 1, the last one key 4.
    void example_and_key_order() {
        QCOMPARE(Encrypt_With_Keys(QStringLiteral("40"), 48, 51, 46, 54), QStringLiteral("03.dc6"));
        QCOMPARE(Decrypt(QStringLiteral("03.dc6")), QStringLiteral("40"));
        Set_Test_Keys({48, 46, 51, 54});
        QCOMPARE(Encrypt(40), QStringLiteral("03.dc6"));
        const QString zeros(6, QChar(0));
        QCOMPARE(Encrypt_With_Keys(zeros, 46, 47, 48, 49), QStringLiteral("./0./01./1"));
        QCOMPARE(Encrypt_With_Keys(QStringLiteral("1"), 45, 46, 46, 46), EncryptError);
        QCOMPARE(Encrypt_With_Keys(QStringLiteral("1"), 46, 46, 46, 55), EncryptError);
    }

    // The text form of a value; EncryptError where there is none, or it is not single-byte.
    void value_text_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("int") << QVariant(40) << "40";
        QTest::newRow("negative int") << QVariant(-3) << "-3";
        QTest::newRow("whole double") << QVariant(2.0) << "2";
        QTest::newRow("fraction") << QVariant(2.5) << "2.5";
        QTest::newRow("no grouping, no exponent") << QVariant(100000.0) << "100000";
        QTest::newRow("smallest plain") << QVariant(0.0001) << "0.0001";
        QTest::newRow("exponent above") << QVariant(1e15) << "1E+15";
        QTest::newRow("exponent below") << QVariant(0.00001) << "1E-05";
        QTest::newRow("int64") << QVariant(qlonglong(9007199254740993LL)) << "9007199254740993";
        QTest::newRow("text") << QVariant(QStringLiteral("abc")) << "abc";
        QTest::newRow("empty text: four keys") << QVariant(QString()) << "";
        QTest::newRow("bool") << QVariant(true) << "True";
        QTest::newRow("nothing") << QVariant() << EncryptError;
        QTest::newRow("list") << QVariant::fromValue(QList<int>{1, 2}) << EncryptError;
        QTest::newRow("beyond single byte") << QVariant(QString(QChar(0x100))) << EncryptError;
    }
    void value_text() {
        QFETCH(QVariant, value);
        QFETCH(QString, text);
        const QString cipher = Encrypt(value);
        if (text == EncryptError) {
            QCOMPARE(cipher, EncryptError);
            return;
        }
        QCOMPARE(Decrypt(cipher), text);
        QCOMPARE(cipher.size(), text.size() + 4);
        QVERIFY(Keys_In_Range(cipher));
    }

    // A fraction is enciphered in the plain C form, so that a file written under a locale with a decimal
    // comma reads the same under any other; whole numbers keep their digits.
    void german_decimal_comma() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(Decrypt(Encrypt(2.5)), QStringLiteral("2.5"));
        QCOMPARE(Decrypt(Encrypt(1234.0)), QStringLiteral("1234"));
    }

    void decrypt_short_or_bad_data() {
        QTest::addColumn<QString>("cipher");
        QTest::addColumn<QString>("plain");
        QTest::newRow("empty") << "" << DecryptError;
        QTest::newRow("one") << "0" << DecryptError;
        QTest::newRow("two") << "03" << DecryptError;
        QTest::newRow("three") << "03." << QString();
        QTest::newRow("four") << "03.6" << QString();
        QTest::newRow("five") << "03.d6"
                              << "4";
        QTest::newRow("below zero") << "03.\x01"
                                       "6"
                                    << DecryptError;
        QTest::newRow("beyond single byte") << QStringLiteral("03.\u01006") << DecryptError;
        QTest::newRow("key beyond single byte") << QStringLiteral("\u01303.d6") << DecryptError;
    }
    void decrypt_short_or_bad() {
        QFETCH(QString, cipher);
        QFETCH(QString, plain);
        QCOMPARE(Decrypt(cipher), plain);
    }

    void length_limit() {
        const QString longest(32767, QLatin1Char('a'));
        const QString cipher = Encrypt(longest);
        QCOMPARE(cipher.size(), 32767 + 4);
        QCOMPARE(Decrypt(cipher), longest);
        QCOMPARE(Encrypt(longest + QLatin1Char('a')), EncryptError);
        QCOMPARE(Decrypt(cipher.left(3) + QLatin1Char('a') + cipher.mid(3)), DecryptError);
    }

    // Every code round trips at position 3 under every key 3 that carries it: codes up to 201 under
    // every key; from 202 on only while code + key stays a single byte (209 under key 46 alone).
    void every_code_round_trips() {
        for (int key = 46; key <= 54; ++key) {
            for (int code = 0; code <= 255; ++code) {
                const QString plain = QStringLiteral("ab") + QChar(code) + QStringLiteral("c");
                const QString cipher = Encrypt_With_Keys(plain, 50, 50, key, 50);
                const QByteArray where = QByteArray::number(code) + " key " + QByteArray::number(key);
                QVERIFY2((cipher == EncryptError) == (code + key > 255), where);
                if (code + key <= 255) QVERIFY2(Decrypt(cipher) == plain, where);
            }
        }
    }

    // Keys in range, every key value turns up, texts of one value differ, and the four keys of one
    // text are not all equal every time (as with a generator re-seeded from the clock before each draw).
    void random_keys() {
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
        int allEqual = 0;
        for (int i = 0; i < 200; ++i) {
            const QString c = Encrypt(QString());
            if (c.at(0) == c.at(1) && c.at(1) == c.at(2) && c.at(2) == c.at(3)) ++allEqual;
        }
        QVERIFY(allEqual < 20);
    }

    // A bound of 0 stands for a bad bound: the call reports a type mismatch and returns 0.
    void randomnumber_data() {
        QTest::addColumn<QVariant>("bound");
        QTest::addColumn<int>("high");
        QTest::newRow("9") << QVariant(9) << 9;
        QTest::newRow("9 as text") << QVariant(QStringLiteral("9")) << 9;
        QTest::newRow("1") << QVariant(1.0) << 1;
        QTest::newRow("2.5 as text") << QVariant(QStringLiteral("2.5")) << 3;
        QTest::newRow("letters") << QVariant(QStringLiteral("abc")) << 0;
        QTest::newRow("nothing") << QVariant() << 0;
        QTest::newRow("infinity") << QVariant(std::numeric_limits<double>::infinity()) << 0;
        QTest::newRow("nan") << QVariant(std::numeric_limits<double>::quiet_NaN()) << 0;
    }
    void randomnumber() {
        QFETCH(QVariant, bound);
        QFETCH(int, high);
        if (high == 0) {
            QCOMPARE(modEncrypt::randomnumber(bound), 0.0);
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.at(0).title, QStringLiteral("randomnumber"));
            QCOMPARE(shown.at(0).icon, msg::Icon::Exclamation);
            QCOMPARE(ErrNumber, err::TypeMismatch);
            return;
        }
        QSet<int> seen;
        for (int i = 0; i < 500; ++i) {
            const double r = modEncrypt::randomnumber(bound);
            QVERIFY(r == std::floor(r) && r >= 1 && r <= high);
            seen.insert(int(r));
        }
        QCOMPARE(seen.size(), high);
        QVERIFY(shown.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCipher)
#include "tst_cipher.moc"
