#include "base/errorreport.h"
#include "base/messages.h"
#include "base/numbers.h"
#include "config/inifile.h"
#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QVariant>

#include <cerrno>
#include <cmath>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

using namespace modGlobal;
using modEncrypt::Decrypt;
using modEncrypt::Encrypt_With_Keys;
using modEncrypt::Set_Test_Keys;

// A byte literal that may hold NUL bytes.
#define BYTES(text) QByteArray(text, sizeof(text) - 1)

namespace {

// The draws 48, 46, 51, 54 give key 1 = 48, key 2 = 51, key 3 = 46, key 4 = 54 ("0", "3", ".", "6").
const QList<int> FixedKeys = {48, 46, 51, 54};

QString Cipher(const QString& plain) {
    return Encrypt_With_Keys(plain, 48, 51, 46, 54);
}

// The first content with the fixed keys: "0" -> 03.`6, "1" -> 03.a6, "2" -> 03.b6, "3" -> 03.c6,
// "40" -> 03.dc6.
const QByteArray FirstContent = "[REGISTRATION]\r\n"
                                "OPTIONS=\"03.`6\"\r\n"
                                "MINBET=\"03.a6\"\r\n"
                                "MAXBET=\"03.b6\"\r\n"
                                "NUMRAISES=\"03.c6\"\r\n"
                                "POTSIZEAVG=\"03.dc6\"\r\n";

constexpr auto Read_Bytes = testsupport::Read_File;
constexpr auto Write_Bytes = testsupport::Write_File;

// A settings file with the five values given as plain texts, enciphered with the fixed keys.
QByteArray Settings_Text(const QString& options, const QString& minBet, const QString& maxBet,
                         const QString& numRaises, const QString& potSizeAvg) {
    return "[REGISTRATION]\r\nOPTIONS=\"" + Cipher(options).toLatin1() + "\"\r\nMINBET=\"" +
           Cipher(minBet).toLatin1() + "\"\r\nMAXBET=\"" + Cipher(maxBet).toLatin1() + "\"\r\nNUMRAISES=\"" +
           Cipher(numRaises).toLatin1() + "\"\r\nPOTSIZEAVG=\"" + Cipher(potSizeAvg).toLatin1() + "\"\r\n";
}

const QByteArray Sound = Settings_Text("3", "10", "20", "4", "300");

// The five settings in memory, and the five stored in the file, deciphered.
QString Current() {
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(OPTIONS)
        .arg(MINBET, 0, 'f', QLocale::FloatingPointShortest)
        .arg(MAXBET, 0, 'f', QLocale::FloatingPointShortest)
        .arg(NUMRAISES)
        .arg(POTSIZEAVG);
}
QString Stored_All() {
    QStringList values;
    for (const char* key : {"OPTIONS", "MINBET", "MAXBET", "NUMRAISES", "POTSIZEAVG"})
        values << Decrypt(GetIniValue(Section, QLatin1String(key), Settings_File()));
    return values.join(u' ');
}

// Every folder and file under the path, with the files' bytes.
QByteArray Disk(const QString& path) {
    QByteArray all;
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        all += entry.toUtf8() + (it.fileInfo().isDir() ? QByteArray("/") : "=" + Read_Bytes(entry)) + '\n';
    }
    return all;
}

bool Permissions_Enforced() {
    return ::geteuid() != 0;
}

