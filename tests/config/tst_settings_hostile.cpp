#include "config/inifile.h"
#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "shell/errorreport.h"
#include "shell/messages.h"
#include "tests/support/testsupport.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

using namespace modGlobal;

namespace {

// The variable's bytes, or null when it is not set.
QByteArray Variable(const char* name) {
    return qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray();
}
void Set_Variable(const char* name, const QByteArray& value) {
    value.isNull() ? qunsetenv(name) : qputenv(name, value);
}

// HOME and XDG_CONFIG_HOME as given (null: not set), with Qt's test locations off, as in the program;
// all three come back when the guard goes.
struct Environment {
    const QByteArray home = Variable("HOME");
    const QByteArray configHome = Variable("XDG_CONFIG_HOME");
    Environment(const QByteArray& newHome, const QByteArray& newConfigHome) {
        Set_Variable("HOME", newHome);
        Set_Variable("XDG_CONFIG_HOME", newConfigHome);
        QStandardPaths::setTestModeEnabled(false);
    }
    ~Environment() {
        Set_Variable("HOME", home);
        Set_Variable("XDG_CONFIG_HOME", configHome);
        QStandardPaths::setTestModeEnabled(true);
    }
};

// The five settings in memory.
QString Current() {
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(OPTIONS)
        .arg(MINBET)
        .arg(MAXBET)
        .arg(NUMRAISES)
        .arg(POTSIZEAVG);
}

// Every entry under the folder, with the size and the time of change of each file.
QStringList Disk(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        entries << QStringLiteral("%1 %2 %3")
                       .arg(info.filePath())
                       .arg(info.isDir() ? 0 : info.size())
                       .arg(info.isDir() ? 0 : info.lastModified().toMSecsSinceEpoch());
    }
    return entries;
}

// The five as the file holds them.
QString Stored() {
    QStringList values;
    for (const char* key : {"OPTIONS", "MINBET", "MAXBET", "NUMRAISES", "POTSIZEAVG"})
        values << modEncrypt::Decrypt(GetIniValue(Section, QLatin1String(key), Settings_File()));
    return values.join(u' ');
}

// One thing that a copy of the program does to its settings, as its windows do it.
void Act(const QString& step) {
    if (step == QLatin1String("load")) Load_Settings();   // the start-up form or the About box opens
    if (step == QLatin1String("store")) Store_Settings(); // and closes
    if (step == QLatin1String("options")) {               // a display toggle
        OPTIONS = 1;
        Put_Setting(QStringLiteral("OPTIONS"), QStringLiteral("1"));
    }
    if (step == QLatin1String("limits")) Store_Table_Limits(5, 10, 2, 222); // the dialog saves four entries
    if (step == QLatin1String("pot")) Store_Table_Limits(MINBET, MAXBET, NUMRAISES, 50); // the pot alone
}

