#include "config/modglobal.h"
#include "shell/errorreport.h"
#include "shell/messages.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

using namespace modGlobal;

// The settings file among hostile files, folders and environments.
class TestSettingsHostile : public QObject {
    Q_OBJECT

    QList<msg::Message> shown;
    QTemporaryDir home;

    // The one message a failed load showed, or a failure.
    QString Load_Reported() {
        Trap("Form_Load", [] { Load_Settings(); });
        return shown.size() == 1 ? shown.first().text : QStringLiteral("%1 messages").arg(shown.size());
    }

  private slots:
    void initTestCase() {
        QVERIFY(home.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
        QStandardPaths::setTestModeEnabled(true);
        msg::Set_Message_Handler([this](const msg::Message& m) { shown << m; });
    }
    void init() {
        QDir(home.path()).removeRecursively();
        QVERIFY(QDir().mkpath(home.path()));
        Reset_Settings();
        shown.clear();
    }
    void cleanupTestCase() { msg::Set_Message_Handler({}); }

    // Every error of the settings names its cause, whatever the path.
    void errors_name_their_cause_data() {
        QTest::addColumn<QString>("inTheWay"); // a file made there first, under the home
        QTest::addColumn<QByteArray>("homeTail");
        QTest::addColumn<QString>("cause");
        QTest::newRow("path over 4096 bytes")
            << QString() << QByteArray("/" + QByteArray(200, 'a')).repeated(21)
            << QString::fromLocal8Bit(std::strerror(ENAMETOOLONG));
        QTest::newRow("a file where the folder belongs")
            << "/.qttest/config/Quorvane" << QByteArray() << "(not a folder)";
        QTest::newRow("a file above the folder")
            << "/.qttest" << QByteArray() << QString::fromLocal8Bit(std::strerror(ENOTDIR));
    }
    void errors_name_their_cause() {
        QFETCH(QString, inTheWay);
        QFETCH(QByteArray, homeTail);
        QFETCH(QString, cause);
        if (!inTheWay.isEmpty()) QVERIFY(testsupport::Write_File(home.path() + inTheWay, "x"));
        qputenv("HOME", QFile::encodeName(home.path()) + homeTail);
        const QString text = Load_Reported();
        qputenv("HOME", QFile::encodeName(home.path()));
        QVERIFY2(text.contains(cause), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestSettingsHostile)
#include "tst_settings_hostile.moc"