// Makes a folder read-only for the life of the guard.
struct ReadOnly {
    QString path;
    QFileDevice::Permissions saved;
    explicit ReadOnly(const QString& p) : path(p), saved(QFile::permissions(p)) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    ~ReadOnly() { QFile::setPermissions(path, saved); }
};

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

    QList<msg::Message> shown;
    // On a memory file system when there is one: every write of the settings file waits for the disk.
    QTemporaryDir home{QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                           ? QStringLiteral("/dev/shm/quorvane-XXXXXX")
                           : QDir::tempPath() + QStringLiteral("/quorvane-XXXXXX")};

    void Remove_Folder() {
        const QString folder = Settings_Folder();
        QVERIFY(folder.contains(QStringLiteral(".qttest"))); // never anything outside the test location
        QDir(folder).removeRecursively();
        QFile::remove(folder);
        QVERIFY(!QFileInfo::exists(folder));
    }

    void Expect_Quiet() { QVERIFY2(shown.isEmpty(), shown.isEmpty() ? "" : qPrintable(shown.first().text)); }

    // Loads a file of the given bytes; the load must neither raise nor show anything.
    void Load_From(const QByteArray& bytes) {
        QVERIFY(Write_Bytes(Settings_File(), bytes));
        Load_Settings();
        Expect_Quiet();
    }

  private slots:
    void initTestCase() {
        // A home of its own, so that other test programs running at the same time, which use the same
        // test location, neither see nor disturb this one's settings file.
        QVERIFY(home.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(Settings_Folder().startsWith(home.path()));
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Remove_Folder();
        Reset_Settings();
        Set_Test_Keys({});
        shown.clear();
        ErrNumber = 0;
        ErrProcedure.clear();
        msg::Set_Message_Handler([this](const msg::Message& m) { shown.append(m); });
    }
    void cleanup() {
        msg::Set_Message_Handler({});
        Set_Test_Keys({});
        ini::Set_Lock_Timeout(-1);
    }
    void cleanupTestCase() { Remove_Folder(); }

    void location_and_zero_until_loaded() {
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QCOMPARE(Settings_Folder(), base + QStringLiteral("/Quorvane"));
        QCOMPARE(Settings_File(), base + QStringLiteral("/Quorvane/QVNSTATE.qvs"));
        QCOMPARE(Current(), QStringLiteral("0 0 0 0 0"));
        // Outside Qt's test location the environment names the folder; a relative XDG_CONFIG_HOME is ignored.
        const auto restore = qScopeGuard([] { QStandardPaths::setTestModeEnabled(true); });
        QStandardPaths::setTestModeEnabled(false);
        qputenv("XDG_CONFIG_HOME", "relative");
        QCOMPARE(Settings_Folder(), home.path() + QStringLiteral("/.config/Quorvane"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        QCOMPARE(Settings_Folder(), home.path() + QStringLiteral("/Quorvane"));
    }

    // Where there is no file, folder and file are made with the first content, byte for byte; loading
    // that file again writes nothing. An empty folder in the file's place gives way to it.
    void first_content_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("neither folder nor file") << "";
        QTest::newRow("folder without file") << "/";
        QTest::newRow("empty folder in place of the file") << "/QVNSTATE.qvs";
    }
    void first_content() {
        QFETCH(QString, folder);
        if (!folder.isEmpty()) QVERIFY(QDir().mkpath(Settings_Folder() + folder));
        Set_Test_Keys(FixedKeys);
        Load_Settings();
        Expect_Quiet();
        QCOMPARE(Read_Bytes(Settings_File()), FirstContent);
        QCOMPARE(Current(), QStringLiteral("0 1 2 3 40"));
        QCOMPARE(Stored_All(), QStringLiteral("0 1 2 3 40"));
        Set_Test_Keys({});
        Load_Settings();
        QCOMPARE(Read_Bytes(Settings_File()), FirstContent);
        QVERIFY(!QFileInfo::exists(Settings_File() + QStringLiteral(".lock")));
    }
    // A sound file is only read. Any damaged value has the whole file written anew with its first
    // content and all five back to their defaults. Either way nothing is shown and the file that is
    // left loads again without any write.
    void load_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected"); // empty: damaged
        const auto Damaged = [](const char* name, const QByteArray& content) {
            QTest::newRow(name) << content << QString();
        };
        const auto with = [](const char* key, const QByteArray& raw) {
            QByteArray text = Sound;
            const QByteArray head = QByteArray(key) + "=\"";
            const qsizetype at = text.indexOf(head) + head.size();
            return text.replace(at, text.indexOf("\"\r\n", at) - at, raw);
        };
        QTest::newRow("plain") << Sound << "3 10 20 4 300";
        QTest::newRow("fractions") << Settings_Text("1", "2.5", "0.25", "4", "300") << "1 2.5 0.25 4 300";
        QTest::newRow("halves to even down") << Settings_Text("2.5", "1", "2", "2.5", "40.5") << "2 1 2 2 40";
        QTest::newRow("halves to even up") << Settings_Text("1.5", "1", "2", "3.5", "41.5") << "2 1 2 4 42";
        QTest::newRow("grouping and blanks")
            << Settings_Text(" 1 ", "1,000", "2000", "3", "40") << "1 1000 2000 3 40";
        QTest::newRow("32-bit edges")
            << Settings_Text("2147483647", "1", "2", "-2147483648", "0") << "2147483647 1 2 -2147483648 0";
        QTest::newRow("unquoted") << QByteArray(Sound).replace('"', QByteArray()) << "3 10 20 4 300";
        QTest::newRow("comments and other sections")
            << QByteArray("; kept\r\n[OTHER]\r\nMINBET=x\r\n") + Sound << "3 10 20 4 300";
        QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + Sound << "3 10 20 4 300";
        QTest::newRow("CR alone") << QByteArray(Sound).replace("\r\n", "\r") << "3 10 20 4 300";
        QTest::newRow("raises beyond what the advice lists are kept")
            << Settings_Text("0", "1", "2", "2147483647", "40") << "0 1 2 2147483647 40";
        QTest::newRow("largest bets the advice lists")
            << Settings_Text("0", "134217727", "1", "15", "40") << "0 134217727 1 15 40";
        QTest::newRow("ten megabyte line elsewhere")
            << QByteArray(10 * 1024 * 1024, '\x01') + "\r\n" + Sound << "3 10 20 4 300";
        Damaged("minbet letters", with("MINBET", Cipher("abc").toLatin1()));
        Damaged("minbet decrypt error literal", with("MINBET", modEncrypt::DecryptError.toLatin1()));
        Damaged("minbet deciphers to the error literal",
                with("MINBET", Cipher(modEncrypt::DecryptError).toLatin1()));
        Damaged("minbet empty quoted", with("MINBET", ""));
        Damaged("minbet missing", QByteArray(Sound).replace("MINBET", "NOTBET"));
        Damaged("maxbet truncated cipher", with("MAXBET", Cipher("20").toLatin1().chopped(1)));
        Damaged("maxbet key out of range", with("MAXBET", "A3.b6"));
        Damaged("maxbet empty plain", with("MAXBET", Cipher("").toLatin1()));
        Damaged("numraises binary bytes", with("NUMRAISES", BYTES("\x00\xff\x80\x01")));
        Damaged("potsizeavg ten megabytes", with("POTSIZEAVG", QByteArray(10 * 1024 * 1024, '5')));
        Damaged("options letters", with("OPTIONS", Cipher("x").toLatin1()));
        Damaged("minbet infinity", with("MINBET", Cipher("inf").toLatin1()));
        Damaged("minbet overflow", with("MINBET", Cipher("1e999").toLatin1()));
        Damaged("maxbet nan", with("MAXBET", Cipher("nan").toLatin1()));
        Damaged("potsizeavg infinity", with("POTSIZEAVG", Cipher("-inf").toLatin1()));
        Damaged("whole file binary", BYTES("[REGISTRATION]\r\nOPTIONS=\x01\x02\x03\xfe\xff\x00"));
    }
    void load() {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        const bool damaged = expected.isEmpty();
        OPTIONS = 7;
        MINBET = 99;
        Set_Test_Keys(FixedKeys);
        Load_From(content);
        QCOMPARE(Current(), damaged ? QStringLiteral("0 1 2 3 40") : expected);
        const QByteArray after = damaged ? FirstContent : content;
        QCOMPARE(Read_Bytes(Settings_File()), after);
        // A repair keeps what it replaced.
        const QString backup = Settings_File() + BackupSuffix;
        QCOMPARE(QFileInfo::exists(backup), damaged);
        if (damaged) QCOMPARE(Read_Bytes(backup), content);
        Set_Test_Keys({});
        Load_Settings();
        QCOMPARE(Read_Bytes(Settings_File()), after);
    }

    // A number out of bounds goes back to its default alone, in the file too; a repair keeps the file as
    // it was, and the two repairs before keep theirs.
    void out_of_bounds_and_backups() {
        const QByteArray files[] = {Settings_Text("3", "1e10", "20", "4", "300"),
                                    Settings_Text("1", "x", "2", "3", "4"),
                                    Settings_Text("2147483648", "10", "1e9", "-2147483649", "1e10")};
        const QString expected[] = {"3 1 20 4 300", "0 1 2 3 40", "0 10 2 3 40"};
        for (int i = 0; i < 4; ++i) {
            Load_From(files[i % 3]);
            QCOMPARE(Current() + Stored_All(), expected[i % 3] + expected[i % 3]);
        }
        const QString bak = Settings_File() + BackupSuffix;
        QCOMPARE(Read_Bytes(bak) + Read_Bytes(bak + ".1") + Read_Bytes(bak + ".2") + Read_Bytes(bak + ".3"),
                 files[0] + files[2] + files[1] + "<unreadable>");
    }

    // Locales that write numbers with characters a single-byte file cannot hold (their own digits, a
    // minus sign of their own), or fractions with a decimal comma: the settings are kept in plain C
    // digits and survive a store and a load.
    void locale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("stored");
        const QString plain = QStringLiteral("3 -2.5 100000 -4 40");
        QTest::newRow("Swedish minus sign") << QLocale(QLocale::Swedish, QLocale::Sweden) << plain;
        QTest::newRow("Finnish minus sign") << QLocale(QLocale::Finnish, QLocale::Finland) << plain;
        QTest::newRow("Arabic digits") << QLocale(QLocale::Arabic, QLocale::Egypt) << plain;
        QTest::newRow("Persian digits") << QLocale(QLocale::Persian, QLocale::Iran) << plain;
        QTest::newRow("Bengali digits") << QLocale(QLocale::Bengali, QLocale::Bangladesh) << plain;
        QTest::newRow("German decimal comma") << QLocale(QLocale::German, QLocale::Germany) << plain;
    }
    void locale() {
        QFETCH(QLocale, locale);
        QFETCH(QString, stored);
        QLocale::setDefault(locale);
        Load_Settings();
        Expect_Quiet();
        QCOMPARE(Current(), QStringLiteral("0 1 2 3 40"));
        OPTIONS = 3;
        MINBET = -2.5;
        MAXBET = 100000;
        NUMRAISES = -4;
        Store_Settings();
        Reset_Settings();
        Load_Settings();
        Expect_Quiet();
        QCOMPARE(Current(), QStringLiteral("3 -2.5 100000 -4 40"));
        QCOMPARE(Stored_All(), stored);
    }

    // No options stored: all five take their defaults and are written, whatever the others held; the
    // file then loads without any further write.
    void options_missing_or_empty_data() {
        QTest::addColumn<QByteArray>("content");
        const QByteArray others = Sound.mid(Sound.indexOf("MINBET"));
        QTest::newRow("missing") << "; kept\r\n[REGISTRATION]\r\n" + others;
        QTest::newRow("empty quoted") << "; kept\r\n[REGISTRATION]\r\nOPTIONS=\"\"\r\n" + others;
        QTest::newRow("empty") << "; kept\r\n[REGISTRATION]\r\nOPTIONS=\r\n" + others;
        QTest::newRow("blank") << "; kept\r\n[REGISTRATION]\r\nOPTIONS=   \r\n" + others;
        QTest::newRow("no section") << QByteArray("; kept\r\n");
        QTest::newRow("empty file") << QByteArray();
    }
    void options_missing_or_empty() {
        QFETCH(QByteArray, content);
        Load_From(content);
        QCOMPARE(Current(), QStringLiteral("0 1 2 3 40"));
        QCOMPARE(Stored_All(), QStringLiteral("0 1 2 3 40"));
        const QByteArray after = Read_Bytes(Settings_File());
        if (!content.isEmpty()) QVERIFY(after.startsWith("; kept\r\n"));
        Load_Settings();
        QCOMPARE(Read_Bytes(Settings_File()), after);
        Expect_Quiet();
    }

    // A file stored under one locale reads the same under another: fractions are kept in the C form,
    // and the decimal-comma form that earlier versions stored is read too.
    void locale_change_data() {
        QTest::addColumn<QString>("writer"); // the locale that stores, or "" for a file given as it is
        QTest::addColumn<QString>("stored"); // MINBET's plain text in the file
        QTest::addColumn<QString>("reader");
        QTest::addColumn<double>("minBet");
        // clang-format off
        QTest::newRow("German to English") << "de_DE" << "2.5" << "en_US" << 2.5;
        QTest::newRow("English to German") << "en_US" << "2.5" << "de_DE" << 2.5;
        QTest::newRow("three decimals under German") << "" << "2.125" << "de_DE" << 2.125;
        QTest::newRow("old German file under English") << "" << "2,5" << "en_US" << 2.5;
        QTest::newRow("grouping by hand under English") << "" << "1,000.5" << "en_US" << 1000.5;
        // clang-format on
    }
    void locale_change() {
        QFETCH(QString, writer);
        QFETCH(QString, stored);
        QFETCH(QString, reader);
        QFETCH(double, minBet);
        if (writer.isEmpty()) {
            QVERIFY(Write_Bytes(Settings_File(), Settings_Text("3", stored, "5", "4", "120")));
        } else {
            QLocale::setDefault(QLocale(writer));
            Load_Settings();
            OPTIONS = 3;
            QVERIFY(Store_Table_Limits(minBet, 5, 4, 120));
            QCOMPARE(Decrypt(GetIniValue(Section, QStringLiteral("MINBET"), Settings_File())), stored);
        }
        QLocale::setDefault(QLocale(reader));
        Reset_Settings();
        Load_Settings();
        Expect_Quiet();
        QCOMPARE(MINBET, minBet);
        QCOMPARE(POTSIZEAVG, 120);
        QVERIFY(!QFileInfo::exists(Settings_File() + BackupSuffix));
    }

    // The settings dialog's save (the four limits) and the form's store (the options and three limits):
    // one write that leaves the bytes the four single writes of earlier versions left.
    void stores_in_one_write_data() {
        QTest::addColumn<bool>("form");
        QTest::addColumn<QByteArray>("before"); // null: no file
        const QByteArray other = "; c\r\n[REGISTRATION]\r\nOPTIONS=x\r\n[T]\r\nA=1\r\n";
        QTest::newRow("limits, first content") << false << FirstContent;
        QTest::newRow("limits, keys missing, other lines") << false << other;
        QTest::newRow("limits, no file") << false << QByteArray();
        QTest::newRow("form, first content") << true << FirstContent;
        QTest::newRow("form, keys missing, other lines")
            << true << QByteArray("; c\r\n[REGISTRATION]\r\nPOTSIZEAVG=\"03.dc6\"\r\n[T]\r\nA=1\r\n");
    }
    void stores_in_one_write() {
        QFETCH(bool, form);
        QFETCH(QByteArray, before);
        const QString file = Settings_File();
        QVERIFY(QDir().mkpath(Settings_Folder()));
        if (form) {
            Load_Settings();
            OPTIONS = 3;
            MINBET = 2.5;
            MAXBET = 5;
            NUMRAISES = 4;
        }
        const auto start = [&] {
            if (!form) Reset_Settings(); // nothing read or written yet: every limit is written
            QFile::remove(file);
            if (!before.isNull()) QVERIFY(Write_Bytes(file, before));
            Set_Test_Keys({46, 47, 48, 49, 50, 51, 52, 53, 54});
        };
        start();
        if (form)
            for (const auto& [key, value] : {std::pair{"OPTIONS", QVariant(3)},
                                             {"MINBET", QVariant(2.5)},
                                             {"MAXBET", QVariant(5.0)},
                                             {"NUMRAISES", QVariant(4)}})
                QVERIFY(PutIniValue(Section, QLatin1String(key), modEncrypt::Encrypt(value), file));
        else
            for (const auto& [key, plain] :
                 {std::pair{"MINBET", "2.5"}, {"MAXBET", "5"}, {"NUMRAISES", "4"}, {"POTSIZEAVG", "120"}})
                QVERIFY(Put_Setting(QLatin1String(key), QLatin1String(plain)));
        const QByteArray fourWrites = Read_Bytes(file);
        start();
        if (form)
            Store_Settings();
        else
            QVERIFY(Store_Table_Limits(2.5, 5, 4, 120));
        Expect_Quiet();
        QCOMPARE(Read_Bytes(file), fourWrites);
        QCOMPARE(Current(), form ? QStringLiteral("3 2.5 5 4 40") : QStringLiteral("0 2.5 5 4 120"));
    }

    // A full disk: a store is reported once under PutIniValue as a full disk and the file keeps every
    // value it held; a repair that cannot keep the damaged file leaves it as it is.
    void full_disk() {
        Set_Test_Keys(FixedKeys);
        Load_Settings();
        QVERIFY(Store_Table_Limits(10, 20, 4, 300));
        const QByteArray before = Read_Bytes(Settings_File());
        ini::Set_Write_Call([](int, const char*, qint64) -> qint64 {
            errno = ENOSPC;
            return -1;
        });
        QVERIFY(!Store_Table_Limits(1, 2, 3, 40));
        OPTIONS = 1;
        Store_Settings();
        QCOMPARE(shown.size(), 2);
        for (const msg::Message& m : shown) {
            QCOMPARE(m.title, QStringLiteral("PutIniValue"));
            QVERIFY(m.text.startsWith(QStringLiteral("Disk full: ")));
            QVERIFY(m.text.contains(QStringLiteral("\r\n\r\n61\r\n\r\n")));
        }
        QCOMPARE(Current(), QStringLiteral("1 1 2 3 40"));
        QCOMPARE(Read_Bytes(Settings_File()), before);

        const QByteArray damaged = Settings_Text("0", "x", "2", "3", "40");
        QVERIFY(Write_Bytes(Settings_File(), damaged));
        QVERIFY(!Trap("Form_Load", [] { Load_Settings(); }));
        QCOMPARE(ErrNumber, err::DiskFull);
        QCOMPARE(Read_Bytes(Settings_File()), damaged);
        ini::Set_Write_Call({});
        Load_Settings();
        QCOMPARE(Read_Bytes(Settings_File() + BackupSuffix), damaged);
        QCOMPARE(Current(), QStringLiteral("0 1 2 3 40"));
    }

    // The settings path is a link: to a settings file, it is read and repaired through; to anything else,
    // the load is reported and goes on with the values in memory, and the other file stays as it was.
    void settings_file_is_a_link_data() {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("reported");
        QTest::newRow("sound settings file") << Sound << "3 10 20 4 300" << false;
        QTest::newRow("damaged settings file")
            << Settings_Text("0", "x", "2", "3", "40") << "0 1 2 3 40" << false;
        QTest::newRow("another program's file") << QByteArray("export PATH=/bin\n") << "0 1 2 3 40" << true;
        QTest::newRow("nothing") << QByteArray() << "0 1 2 3 40" << true;
    }
    void settings_file_is_a_link() {
        QFETCH(QByteArray, target);
        QFETCH(QString, expected);
        QFETCH(bool, reported);
        Set_Test_Keys(FixedKeys);
        const QString other = home.filePath(QStringLiteral("elsewhere"));
        QFile::remove(other);
        if (!target.isNull()) QVERIFY(Write_Bytes(other, target));
        QVERIFY(QDir().mkpath(Settings_Folder()));
        QVERIFY(QFile::link(other, Settings_File()));
        QCOMPARE(Trap("Form_Load", [] { Load_Settings(); }), !reported);
        QCOMPARE(shown.size(), reported ? 1 : 0);
        QCOMPARE(Current(), expected);
        QVERIFY(QFileInfo(Settings_File()).isSymLink());
        if (reported) {
            QCOMPARE(shown.at(0).title, QStringLiteral("Form_Load"));
            QCOMPARE(QFileInfo::exists(other), !target.isNull());
            if (!target.isNull()) QCOMPARE(Read_Bytes(other), target);
            // Nothing was loaded, so the form's unload stores nothing; a single value is not written
            // through the link either.
            Store_Settings();
            QCOMPARE(shown.size(), 1);
            QVERIFY(!Put_Setting(QStringLiteral("OPTIONS"), QStringLiteral("1")));
            QCOMPARE(shown.size(), 1); // the settings are not kept: said once, by the load
            if (!target.isNull()) QCOMPARE(Read_Bytes(other), target);
        } else {
            QCOMPARE(Read_Bytes(other), target == Sound ? Sound : FirstContent);
        }
        QFile::remove(other);
    }

    // Neither the load nor its repair can write: the load raises, the caller reports it under its own
    // name with its cause, the settings take their defaults and nothing on disk is thrown away or written.
    void load_fails_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("cause");
        QTest::newRow("file is a folder with contents") << 0 << "(a folder of that name is in the way)";
        QTest::newRow("a file where the folder belongs") << 1 << "(not a folder)";
        QTest::newRow("read-only folder, damaged file") << 2 << "Permission denied: ";
        QTest::newRow("folder cannot be created") << 3 << "Permission denied: ";
        QTest::newRow("file over 64 MiB") << -1 << "(file too large)";
        QTest::newRow("path over 4096 bytes") << -2 << qt_error_string(ENAMETOOLONG);
        QTest::newRow("no HOME") << -3 << "(HOME is not set)";
        QTest::newRow("HOME not UTF-8") << -4 << "(HOME holds a name that is not valid";
    }
    void load_fails() {
        QFETCH(int, kind);
        QFETCH(QString, cause);
        if (kind >= 2 && !Permissions_Enforced())
            QSKIP("running as root: folder permissions are not enforced");
        const auto restore = qScopeGuard([saved = qgetenv("HOME")] { qputenv("HOME", saved); });
        if (kind == -2)
            qputenv("HOME", qgetenv("HOME") + QByteArray("/" + QByteArray(200, 'a')).repeated(21));
        if (kind == -3) qunsetenv("HOME");
        if (kind == -4) qputenv("HOME", qgetenv("HOME") + "/\xE9");
        const QString parent = kind < -2 ? home.path() : QFileInfo(Settings_Folder()).absolutePath();
        std::optional<ReadOnly> guard;
        if (kind == 0) QVERIFY(QDir().mkpath(Settings_File() + QStringLiteral("/inside")));
        if (kind == 1) QVERIFY(Write_Bytes(Settings_Folder(), "x"));
        if (kind == 2 || kind == -1)
            QVERIFY(Write_Bytes(Settings_File(), Settings_Text("0", "x", "2", "3", "40")));
        if (kind == -1) QVERIFY(QFile(Settings_File()).resize(ini::MaxFileSize + 1));
        if (kind == 2) guard.emplace(Settings_Folder());
        if (kind == 3) QVERIFY(QDir().mkpath(parent));
        if (kind == 3) guard.emplace(parent);
        const QByteArray before = Disk(parent);
        QVERIFY(!Trap("Form_Load", [] { Load_Settings(); }));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).title, QStringLiteral("Form_Load"));
        QCOMPARE(ErrProcedure, QStringLiteral("Form_Load"));
        QVERIFY(shown.at(0).text.contains(cause) &&
                shown.at(0).text.contains("\r\nThe settings cannot be kept: "));
        QCOMPARE(Current(), QStringLiteral("0 1 2 3 40"));
        QVERIFY(Store_Table_Limits(5, 10, 2, 222) &&
                !Put_Setting(QStringLiteral("OPTIONS"), QStringLiteral("1")));
        Store_Settings();
        QVERIFY(Trap("Form_Load", [] { Load_Settings(); }) && shown.size() == 1);
        QCOMPARE(Disk(parent), before);
    }

    // Two copies share the file; the other, a process of its own, saves new limits while this one's
    // About box is open. This one writes back only what it changed itself (nothing, or the pot in its
    // dialog), and its values then follow the file.
    void two_copies_data() {
        QTest::addColumn<bool>("pot");
        QTest::addColumn<QString>("expected");
        QTest::newRow("About box closed") << false << "0 5 10 2 222";
        QTest::newRow("dialog saves the pot alone") << true << "0 5 10 2 50";
    }
    void two_copies() {
        QFETCH(bool, pot);
        QFETCH(QString, expected);
        Load_Settings();
        const pid_t copy = ::fork();
        if (copy == 0) {
            Load_Settings();
            ::_exit(Store_Table_Limits(5, 10, 2, 222) ? 0 : 1);
        }
        int status = 1;
        QVERIFY(::waitpid(copy, &status, 0) == copy && status == 0);
        pot ? void(Store_Table_Limits(MINBET, MAXBET, NUMRAISES, 50)) : Store_Settings();
        QCOMPARE(Stored_All() + Current(), expected.repeated(2));
        Expect_Quiet();
    }

    // A folder at the lock's name: a start-up says nothing, the first write names it, later ones fail
    // without a word, and none waits for it (one that waited would report a lock held by another copy).
    void lock_is_a_folder() {
        Load_Settings();
        const QString lock = Settings_File() + QStringLiteral(".lock");
        QVERIFY(QDir().mkdir(lock));
        ini::Set_Lock_Timeout(0);
        Load_Settings();
        Store_Settings();
        QVERIFY(!Put_Setting(QStringLiteral("OPTIONS"), QStringLiteral("1")) &&
                !Store_Table_Limits(6, 10, 2, 222));
        QCOMPARE(shown.size(), 1);
        QVERIFY(
            shown.at(0).text.startsWith("Path/File access error: " + lock + " (a folder, not a lock file)"));
        QVERIFY(QDir().rmdir(lock) && Put_Setting(QStringLiteral("OPTIONS"), QStringLiteral("1")) &&
                shown.size() == 1);
    }

    // A start whose repair fails (a folder stands at the backup's name): the unload stores nothing, so
    // the file keeps what it held. Once a load succeeds, a store writes again.
    void store_after_failed_load() {
        Set_Test_Keys(FixedKeys);
        const QString backup = Settings_File() + BackupSuffix;
        const QByteArray damaged = Settings_Text("3", "x", "20", "4", "300");
        QVERIFY(Write_Bytes(Settings_File(), damaged));
        QVERIFY(QDir().mkpath(backup + QStringLiteral("/inside")));
        QVERIFY_THROWS_EXCEPTION(AppError, Load_Settings());
        QCOMPARE(Current(), QStringLiteral("0 1 2 3 40"));
        Store_Settings();
        Expect_Quiet();
        QCOMPARE(Read_Bytes(Settings_File()), damaged);
        QVERIFY(QFileInfo(backup + QStringLiteral("/inside")).isDir());

        QVERIFY(QDir(backup).removeRecursively());
        Load_Settings();
        OPTIONS = 1;
        Store_Settings();
        Expect_Quiet();
        QCOMPARE(Stored_All(), QStringLiteral("1 1 2 3 40"));
        QCOMPARE(Read_Bytes(backup), damaged);
    }

    // A store writes the four table values in place without quotes, then loads again: POTSIZEAVG comes
    // back from the file, untouched. A store with nothing changed writes nothing.
    void store_writes_four_and_reloads() {
        Set_Test_Keys(FixedKeys);
        Load_Settings();
        Set_Test_Keys({});
        OPTIONS = 3;
        MINBET = 2.5;
        MAXBET = 5;
        NUMRAISES = 4;
        POTSIZEAVG = 99;
        Store_Settings();
        Expect_Quiet();
        QCOMPARE(Current(), QStringLiteral("3 2.5 5 4 40"));
        QCOMPARE(Stored_All(), QStringLiteral("3 2.5 5 4 40"));
        const QByteArray bytes = Read_Bytes(Settings_File());
        QVERIFY(bytes.startsWith("[REGISTRATION]\r\nOPTIONS=") && bytes.count('\n') == 6 &&
                bytes.count('"') == 2);
        QVERIFY(bytes.endsWith("\r\nPOTSIZEAVG=\"03.dc6\"\r\n"));
        Store_Settings();
        QCOMPARE(Read_Bytes(Settings_File()), bytes);
        QVERIFY(Put_Setting(QStringLiteral("POTSIZEAVG"), QStringLiteral("120")));
        Load_Settings();
        QCOMPARE(POTSIZEAVG, 120);
        Expect_Quiet();
    }

    // A store into a read-only folder: reported once under PutIniValue; the values in memory stay, and
    // the file too. Reading still works.
    void read_only_folder() {
        if (!Permissions_Enforced()) QSKIP("running as root: folder permissions are not enforced");
        Load_Settings();
        const QByteArray before = Read_Bytes(Settings_File());
        ReadOnly guard(Settings_Folder());
        Load_Settings();
        Expect_Quiet();
        MINBET = 7;
        NUMRAISES = 5;
        Store_Settings();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).title, QStringLiteral("PutIniValue"));
        QCOMPARE(Current(), QStringLiteral("0 7 2 5 40"));
        QVERIFY(!Put_Setting(QStringLiteral("MINBET"), QStringLiteral("9")));
        QCOMPARE(shown.size(), 2);
        QCOMPARE(Read_Bytes(Settings_File()), before);
    }

    // Thousands of damaged files: each loads to sound settings and leaves a file that then loads
    // again without any write.
    void random_damage() {
        QRandomGenerator random(20240611);
        const QList<QByteArray> bases = {
            Settings_Text("0", "1", "2", "3", "40"),
            Settings_Text("3", "2.5", "5", "4", "120"),
            QByteArray("; comment\r\n[OTHER]\r\nA=1\r\n\r\n") + Settings_Text("1", "10", "20", "3", "200") +
                "[TAIL]\r\nB=2\r\n",
        };
        int repaired = 0;
        int defaultsWritten = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = bases.at(random.bounded(int(bases.size())));
            const int damages = 1 + random.bounded(3);
            for (int d = 0; d < damages && !bytes.isEmpty(); ++d) {
                const int at = random.bounded(int(bytes.size()));
                const qsizetype start = bytes.lastIndexOf('\n', at) + 1;
                const qsizetype lineBreak = bytes.indexOf('\n', at);
                const qsizetype end = lineBreak < 0 ? bytes.size() : lineBreak;
                // Flip one bit, set any byte at all, cut a line short, remove a whole line, cut the file.
                const int kind = random.bounded(5);
                if (kind == 0) bytes[at] = char(bytes.at(at) ^ (1 << random.bounded(8)));
                if (kind == 1) bytes[at] = char(random.bounded(256));
                if (kind == 2) bytes.remove(at, end - at);
                if (kind == 3) bytes.remove(start, qMin(end + 1, bytes.size()) - start);
                if (kind == 4) bytes.truncate(at);
            }
            Reset_Settings();
            QVERIFY(Write_Bytes(Settings_File(), bytes));
            Load_Settings();
            QVERIFY2(shown.isEmpty(), qPrintable(QString::number(round)));
            QVERIFY(std::isfinite(MINBET) && std::isfinite(MAXBET));
            const QByteArray after = Read_Bytes(Settings_File());
            if (after != bytes)
                (after.size() == FirstContent.size() && after.startsWith("[REGISTRATION]\r\nOPTIONS=\""))
                    ? ++repaired
                    : ++defaultsWritten;
            const QString loaded = Current();
            Reset_Settings();
            Load_Settings();
            QVERIFY2(Read_Bytes(Settings_File()) == after, qPrintable(QString::number(round)));
            QCOMPARE(Current(), loaded);
        }
        // The damage reached both ways of recovery.
        QVERIFY(repaired > 100);
        QVERIFY(defaultsWritten > 10);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
