#include "advice/preflopstats.h"
#include "base/errorreport.h"
#include "base/messages.h"
#include "config/modencrypt.h"
#include "tests/support/testsupport.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <functional>

#include <sys/stat.h>

using namespace advice;

namespace {

const QString InvalidText = QStringLiteral(
    "Invalid Statistics File!\r\nPlease Download the latest version.\r\n\r\n"
    "Click on 'Help|Online Help|Download Latest Version/Statistics' to Navigate to the Download Page.");
const QString LoadingText = QStringLiteral(
    "Error Loading Statistics File!\r\nPlease Download the latest version.\r\n\r\n"
    "Click on 'Help|Online Help|Download Latest Version/Statistics' to Navigate to the Download Page.");
const QString Title = QStringLiteral("Statistics File Invalid");

// What a load showed besides the rows it loaded: the first report, or the error report and then the second.
constexpr int Invalid = -1, LoadingError = -2, Unexpected = -3;

// One field enciphered, with keys that change from field to field.
QByteArray Enc(const QString& plain) {
    static int turn = 0;
    ++turn;
    return modEncrypt::Encrypt_With_Keys(plain, 46 + turn % 9, 46 + turn * 5 % 9, 46 + turn * 7 % 9,
                                         46 + turn * 2 % 9)
        .toLatin1();
}

QByteArray Row(const QStringList& fields) {
    QByteArrayList out;
    for (const QString& field : fields)
        out << Enc(field);
    return out.join(',');
}

QByteArray Good(int n = 1) {
    return Row({QStringLiteral("K%1").arg(n), QStringLiteral("85.20"), QStringLiteral("Best"),
                QString::number(n), QStringLiteral("1"), QStringLiteral("1")});
}

QByteArray Rows(int count, const QByteArray& end = "\r\n") {
    QByteArray out;
    for (int i = 1; i <= count; ++i)
        out += Good(i) + end;
    return out;
}

const QString ShippedFolder = QStringLiteral(QUORVANE_SOURCE_DIR "/resources");

} // namespace

