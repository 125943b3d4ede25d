#include "advice/preflopstats.h"
#include "config/modencrypt.h"
#include "shell/errorreport.h"
#include "shell/messages.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString InvalidText = QStringLiteral(
    "Invalid Statistics File!\r\nPlease Download the latest version.\r\n\r\n"
    "Click on 'Help|Online Help|Download Latest Version/Statistics' to Navigate to the Download Page.");
const QString LoadingText = QStringLiteral(
    "Error Loading Statistics File!\r\nPlease Download the latest version.\r\n\r\n"
    "Click on 'Help|Online Help|Download Latest Version/Statistics' to Navigate to the Download Page.");
const QString Title = QStringLiteral("Statistics File Invalid");

// What a load showed: nothing, the first report, or the error report and then the second report.
enum Outcome { Loaded, Invalid, LoadingError };

// One field enciphered, with keys that change from field to field.
QByteArray Enc(const QString& plain) {
    static int turn = 0;
    ++turn;
    const QString c = modEncrypt::Encrypt_With_Keys(plain, 46 + turn % 9, 46 + (turn * 5) % 9,
                                                    46 + (turn * 7) % 9, 46 + (turn * 2) % 9);
    return c.toLatin1();
}

QByteArray Row(const QStringList& fields) {
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        out += Enc(fields.at(i));
    }
    return out;
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

