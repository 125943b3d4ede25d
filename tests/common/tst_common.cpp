#include "config/numbers.h"
#include "shell/errorreport.h"
#include "shell/messages.h"

#include <QLocale>
#include <QTest>

class TestCommon : public QObject {
    Q_OBJECT
  private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void rounding_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("expected");
        QTest::newRow("2.5 to even 2") << 2.5 << true << 2;
        QTest::newRow("3.5 to even 4") << 3.5 << true << 4;
        QTest::newRow("-2.5 to even -2") << -2.5 << true << -2;
        QTest::newRow("2.51 up") << 2.51 << true << 3;
        QTest::newRow("int max") << 2147483647.0 << true << 2147483647;
        QTest::newRow("int max + 1") << 2147483648.0 << false << 0;
        QTest::newRow("int min") << -2147483648.0 << true << int(-2147483647 - 1);
        QTest::newRow("below int min") << -2147483649.0 << false << 0;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << 0;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0;
    }
    void rounding() {
        QFETCH(double, value);
        QFETCH(bool, ok);
        QFETCH(int, expected);
        const auto r = Round_To_Long(value);
        QCOMPARE(r.has_value(), ok);
        if (ok) QCOMPARE(*r, expected);
    }

    void parse_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "en_US"
                               << "20" << true << 20.0;
        QTest::newRow("blanks") << "en_US"
                                << "  20  " << true << 20.0;
        QTest::newRow("sign") << "en_US"
                              << "-5" << true << -5.0;
        QTest::newRow("grouping") << "en_US"
                                  << "1,000" << true << 1000.0;
        QTest::newRow("currency") << "en_US"
                                  << "$1,000.50" << true << 1000.5;
        QTest::newRow("exponent") << "en_US"
                                  << "1e3" << true << 1000.0;
        QTest::newRow("empty") << "en_US"
                               << "" << false << 0.0;
        QTest::newRow("blank only") << "en_US"
                                    << "   " << false << 0.0;
        QTest::newRow("letters") << "en_US"
                                 << "abc" << false << 0.0;
        QTest::newRow("inf") << "en_US"
                             << "inf" << false << 0.0;
        QTest::newRow("nan") << "en_US"
                             << "nan" << false << 0.0;
        QTest::newRow("German decimal comma") << "de_DE"
                                              << "2,5" << true << 2.5;
        QTest::newRow("German grouping") << "de_DE"
                                         << "1.000" << true << 1000.0;
    }
    void parse() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, expected);
        QLocale::setDefault(QLocale(locale));
        const auto r = Parse_Number(text);
        QCOMPARE(r.has_value(), ok);
        if (ok) QCOMPARE(*r, expected);
    }

    void formats() {
        QCOMPARE(Format_Ratio(9.0 / 47.0), QStringLiteral("19.1%"));
        QCOMPARE(Format_Ratio(0.0), QStringLiteral("0.0%"));
        QCOMPARE(Format_Ratio(1.0), QStringLiteral("100.0%"));
        QCOMPARE(Format_Currency(4), QStringLiteral("$4.00"));
        QCOMPARE(Number_Text(40), QStringLiteral("40"));
        QCOMPARE(Number_Text(2.5), QStringLiteral("2.5"));
        QCOMPARE(Number_Text(123456), QStringLiteral("123456"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(Format_Ratio(9.0 / 47.0), QStringLiteral("19,1%"));
        QCOMPARE(Number_Text(2.5), QStringLiteral("2,5"));
    }

    void error_report() {
        QList<msg::Message> seen;
        auto previous = msg::Set_Message_Handler([&](const msg::Message& m) { seen << m; });
        const bool finished = Trap("Grab_Stats", [] { Raise_Error(err::FileNotFound, "File not found"); });
        Trap("", [] { Raise_Error(err::Overflow, "Overflow"); });
        msg::Set_Message_Handler(previous);
        QVERIFY(!finished);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[0].title, QStringLiteral("Grab_Stats"));
        QCOMPARE(seen[0].text, QStringLiteral("File not found\r\n\r\n53\r\n\r\nGrab_Stats"));
        QCOMPARE(seen[0].icon, msg::Icon::Exclamation);
        QCOMPARE(seen[1].title, QStringLiteral("Application Error"));
        QCOMPARE(ErrNumber, 6);
    }
};

QTEST_GUILESS_MAIN(TestCommon)
#include "tst_common.moc"
