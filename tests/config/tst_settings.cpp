#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "shell/errorreport.h"
#include "shell/messages.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
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

QByteArray Read_Bytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QByteArray("<unreadable>");
    return f.readAll();
}

bool Write_Bytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A settings file with the five values given as plain texts, enciphered with the fixed keys.
QByteArray Settings_Text(const QString& options, const QString& minBet, const QString& maxBet,
                         const QString& numRaises, const QString& potSizeAvg) {
    return "[REGISTRATION]\r\nOPTIONS=\"" + Cipher(options).toLatin1() + "\"\r\nMINBET=\"" +
           Cipher(minBet).toLatin1() + "\"\r\nMAXBET=\"" + Cipher(maxBet).toLatin1() + "\"\r\nNUMRAISES=\"" +
           Cipher(numRaises).toLatin1() + "\"\r\nPOTSIZEAVG=\"" + Cipher(potSizeAvg).toLatin1() + "\"\r\n";
}

QString Stored(const QString& key) {
    return Decrypt(GetIniValue(Section, key, Settings_File()));
}

struct Values {
    Long options;
    double minBet;
    double maxBet;
    Long numRaises;
    Long potSizeAvg;
};

Values Current() {
    return {OPTIONS, MINBET, MAXBET, NUMRAISES, POTSIZEAVG};
}

bool Is_Default() {
    return OPTIONS == 0 && MINBET == 1 && MAXBET == 2 && NUMRAISES == 3 && POTSIZEAVG == 40;
}

bool Permissions_Enforced() {
    return ::geteuid() != 0;
}

// Makes a folder read-only for the life of the guard.
struct Read_Only {
    QString path;
    QFileDevice::Permissions saved;
    explicit Read_Only(const QString& p) : path(p), saved(QFile::permissions(p)) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    ~Read_Only() { QFile::setPermissions(path, saved); }
};

} // namespace

Q_DECLARE_METATYPE(Values)

class TestSettings : public QObject {
    Q_OBJECT

    QList<msg::Message> shown;
    // On a memory file system when there is one: every write of the settings file waits for the disk.
    QTemporaryDir home{QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                           ? QStringLiteral("/dev/shm/quorvane-XXXXXX")
                           : QDir::tempPath() + QStringLiteral("/quorvane-XXXXXX")};

    void Remove_Folder() {
        const QString folder = Settings_Folder();
        // Never anything outside the test location.
        QVERIFY(folder.contains(QStringLiteral(".qttest")));
        const QFileInfo info(folder);
        if (info.isDir())
            QVERIFY(QDir(folder).removeRecursively());
        else if (info.exists())
            QVERIFY(QFile::remove(folder));
    }

    // Loads a file of the given bytes; the load must neither raise nor show anything.
    void Load_From(const QByteArray& bytes) {
        QVERIFY(Write_Bytes(Settings_File(), bytes));
        Load_Settings();
        QVERIFY2(shown.isEmpty(), shown.isEmpty() ? "" : qPrintable(shown.first().text));
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
    }
    void cleanupTestCase() { Remove_Folder(); }

    void location() {
        const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
        QCOMPARE(Settings_Folder(), base + QStringLiteral("/Quorvane"));
        QCOMPARE(Settings_File(), base + QStringLiteral("/Quorvane/QVNSTATE.qvs"));
    }

    void zero_until_loaded() {
        QCOMPARE(OPTIONS, 0);
        QCOMPARE(MINBET, 0.0);
        QCOMPARE(MAXBET, 0.0);
        QCOMPARE(NUMRAISES, 0);
        QCOMPARE(POTSIZEAVG, 0);
    }

    void first_run_creates_folder_and_file() {
        QVERIFY(!QFileInfo::exists(Settings_Folder()));
        Set_Test_Keys(FixedKeys);
        Load_Settings();
        QVERIFY(shown.isEmpty());
        QVERIFY(QFileInfo(Settings_Folder()).isDir());
        QCOMPARE(Read_Bytes(Settings_File()), FirstContent);
        QVERIFY(Is_Default());
        // Loading a sound file writes nothing.
        Set_Test_Keys({});
        Load_Settings();
        QCOMPARE(Read_Bytes(Settings_File()), FirstContent);
        QVERIFY(!QFileInfo::exists(Settings_File() + QStringLiteral(".lock")));
    }

