#include "base/errorreport.h"
#include "base/messages.h"
#include "base/numbers.h"

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
        // The currency symbol only where the locale writes it, the sign where the locale puts it.
        const auto money = [](const char* name, const char* locale, const char* text, bool ok, double value) {
            QTest::newRow(name) << QString::fromLatin1(locale) << QString::fromUtf8(text) << ok << value;
        };
        money("symbol in front", "en_US", "$5", true, 5);
        money("sign before the symbol", "en_US", "-$5", true, -5);
        money("sign after the symbol", "en_US", "$-5", true, -5);
        money("the locale's own negative form", "en_US", "($5.00)", true, -5);
        money("symbol inside the number", "en_US", "5$5", false, 0);
        money("symbol behind, where US English has none", "en_US", "5$", false, 0);
        money("two signs", "en_US", "-$-5", false, 0);
        money("parentheses and a sign", "en_US", "($-5)", false, 0);
        money("another currency", "en_US", "\u20AC5", false, 0);
        money("German symbol behind", "de_DE", "5,50 \u20AC", true, 5.5);
        money("German negative", "de_DE", "-1.000,50 \u20AC", true, -1000.5);
        money("German symbol in front", "de_DE", "\u20AC5", false, 0);
        money("Dutch symbol in front", "nl_NL", "\u20AC 5,50", true, 5.5);
        money("Dutch symbol behind", "nl_NL", "5,50 \u20AC", false, 0);
        money("Brazilian sign after the symbol", "pt_BR", "R$ -5,50", true, -5.5);
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

    // Numbers kept in files: one text that every locale reads back alike.
    void stored_numbers_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("US fraction") << "en_US" << 2.5 << "2.5";
        QTest::newRow("US whole") << "en_US" << 100000.0 << "100000";
        QTest::newRow("US exponent as today") << "en_US" << 1e15 << "1E+15";
        QTest::newRow("German fraction in C form") << "de_DE" << -2.5 << "-2.5";
        QTest::newRow("German whole as today") << "de_DE" << 40.0 << "40";
        QTest::newRow("German small fraction") << "de_DE" << 1.5e-5 << "1.5e-05";
        QTest::newRow("Swedish minus sign") << "sv_SE" << -4.0 << "-4";
        QTest::newRow("Arabic digits") << "ar_EG" << 12.5 << "12.5";
    }
    void stored_numbers() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        QCOMPARE(Stored_Number_Text(value), text);
        for (const char* reader : {"en_US", "de_DE", "fr_FR", "sv_SE", "ar_EG", "de_CH"}) {
            QLocale::setDefault(QLocale(QLatin1String(reader)));
            QCOMPARE(Parse_Stored_Number(text), std::optional<double>(value));
        }
    }

    // Every error number has its one description, which the report shows; a detail follows it.
    void error_table_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("5") << int(err::InvalidCall) << "Invalid procedure call or argument";
        QTest::newRow("31") << int(err::NoAssociation) << "No application is associated with this address";
        QTest::newRow("57") << int(err::DeviceIO) << "Device I/O error";
        QTest::newRow("61") << int(err::DiskFull) << "Disk full";
        QTest::newRow("70") << int(err::PermissionDenied) << "Permission denied";
        QTest::newRow("75") << int(err::PathFileAccess) << "Path/File access error";
        QTest::newRow("unknown") << 1234 << "Application-defined or object-defined error";
    }
    void error_table() {
        QFETCH(int, number);
        QFETCH(QString, text);
        QCOMPARE(err::Description(number), text);
        try {
            Raise_Error(number);
        } catch (const AppError& e) {
            QCOMPARE(e.number, number);
            QCOMPARE(e.description, text);
        }
        try {
            Raise_Error(number, QStringLiteral("/a/file"));
        } catch (const AppError& e) {
            QCOMPARE(e.description, text + QStringLiteral(": /a/file"));
        }
    }

    void error_report() {
        QList<msg::Message> seen;
        auto previous = msg::Set_Message_Handler([&](const msg::Message& m) { seen << m; });
        const bool finished = Trap("Grab_Stats", [] { Raise_Error(err::FileNotFound); });
        Trap("", [] { Raise_Error(err::Overflow); });
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
