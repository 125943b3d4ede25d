#include "base/errorreport.h"
#include "base/messages.h"
#include "config/inifile.h"
#include "config/modglobal.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using modGlobal::GetIniValue;
using modGlobal::PutIniValue;

// A byte literal that may hold NUL bytes.
#define BYTES(text) QByteArray(text, sizeof(text) - 1)

namespace {

const QString S = QStringLiteral("S");
const QString K = QStringLiteral("K");
const QByteArray Bom = "\xEF\xBB\xBF";

// The process number of a process that has ended.
pid_t Ended_Process() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// A process that creates the lock file, takes its lock as the program does and is killed before it has
// written anything into it.
void Killed_While_Locking(const QString& lock) {
    const QByteArray path = QFile::encodeName(lock);
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL, 0666);
        if (fd >= 0) ::flock(fd, LOCK_EX);
        ::kill(::getpid(), SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    QVERIFY(WIFSIGNALED(status));
}

constexpr auto Read_Bytes = testsupport::Read_File;

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
        // No test waits for a lock: one held by a running copy is given up at once.
        ini::Set_Lock_Timeout(0);
        file = dir.filePath(QStringLiteral("test.ini"));
        QFile::remove(file);
        shown.clear();
        ErrNumber = 0;
        ErrProcedure.clear();
        msg::Set_Message_Handler([this](const msg::Message& m) { shown.append(m); });
    }
    void cleanup() {
        msg::Set_Message_Handler({});
        ini::Set_Write_Call({});
        ini::Set_Lock_Timeout(-1);
        QFile::remove(file + QStringLiteral(".lock"));
    }

    // Nothing but the named files is left in the folder (no new file of a failed write, no lock).
    void Expect_Only(const QStringList& names) {
        QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden);
        QStringList wanted = names;
        left.sort();
        wanted.sort();
        QCOMPARE(left, wanted);
    }

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
        Row("byte-order mark", Bom + "[S]\r\nK=a\r\n", "a");
        Row("CR alone", "[S]\rJ=b\rK=a\r", "a");
        Row("CR alone ends the section", "[T]\rK=t\r[S]\rK=a\r", "a");
        Row("mark only at the start", "[S]\r\n" + Bom + "K=a\r\n", "", S, K);
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
        Write_Row("byte-order mark kept", Bom + "[S]\r\nK=a\r\n", "v", Bom + "[S]\r\nK=v\r\n");
        Write_Row("section added after the mark alone", Bom, "v", Bom + "[S]\r\nK=v\r\n");
        Write_Row("replace in a CR-alone file", "[S]\rK=a\rJ=b\r", "v", "[S]\rK=v\rJ=b\r");
        Write_Row("add key to a CR-alone section", "[S]\rA=1\r[T]\r", "v", "[S]\rA=1\rK=v\r\n[T]\r");
        Write_Row("add section after CR alone", "[T]\rB=2\r", "v", "[T]\rB=2\r[S]\r\nK=v\r\n");
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

    // A second running copy holds the lock: the write gives up (at once here, where the wait is set to
    // nothing) and says so; once the lock is free the write goes through.
    void write_waits_for_lock() {
        Write_Bytes(file, "[S]\r\nK=a\r\n");
        QLockFile other(file + QStringLiteral(".lock"));
        QVERIFY(other.tryLock(0));
        PutIniValue(S, K, QStringLiteral("b"), file);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(ErrNumber, err::PermissionDenied);
        QVERIFY(ErrDescription.endsWith(QStringLiteral("(in use by another copy of the program)")));
        QCOMPARE(Read_Bytes(file), QByteArray("[S]\r\nK=a\r\n"));
        other.unlock();
        PutIniValue(S, K, QStringLiteral("b"), file);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(Read_Bytes(file), QByteArray("[S]\r\nK=b\r\n"));
    }

    // A second copy writes while the first makes its lock (not whole yet, so nobody's: the second goes
    // first) or holds it (never taken for a stale one: the second is refused). The first's write goes
    // through either way and no lock is left.
    void second_copy_meanwhile_data() {
        QTest::addColumn<int>("moment"); // the first copy's write call during which the second writes
        QTest::addColumn<bool>("secondDone");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("lock being made") << 1 << true << QByteArray("[S]\r\nK=b\r\nJ=x\r\n");
        QTest::newRow("lock held") << 2 << false << QByteArray("[S]\r\nK=b\r\n");
    }
    void second_copy_meanwhile() {
        QFETCH(int, moment);
        QFETCH(bool, secondDone);
        QFETCH(QByteArray, after);
        Write_Bytes(file, "[S]\r\nK=a\r\n");
        int calls = 0;
        bool inSecond = false;
        std::optional<bool> second;
        ini::Set_Write_Call([&](int fd, const char* data, qint64 size) -> qint64 {
            if (!inSecond && ++calls == moment) {
                inSecond = true;
                second = PutIniValue(S, QStringLiteral("J"), QStringLiteral("x"), file);
                inSecond = false;
            }
            return ::write(fd, data, size_t(size));
        });
        QVERIFY(PutIniValue(S, K, QStringLiteral("b"), file));
        QCOMPARE(second, std::optional<bool>(secondDone));
        QCOMPARE(shown.size(), secondDone ? 0 : 1);
        if (!secondDone)
            QVERIFY(shown.at(0).text.contains(QStringLiteral("in use by another copy of the program")));
        QCOMPARE(Read_Bytes(file), after);
        Expect_Only({QStringLiteral("test.ini")});
    }

    // Another copy's lock file took the place of this copy's while it wrote: releasing the lock leaves
    // the other one where it is.
    void release_keeps_another_lock() {
        const QString lockFile = file + QStringLiteral(".lock");
        const QByteArray others = QByteArray::number(::getpid()) + "\nquorvane\nelsewhere\n";
        Write_Bytes(file, "[S]\r\nK=a\r\n");
        int calls = 0;
        bool replaced = false;
        ini::Set_Write_Call([&](int fd, const char* data, qint64 size) -> qint64 {
            if (++calls == 2) replaced = QFile::remove(lockFile) && testsupport::Write_File(lockFile, others);
            return ::write(fd, data, size_t(size));
        });
        QVERIFY(PutIniValue(S, K, QStringLiteral("b"), file));
        QVERIFY(replaced);
        QCOMPARE(Read_Bytes(lockFile), others);
        QCOMPARE(Read_Bytes(file), QByteArray("[S]\r\nK=b\r\n"));
        Expect_Only({QStringLiteral("test.ini"), QStringLiteral("test.ini.lock")});
    }

    // A lock left behind by a copy that has ended is cleared at once, without any wait: empty, cut short,
    // naming a process that has ended, or left by a process killed while it took the lock.
    void stale_lock_cleared_data() {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<bool>("killed");
        const QByteArray ended = QByteArray::number(Ended_Process());
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("owner has ended")
            << ended + "\nquorvane\n" + QSysInfo::machineHostName().toUtf8() + "\n"
            << false;
        QTest::newRow("owner killed while locking") << QByteArray() << true;
    }
    void stale_lock_cleared() {
        QFETCH(QByteArray, lock);
        QFETCH(bool, killed);
        const QString lockFile = file + QStringLiteral(".lock");
        Write_Bytes(file, "[S]\r\nK=a\r\n");
        if (killed)
            Killed_While_Locking(lockFile);
        else
            Write_Bytes(lockFile, lock);
        QVERIFY(QFile::exists(lockFile));
        PutIniValue(S, K, QStringLiteral("b"), file);
        QVERIFY(shown.isEmpty());
        QCOMPARE(Read_Bytes(file), QByteArray("[S]\r\nK=b\r\n"));
        Expect_Only({QStringLiteral("test.ini")});
    }

    // A write that does not complete (the disk fills up while the lock is taken, while the new file is
    // written, or after part of it) leaves the old file whole and is reported as a full disk.
    void full_disk_data() {
        QTest::addColumn<int>("failingCall"); // 1: the lock file's content; 2: the new file's
        QTest::addColumn<int>("bytesTaken");  // bytes that still go before the disk is full
        QTest::addColumn<bool>("zeroWrite");  // the disk takes nothing and says nothing
        QTest::newRow("lock file") << 1 << 0 << false;
        QTest::newRow("new file, cut short") << 2 << 9 << false;
        QTest::newRow("new file, nothing taken") << 2 << 0 << true;
    }
    void full_disk() {
        QFETCH(int, failingCall);
        QFETCH(int, bytesTaken);
        QFETCH(bool, zeroWrite);
        const QByteArray old = "; mine\r\n[S]\r\nK=a\r\nL=" + QByteArray(100, 'x') + "\r\n";
        Write_Bytes(file, old);
        int calls = 0;
        qint64 room = bytesTaken;
        ini::Set_Write_Call([&](int fd, const char* data, qint64 size) -> qint64 {
            if (++calls < failingCall) return ::write(fd, data, size_t(size));
            if (room > 0) {
                const qint64 done = ::write(fd, data, size_t(std::min(room, size)));
                if (done > 0) room -= done;
                return done;
            }
            if (zeroWrite) return 0;
            errno = ENOSPC;
            return -1;
        });
        QVERIFY(!PutIniValue(S, K, QStringLiteral("b"), file));
        Expect_Reported("PutIniValue");
        QCOMPARE(ErrNumber, err::DiskFull);
        QCOMPARE(ErrDescription, QStringLiteral("Disk full: ") + file);
        QCOMPARE(Read_Bytes(file), old);
        Expect_Only({QStringLiteral("test.ini")});
        // Once there is room again the write goes through.
        ini::Set_Write_Call({});
        QVERIFY(PutIniValue(S, K, QStringLiteral("b"), file));
        QCOMPARE(GetIniValue(S, K, file), QStringLiteral("b"));
    }

    // The new files of writes killed before their end are cleared by the next write; other files are not.
    void left_behind_cleared() {
        Write_Bytes(file, "[S]\r\nK=a\r\n");
        for (const char* name :
             {"test.ini.tmp1x2y", "test.ini.tmpq", "test.ini.tmp-mine", "test.ini.tmpX", "other.tmp1"})
            Write_Bytes(dir.filePath(QLatin1String(name)), "x");
        QVERIFY(PutIniValue(S, K, QStringLiteral("b"), file));
        Expect_Only({QStringLiteral("test.ini"), QStringLiteral("test.ini.tmp-mine"),
                     QStringLiteral("test.ini.tmpX"), QStringLiteral("other.tmp1")});
        for (const char* name : {"test.ini.tmp-mine", "test.ini.tmpX", "other.tmp1"})
            QFile::remove(dir.filePath(QLatin1String(name)));
    }

    // The file's permissions survive a write, which puts a new file in the old one's place.
    void permissions_kept() {
        Write_Bytes(file, "[S]\r\nK=a\r\n");
        const QByteArray path = QFile::encodeName(file);
        QVERIFY(::chmod(path.constData(), 0640) == 0);
        QVERIFY(PutIniValue(S, K, QStringLiteral("b"), file));
        struct stat st {};
        QVERIFY(::stat(path.constData(), &st) == 0);
        QCOMPARE(int(st.st_mode & 0777), 0640);
    }

    // A link is written through only to a file that holds the section; anything else it points to is
    // left as it is and the write is reported.
    void links_data() {
        QTest::addColumn<QByteArray>("target"); // null: the link points to nothing
        QTest::addColumn<bool>("written");
        QTest::newRow("to a settings file") << QByteArray("[s]\r\nK=a\r\n") << true;
        QTest::newRow("to another program's file") << QByteArray("export PATH=/bin\n") << false;
        QTest::newRow("to an empty file") << QByteArray("") << false;
        QTest::newRow("to nothing") << QByteArray() << false;
    }
    void links() {
        QFETCH(QByteArray, target);
        QFETCH(bool, written);
        const QString other = dir.filePath(QStringLiteral("elsewhere"));
        QFile::remove(other);
        if (!target.isNull()) Write_Bytes(other, target);
        QVERIFY(QFile::link(other, file));
        for (const bool whole : {false, true}) {
            shown.clear();
            const bool done = whole ? Trap("Write_File", [&] { ini::Write_File(file, "[S]\r\nK=w\r\n"); })
                                    : PutIniValue(S, K, QStringLiteral("v"), file);
            QCOMPARE(done, written);
            QCOMPARE(shown.size(), written ? 0 : 1);
            QVERIFY(QFileInfo(file).isSymLink());
            if (written)
                QCOMPARE(Read_Bytes(other),
                         whole ? QByteArray("[S]\r\nK=w\r\n") : QByteArray("[s]\r\nK=v\r\n"));
            else if (target.isNull())
                QVERIFY(!QFileInfo::exists(other));
            else
                QCOMPARE(Read_Bytes(other), target);
            if (!written) QCOMPARE(ErrNumber, err::PathFileAccess);
        }
        QFile::remove(file);
        QFile::remove(other);
    }

    // A whole-file write with a backup keeps the old bytes there first, replacing an older backup or a
    // link standing there (whose target stays as it was); with nothing old, no backup is made.
    void backup_kept() {
        const QString backup = file + QStringLiteral(".bak");
        const QString other = dir.filePath(QStringLiteral("precious"));
        Write_Bytes(other, "keep me");
        QVERIFY(QFile::link(other, backup));
        Write_Bytes(file, "damaged \x01\xff");
        ini::Write_File(file, "[S]\r\nK=1\r\n", backup);
        QCOMPARE(Read_Bytes(backup), QByteArray("damaged \x01\xff"));
        QVERIFY(!QFileInfo(backup).isSymLink());
        QCOMPARE(Read_Bytes(other), QByteArray("keep me"));
        ini::Write_File(file, "[S]\r\nK=2\r\n", backup);
        QCOMPARE(Read_Bytes(backup), QByteArray("[S]\r\nK=1\r\n"));
        QFile::remove(file);
        QFile::remove(backup);
        ini::Write_File(file, "[S]\r\nK=3\r\n", backup);
        QVERIFY(!QFileInfo::exists(backup));
        // A backup that cannot be written leaves the file untouched.
        ini::Set_Write_Call([](int, const char*, qint64) -> qint64 {
            errno = ENOSPC;
            return -1;
        });
        QVERIFY(!Trap("Write_File", [&] { ini::Write_File(file, "[S]\r\nK=4\r\n", backup); }));
        QCOMPARE(Read_Bytes(file), QByteArray("[S]\r\nK=3\r\n"));
        QVERIFY(!QFileInfo::exists(backup));
        QFile::remove(other);
    }

    // A pipe or a device is never opened as a settings file: reading reports it at once.
    void not_a_file() {
        QVERIFY(::mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
        QCOMPARE(GetIniValue(S, K, file), QString());
        Expect_Reported("GetIniValue");
        QVERIFY(!PutIniValue(S, K, QStringLiteral("v"), file));
        QCOMPARE(shown.size(), 2);
        QVERIFY(QFile::remove(file));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), file));
        QCOMPARE(GetIniValue(S, K, file), QString());
        QCOMPARE(shown.size(), 3);
        QVERIFY(QFile::remove(file));
    }

    // A file beyond the bound is refused before a byte of it is read, and a write leaves it as it is.
    void oversized_file_refused() {
        Write_Bytes(file, "[S]\r\nK=a\r\n");
        QVERIFY(::truncate(QFile::encodeName(file).constData(), ini::MaxFileSize + 1) == 0);
        QCOMPARE(GetIniValue(S, K, file), QString());
        Expect_Reported("GetIniValue");
        QCOMPARE(ErrNumber, err::PathFileAccess);
        QVERIFY(ErrDescription.endsWith(QStringLiteral("(file too large)")));
        QVERIFY(!PutIniValue(S, K, QStringLiteral("b"), file));
        QCOMPARE(shown.size(), 2);
        QCOMPARE(QFileInfo(file).size(), ini::MaxFileSize + 1);
        QFile::remove(file);
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
