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

const QString S = QStringLiteral("S");
const QString K = QStringLiteral("K");

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

// One row of a table whose columns are the file's content, the section, the key and a value.
void Row(const char* name, const QByteArray& content, const QString& value, const QString& section = S,
         const QString& key = K) {
    QTest::newRow(name) << content << section << key << value;
}

void Write_Row(const char* name, const QByteArray& before, const QString& value, const QByteArray& after,
               const QString& section = S, const QString& key = K) {
    QTest::newRow(name) << before << section << key << value << after;
}

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString file;
    QList<msg::Message> shown;

    void Expect_Reported(const char* procedure) {
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).title, QLatin1String(procedure));
        QCOMPARE(shown.at(0).icon, msg::Icon::Exclamation);
        QCOMPARE(ErrProcedure, QLatin1String(procedure));
        QVERIFY(ErrNumber != 0);
    }

    static void Columns() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
    }

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
        Columns();
        const QByteArray basic = "[REGISTRATION]\r\nOPTIONS=abc\r\n";
        Row("plain", basic, "abc", "REGISTRATION", "OPTIONS");
        Row("names in other case", basic, "abc", "registration", "Options");
        Row("missing key", basic, "", "REGISTRATION", "MINBET");
        Row("missing section", basic, "", "OTHER", "OPTIONS");
        Row("empty file", "", "");
        Row("quoted and unquoted alike", "[S]\r\nK=\"03.dc6\"\r\n", "03.dc6");
        Row("one pair only", "[S]\r\nK=\"\"x\"\"\r\n", "\"x\"");
        Row("opening quote only", "[S]\r\nK=\"abc\r\n", "\"abc");
        Row("empty quoted", "[S]\r\nK=\"\"\r\n", "");
        Row("lone quote", "[S]\r\nK=\"\r\n", "\"");
        Row("blanks round", "[S]\r\n  K  =  a b  \r\n", "a b");
        Row("equals in value", "[S]\r\nK=a=b\r\n", "a=b");
        Row("LF only", "[S]\nK=a\n", "a");
        Row("no final break", "[S]\r\nK=a", "a");
        Row("bare carriage returns, unclosed header", "\r\r\r\n[S\r\nK=a\r\n", "a");
        Row("key of other section", "[A]\r\nK=a\r\n[B]\r\nJ=b\r\n", "", "B");
        Row("first section wins", "[S]\r\nK=a\r\n[S]\r\nK=b\r\n", "a");
        Row("first key wins", "[S]\r\nK=a\r\nK=b\r\n", "a");
        Row("comment not a key", "[S]\r\n;K=a\r\nK=b\r\n", "b");
        Row("key before any section", "K=a\r\n[S]\r\n", "");
        Row("latin-1 bytes", "[S]\r\nK=\xe9\xff\x01\r\n", QString::fromLatin1("\xe9\xff\x01"));
        Row("NUL in another line", BYTES("[S]\r\nJ=\0\0\r\nK=a\r\n"), "a");
        Row("cut to 254", "[S]\r\nK=" + QByteArray(300, 'x') + "\r\n", QString(254, QLatin1Char('x')));
        Row("quoted cut to 254", "[S]\r\nK=\"" + QByteArray(254, 'y') + "\"\r\n",
            QString(254, QLatin1Char('y')));
    }
    void read() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        Write_Bytes(file, content);
        QCOMPARE(GetIniValue(section, key, file), value);
        QVERIFY(shown.isEmpty());
    }

    void missing_file_and_big_lines() {
        QCOMPARE(GetIniValue(S, K, file), QString());
        QCOMPARE(GetIniValue(S, K, dir.filePath(QStringLiteral("no/such.ini"))), QString());
        const QByteArray big(10 * 1024 * 1024, '\x80');
        Write_Bytes(file, "[S]\r\nJ=" + big + "\r\nK=a\r\nL=" + big);
        QCOMPARE(GetIniValue(S, K, file), QStringLiteral("a"));
        QCOMPARE(GetIniValue(S, QStringLiteral("L"), file), QString(254, QChar(0x80)));
        PutIniValue(S, K, QStringLiteral("b"), file);
        QVERIFY(Read_Bytes(file) == "[S]\r\nJ=" + big + "\r\nK=b\r\nL=" + big);
        QVERIFY(shown.isEmpty());
    }

    void read_folder_is_reported() {
        QVERIFY(QDir().mkpath(file));
        QCOMPARE(GetIniValue(S, K, file), QString());
        Expect_Reported("GetIniValue");
        QVERIFY(QDir(file).removeRecursively());
    }

    // The content before the write, and in "after" the whole file after it. A null content: no file.
    void write_data() {
        Columns();
        QTest::addColumn<QByteArray>("after");
        Write_Row("replace quoted in place", "[R]\r\nOPTIONS=\"old\"\r\nMINBET=\"m\"\r\n", "new",
                  "[R]\r\nOPTIONS=new\r\nMINBET=\"m\"\r\n", "R", "OPTIONS");
        Write_Row("replace keeps other lines byte for byte",
                  BYTES("; note\r\n\r\n[A]\nX=1\n[S]\r\n  k = old \r\n; c\r\nY=\0\xff\r\n[T]\r\nk=t"), "v",
                  BYTES("; note\r\n\r\n[A]\nX=1\n[S]\r\n  k =v\r\n; c\r\nY=\0\xff\r\n[T]\r\nk=t"), "s");
        Write_Row("replace last line without break", "[S]\r\nK=a", "b", "[S]\r\nK=b");
        Write_Row("replace with empty", "[S]\r\nK=a\r\n", "", "[S]\r\nK=\r\n");
        Write_Row("replace after bare carriage returns", "\r\r\r\n[S\r\nK=a\r\n", "b",
                  "\r\r\r\n[S\r\nK=b\r\n");
        Write_Row("add key after last line of section", "[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n", "v",
                  "[S]\r\nA=1\r\nK=v\r\n\r\n[T]\r\nB=2\r\n");
        Write_Row("add key to empty section", "[S]\r\n[T]\r\n", "v", "[S]\r\nK=v\r\n[T]\r\n");
        Write_Row("add key to last section without break", "[S]\r\nA=1", "v", "[S]\r\nA=1\r\nK=v\r\n");
        Write_Row("add section", "[T]\r\nB=2\r\n", "v", "[T]\r\nB=2\r\n[S]\r\nK=v\r\n");
        Write_Row("add section after text without break", "junk", "v", "junk\r\n[S]\r\nK=v\r\n");
        Write_Row("add to empty file", "", "v", "[S]\r\nK=v\r\n");
        Write_Row("create file", QByteArray(), "x", "[REGISTRATION]\r\nOPTIONS=x\r\n", "REGISTRATION",
                  "OPTIONS");
        Write_Row("latin-1 value", "[S]\r\nK=a\r\n", QString::fromLatin1("\xe9\xff"),
                  "[S]\r\nK=\xe9\xff\r\n");
        Write_Row("quotes written as given", "[S]\r\nK=a\r\n", "\"q\"", "[S]\r\nK=\"q\"\r\n");
    }
    void write() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        if (!content.isNull()) Write_Bytes(file, content);
        PutIniValue(section, key, value, file);
        QVERIFY(shown.isEmpty());
        QCOMPARE(Read_Bytes(file), after);
        QVERIFY(!QFile::exists(file + QStringLiteral(".lock")));
        // What was written reads back, quotes dropped.
        const bool quoted = value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"');
        QCOMPARE(GetIniValue(section, key, file), quoted ? value.mid(1, value.size() - 2) : value);
    }

    // Names and values the file cannot hold: reported, the file untouched.
    void write_refused_data() {
        Columns();
        Row("value beyond single byte", "", QStringLiteral("\u0100"));
        Row("line break in value", "", "a\r\nL=b");
        Row("NUL in value", "", QString(QChar(0)));
        Row("equals in key", "", "v", S, "K=J");
        Row("empty key", "", "v", S, "");
        Row("bracket in section", "", "v", "S]");
        Row("empty section", "", "v", "");
    }
    void write_refused() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        Write_Bytes(file, "[S]\r\nK=a\r\n");
        PutIniValue(section, key, value, file);
        Expect_Reported("PutIniValue");
        QCOMPARE(Read_Bytes(file), QByteArray("[S]\r\nK=a\r\n"));
    }

    void write_failures_reported() {
        PutIniValue(S, K, QStringLiteral("v"), dir.filePath(QStringLiteral("missing/test.ini")));
        Expect_Reported("PutIniValue");
        // The file is a folder with something in it: nothing is thrown away.
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("sub/in"))));
        PutIniValue(S, K, QStringLiteral("v"), dir.filePath(QStringLiteral("sub")));
        QCOMPARE(shown.size(), 2);
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sub/in"))).isDir());
        QVERIFY(QDir(dir.filePath(QStringLiteral("sub"))).removeRecursively());
        // The parent folder is a file.
        Write_Bytes(file, "x");
        PutIniValue(S, K, QStringLiteral("v"), file + QStringLiteral("/test.ini"));
        QCOMPARE(shown.size(), 3);
        QCOMPARE(Read_Bytes(file), QByteArray("x"));
    }

    // A second running copy holds the lock: the write waits a moment, then gives up and says so.
    void write_waits_for_lock() {
        Write_Bytes(file, "[S]\r\nK=a\r\n");
        QLockFile other(file + QStringLiteral(".lock"));
        QVERIFY(other.tryLock(0));
        PutIniValue(S, K, QStringLiteral("b"), file);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(ErrNumber, err::PermissionDenied);
        QCOMPARE(Read_Bytes(file), QByteArray("[S]\r\nK=a\r\n"));
        other.unlock();
        PutIniValue(S, K, QStringLiteral("b"), file);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(Read_Bytes(file), QByteArray("[S]\r\nK=b\r\n"));
    }

    // Several values in one write: replaced in place or added in the order given.
    void write_several() {
        Write_Bytes(file, "; c\r\n[S]\r\nB=old\r\n");
        ini::Write_Values(S,
                          {{QStringLiteral("A"), QStringLiteral("1")},
                           {QStringLiteral("B"), QStringLiteral("2")},
                           {QStringLiteral("C"), QStringLiteral("3")}},
                          file);
        QCOMPARE(Read_Bytes(file), QByteArray("; c\r\n[S]\r\nB=2\r\nA=1\r\nC=3\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
