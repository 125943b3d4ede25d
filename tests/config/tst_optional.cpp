#include "base/messages.h"
#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "tests/support/testsupport.h"

#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTest>

// The settings that came after the first five (display choices under keys of their own): a missing or
// damaged one reads as its default, reading never repairs the file, writing leaves the five alone.
using namespace modGlobal;

namespace {
QByteArray Read_Bytes() {
    return testsupport::Read_File(Settings_File());
}
} // namespace

class TestOptional : public QObject {
    Q_OBJECT
    QList<msg::Message> shown;

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        msg::Set_Message_Handler([this](const msg::Message& m) { shown << m; });
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QFile::remove(Settings_File());
        shown.clear();
    }

    void reads_data() {
        QTest::addColumn<QByteArray>("line"); // the ZOOM line, "" for none
        QTest::addColumn<int>("expected");
        const auto cipher = [](const char* plain) {
            return "ZOOM=" + modEncrypt::Encrypt_With_Keys(QLatin1String(plain), 47, 50, 53, 46).toLatin1();
        };
        QTest::newRow("missing") << QByteArray() << 100;
        QTest::newRow("stored") << cipher("150") << 150;
        QTest::newRow("quoted") << "ZOOM=\"" + cipher("200").mid(5) + '"' << 200;
        QTest::newRow("a fraction to even") << cipher("172.5") << 172;
        QTest::newRow("below the range") << cipher("10") << 100;
        QTest::newRow("above the range") << cipher("100000") << 100;
        QTest::newRow("letters") << cipher("big") << 100;
        QTest::newRow("not enciphered") << QByteArray("ZOOM=150") << 100;
        QTest::newRow("empty") << QByteArray("ZOOM=") << 100;
    }
    void reads() {
        QFETCH(QByteArray, line);
        QFETCH(int, expected);
        Load_Settings(); // a sound file of the five
        QByteArray file = Read_Bytes();
        if (!line.isEmpty()) file += line + "\r\n";
        QVERIFY(testsupport::Write_File(Settings_File(), file));
        QCOMPARE(Get_Optional_Setting(QStringLiteral("ZOOM"), 100, 100, 300), expected);
        QCOMPARE(Read_Bytes(), file); // never repaired
        Load_Settings();
        QCOMPARE(Read_Bytes(), file); // nor by the load of the five
        QVERIFY(shown.isEmpty());
    }

    void no_file_reads_the_default() {
        QCOMPARE(Get_Optional_Setting(QStringLiteral("ZOOM"), 100, 100, 300), 100);
        QVERIFY(!QFile::exists(Settings_File()));
    }

    void writes_only_its_own_key() {
        Load_Settings();
        const QByteArray before = Read_Bytes();
        QVERIFY(Put_Optional_Setting(QStringLiteral("ZOOM"), 250));
        const QByteArray after = Read_Bytes();
        QVERIFY(after.startsWith(before));
        QVERIFY(after.mid(before.size()).startsWith("ZOOM="));
        QCOMPARE(Get_Optional_Setting(QStringLiteral("ZOOM"), 100, 100, 300), 250);
        QVERIFY(Put_Optional_Setting(QStringLiteral("ZOOM"), 125));
        QCOMPARE(Read_Bytes().size(), after.size()); // replaced in place
        QCOMPARE(Get_Optional_Setting(QStringLiteral("ZOOM"), 100, 100, 300), 125);
    }
};

QTEST_GUILESS_MAIN(TestOptional)
#include "tst_optional.moc"