class TestPreflopStats : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QList<msg::Message> seen;
    msg::Handler previous;

    void Write(const QByteArray& bytes) {
        QFile f(dir.filePath(StatsFileName));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(f.write(bytes), bytes.size());
    }

    // Loads the file: the rows loaded when no message came, else which report came with an empty table.
    // The messages are checked for their exact texts, titles and icons.
    int Load() {
        seen.clear();
        Grab_Stats();
        if (seen.isEmpty()) return StatCount;
        if (StatCount != 0) return Unexpected;
        if (seen.size() == 1 && seen[0].text == InvalidText && seen[0].title == Title &&
            seen[0].icon == msg::Icon::Critical)
            return Invalid;
        if (seen.size() == 2 && seen[0].title == "Grab_Stats" && seen[0].icon == msg::Icon::Exclamation &&
            seen[0].text.endsWith("\r\n\r\nGrab_Stats") && seen[1].text == LoadingText &&
            seen[1].title == Title && seen[1].icon == msg::Icon::Critical)
            return LoadingError;
        return Unexpected;
    }

    // A loaded row as "key|equity|word|rank|hands at rank|group".
    static QString Row_Text(int r) {
        const PreflopStat& s = PreflopStats[r];
        const auto n = [](double v) { return QString::number(v); };
        return QStringList{s.HandKey,     n(s.StatValue),   s.Strategy,
                           n(s.HandRank), n(s.HandsAtRank), n(s.Grouping)}
            .join(QLatin1Char('|'));
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        previous = msg::Set_Message_Handler([this](const msg::Message& m) { seen << m; });
    }
    void cleanupTestCase() { msg::Set_Message_Handler(previous); }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Reset_Stats();
        Set_Stats_Folder(dir.path());
        QFile::remove(dir.filePath(StatsFileName));
        seen.clear();
    }
    void cleanup() { Set_Stats_Folder(QString()); }

    void folders_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("error");
        QTest::newRow("trailing separator is joined as a path") << "/" << 2 << 0;
        QTest::newRow("missing file") << "/empty" << Invalid << 0;
        QTest::newRow("missing folder") << "/no such folder" << Invalid << 0;
        QTest::newRow("stats.csv is a folder") << "/shadow" << LoadingError << int(err::PathFileAccess);
    }
    void folders() {
        QFETCH(QString, folder);
        QFETCH(int, result);
        QFETCH(int, error);
        Write(Rows(2));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("shadow/") + StatsFileName));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("empty")));
        Set_Stats_Folder(dir.path() + folder);
        QCOMPARE(Load(), result);
        if (error) QCOMPARE(ErrNumber, error);
        Set_Stats_Folder(QString());
        QCOMPARE(Stats_Folder(), QCoreApplication::applicationDirPath());
    }

    // Installed, the program lies in bin/ and the file in share/quorvane/ next to bin/; in the build folder
    // the file lies beside the program, and that place comes first.
    void installed_layout_data() {
        QTest::addColumn<int>("besideRows"); // 0: no file there
        QTest::addColumn<int>("sharedRows");
        QTest::addColumn<QString>("program"); // the program's folder, under the prefix
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("result");
        const auto row = [](const char* name, int beside, int shared, const char* program,
                            const char* expected, int result) {
            QTest::newRow(name) << beside << shared << QString(program) << QString(expected) << result;
        };
        row("build folder", 2, 0, "bin", "bin", 2);
        row("installed", 0, 3, "bin", "share/quorvane", 3);
        row("beside comes first", 2, 3, "bin", "bin", 2);
        row("trailing separator", 0, 3, "bin/", "share/quorvane", 3);
        row("neither: reported beside the program", 0, 0, "bin", "bin", Invalid);
    }
    void installed_layout() {
        QFETCH(int, besideRows);
        QFETCH(int, sharedRows);
        QFETCH(QString, program);
        QFETCH(QString, expected);
        QFETCH(int, result);
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        QVERIFY(root.mkpath(QStringLiteral("bin")) && root.mkpath(QStringLiteral("share/quorvane")));
        for (const auto& [folder, rows] : {std::pair{"bin/", besideRows}, {"share/quorvane/", sharedRows}})
            if (rows) QVERIFY(testsupport::Write_File(root.filePath(folder + StatsFileName), Rows(rows)));
        Set_Stats_Folder(root.filePath(program));
        QCOMPARE(QDir::cleanPath(Stats_Folder()), root.filePath(expected));
        QCOMPARE(Load(), result);
    }

    void loading_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("result");

        const QByteArray g = Good();

        QTest::newRow("empty file: no rows, no message") << QByteArray() << 0;
        QTest::newRow("one row without a line end") << g << 1;
        QTest::newRow("final CR LF adds no row") << Rows(3) << 3;
        QTest::newRow("CR alone ends a line") << Rows(3, "\r") << 3;
        QTest::newRow("mixed CR and CR LF") << Good(1) + "\r" + Good(2) + "\r\n" + Good(3) << 3;
        QTest::newRow("LF alone does not end a line") << Rows(2, "\n") << Invalid;
        QTest::newRow("LF alone after a row") << g + "\r\n\n" << LoadingError;
        QTest::newRow("blank line at the end") << Rows(2) + "\r\n" << LoadingError;
        QTest::newRow("blank line in the middle") << Rows(2) + "\r\n" + Rows(2) << LoadingError;
        QTest::newRow("CR CR is an empty line") << Good(1) + "\r\r" + Good(2) << LoadingError;
        QTest::newRow("five fields") << Rows(3) + Row({"AA", "85.2", "Best", "1", "1"}) + "\r\n"
                                     << LoadingError;
        QTest::newRow("seven fields load like six") << g + "," + Enc("extra") + "\r\n" << 1;
        QTest::newRow("many stray fields load") << g + ",,,,,x,y\r\n" << 1;
        QTest::newRow("bad number before a missing field") << Row({"AA", "abc", "Best"}) << Invalid;
        QTest::newRow("field 2 not a number") << Row({"AA", "abc", "Best", "1", "1", "1"}) << Invalid;
        QTest::newRow("field 4 not a number") << Row({"AA", "85.2", "Best", "one", "1", "1"}) << Invalid;
        QTest::newRow("field 5 not a number") << Row({"AA", "85.2", "Best", "1", "", "1"}) << Invalid;
        QTest::newRow("field 6 bad after rows")
            << Rows(5) + Row({"AA", "85.2", "Best", "1", "1", "G1"}) << Invalid;
        QTest::newRow("field 2 infinite") << Row({"AA", "inf", "Best", "1", "1", "1"}) << Invalid;
        QTest::newRow("plain number") << Enc("AA") + ",85.20," + Row({"Best", "1", "1", "1"}) << Invalid;
        QTest::newRow("blanks and a sign") << Row({"AA", " 85.2 ", "Best", "+1", "1", "1e0"}) << 1;
        QTest::newRow("exactly 200 rows") << Rows(200) << 200;
        QTest::newRow("201 rows") << Rows(201) << LoadingError;

        // Robustness: a line of megabytes, binary bytes, a NUL inside a field.
        QTest::newRow("huge number") << Enc("AA") + "," + QByteArray(4 << 20, '1') + "," + g << Invalid;
        QTest::newRow("huge line of commas") << QByteArray(1 << 20, ',') << Invalid;
        QByteArray binary;
        for (int i = 0; i < 256; ++i)
            if (i != '\r' && i != ',') binary += char(i);
        QTest::newRow("binary bytes in one field") << binary << LoadingError;
        QTest::newRow("binary numbers") << Enc("AA") + "," + binary + "," + Enc("Best") + ",1,1,1" << Invalid;
        QTest::newRow("NUL in a key")
            << Row({QString("A") + QChar(0) + "A", "1", "Best", "1", "1", "1"}) << 1;
    }
    void loading() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, result);
        Write(bytes);
        QCOMPARE(Load(), result);
        if (result == LoadingError) {
            QCOMPARE(ErrProcedure, QStringLiteral("Grab_Stats"));
            QCOMPARE(ErrNumber, err::Subscript);
        }
    }

    // Numbers convert; a bad key or word is stored as it comes; a repeated key loads again, in file order.
    void fields_of_rows() {
        const QByteArray g = Good();
        Write(Row({"AK s", "66.21", "Best", "3", "2", "1"}) + "\r\n" +
              Row({"72", "34.58", "Fold", "169", "1", "9", "ignored"}) + "\r\n" +
              Row({"AK s", "1", "best", "1", "1", "1"}) + "\r\n" + "x," + g.mid(g.indexOf(',') + 1));
        QCOMPARE(Load(), 4);
        QCOMPARE(Row_Text(1), QStringLiteral("AK s|66.21|Best|3|2|1"));
        QCOMPARE(Row_Text(2), QStringLiteral("72|34.58|Fold|169|1|9"));
        QCOMPARE(Row_Text(3), QStringLiteral("AK s|1|best|1|1|1"));
        QCOMPARE(Row_Text(4), modEncrypt::DecryptError + QStringLiteral("|85.2|Best|1|1|1"));
    }

    // Fields 7 and 8, the exact wins and ties, are kept when both are whole numbers within the deals;
    // otherwise the row loads without them, and never with a message.
    void exact_counts_data() {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<bool>("kept");
        QTest::newRow("six fields") << QStringList{} << false;
        QTest::newRow("both counts") << QStringList{"1787000000", "11000000"} << true;
        QTest::newRow("a ninth field is ignored") << QStringList{"5", "6", "junk"} << true;
        QTest::newRow("all deals") << QStringList{"2097572399", "1"} << true;
        QTest::newRow("only field 7") << QStringList{"5"} << false;
        QTest::newRow("not a number") << QStringList{"x", "1"} << false;
        QTest::newRow("negative") << QStringList{"5", "-1"} << false;
        QTest::newRow("more than the deals") << QStringList{"2097572400", "1"} << false;
        QTest::newRow("a sum beyond 64 bits")
            << QStringList{"9000000000000000000", "9000000000000000000"} << false;
    }
    void exact_counts() {
        QFETCH(QStringList, extra);
        QFETCH(bool, kept);
        QByteArray line = Good();
        for (const QString& field : extra)
            line += "," + Enc(field);
        Write(line + "\r\n" + Good(2) + ",x,y\r\n");
        QCOMPARE(Load(), 2);
        QCOMPARE(Row_Text(1), QStringLiteral("K1|85.2|Best|1|1|1"));
        QCOMPARE(PreflopStats[1].HasExact, kept);
        QCOMPARE(PreflopStats[1].ExactWins, kept ? Long(extra[0].toLongLong()) : 0);
        QCOMPARE(PreflopStats[1].ExactTies, kept ? Long(extra[1].toLongLong()) : 0);
        QVERIFY(!PreflopStats[2].HasExact); // unenciphered fields do not count
    }

    void unreadable_file() {
        Write(Rows(2));
        QFile f(dir.filePath(StatsFileName));
        QVERIFY(f.setPermissions(QFileDevice::Permissions()));
        if (f.open(QIODevice::ReadOnly)) QSKIP("running with rights that read any file");
        const int result = Load();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(result, LoadingError);
        QCOMPARE(ErrNumber, err::PermissionDenied);
    }

    // Only a regular file is read: a pipe or a device (or a link to one) in its place is refused at once,
    // with the second report, and a link to a regular file reads as that file.
    void not_a_regular_file_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("result");
        QTest::newRow("pipe") << "fifo" << LoadingError;
        QTest::newRow("link to a pipe") << "link to fifo" << LoadingError;
        QTest::newRow("link to an endless device") << "/dev/zero" << LoadingError;
        QTest::newRow("link to a regular file") << "link to file" << 2;
    }
    void not_a_regular_file() {
        QFETCH(QString, kind);
        QFETCH(int, result);
        const QString path = dir.filePath(StatsFileName);
        const QString other = dir.filePath(QStringLiteral("other"));
        QFile::remove(other);
        if (kind == "fifo" || kind == "link to fifo")
            QVERIFY(::mkfifo(QFile::encodeName(kind == "fifo" ? path : other).constData(), 0600) == 0);
        if (kind == "link to file") {
            Write(Rows(2));
            QVERIFY(QFile::rename(path, other));
        }
        if (kind.startsWith("link")) QVERIFY(QFile::link(other, path));
        if (kind.startsWith('/')) QVERIFY(QFile::link(kind, path));
        QCOMPARE(Load(), result);
        if (result == LoadingError) QCOMPARE(ErrNumber, err::PathFileAccess);
        QFile::remove(path);
        QFile::remove(other);
    }

    // A file larger than any statistics file is not read to its end.
    void oversized_file() {
        Write(Rows(2) + QByteArray(17 << 20, 'x'));
        QCOMPARE(Load(), LoadingError);
        QCOMPARE(ErrNumber, err::PathFileAccess);
    }

    // A failed second load leaves no half-valid table behind.
    void failed_reload_empties_the_table() {
        Write(Rows(4));
        QCOMPARE(Load(), 4);
        Write(Rows(2) + "\r\n");
        QCOMPARE(Load(), LoadingError);
    }

    void locale_numbers_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("expected"); // -1: not a number
        QTest::addColumn<QString>("text");
        QTest::newRow("US point") << "en_US" << 85.2 << "85.20";
        QTest::newRow("German comma") << "de_DE" << 85.2 << "85,20";
        QTest::newRow("German reads the shipped point form") << "de_DE" << 85.2 << "85.20";
        QTest::newRow("French reads the point form") << "fr_FR" << 32.33 << "32.33";
        QTest::newRow("German rejects letters") << "de_DE" << -1.0 << "8a.20";
        QTest::newRow("US rejects a lone point") << "en_US" << -1.0 << ".";
    }
    void locale_numbers() {
        QFETCH(QString, locale);
        QFETCH(double, expected);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(locale));
        Write(Row({"AA", text, "Best", "1", "1", "1"}));
        QCOMPARE(Load(), expected < 0 ? Invalid : 1);
        if (expected >= 0) QCOMPARE(PreflopStats[1].StatValue, expected);
    }

    void shipped_file() {
        Set_Stats_Folder(ShippedFolder);
        QCOMPARE(Load(), 169);

        const QString letters = QStringLiteral("AKQJT98765432");
        QSet<QString> expected, keys;
        for (int i = 0; i < 13; ++i)
            for (int j = i; j < 13; ++j)
                expected << QString(letters[i]) + letters[j] << QString(letters[i]) + letters[j] + " s";
        for (int i = 0; i < 13; ++i)
            expected.remove(QString(letters[i]) + letters[i] + " s");

        const QStringList byGroup =
            QStringLiteral(",Best,Better,Good,Marginal,Bad,Worse,Worse,Worse,Fold").split(',');
        for (int r = 1; r <= StatCount; ++r) {
            const PreflopStat& s = PreflopStats[r];
            QVERIFY2(!keys.contains(s.HandKey), qPrintable(s.HandKey));
            keys << s.HandKey;
            QVERIFY(s.StatValue > 0 && s.StatValue < 100);
            QVERIFY(s.HandRank >= 1 && s.HandRank <= 169 && s.HandRank == std::floor(s.HandRank));
            QVERIFY(s.Grouping >= 1 && s.Grouping <= 9 && s.Grouping == std::floor(s.Grouping));
            QCOMPARE(s.Strategy, byGroup[int(s.Grouping)]); // the word follows the group
            // The hands sharing a rank are as many as the row says, and a better equity never ranks lower.
            int same = 0;
            for (int o = 1; o <= StatCount; ++o) {
                if (PreflopStats[o].HandRank == s.HandRank) ++same;
                if (PreflopStats[o].StatValue > s.StatValue + 0.15)
                    QVERIFY(PreflopStats[o].HandRank < s.HandRank);
            }
            QCOMPARE(double(same), s.HandsAtRank);
        }
        QCOMPARE(keys, expected);
    }

    // Exact equities against one random hand, and the group of a hand from each of the eight groups.
    void shipped_hands_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("group");
        QTest::addColumn<double>("equity"); // -1: not pinned
        QTest::addColumn<int>("rank");      // -1: not pinned
        QTest::newRow("pocket aces") << "AA" << 1 << 85.20 << 1;
        QTest::newRow("pocket kings") << "KK" << 1 << 82.40 << 2;
        QTest::newRow("ace king suited") << "AK s" << 1 << 67.04 << -1;
        QTest::newRow("ace king") << "AK" << 2 << 65.32 << -1;
        QTest::newRow("seven deuce") << "72" << 9 << 34.58 << -1;
        QTest::newRow("three deuce, the worst hand") << "32" << 9 << 32.30 << 169;
        QTest::newRow("ten nine suited") << "T9 s" << 4 << -1.0 << -1;
        QTest::newRow("ace five suited") << "A5 s" << 5 << -1.0 << -1;
        QTest::newRow("king ten") << "KT" << 6 << -1.0 << -1;
        QTest::newRow("deuces") << "22" << 7 << -1.0 << -1;
        QTest::newRow("eight seven") << "87" << 8 << -1.0 << -1;
    }
    void shipped_hands() {
        QFETCH(QString, key);
        QFETCH(int, group);
        QFETCH(double, equity);
        QFETCH(int, rank);
        Set_Stats_Folder(ShippedFolder);
        Grab_Stats();
        const PreflopStat* s = std::find_if(PreflopStats + 1, PreflopStats + StatCount + 1,
                                            [&](const PreflopStat& row) { return row.HandKey == key; });
        QVERIFY(s != PreflopStats + StatCount + 1);
        QCOMPARE(s->Grouping, double(group));
        if (equity >= 0) QCOMPARE(s->StatValue, equity);
        if (rank > 0) QCOMPARE(s->HandRank, double(rank));
    }

    // Cut pieces, stray commas, flipped bytes, CR-only or LF-only line ends and short files: the load never
    // crashes, and either fills the table or shows one of the two reports with an empty table.
    void random_damage() {
        QRandomGenerator rng(20240607);
        const std::function<void(QByteArray&, qsizetype)> damages[] = {
            [&](QByteArray& b, qsizetype at) { b.remove(at, 1 + qsizetype(rng.bounded(200))); },
            [](QByteArray& b, qsizetype at) { b.insert(at, ','); },
            [&](QByteArray& b, qsizetype at) { b[at] = char(b[at] ^ char(1 + rng.bounded(255))); },
            [](QByteArray& b, qsizetype) { b.replace("\r\n", "\r"); },
            [](QByteArray& b, qsizetype) { b.replace("\r\n", "\n"); },
            [](QByteArray& b, qsizetype at) { b.truncate(at); },
        };
        const QByteArray original = Rows(169);
        QSet<int> results;
        for (int round = 0; round < 400; ++round) {
            QByteArray bytes = original;
            for (int d = 1 + int(rng.bounded(4)); d > 0 && !bytes.isEmpty(); --d)
                damages[rng.bounded(6)](bytes, qsizetype(rng.bounded(quint32(bytes.size()))));
            Write(bytes);
            Reset_Stats();
            const int result = Load();
            QVERIFY2(result == Invalid || result == LoadingError ||
                         (result >= 0 && (result > 0) == !bytes.isEmpty()),
                     qPrintable(QString("round %1: %2").arg(round).arg(result)));
            results << (result >= 0 ? 1 : result);
        }
        QCOMPARE(results, QSet<int>({1, Invalid, LoadingError})); // the damage reaches every outcome
    }
};

QTEST_GUILESS_MAIN(TestPreflopStats)
#include "tst_preflopstats.moc"