    void first_content_deciphers() {
        Load_Settings();
        const QList<QByteArray> lines = Read_Bytes(Settings_File()).split('\n');
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines.last(), QByteArray());
        QCOMPARE(lines.at(0), QByteArray("[REGISTRATION]\r"));
        const char* keys[] = {"OPTIONS", "MINBET", "MAXBET", "NUMRAISES", "POTSIZEAVG"};
        const char* plains[] = {"0", "1", "2", "3", "40"};
        for (int i = 0; i < 5; ++i) {
            const QByteArray& line = lines.at(i + 1);
            const QByteArray head = QByteArray(keys[i]) + "=\"";
            QVERIFY(line.startsWith(head));
            QVERIFY(line.endsWith("\"\r"));
            const QString cipher = QString::fromLatin1(line.mid(head.size(), line.size() - head.size() - 2));
            QVERIFY(modEncrypt::Keys_In_Range(cipher));
            QCOMPARE(Decrypt(cipher), QString::fromLatin1(plains[i]));
        }
    }

    void folder_exists_file_missing() {
        QVERIFY(QDir().mkpath(Settings_Folder()));
        Set_Test_Keys(FixedKeys);
        Load_Settings();
        QCOMPARE(Read_Bytes(Settings_File()), FirstContent);
        QVERIFY(Is_Default());
    }

    void sound_values_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Values>("expected");
        QTest::newRow("plain") << Settings_Text("3", "10", "20", "4", "300") << Values{3, 10, 20, 4, 300};
        QTest::newRow("fractions") << Settings_Text("1", "2.5", "0.25", "4", "300")
                                   << Values{1, 2.5, 0.25, 4, 300};
        QTest::newRow("halves to even down")
            << Settings_Text("2.5", "1", "2", "2.5", "40.5") << Values{2, 1, 2, 2, 40};
        QTest::newRow("halves to even up")
            << Settings_Text("1.5", "1", "2", "3.5", "41.5") << Values{2, 1, 2, 4, 42};
        QTest::newRow("grouping and blanks")
            << Settings_Text(" 1 ", "1,000", "2000", "3", "40") << Values{1, 1000, 2000, 3, 40};
        QTest::newRow("32-bit edges") << Settings_Text("2147483647", "1", "2", "-2147483648", "0")
                                      << Values{2147483647, 1, 2, -2147483647 - 1, 0};
        QByteArray unquoted = Settings_Text("3", "10", "20", "4", "300");
        unquoted.replace('"', QByteArray());
        QTest::newRow("unquoted") << unquoted << Values{3, 10, 20, 4, 300};
        QByteArray mixedCase = Settings_Text("3", "10", "20", "4", "300");
        mixedCase.replace("REGISTRATION", "Registration").replace("MINBET", "minbet");
        QTest::newRow("names in other case") << mixedCase << Values{3, 10, 20, 4, 300};
        QTest::newRow("comments and other sections")
            << QByteArray("; kept\r\n[OTHER]\r\nMINBET=x\r\n") + Settings_Text("3", "10", "20", "4", "300")
            << Values{3, 10, 20, 4, 300};
        QTest::newRow("ten megabyte line elsewhere")
            << QByteArray(10 * 1024 * 1024, '\x01') + "\r\n" + Settings_Text("3", "10", "20", "4", "300")
            << Values{3, 10, 20, 4, 300};
    }
    void sound_values() {
        QFETCH(QByteArray, content);
        QFETCH(Values, expected);
        Load_From(content);
        QCOMPARE(OPTIONS, expected.options);
        QCOMPARE(MINBET, expected.minBet);
        QCOMPARE(MAXBET, expected.maxBet);
        QCOMPARE(NUMRAISES, expected.numRaises);
        QCOMPARE(POTSIZEAVG, expected.potSizeAvg);
        // A sound file is only read.
        QCOMPARE(Read_Bytes(Settings_File()), content);
    }

    void locale_decimal_comma() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Load_From(Settings_Text("0", "2,5", "5", "3", "40,5"));
        QCOMPARE(MINBET, 2.5);
        QCOMPARE(POTSIZEAVG, 40);
        // Stored back in the same locale's form.
        Store_Settings();
        QVERIFY(shown.isEmpty());
        QCOMPARE(Stored(QStringLiteral("MINBET")), QStringLiteral("2,5"));
        QCOMPARE(MINBET, 2.5);
    }

    // Locales that write numbers with characters a single-byte file cannot hold (their own digits, a
    // minus sign of their own): the settings are kept in plain C digits and survive a store and a load.
    void locale_beyond_single_byte_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("Swedish minus sign") << QLocale(QLocale::Swedish, QLocale::Sweden);
        QTest::newRow("Finnish minus sign") << QLocale(QLocale::Finnish, QLocale::Finland);
        QTest::newRow("Arabic digits") << QLocale(QLocale::Arabic, QLocale::Egypt);
        QTest::newRow("Persian digits") << QLocale(QLocale::Persian, QLocale::Iran);
        QTest::newRow("Bengali digits") << QLocale(QLocale::Bengali, QLocale::Bangladesh);
        QTest::newRow("German, single-byte") << QLocale(QLocale::German, QLocale::Germany);
    }
    void locale_beyond_single_byte() {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        Load_Settings();
        QVERIFY2(shown.isEmpty(), shown.isEmpty() ? "" : qPrintable(shown.first().text));
        QVERIFY(Is_Default());
        OPTIONS = 3;
        MINBET = -2.5;
        MAXBET = 100000;
        NUMRAISES = -4;
        Store_Settings();
        QVERIFY2(shown.isEmpty(), shown.isEmpty() ? "" : qPrintable(shown.first().text));
        const Values expected{3, -2.5, 100000, -4, 40};
        for (int pass = 0; pass < 2; ++pass) {
            QCOMPARE(OPTIONS, expected.options);
            QCOMPARE(MINBET, expected.minBet);
            QCOMPARE(MAXBET, expected.maxBet);
            QCOMPARE(NUMRAISES, expected.numRaises);
            QCOMPARE(POTSIZEAVG, expected.potSizeAvg);
            Reset_Settings();
            Load_Settings();
            QVERIFY(shown.isEmpty());
        }
        for (const char* key : {"OPTIONS", "MINBET", "MAXBET", "NUMRAISES", "POTSIZEAVG"})
            QVERIFY2(Stored(QLatin1String(key)) != modEncrypt::DecryptError, key);
    }

    // No options stored: all five take their defaults and are written, whatever the others held.
    void options_missing_or_empty_data() {
        QTest::addColumn<QByteArray>("content");
        const QByteArray others = "MINBET=\"" + Cipher("10").toLatin1() + "\"\r\nMAXBET=\"" +
                                  Cipher("20").toLatin1() + "\"\r\nNUMRAISES=\"" + Cipher("4").toLatin1() +
                                  "\"\r\nPOTSIZEAVG=\"" + Cipher("300").toLatin1() + "\"\r\n";
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
        QVERIFY(Is_Default());
        QCOMPARE(Stored(QStringLiteral("OPTIONS")), QStringLiteral("0"));
        QCOMPARE(Stored(QStringLiteral("MINBET")), QStringLiteral("1"));
        QCOMPARE(Stored(QStringLiteral("MAXBET")), QStringLiteral("2"));
        QCOMPARE(Stored(QStringLiteral("NUMRAISES")), QStringLiteral("3"));
        QCOMPARE(Stored(QStringLiteral("POTSIZEAVG")), QStringLiteral("40"));
        const QByteArray after = Read_Bytes(Settings_File());
        if (!content.isEmpty()) QVERIFY(after.startsWith("; kept\r\n"));
        // The file now loads without any further write.
        Load_Settings();
        QCOMPARE(Read_Bytes(Settings_File()), after);
        QVERIFY(shown.isEmpty());
    }

    // Any damaged value: the whole file is written anew with its first content, all five take their
    // defaults, and nothing is shown.
    void damaged_data() {
        QTest::addColumn<QByteArray>("content");
        const auto with = [](const char* key, const QByteArray& raw) {
            QByteArray text = Settings_Text("3", "10", "20", "4", "300");
            const QByteArray head = QByteArray(key) + "=\"";
            const qsizetype at = text.indexOf(head) + head.size();
            const qsizetype end = text.indexOf("\"\r\n", at);
            return text.replace(at, end - at, raw);
        };
        QTest::newRow("minbet letters") << with("MINBET", Cipher("abc").toLatin1());
        QTest::newRow("minbet decrypt error literal") << with("MINBET", modEncrypt::DecryptError.toLatin1());
        QTest::newRow("minbet encrypt error literal") << with("MINBET", modEncrypt::EncryptError.toLatin1());
        QTest::newRow("minbet deciphers to the error literal")
            << with("MINBET", Cipher(modEncrypt::DecryptError).toLatin1());
        QTest::newRow("minbet empty quoted") << with("MINBET", "");
        QTest::newRow("minbet missing")
            << Settings_Text("3", "10", "20", "4", "300").replace("MINBET", "NOTBET");
        QTest::newRow("maxbet truncated cipher") << with("MAXBET", Cipher("20").toLatin1().chopped(1));
        QTest::newRow("maxbet two characters") << with("MAXBET", "03");
        QTest::newRow("maxbet key out of range") << with("MAXBET", "A3.b6");
        QTest::newRow("maxbet empty plain") << with("MAXBET", Cipher("").toLatin1());
        QTest::newRow("numraises binary bytes") << with("NUMRAISES", BYTES("\x00\xff\x80\x01"));
        QTest::newRow("potsizeavg ten megabytes") << with("POTSIZEAVG", QByteArray(10 * 1024 * 1024, '5'));
        QTest::newRow("options letters") << with("OPTIONS", Cipher("x").toLatin1());
        QTest::newRow("options beyond 32 bits") << with("OPTIONS", Cipher("2147483648").toLatin1());
        QTest::newRow("numraises beyond 32 bits") << with("NUMRAISES", Cipher("-2147483649").toLatin1());
        QTest::newRow("potsizeavg beyond 32 bits") << with("POTSIZEAVG", Cipher("1e10").toLatin1());
        QTest::newRow("minbet infinity") << with("MINBET", Cipher("inf").toLatin1());
        QTest::newRow("minbet overflow") << with("MINBET", Cipher("1e999").toLatin1());
        QTest::newRow("maxbet nan") << with("MAXBET", Cipher("nan").toLatin1());
        QTest::newRow("potsizeavg infinity") << with("POTSIZEAVG", Cipher("-inf").toLatin1());
        QTest::newRow("whole file binary") << BYTES("[REGISTRATION]\r\nOPTIONS=\x01\x02\x03\xfe\xff\x00");
    }
    void damaged() {
        QFETCH(QByteArray, content);
        OPTIONS = 7;
        MINBET = 99;
        Set_Test_Keys(FixedKeys);
        Load_From(content);
        QVERIFY(Is_Default());
        QCOMPARE(Read_Bytes(Settings_File()), FirstContent);
        Set_Test_Keys({});
        Load_Settings();
        QCOMPARE(Read_Bytes(Settings_File()), FirstContent);
    }

    void file_is_a_folder() {
        QVERIFY(QDir().mkpath(Settings_File()));
        Set_Test_Keys(FixedKeys);
        Load_Settings();
        QVERIFY(shown.isEmpty());
        QVERIFY(Is_Default());
        QCOMPARE(Read_Bytes(Settings_File()), FirstContent);
    }

    // A folder of that name with something in it is not thrown away: the load fails, the caller
    // reports it, and the settings keep what they held.
    void file_is_a_folder_with_contents() {
        QVERIFY(QDir().mkpath(Settings_File() + QStringLiteral("/inside")));
        OPTIONS = 3;
        MINBET = 5;
        bool raised = false;
        try {
            Load_Settings();
        } catch (const AppError& e) {
            raised = true;
            QVERIFY(e.number != 0);
        }
        QVERIFY(raised);
        QCOMPARE(OPTIONS, 3);
        QCOMPARE(MINBET, 5.0);
        QVERIFY(QFileInfo(Settings_File() + QStringLiteral("/inside")).isDir());
        // Reported by the caller under its own name.
        QVERIFY(!Trap("Form_Load", [] { Load_Settings(); }));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).title, QStringLiteral("Form_Load"));
    }

    // Where the folder belongs there is a file: the folder cannot be created.
    void folder_cannot_be_created() {
        QVERIFY(Write_Bytes(Settings_Folder(), "x"));
        MAXBET = 8;
        QVERIFY(!Trap("Form_Load", [] { Load_Settings(); }));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(ErrProcedure, QStringLiteral("Form_Load"));
        QCOMPARE(MAXBET, 8.0);
        QCOMPARE(Read_Bytes(Settings_Folder()), QByteArray("x"));
    }

    void store_writes_four_and_reloads() {
        Set_Test_Keys(FixedKeys);
        Load_Settings();
        OPTIONS = 3;
        MINBET = 2.5;
        MAXBET = 5;
        NUMRAISES = 4;
        POTSIZEAVG = 99;
        Set_Test_Keys({50, 50, 50, 50});
        Store_Settings();
        QVERIFY(shown.isEmpty());
        // Written in place without quotes, fresh cipher texts; POTSIZEAVG untouched.
        const QByteArray expected = "[REGISTRATION]\r\n"
                                    "OPTIONS=" +
                                    Encrypt_With_Keys("3", 50, 50, 50, 50).toLatin1() +
                                    "\r\n"
                                    "MINBET=" +
                                    Encrypt_With_Keys("2.5", 50, 50, 50, 50).toLatin1() +
                                    "\r\n"
                                    "MAXBET=" +
                                    Encrypt_With_Keys("5", 50, 50, 50, 50).toLatin1() +
                                    "\r\n"
                                    "NUMRAISES=" +
                                    Encrypt_With_Keys("4", 50, 50, 50, 50).toLatin1() +
                                    "\r\n"
                                    "POTSIZEAVG=\"03.dc6\"\r\n";
        QCOMPARE(Read_Bytes(Settings_File()), expected);
        // The load at the end takes POTSIZEAVG back from the file.
        QCOMPARE(OPTIONS, 3);
        QCOMPARE(MINBET, 2.5);
        QCOMPARE(MAXBET, 5.0);
        QCOMPARE(NUMRAISES, 4);
        QCOMPARE(POTSIZEAVG, 40);
    }

    void store_twice_gives_new_cipher_texts() {
        Load_Settings();
        Store_Settings();
        const QString first = GetIniValue(Section, QStringLiteral("MINBET"), Settings_File());
        bool changed = false;
        for (int i = 0; i < 5 && !changed; ++i) {
            Store_Settings();
            changed = GetIniValue(Section, QStringLiteral("MINBET"), Settings_File()) != first;
        }
        QVERIFY(changed);
        QCOMPARE(Stored(QStringLiteral("MINBET")), QStringLiteral("1"));
        QVERIFY(shown.isEmpty());
    }

    void put_setting() {
        Load_Settings();
        QVERIFY(Put_Setting(QStringLiteral("POTSIZEAVG"), QStringLiteral("120")));
        QCOMPARE(Stored(QStringLiteral("POTSIZEAVG")), QStringLiteral("120"));
        Load_Settings();
        QCOMPARE(POTSIZEAVG, 120);
        QVERIFY(shown.isEmpty());
    }

    void read_only_folder() {
        if (!Permissions_Enforced()) QSKIP("running as root: folder permissions are not enforced");
        Load_Settings();
        const QByteArray before = Read_Bytes(Settings_File());
        Read_Only guard(Settings_Folder());
        // Reading still works.
        Load_Settings();
        QVERIFY(shown.isEmpty());
        // A store fails: reported once under PutIniValue, the values in memory stay, the file too.
        MINBET = 7;
        NUMRAISES = 5;
        Store_Settings();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).title, QStringLiteral("PutIniValue"));
        QCOMPARE(MINBET, 7.0);
        QCOMPARE(NUMRAISES, 5);
        QVERIFY(!Put_Setting(QStringLiteral("MINBET"), QStringLiteral("9")));
        QCOMPARE(shown.size(), 2);
        QCOMPARE(Read_Bytes(Settings_File()), before);
    }

    void read_only_folder_damaged_file() {
        if (!Permissions_Enforced()) QSKIP("running as root: folder permissions are not enforced");
        QVERIFY(Write_Bytes(Settings_File(), Settings_Text("0", "x", "2", "3", "40")));
        const QByteArray before = Read_Bytes(Settings_File());
        Read_Only guard(Settings_Folder());
        MINBET = 6;
        QVERIFY(!Trap("Form_Load", [] { Load_Settings(); }));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.at(0).title, QStringLiteral("Form_Load"));
        QCOMPARE(MINBET, 6.0);
        QCOMPARE(Read_Bytes(Settings_File()), before);
    }

    void folder_not_creatable() {
        if (!Permissions_Enforced()) QSKIP("running as root: folder permissions are not enforced");
        const QString parent = QFileInfo(Settings_Folder()).absolutePath();
        QVERIFY(QDir().mkpath(parent));
        Read_Only guard(parent);
        QVERIFY(!Trap("Form_Load", [] { Load_Settings(); }));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(OPTIONS, 0);
        QCOMPARE(MINBET, 0.0);
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
                switch (random.bounded(5)) {
                case 0: // flip one bit
                    bytes[at] = char(bytes.at(at) ^ (1 << random.bounded(8)));
                    break;
                case 1: // any byte at all
                    bytes[at] = char(random.bounded(256));
                    break;
                case 2: { // cut a line short
                    qsizetype end = bytes.indexOf('\n', at);
                    if (end < 0) end = bytes.size();
                    bytes.remove(at, end - at);
                    break;
                }
                case 3: { // remove a whole line
                    const qsizetype start = bytes.lastIndexOf('\n', at) + 1;
                    qsizetype end = bytes.indexOf('\n', at);
                    end = end < 0 ? bytes.size() : end + 1;
                    bytes.remove(start, end - start);
                    break;
                }
                default: // cut the file
                    bytes.truncate(at);
                    break;
                }
            }
            Reset_Settings();
            QVERIFY(Write_Bytes(Settings_File(), bytes));
            Load_Settings();
            QVERIFY2(shown.isEmpty(), qPrintable(QString::number(round)));
            QVERIFY(std::isfinite(MINBET) && std::isfinite(MAXBET));
            const QByteArray after = Read_Bytes(Settings_File());
            if (after != bytes) {
                (after.size() == FirstContent.size() && after.startsWith("[REGISTRATION]\r\nOPTIONS=\""))
                    ? ++repaired
                    : ++defaultsWritten;
            }
            const Values loaded = Current();
            Reset_Settings();
            Load_Settings();
            QVERIFY2(Read_Bytes(Settings_File()) == after, qPrintable(QString::number(round)));
            QCOMPARE(OPTIONS, loaded.options);
            QCOMPARE(MINBET, loaded.minBet);
            QCOMPARE(MAXBET, loaded.maxBet);
            QCOMPARE(NUMRAISES, loaded.numRaises);
            QCOMPARE(POTSIZEAVG, loaded.potSizeAvg);
        }
        // The damage reached both ways of recovery.
        QVERIFY(repaired > 100);
        QVERIFY(defaultsWritten > 10);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
