#include "advice/preflopstats.h"

#include "base/datafolder.h"
#include "base/errorreport.h"
#include "base/messages.h"
#include "base/numbers.h"
#include "base/regularfile.h"
#include "config/modencrypt.h"

#include <QCoreApplication>
#include <QDir>

#include <cerrno>

namespace advice {

PreflopStat PreflopStats[MaxStatRows + 1];
Long StatCount = 0;

namespace {

QString& Folder_Override() {
    static QString folder;
    return folder;
}

constexpr int FieldsUsed = 6;
// The most bytes read from the statistics file.
constexpr qint64 MaxStatsFileBytes = 16LL * 1024 * 1024;
constexpr int FieldsKept = 8; // the six the rules need, and the two optional exact counts

// A field longer than this cannot be a cipher text (the cipher takes at most 32767 characters between
// its three leading keys and its closing key); keeping one character more lets the cipher reject it,
// and a line of any length then costs no more memory than this.
constexpr qsizetype MaxFieldBytes = 32767 + 4 + 1;

QString Download_Hint() {
    return QCoreApplication::translate("advice",
                                       "Please Download the latest version.\r\n\r\n"
                                       "Click on 'Help|Online Help|Download Latest Version/Statistics' "
                                       "to Navigate to the Download Page.");
}

void Show_Invalid_File() {
    msg::Show_Message(QCoreApplication::translate("advice", "Invalid Statistics File!\r\n") + Download_Hint(),
                      QCoreApplication::translate("advice", "Statistics File Invalid"), msg::Icon::Critical);
}

void Show_Loading_Error() {
    msg::Show_Message(QCoreApplication::translate("advice", "Error Loading Statistics File!\r\n") +
                          Download_Hint(),
                      QCoreApplication::translate("advice", "Statistics File Invalid"), msg::Icon::Critical);
}

// A field or a value of the file that does not convert: the first of the two reports.
struct InvalidFile {};

// The numbers are written in the plain C form ("85.20"), which is read first, so the shipped file reads
// the same everywhere; a number in the user's locale form is read too.
double To_Number(const QString& text) {
    if (const auto value = Parse_Stored_Number(text)) return *value;
    throw InvalidFile{};
}

// One line of the file, split at every comma; only the first eight fields are kept (each cut at
// MaxFieldBytes), the rest are only counted.
struct Line {
    QByteArray fields[FieldsKept];
    int count = 0;    // fields seen so far on this line
    bool any = false; // the line holds at least one byte