// The second copy: a process of its own that takes its steps in turn; at "pause" it says so and waits
// for a line before it goes on.
int Second_Copy(const QStringList& steps) {
    QStandardPaths::setTestModeEnabled(true);
    for (const QString& step : steps) {
        if (step == QLatin1String("pause")) {
            std::fputs("paused\n", stdout);
            std::fflush(stdout);
            char line[8];
            if (!std::fgets(line, sizeof line, stdin)) return 2;
        }
        Act(step);
    }
    return 0;
}

} // namespace

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

    // The folder comes from HOME and XDG_CONFIG_HOME by the file system's encoding, and a relative
    // XDG_CONFIG_HOME is ignored; without such a folder the load says why and nothing is made anywhere.
    void folder_from_environment_data() {
        QTest::addColumn<QByteArray>("newHome"); // "~" stands for the test's home; null: not set
        QTest::addColumn<QByteArray>("configHome");
        QTest::addColumn<QString>("folder"); // empty: none, and then the cause the load names
        QTest::addColumn<QString>("cause");
        const QByteArray unset;
        QTest::newRow("relative XDG_CONFIG_HOME")
            << QByteArray("~") << QByteArray("cfg") << "~/.config/Quorvane"
            << "";
        QTest::newRow("absolute XDG_CONFIG_HOME")
            << QByteArray("~") << QByteArray("~/cfg") << "~/cfg/Quorvane"
            << "";
        QTest::newRow("no HOME, absolute XDG_CONFIG_HOME") << unset << QByteArray("~/cfg") << "~/cfg/Quorvane"
                                                           << "";
        QTest::newRow("no HOME") << unset << unset << ""
                                 << "(HOME is not set)";
        QTest::newRow("relative HOME") << QByteArray("home") << unset << ""
                                       << "(HOME is not an absolute path)";
        QTest::newRow("HOME not UTF-8") << QByteArray("~/caf\xE9") << unset << ""
                                        << "(HOME holds a name";
        QTest::newRow("XDG_CONFIG_HOME not UTF-8") << QByteArray("~") << QByteArray("~/caf\xE9") << ""
                                                   << "(XDG_CONFIG_HOME holds a name";
    }
    void folder_from_environment() {
        QFETCH(QByteArray, newHome);
        QFETCH(QByteArray, configHome);
        QFETCH(QString, folder);
        QFETCH(QString, cause);
        const QByteArray at = QFile::encodeName(home.path());
        const Environment environment(newHome.isNull() ? newHome : newHome.replace('~', at),
                                      configHome.isNull() ? configHome : configHome.replace('~', at));
        QCOMPARE(Settings_Folder(), folder.replace(QLatin1Char('~'), home.path()));
        if (folder.isEmpty()) {
            const QString text = Load_Reported();
            QVERIFY2(text.contains(cause), qPrintable(text));
            QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), {});
        } else {
            Load_Settings();
            QVERIFY(QFileInfo(Settings_File()).isFile());
        }
    }

    // A first load that fails: the program runs on the defaults, says once why they cannot be kept, and
    // writes nothing anywhere, whatever is changed or loaded after.
    void first_load_fails_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("file over 64 MiB") << 0;
        QTest::newRow("write-only file") << 1;
        QTest::newRow("read-only folder") << 2;
        QTest::newRow("Quorvane is a file") << 3;
    }
    void first_load_fails() {
        QFETCH(int, kind);
        if ((kind == 1 || kind == 2) && ::geteuid() == 0)
            QSKIP("running as root: permissions are not enforced");
        const QString folder = Settings_Folder();
        const QString blocked = kind == 2 ? folder : Settings_File();
        if (kind == 2) QVERIFY(QDir().mkpath(folder));
        if (kind < 2) QVERIFY(testsupport::Write_File(blocked, "[REGISTRATION]\r\nOPTIONS=x\r\n"));
        if (kind == 0) QVERIFY(QFile(blocked).resize(ini::MaxFileSize + 1));
        if (kind == 3) QVERIFY(testsupport::Write_File(folder, "x"));
        const QFileDevice::Permissions permissions = QFile::permissions(blocked);
        if (kind == 1) QFile::setPermissions(blocked, QFileDevice::WriteOwner);
        if (kind == 2) QFile::setPermissions(blocked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const auto restore = qScopeGuard([&] { QFile::setPermissions(blocked, permissions); });
        const QStringList before = Disk(home.path());

        QVERIFY(Load_Reported().contains(QStringLiteral("\r\nThe settings cannot be kept: ")));
        QCOMPARE(Current(), QStringLiteral("0 1 2 3 40"));
        QVERIFY(Store_Table_Limits(5, 10, 2, 222));
        QVERIFY(!Put_Setting(QStringLiteral("OPTIONS"), QStringLiteral("1")));
        Store_Settings();
        QVERIFY(Trap("Form_Load", [] { Load_Settings(); }));
        QCOMPARE(Current(), QStringLiteral("0 5 10 2 222"));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(Disk(home.path()), before);
    }

    // Something other than a lock file at the lock's name: the first write names its path and what it
    // is, later writes fail at once without a word, and once it has gone writes work again. No write
    // waits for it (a write that waited would report a lock held by another copy).
    void lock_is_no_file_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("what");
        QTest::newRow("folder") << 0 << "a folder";
        QTest::newRow("named pipe") << 1 << "a named pipe";
        QTest::newRow("link to nothing") << 2 << "a link";
    }
    void lock_is_no_file() {
        QFETCH(int, kind);
        QFETCH(QString, what);
        Load_Settings();
        const QString lock = Settings_File() + QStringLiteral(".lock");
        const QByteArray native = QFile::encodeName(lock);
        QVERIFY(kind != 0 || QDir().mkdir(lock));
        QVERIFY(kind != 1 || ::mkfifo(native.constData(), 0600) == 0);
        QVERIFY(kind != 2 || ::symlink("nowhere", native.constData()) == 0);
        ini::Set_Lock_Timeout(0);
        const auto restore = qScopeGuard([] { ini::Set_Lock_Timeout(-1); });
        Load_Settings(); // a start-up: nothing changed, nothing written, nothing to say
        Store_Settings();
        QCOMPARE(shown.size(), 0);
        QVERIFY(!Put_Setting(QStringLiteral("OPTIONS"), QStringLiteral("1")));
        QVERIFY(!Store_Table_Limits(5, 10, 2, 222));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text.section(QStringLiteral("\r\n"), 0, 0),
                 QStringLiteral("Path/File access error: %1 (%2, not a lock file)").arg(lock, what));
        QVERIFY(::remove(native.constData()) == 0);
        QVERIFY(Store_Table_Limits(5, 10, 2, 222));
        QCOMPARE(shown.size(), 1);
    }

    // Two copies of the program share the file: each writes back only what it changed itself, so that
    // neither undoes what the other stored, and after a write its values follow the file.
    void two_copies_data() {
        QTest::addColumn<QString>("other"); // the second copy's steps; at "pause" this copy acts
        QTest::addColumn<QString>("mine");  // this copy's steps, after its load
        QTest::addColumn<QString>("expected");
        QTest::newRow("About box closed after the other saved limits") << "load limits"
                                                                       << "store"
                                                                       << "0 5 10 2 222";
        QTest::newRow("legend shown after the other saved limits") << "load limits"
                                                                   << "options store"
                                                                   << "1 5 10 2 222";
        QTest::newRow("dialog saves the pot after the other saved limits") << "load limits"
                                                                           << "pot"
                                                                           << "0 5 10 2 50";
        QTest::newRow("other's About box closed after this one saved limits") << "load pause store"
                                                                              << "limits"
                                                                              << "0 5 10 2 222";
        QTest::newRow("other's legend shown before this one saved limits") << "load options"
                                                                           << "limits"
                                                                           << "1 5 10 2 222";
    }
    void two_copies() {
        QFETCH(QString, other);
        QFETCH(QString, mine);
        QFETCH(QString, expected);
        Load_Settings();
        QProcess copy;
        copy.start(QCoreApplication::applicationFilePath(),
                   QStringList{QStringLiteral("--copy")} + other.split(u' '));
        QVERIFY(copy.waitForStarted());
        const bool paused = other.contains(QLatin1String("pause"));
        if (paused)
            QVERIFY(copy.waitForReadyRead());
        else
            QVERIFY(copy.waitForFinished());
        for (const QString& step : mine.split(u' '))
            Act(step);
        if (paused) {
            copy.write("\n");
            QVERIFY(copy.waitForFinished());
        }
        QCOMPARE(copy.exitCode(), 0);
        QCOMPARE(Stored(), expected);
        QCOMPARE(Current(), expected);
        QCOMPARE(shown.size(), 0);
    }

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

// Run with "--copy" and steps, the program is the second copy of the two-copy test.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "--copy") == 0) return Second_Copy(QCoreApplication::arguments().mid(2));
    TestSettingsHostile test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_settings_hostile.moc"