const QString& SourceDir() {
    static const QString dir = QStringLiteral(QUORVANE_SOURCE_DIR);
    return dir;
}

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

    // The outcome of the messages seen, checked for their exact texts, titles and icons.
    Outcome Seen_Outcome() {
        if (seen.isEmpty()) return Loaded;
        if (seen.size() == 1 && seen[0].text == InvalidText && seen[0].title == Title &&
            seen[0].icon == msg::Icon::Critical)
            return Invalid;
        if (seen.size() == 2 && seen[0].title == "Grab_Stats" && seen[0].icon == msg::Icon::Exclamation &&
            seen[0].text.endsWith("\r\n\r\nGrab_Stats") && seen[1].text == LoadingText &&
            seen[1].title == Title && seen[1].icon == msg::Icon::Critical)
            return LoadingError;
        return Outcome(-1);
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

    // ---- where the file is looked for -------------------------------------------------------------

    void folder_is_the_programs_own() {
        Set_Stats_Folder(QString());
        QCOMPARE(Stats_Folder(), QCoreApplication::applicationDirPath());
        Set_Stats_Folder(dir.path());
        QCOMPARE(Stats_Folder(), dir.path());
    }

    void folder_with_trailing_separator() {
        Write(Rows(2));
        Set_Stats_Folder(dir.path() + QLatin1Char('/'));
        Grab_Stats();
        QCOMPARE(Seen_Outcome(), Loaded);
        QCOMPARE(StatCount, 2);
    }

    // ---- the edge cases of the file, each on a small file ----------------------------------------

    void loading_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("rows");

        const QByteArray g = Good();
        auto row = [](const char* f1, const char* f2, const char* f3, const char* f4, const char* f5,
                      const char* f6) {
            return Row({QString::fromLatin1(f1), QString::fromLatin1(f2), QString::fromLatin1(f3),
                        QString::fromLatin1(f4), QString::fromLatin1(f5), QString::fromLatin1(f6)});
        };

        QTest::newRow("empty file: no rows, no message") << QByteArray() << int(Loaded) << 0;
        QTest::newRow("one row with CR LF") << g + "\r\n" << int(Loaded) << 1;
        QTest::newRow("one row without a line end") << g << int(Loaded) << 1;
        QTest::newRow("final CR LF adds no row") << Rows(3) << int(Loaded) << 3;
        QTest::newRow("last row without a line end") << Rows(2) + Good(3) << int(Loaded) << 3;
        QTest::newRow("CR alone ends a line") << Rows(3, "\r") << int(Loaded) << 3;
        QTest::newRow("mixed CR and CR LF")
            << Good(1) + "\r" + Good(2) + "\r\n" + Good(3) << int(Loaded) << 3;
        QTest::newRow("LF alone does not end a line") << Rows(2, "\n") << int(Invalid) << 0;
        QTest::newRow("LF before CR LF stays in the line") << g + "\n\r\n" << int(Invalid) << 0;
        QTest::newRow("LF alone after a row") << g + "\r\n\n" << int(LoadingError) << 0;
        QTest::newRow("blank line at the end") << Rows(2) + "\r\n" << int(LoadingError) << 0;
        QTest::newRow("blank line in the middle") << Rows(2) + "\r\n" + Rows(2) << int(LoadingError) << 0;
        QTest::newRow("CR CR is an empty line") << Good(1) + "\r\r" + Good(2) << int(LoadingError) << 0;
        QTest::newRow("only a line end") << QByteArray("\r\n") << int(LoadingError) << 0;
        QTest::newRow("five fields") << Row({"AA", "85.2", "Best", "1", "1"}) << int(LoadingError) << 0;
        QTest::newRow("five fields after good rows")
            << Rows(3) + Row({"AA", "85.2", "Best", "1", "1"}) + "\r\n"
            << int(LoadingError) << 0;
        QTest::newRow("one field") << Enc("AA") + "\r\n" << int(LoadingError) << 0;
        QTest::newRow("seven fields load like six") << g + "," + Enc("extra") + "\r\n" << int(Loaded) << 1;
        QTest::newRow("many stray fields load") << g + ",,,,,x,y\r\n" << int(Loaded) << 1;
        QTest::newRow("bad number before a missing field") << Row({"AA", "abc", "Best"}) + "\r\n"
                                                           << int(Invalid) << 0;
        QTest::newRow("field 2 not a number") << row("AA", "abc", "Best", "1", "1", "1") << int(Invalid) << 0;
        QTest::newRow("field 4 not a number")
            << row("AA", "85.2", "Best", "one", "1", "1") << int(Invalid) << 0;
        QTest::newRow("field 5 not a number") << row("AA", "85.2", "Best", "1", "", "1") << int(Invalid) << 0;
        QTest::newRow("field 6 not a number")
            << row("AA", "85.2", "Best", "1", "1", "G1") << int(Invalid) << 0;
        QTest::newRow("field 2 infinite") << row("AA", "inf", "Best", "1", "1", "1") << int(Invalid) << 0;
        QTest::newRow("numeric field not enciphered")
            << Enc("AA") + ",85.20," + Enc("Best") + "," + Enc("1") + "," + Enc("1") + "," + Enc("1")
            << int(Invalid) << 0;
        QTest::newRow("numeric field too short to decipher")
            << Enc("AA") + ",x," + Enc("Best") + "," + Enc("1") + "," + Enc("1") + "," + Enc("1")
            << int(Invalid) << 0;
        QTest::newRow("bad numeric field after good rows")
            << Rows(5) + row("AA", "85.2", "Best", "1", "1", "?") << int(Invalid) << 0;
        QTest::newRow("bad first field is stored as it comes")
            << "x," + g.mid(g.indexOf(',') + 1) << int(Loaded) << 1;
        QTest::newRow("bad third field is stored as it comes")
            << row("AA", "85.2", "best", "1", "1", "1") << int(Loaded) << 1;
        QTest::newRow("numbers with blanks and a sign")
            << row("AA", " 85.2 ", "Best", "+1", "1", "1e0") << int(Loaded) << 1;
        QTest::newRow("exactly 200 rows") << Rows(200) << int(Loaded) << 200;
        QTest::newRow("201 rows") << Rows(201) << int(LoadingError) << 0;
        QTest::newRow("201st row empty") << Rows(200) + "\r\n" << int(LoadingError) << 0;
        QTest::newRow("200 rows and a final CR") << Rows(199) + Good(200) + "\r" << int(Loaded) << 200;
        QTest::newRow("duplicate keys both load") << Good(7) + "\r\n" + Good(7) << int(Loaded) << 2;

        // Robustness: a line of megabytes, binary bytes, a NUL inside a field.
        QTest::newRow("huge numeric field")
            << Enc("AA") + "," + QByteArray(4 << 20, '1') + "," + g << int(Invalid) << 0;
        QTest::newRow("huge key field is stored as it comes")
            << QByteArray(4 << 20, 'A') + "," + g.mid(g.indexOf(',') + 1) << int(Loaded) << 1;
        QTest::newRow("huge line of commas") << QByteArray(1 << 20, ',') << int(Invalid) << 0;
        QByteArray binary;
        for (int i = 0; i < 256; ++i)
            if (i != '\r' && i != ',') binary += char(i);
        QTest::newRow("binary bytes in one field") << binary << int(LoadingError) << 0;
        QTest::newRow("binary bytes as numbers")
            << Enc("AA") + "," + binary + "," + Enc("Best") + ",1,1,1" << int(Invalid) << 0;
        QTest::newRow("NUL in a key")
            << Row({QString("A") + QChar(0) + "A", "1", "Best", "1", "1", "1"}) << int(Loaded) << 1;
    }
    void loading() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, outcome);
        QFETCH(int, rows);
        Write(bytes);
        Grab_Stats();
        QCOMPARE(int(Seen_Outcome()), outcome);
        QCOMPARE(StatCount, rows);
        if (outcome == LoadingError) {
            QCOMPARE(ErrProcedure, QStringLiteral("Grab_Stats"));
            QCOMPARE(ErrNumber, err::Subscript);
        }
    }

    void fields_of_a_row() {
        Write(Row({"AK s", "66.21", "Best", "3", "2", "1"}) + "\r\n" +
              Row({"72", "34.58", "Fold", "169", "1", "9", "ignored"}) + "\r\n");
        Grab_Stats();
        QCOMPARE(Seen_Outcome(), Loaded);
        QCOMPARE(StatCount, 2);
        QCOMPARE(PreflopStats[1].HandKey, QStringLiteral("AK s"));
        QCOMPARE(PreflopStats[1].StatValue, 66.21);
        QCOMPARE(PreflopStats[1].Strategy, QStringLiteral("Best"));
        QCOMPARE(PreflopStats[1].HandRank, 3.0);
        QCOMPARE(PreflopStats[1].HandsAtRank, 2.0);
        QCOMPARE(PreflopStats[1].Grouping, 1.0);
        QCOMPARE(PreflopStats[2].HandKey, QStringLiteral("72"));
        QCOMPARE(PreflopStats[2].Strategy, QStringLiteral("Fold"));
        QCOMPARE(PreflopStats[2].HandRank, 169.0);
        QCOMPARE(PreflopStats[2].Grouping, 9.0);
    }

    void bad_text_fields_are_stored() {
        const QByteArray g = Good();
        Write("x," + g.mid(g.indexOf(',') + 1) + "\r\n" + Row({"AA", "1", "best", "1", "1", "1"}));
        Grab_Stats();
        QCOMPARE(Seen_Outcome(), Loaded);
        QCOMPARE(StatCount, 2);
        QCOMPARE(PreflopStats[1].HandKey, modEncrypt::DecryptError);
        QCOMPARE(PreflopStats[2].Strategy, QStringLiteral("best"));
    }

    void duplicate_keys_keep_file_order() {
        Write(Row({"AA", "1", "Best", "1", "1", "1"}) + "\r\n" + Row({"AA", "2", "Fold", "9", "1", "9"}));
        Grab_Stats();
        QCOMPARE(StatCount, 2);
        QCOMPARE(PreflopStats[1].Strategy, QStringLiteral("Best"));
        QCOMPARE(PreflopStats[2].Strategy, QStringLiteral("Fold"));
    }

    void missing_file() {
        Grab_Stats();
        QCOMPARE(Seen_Outcome(), Invalid);
        QCOMPARE(StatCount, 0);
    }

    void missing_folder() {
        Set_Stats_Folder(dir.filePath("no such folder"));
        Grab_Stats();
        QCOMPARE(Seen_Outcome(), Invalid);
        QCOMPARE(StatCount, 0);
    }

    void folder_named_stats_csv() {
        QTemporaryDir other;
        QVERIFY(QDir(other.path()).mkdir(StatsFileName));
        Set_Stats_Folder(other.path());
        Grab_Stats();
        QCOMPARE(Seen_Outcome(), LoadingError);
        QCOMPARE(ErrNumber, err::PathFileAccess);
        QCOMPARE(StatCount, 0);
    }

    void unreadable_file() {
        Write(Rows(2));
        QFile f(dir.filePath(StatsFileName));
        QVERIFY(f.setPermissions(QFileDevice::Permissions()));
        if (f.open(QIODevice::ReadOnly)) QSKIP("running with rights that read any file");
        Grab_Stats();
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QCOMPARE(Seen_Outcome(), LoadingError);
        QCOMPARE(ErrNumber, err::PermissionDenied);
        QCOMPARE(StatCount, 0);
    }

    // A failed second load leaves no half-valid table behind.
    void failed_reload_empties_the_table() {
        Write(Rows(4));
        Grab_Stats();
        QCOMPARE(StatCount, 4);
        Write(Rows(2) + "\r\n");
        Grab_Stats();
        QCOMPARE(Seen_Outcome(), LoadingError);
        QCOMPARE(StatCount, 0);
    }

    void reset_empties_rows() {
        Write(Rows(3));
        Grab_Stats();
        Reset_Stats();
        QCOMPARE(StatCount, 0);
        QVERIFY(PreflopStats[1].HandKey.isEmpty());
        QCOMPARE(PreflopStats[3].HandRank, 0.0);
    }

    // ---- numbers and the user's locale -----------------------------------------------------------

    void locale_numbers_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("expected");
        QTest::newRow("US point") << "en_US"
                                  << "85.20" << true << 85.2;
        QTest::newRow("US whole") << "en_US"
                                  << "169" << true << 169.0;
        QTest::newRow("German comma") << "de_DE"
                                      << "85,20" << true << 85.2;
        QTest::newRow("German reads the shipped point form") << "de_DE"
                                                             << "85.20" << true << 85.2;
        QTest::newRow("German whole") << "de_DE"
                                      << "12" << true << 12.0;
        QTest::newRow("French reads the point form") << "fr_FR"
                                                     << "32.33" << true << 32.33;
        QTest::newRow("German rejects letters") << "de_DE"
                                                << "8a.20" << false << 0.0;
        QTest::newRow("US rejects a lone point") << "en_US"
                                                 << "." << false << 0.0;
    }
    void locale_numbers() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, expected);
        QLocale::setDefault(QLocale(locale));
        Write(Row({"AA", text, "Best", "1", "1", "1"}));
        Grab_Stats();
        QCOMPARE(Seen_Outcome(), ok ? Loaded : Invalid);
        QCOMPARE(StatCount, ok ? 1 : 0);
        if (ok) QCOMPARE(PreflopStats[1].StatValue, expected);
    }

    // ---- the shipped file ------------------------------------------------------------------------

    void shipped_file() {
        Set_Stats_Folder(SourceDir() + "/resources");
        Grab_Stats();
        QCOMPARE(Seen_Outcome(), Loaded);
        QCOMPARE(StatCount, 169);

        const QString letters = QStringLiteral("AKQJT98765432");
        QSet<QString> expected;
        for (int i = 0; i < 13; ++i)
            for (int j = i; j < 13; ++j) {
                const QString key = QString(letters[i]) + letters[j];
                expected << key;
                if (i != j) expected << key + " s";
            }
        QCOMPARE(expected.size(), 169);

        const QStringList words = {"Best", "Better", "Good", "Marginal", "Bad", "Worse", "Fold"};
        QSet<QString> keys;
        for (int r = 1; r <= StatCount; ++r) {
            const PreflopStat& s = PreflopStats[r];
            QVERIFY2(expected.contains(s.HandKey), qPrintable(s.HandKey));
            QVERIFY2(!keys.contains(s.HandKey), qPrintable(s.HandKey));
            keys << s.HandKey;
            QVERIFY2(words.contains(s.Strategy), qPrintable(s.Strategy));
            QVERIFY(s.StatValue > 0 && s.StatValue < 100);
            QVERIFY(s.HandRank >= 1 && s.HandRank <= 169 && s.HandRank == std::floor(s.HandRank));
            QVERIFY(s.HandsAtRank >= 1 && s.HandsAtRank == std::floor(s.HandsAtRank));
            QVERIFY(s.Grouping >= 1 && s.Grouping <= 9 && s.Grouping == std::floor(s.Grouping));
            // The word follows the group.
            const int g = int(s.Grouping);
            const QString word = g <= 5   ? words[g - 1]
                                 : g <= 8 ? QStringLiteral("Worse")
                                          : QStringLiteral("Fold");
            QCOMPARE(s.Strategy, word);
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

    void shipped_hands_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<double>("equity");
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("rank");
        QTest::newRow("pocket aces") << "AA" << 85.20 << 1 << "Best" << 1;
        QTest::newRow("pocket kings") << "KK" << 82.40 << 1 << "Best" << 2;
        QTest::newRow("ace king suited") << "AK s" << 67.04 << 1 << "Best" << -1;
        QTest::newRow("ace king") << "AK" << 65.32 << 2 << "Better" << -1;
        QTest::newRow("seven deuce") << "72" << 34.58 << 9 << "Fold" << -1;
        QTest::newRow("three deuce, the worst hand") << "32" << 32.30 << 9 << "Fold" << 169;
        QTest::newRow("ten nine suited") << "T9 s" << -1.0 << 4 << "Marginal" << -1;
        QTest::newRow("ace five suited") << "A5 s" << -1.0 << 5 << "Bad" << -1;
        QTest::newRow("king ten") << "KT" << -1.0 << 6 << "Worse" << -1;
        QTest::newRow("deuces") << "22" << -1.0 << 7 << "Worse" << -1;
        QTest::newRow("eight seven") << "87" << -1.0 << 8 << "Worse" << -1;
    }
    void shipped_hands() {
        QFETCH(QString, key);
        QFETCH(double, equity);
        QFETCH(int, group);
        QFETCH(QString, word);
        QFETCH(int, rank);
        Set_Stats_Folder(SourceDir() + "/resources");
        Grab_Stats();
        QCOMPARE(StatCount, 169);
        int row = 0;
        for (int r = 1; r <= StatCount && !row; ++r)
            if (PreflopStats[r].HandKey == key) row = r;
        QVERIFY(row);
        const PreflopStat& s = PreflopStats[row];
        if (equity >= 0) QCOMPARE(s.StatValue, equity);
        QCOMPARE(s.Grouping, double(group));
        QCOMPARE(s.Strategy, word);
        if (rank > 0) QCOMPARE(s.HandRank, double(rank));
    }

    // ---- random damage ---------------------------------------------------------------------------

    void random_damage() {
        const QByteArray original = Rows(169);
        QRandomGenerator rng(20240607);
        int loaded = 0, invalid = 0, loadingError = 0;
        for (int round = 0; round < 400; ++round) {
            QByteArray bytes = original;
            const int damages = 1 + int(rng.bounded(4));
            for (int d = 0; d < damages && !bytes.isEmpty(); ++d) {
                const qsizetype at = qsizetype(rng.bounded(quint32(bytes.size())));
                switch (rng.bounded(6)) {
                case 0: // cut a piece out, often across a line end
                    bytes.remove(at, 1 + qsizetype(rng.bounded(200)));
                    break;
                case 1: // a stray comma
                    bytes.insert(at, ',');
                    break;
                case 2: // a flipped byte
                    bytes[at] = char(bytes[at] ^ char(1 + rng.bounded(255)));
                    break;
                case 3: // CR-only line ends
                    bytes.replace("\r\n", "\r");
                    break;
                case 4: // LF-only line ends
                    bytes.replace("\r\n", "\n");
                    break;
                default: // the file cut short
                    bytes.truncate(at);
                    break;
                }
            }
            Write(bytes);
            seen.clear();
            Reset_Stats();
            Set_Stats_Folder(dir.path());
            Grab_Stats();
            const Outcome outcome = Seen_Outcome();
            QVERIFY2(outcome == Loaded || outcome == Invalid || outcome == LoadingError,
                     qPrintable(QString("round %1: unexpected messages").arg(round)));
            if (outcome == Loaded) {
                ++loaded;
                QVERIFY(StatCount >= 0 && StatCount <= MaxStatRows);
                QCOMPARE(StatCount == 0, bytes.isEmpty());
            } else {
                outcome == Invalid ? ++invalid : ++loadingError;
                QCOMPARE(StatCount, 0);
            }
        }
        // The damage reaches every outcome.
        QVERIFY(loaded > 0);
        QVERIFY(invalid > 0);
        QVERIFY(loadingError > 0);
    }
};

QTEST_GUILESS_MAIN(TestPreflopStats)
#include "tst_preflopstats.moc"