    void Clear() {
        for (QByteArray& f : fields)
            f.clear();
        count = 0;
        any = false;
    }
    void Add(char c) {
        if (!any) {
            any = true;
            count = 1;
        }
        if (c == ',') {
            ++count;
            return;
        }
        if (count <= FieldsKept) {
            QByteArray& f = fields[count - 1];
            if (f.size() < MaxFieldBytes) f.append(c);
        }
    }
};

// Fields 7 and 8, when present: whole numbers of wins and ties out of every heads-up deal. Anything
// else leaves the row without them, silently: the six fields alone make a valid row.
void Store_Exact_Counts(PreflopStat& stat, const Line& line, int count) {
    stat.HasExact = false;
    stat.ExactWins = stat.ExactTies = 0;
    if (count < FieldsKept) return;
    bool winsOk = false, tiesOk = false;
    const qlonglong wins = modEncrypt::Decrypt(QString::fromLatin1(line.fields[6])).toLongLong(&winsOk);
    const qlonglong ties = modEncrypt::Decrypt(QString::fromLatin1(line.fields[7])).toLongLong(&tiesOk);
    // Each count is bounded before they are added, so that no pair of counts can overflow the sum.
    const auto within = [](qlonglong count) { return count >= 0 && count <= PreflopDealsPerHand; };
    if (!winsOk || !tiesOk || !within(wins) || !within(ties) || wins + ties > PreflopDealsPerHand) return;
    stat.HasExact = true;
    stat.ExactWins = static_cast<Long>(wins);
    stat.ExactTies = static_cast<Long>(ties);
}

void Store_Row(int row, const Line& line) {
    // The table holds MaxStatRows rows; so does the file.
    if (row > MaxStatRows) Raise_Error(err::Subscript);
    PreflopStat& stat = PreflopStats[row];
    // An empty line splits into no fields at all.
    const int count = line.any ? line.count : 0;
    for (int f = 0; f < FieldsUsed; ++f) {
        if (f >= count) Raise_Error(err::Subscript);
        const QString plain = modEncrypt::Decrypt(QString::fromLatin1(line.fields[f]));
        switch (f) {
        case 0:
            stat.HandKey = plain;
            break;
        case 1:
            stat.StatValue = To_Number(plain);
            break;
        case 2:
            stat.Strategy = plain;
            break;
        case 3:
            stat.HandRank = To_Number(plain);
            break;
        case 4:
            stat.HandsAtRank = To_Number(plain);
            break;
        default:
            stat.Grouping = To_Number(plain);
            break;
        }
    }
    Store_Exact_Counts(stat, line, count);
}

// Reads the whole file; returns the number of rows. Lines end at CR LF or at a CR alone; a line feed
// alone is part of the line.
int Read_Stats(RegularFile& file) {
    Line line;
    int row = 1;
    bool afterCR = false;
    char buffer[4096];
    for (;;) {
        // No statistics file comes near MaxStatsFileBytes; a larger one is not read to its end.
        const qint64 got = file.Read(buffer, sizeof buffer);
        if (got < 0 && file.Why() == RegularFile::Failure::TooLarge)
            Raise_Error(err::PathFileAccess, QCoreApplication::translate("advice", "file too large"));
        if (got < 0) Raise_Error(err::DeviceIO);
        if (got == 0) break;
        for (qint64 i = 0; i < got; ++i) {
            const char c = buffer[i];
            if (afterCR) {
                afterCR = false;
                if (c == '\n') continue; // the LF of a CR LF pair
            }
            if (c == '\r') {
                Store_Row(row++, line);
                line.Clear();
                afterCR = true;
                continue;
            }
            line.Add(c);
        }
    }
    // A last line without a line end.
    if (line.any) Store_Row(row++, line);
    return row - 1;
}

// Opens the statistics file for reading. Only a regular file is read: a folder, a pipe or a device of
// that name, or a link to one, is refused before a byte is read, and the file is opened without
// waiting, so that a pipe put there in the meantime cannot hold up the start either.
void Open_Stats(RegularFile& file, const QString& path) {
    if (file.Open(path, MaxStatsFileBytes)) return;
    const int error = file.System_Error();
    switch (file.Why()) {
    case RegularFile::Failure::Missing:
        throw InvalidFile{};
    case RegularFile::Failure::NotOpened:
        Raise_Error(error == EACCES || error == EPERM ? err::PermissionDenied : err::PathFileAccess);
    default:
        Raise_Error(err::PathFileAccess);
    }
}

} // namespace

// The file lies beside the program in the build folder, and in the program's data folder
// ../share/quorvane once installed under a prefix; when neither place holds it, the program's folder is
// the one named (and reported). A folder set by a test stands in for the program's.
QString Stats_Folder() {
    const QString program =
        Folder_Override().isEmpty() ? QCoreApplication::applicationDirPath() : Folder_Override();
    return Data_Folder(program, StatsFileName, QStringLiteral("share/quorvane"));
}

void Set_Stats_Folder(const QString& folder) {
    Folder_Override() = folder;
}

void Grab_Stats() {
    // The table counts as empty until the whole file has been read cleanly.
    StatCount = 0;
    bool invalid = false;
    const bool done = Trap("Grab_Stats", [&] {
        try {
            RegularFile file;
            Open_Stats(file, QDir(Stats_Folder()).filePath(StatsFileName));
            const int rows = Read_Stats(file);
            file.Close();
            StatCount = rows;
        } catch (const InvalidFile&) {
            invalid = true;
        }
    });
    if (invalid)
        Show_Invalid_File();
    else if (!done)
        Show_Loading_Error();
}

void Reset_Stats() {
    for (PreflopStat& stat : PreflopStats)
        stat = PreflopStat{};
    StatCount = 0;
}

} // namespace advice
