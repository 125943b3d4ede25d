#include "config/inifile.h"
#include "config/modglobal.h"
#include "shell/errorreport.h"
#include "shell/messages.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

using modGlobal::GetIniValue;
using modGlobal::PutIniValue;

// A byte literal that may hold NUL bytes.
#define BYTES(text) QByteArray(text, sizeof(text) - 1)

namespace {

QByteArray Read_Bytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
    return f.readAll();
}

void Write_Bytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString file;
    QList<msg::Message> shown;

  private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }
    void init() {
        file = dir.filePath(QStringLiteral("test.ini"));
        QFile::remove(file);
        shown.clear();
        ErrNumber = 0;
        ErrProcedure.clear();
        msg::Set_Message_Handler([this](const msg::Message& m) { shown.append(m); });
    }
    void cleanup() { msg::Set_Message_Handler({}); }

    void read_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QByteArray basic = "[REGISTRATION]\r\nOPTIONS=abc\r\n";
        QTest::newRow("plain") << basic << "REGISTRATION"
                               << "OPTIONS"
                               << "abc";
        QTest::newRow("section lower case") << basic << "registration"
                                            << "OPTIONS"
                                            << "abc";
        QTest::newRow("key mixed case") << basic << "REGISTRATION"
                                        << "Options"
                                        << "abc";
        QTest::newRow("missing key") << basic << "REGISTRATION"
                                     << "MINBET"
                                     << "";
        QTest::newRow("missing section") << basic << "OTHER"
                                         << "OPTIONS"
                                         << "";
        QTest::newRow("empty file") << QByteArray() << "REGISTRATION"
                                    << "OPTIONS"
                                    << "";
        QTest::newRow("quoted") << QByteArray("[S]\r\nK=\"abc\"\r\n") << "S"
                                << "K"
                                << "abc";
        QTest::newRow("quoted and unquoted alike") << QByteArray("[S]\r\nK=\"03.dc6\"\r\n") << "S"
                                                   << "K"
                                                   << "03.dc6";
        QTest::newRow("one pair only") << QByteArray("[S]\r\nK=\"\"x\"\"\r\n") << "S"
                                       << "K"
                                       << "\"x\"";
        QTest::newRow("opening quote only") << QByteArray("[S]\r\nK=\"abc\r\n") << "S"
                                            << "K"
                                            << "\"abc";
        QTest::newRow("empty quoted") << QByteArray("[S]\r\nK=\"\"\r\n") << "S"
                                      << "K"
                                      << "";
        QTest::newRow("lone quote") << QByteArray("[S]\r\nK=\"\r\n") << "S"
                                    << "K"
                                    << "\"";
        QTest::newRow("single quotes kept") << QByteArray("[S]\r\nK='a'\r\n") << "S"
                                            << "K"
                                            << "'a'";
        QTest::newRow("blanks round") << QByteArray("[S]\r\n  K  =  a b  \r\n") << "S"
                                      << "K"
                                      << "a b";
        QTest::newRow("empty value") << QByteArray("[S]\r\nK=\r\n") << "S"
                                     << "K"
                                     << "";
        QTest::newRow("equals in value") << QByteArray("[S]\r\nK=a=b\r\n") << "S"
                                         << "K"
                                         << "a=b";
        QTest::newRow("LF only") << QByteArray("[S]\nK=a\n") << "S"
                                 << "K"
                                 << "a";
        QTest::newRow("no final break") << QByteArray("[S]\r\nK=a") << "S"
                                        << "K"
                                        << "a";
        QTest::newRow("key of other section") << QByteArray("[A]\r\nK=a\r\n[B]\r\nJ=b\r\n") << "B"
                                              << "K"
                                              << "";
        QTest::newRow("second section") << QByteArray("[A]\r\nK=a\r\n[B]\r\nK=b\r\n") << "B"
                                        << "K"
                                        << "b";
        QTest::newRow("first section wins") << QByteArray("[S]\r\nK=a\r\n[S]\r\nK=b\r\n") << "S"
                                            << "K"
                                            << "a";
        QTest::newRow("first key wins") << QByteArray("[S]\r\nK=a\r\nK=b\r\n") << "S"
                                        << "K"
                                        << "a";
        QTest::newRow("comment not a key") << QByteArray("[S]\r\n;K=a\r\nK=b\r\n") << "S"
                                           << "K"
                                           << "b";
        QTest::newRow("key before any section") << QByteArray("K=a\r\n[S]\r\n") << "S"
                                                << "K"
                                                << "";
        QTest::newRow("header blanks") << QByteArray("  [ S ]  \r\nK=a\r\n") << "S"
                                       << "K"
                                       << "a";
        QTest::newRow("latin-1 bytes") << QByteArray("[S]\r\nK=\xe9\xff\x01\r\n") << "S"
                                       << "K" << QString::fromLatin1("\xe9\xff\x01");
        QTest::newRow("NUL in another line") << BYTES("[S]\r\nJ=\0\0\r\nK=a\r\n") << "S"
                                             << "K"
                                             << "a";
        QTest::newRow("cut to 254") << QByteArray("[S]\r\nK=" + QByteArray(300, 'x') + "\r\n") << "S"
                                    << "K" << QString(254, QLatin1Char('x'));
        QTest::newRow("quoted cut to 254")
            << QByteArray("[S]\r\nK=\"" + QByteArray(254, 'y') + "\"\r\n") << "S"
            << "K" << QString(254, QLatin1Char('y'));
    }
    void read() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        Write_Bytes(file, content);
        QCOMPARE(GetIniValue(section, key, file), expected);
        QVERIFY(shown.isEmpty());
    }

    void read_missing_file() {
        QCOMPARE(GetIniValue(QStringLiteral("S"), QStringLiteral("K"), file), QString());
        QCOMPARE(GetIniValue(QStringLiteral("S"), QStringLiteral("K"),
                             dir.filePath(QStringLiteral("no/such.ini"))),
                 QString());
        QVERIFY(shown.isEmpty());
    }

    void read_ten_megabyte_line() {
        QByteArray content = "[S]\r\nJ=" + QByteArray(10 * 1024 * 1024, 'z') + "\r\nK=a\r\nL=";
        content += QByteArray(10 * 1024 * 1024, 'w');
        Write_Bytes(file, content);
        QCOMPARE(GetIniValue(QStringLiteral("S"), QStringLiteral("K"), file), QStringLiteral("a"));
        QCOMPARE(GetIniValue(QStringLiteral("S"), QStringLiteral("L"), file), QString(254, QLatin1Char('w')));
        QVERIFY(shown.isEmpty());
    }

    void read_folder_is_reported() {
        QVERIFY(QDir().mkpath(file));
        QCOMPARE(GetIniValue(QStringLiteral("S"), QStringLiteral("K"), file), QString());
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).title, QStringLiteral("GetIniValue"));
        QCOMPARE(shown.at(0).icon, msg::Icon::Exclamation);
        QCOMPARE(ErrProcedure, QStringLiteral("GetIniValue"));
        QVERIFY(QDir(file).removeRecursively());
    }

    void write_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace quoted in place")
            << QByteArray("[REGISTRATION]\r\nOPTIONS=\"old\"\r\nMINBET=\"m\"\r\n") << "REGISTRATION"
            << "OPTIONS"
            << "new" << QByteArray("[REGISTRATION]\r\nOPTIONS=new\r\nMINBET=\"m\"\r\n");
        QTest::newRow("replace keeps other lines byte for byte")
            << BYTES("; note\r\n\r\n[A]\nX=1\n[S]\r\n  k = old \r\n; c\r\nY=\0\xff\r\n[T]\r\nk=t") << "s"
            << "K"
            << "v" << BYTES("; note\r\n\r\n[A]\nX=1\n[S]\r\n  k =v\r\n; c\r\nY=\0\xff\r\n[T]\r\nk=t");
        QTest::newRow("replace last line without break") << QByteArray("[S]\r\nK=a") << "S"
                                                         << "K"
                                                         << "b" << QByteArray("[S]\r\nK=b");
        QTest::newRow("replace with empty") << QByteArray("[S]\r\nK=a\r\n") << "S"
                                            << "K"
                                            << "" << QByteArray("[S]\r\nK=\r\n");
        QTest::newRow("add key after last line of section")
            << QByteArray("[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n") << "S"
            << "K"
            << "v" << QByteArray("[S]\r\nA=1\r\nK=v\r\n\r\n[T]\r\nB=2\r\n");
        QTest::newRow("add key to empty section") << QByteArray("[S]\r\n[T]\r\n") << "S"
                                                  << "K"
                                                  << "v" << QByteArray("[S]\r\nK=v\r\n[T]\r\n");
        QTest::newRow("add key to last section without break") << QByteArray("[S]\r\nA=1") << "S"
                                                               << "K"
                                                               << "v" << QByteArray("[S]\r\nA=1\r\nK=v\r\n");
        QTest::newRow("add section") << QByteArray("[T]\r\nB=2\r\n") << "S"
                                     << "K"
                                     << "v" << QByteArray("[T]\r\nB=2\r\n[S]\r\nK=v\r\n");
        QTest::newRow("add section after text without break") << QByteArray("junk") << "S"
                                                              << "K"
                                                              << "v" << QByteArray("junk\r\n[S]\r\nK=v\r\n");
        QTest::newRow("add to empty file") << QByteArray() << "S"
                                           << "K"
                                           << "v" << QByteArray("[S]\r\nK=v\r\n");
        QTest::newRow("latin-1 value")
            << QByteArray("[S]\r\nK=a\r\n") << "S"
            << "K" << QString::fromLatin1("\xe9\xff") << QByteArray("[S]\r\nK=\xe9\xff\r\n");
        QTest::newRow("quotes written as given") << QByteArray("[S]\r\nK=a\r\n") << "S"
                                                 << "K"
                                                 << "\"q\"" << QByteArray("[S]\r\nK=\"q\"\r\n");
    }
    void write() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        Write_Bytes(file, before);
        PutIniValue(section, key, value, file);
        QVERIFY(shown.isEmpty());
        QCOMPARE(Read_Bytes(file), after);
        QVERIFY(!QFile::exists(file + QStringLiteral(".lock")));
        // What was written reads back (quotes dropped).
        QString expected = value;
        if (expected.size() >= 2 && expected.startsWith(QLatin1Char('"')) &&
            expected.endsWith(QLatin1Char('"')))
            expected = expected.mid(1, expected.size() - 2);
        QCOMPARE(GetIniValue(section, key, file), expected);
    }

    void write_creates_file() {
        PutIniValue(QStringLiteral("REGISTRATION"), QStringLiteral("OPTIONS"), QStringLiteral("x"), file);
        QVERIFY(shown.isEmpty());
        QCOMPARE(Read_Bytes(file), QByteArray("[REGISTRATION]\r\nOPTIONS=x\r\n"));
    }

    void write_keeps_ten_megabyte_line() {
        const QByteArray big = QByteArray(10 * 1024 * 1024, '\x80');
        Write_Bytes(file, "[S]\r\nJ=" + big + "\r\nK=a\r\n");
        PutIniValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("b"), file);
        QVERIFY(shown.isEmpty());
        QVERIFY(Read_Bytes(file) == "[S]\r\nJ=" + big + "\r\nK=b\r\n");
    }

    void write_refused_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("value beyond single byte") << "S"
                                                  << "K" << QStringLiteral("\u0100");
        QTest::newRow("line break in value") << "S"
                                             << "K"
                                             << "a\r\nL=b";
        QTest::newRow("NUL in value") << "S"
                                      << "K" << QString(QChar(0));
        QTest::newRow("equals in key") << "S"
                                       << "K=J"
                                       << "v";
        QTest::newRow("empty key") << "S"
                                   << ""
                                   << "v";
        QTest::newRow("bracket in section") << "S]"
                                            << "K"
                                            << "v";
        QTest::newRow("empty section") << ""
                                       << "K"
                                       << "v";
    }
    void write_refused() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QByteArray before = "[S]\r\nK=a\r\n";
        Write_Bytes(file, before);
        PutIniValue(section, key, value, file);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).title, QStringLiteral("PutIniValue"));
        QCOMPARE(ErrProcedure, QStringLiteral("PutIniValue"));
        QCOMPARE(Read_Bytes(file), before);
    }

    void write_failures_reported_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder missing") << "folder missing";
        QTest::newRow("file is a folder") << "folder";
        QTest::newRow("parent is a file") << "parent file";
    }
    void write_failures_reported() {
        QFETCH(QString, kind);
        QString target = file;
        if (kind == QLatin1String("folder missing"))
            target = dir.filePath(QStringLiteral("missing/test.ini"));
        if (kind == QLatin1String("folder")) QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("sub/in"))));
        if (kind == QLatin1String("folder")) target = dir.filePath(QStringLiteral("sub"));
        if (kind == QLatin1String("parent file")) {
            Write_Bytes(file, "x");
            target = file + QStringLiteral("/test.ini");
        }
        PutIniValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v"), target);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).title, QStringLiteral("PutIniValue"));
        QVERIFY(ErrNumber != 0);
        if (kind == QLatin1String("folder")) {
            QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sub/in"))).isDir());
            QVERIFY(QDir(dir.filePath(QStringLiteral("sub"))).removeRecursively());
        }
    }

    // A second running copy holds the lock: the write waits a moment, then gives up and says so.
    void write_waits_for_lock() {
        Write_Bytes(file, "[S]\r\nK=a\r\n");
        QLockFile other(file + QStringLiteral(".lock"));
        QVERIFY(other.tryLock(0));
        PutIniValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("b"), file);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(ErrNumber, err::PermissionDenied);
        QCOMPARE(Read_Bytes(file), QByteArray("[S]\r\nK=a\r\n"));
        other.unlock();
        PutIniValue(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("b"), file);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(Read_Bytes(file), QByteArray("[S]\r\nK=b\r\n"));
    }

    // Several values in one write: replaced in place or added in the order given.
    void write_several() {
        Write_Bytes(file, "; c\r\n[S]\r\nB=old\r\n");
        ini::Write_Values(QStringLiteral("S"),
                          {{QStringLiteral("A"), QStringLiteral("1")},
                           {QStringLiteral("B"), QStringLiteral("2")},
                           {QStringLiteral("C"), QStringLiteral("3")}},
                          file);
        QCOMPARE(Read_Bytes(file), QByteArray("; c\r\n[S]\r\nB=2\r\nA=1\r\nC=3\r\n"));
    }

    void find_value_direct() {
        // The parser on its own: a line of bare carriage returns and an unclosed header.
        const QByteArray content = "\r\r\r\n[S\r\nK=a\r\n";
        QCOMPARE(ini::Find_Value(content, QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("a"));
        QCOMPARE(ini::With_Value(content, QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("b")),
                 QByteArray("\r\r\r\n[S\r\nK=b\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
