#include "config/inifile.h"

#include "base/errorreport.h"
#include "base/regularfile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ini {

namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");
// The lock file's name is the settings file's with this added.
const QString LockSuffix = QStringLiteral(".lock");
const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

[[noreturn]] void Raise_File_Error(Long number, const QString& file, const QString& detail = QString()) {
    QString where = file;
    if (!detail.isEmpty()) where += QStringLiteral(" (") + detail + QLatin1Char(')');
    Raise_Error(number, where);
}

// The error number that stands for a failed system call.
Long Number_Of(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return err::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return err::PermissionDenied;
    case ENOENT:
    case ENOTDIR:
        return err::PathNotFound;
    default:
        return err::PathFileAccess;
    }
}

// Raises the error of a failed system call; the system's own words go with it where the number alone
// does not say what happened (a file standing where a folder belongs, a read-only file system, a name
// too long).
[[noreturn]] void Raise_System_Error(int error, const QString& file) {
    const bool said =
        error == ENOSPC || error == EDQUOT || error == EACCES || error == EPERM || error == ENOENT;
    Raise_File_Error(Number_Of(error), file, said ? QString() : QString::fromLocal8Bit(std::strerror(error)));
}

bool Is_Blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArrayView Trimmed(QByteArrayView text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && Is_Blank(text.at(from)))
        ++from;
    while (to > from && Is_Blank(text.at(to - 1)))
        --to;
    return text.sliced(from, to - from);
}

bool Same_Name(QByteArrayView inFile, const QString& wanted) {
    if (inFile.size() != wanted.size()) return false;
    return QString::fromLatin1(inFile).compare(wanted, Qt::CaseInsensitive) == 0;
}

// One line of the content: [start, end) is its text, [end, next) its line break (none at the end).
struct Line {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

// Where the first line starts: after a UTF-8 byte-order mark, when the content has one.
qsizetype First_Line_Start(const QByteArray& content) {
    return content.startsWith(Bom) ? Bom.size() : 0;
}

// Calls visit for every line in order; visit returns false to stop. A line ends at CR LF, at a CR alone
// or at a LF alone.
void For_Each_Line(const QByteArray& content, const std::function<bool(const Line&)>& visit) {
    const char* const data = content.constData();
    const qsizetype size = content.size();
    qsizetype start = First_Line_Start(content);
    while (start < size) {
        qsizetype end = start;
        while (end < size && data[end] != '\r' && data[end] != '\n')
            ++end;
        Line line;
        line.start = start;
        line.end = end;
        if (end == size)
            line.next = size;
        else if (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n')
            line.next = end + 2;
        else
            line.next = end + 1;
        if (!visit(line)) return;
        start = line.next;
    }
}

// Whether the content ends a line (or holds nothing but the byte-order mark), so that a line added
// after it needs no line break of its own first.
bool Ends_Line(const QByteArray& content, qsizetype at) {
    if (at <= First_Line_Start(content)) return true;
    const char last = content.at(at - 1);
    return last == '\n' || last == '\r';
}

// The name of a section header line, or nothing when the line is no header.
std::optional<QByteArrayView> Section_Name(QByteArrayView text) {
    const QByteArrayView trimmed = Trimmed(text);
    if (trimmed.isEmpty() || trimmed.at(0) != '[') return std::nullopt;
    qsizetype close = trimmed.indexOf(']');
    if (close < 0) close = trimmed.size();
    return Trimmed(trimmed.sliced(1, close - 1));
}

// The position of the "=" of a key line, or -1 when the line holds no key (blank, comment, no "=").
qsizetype Equals_At(QByteArrayView text) {
    const QByteArrayView trimmed = Trimmed(text);
    if (trimmed.isEmpty() || trimmed.at(0) == ';' || trimmed.at(0) == '[') return -1;
    return text.indexOf('=');
}

// Where the section and the key stand in the content.
struct Place {
    bool sectionFound = false;
    qsizetype sectionEnd = 0; // after the line break of the section's last non-blank line
    bool keyFound = false;
    Line keyLine;
    qsizetype equalsAt = 0;
};

Place Locate(const QByteArray& content, const QString& section, const QString& key) {
    Place place;
    bool inSection = false;
    For_Each_Line(content, [&](const Line& line) {
        const QByteArrayView text(content.constData() + line.start, line.end - line.start);
        if (const auto name = Section_Name(text)) {
            if (inSection) return false; // the section ends where the next one starts
            if (Same_Name(*name, section)) {
                inSection = true;
                place.sectionFound = true;
                place.sectionEnd = line.next;
            }
            return true;
        }
        if (!inSection) return true;
        if (!Trimmed(text).isEmpty()) place.sectionEnd = line.next;
        const qsizetype equals = Equals_At(text);
        if (equals >= 0 && Same_Name(Trimmed(text.first(equals)), key)) {
            place.keyFound = true;
            place.keyLine = line;
            place.equalsAt = line.start + equals;
            return false;
        }
        return true;
    });
    return place;
}

// The Latin-1 bytes of a name or value that is to be written, checked so that it cannot break the
// shape of the file.
QByteArray To_Bytes(const QString& text, const char* forbidden) {
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code > 0xFF || code == '\r' || code == '\n' || code == 0 ||
            (code < 0x80 && std::strchr(forbidden, static_cast<char>(code)) != nullptr))
            Raise_Error(err::InvalidCall);
    }
    return text.toLatin1();
}

QByteArray Name_Bytes(const QString& name, const char* forbidden) {
    const QByteArray bytes = To_Bytes(name.trimmed(), forbidden);
    if (bytes.isEmpty() || bytes.at(0) == '[' || bytes.at(0) == ';') Raise_Error(err::InvalidCall);
    return bytes;
}

// The stand-ins that tests set.
WriteCall& Test_Write_Call() {
    static WriteCall call;
    return call;
}
int Lock_Timeout = LockTimeoutMs;

// Puts all the bytes into the file; false, with errno set, when not all of them went.
bool Write_All(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const qint64 done = Test_Write_Call()
                                ? Test_Write_Call()(fd, data, size)
                                : static_cast<qint64>(::write(fd, data, static_cast<size_t>(size)));
        if (done < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (done == 0) {
            errno = ENOSPC; // nothing taken and no error: the device has no room
            return false;
        }
        data += done;
        size -= done;
    }
    return true;
}

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

// A lock file beside the settings file, held for the moment of one read and write. It holds the
// owner's process number, the program's name and the machine's name, and its owner keeps an flock(2)
// lock on it for as long as it lives: the system drops that lock when the owner ends, however it ends,
// so that a lock file nobody holds that way was left behind and is cleared at once.
//
// The lock is made whole under a new name of its own (locked, its owner written) and only then linked
// to the lock's name, which link(2) gives to one copy only: a second copy never finds a lock file that
// its owner does not hold yet, and so never takes a live one for one left behind. Its owner removes
// the lock's name only while it still stands for the owner's own file.
class LockFile {
  public:
    explicit LockFile(const QString& file)
        : path_(Native(file + LockSuffix)), stem_(Native(file)), file_(file) {
        const QByteArray owner = QByteArray::number(static_cast<qlonglong>(::getpid())) + "\nquorvane\n" +
                                 QSysInfo::machineHostName().toUtf8() + '\n';
        QDeadlineTimer deadline(Lock_Timeout);
        bool byLink = true;
        for (;;) {
            const Attempt attempt = byLink ? Take_By_Link(owner) : Take_By_Creation(owner);
            if (attempt == Attempt::Taken) return;
            if (attempt == Attempt::NoLinks) {
                byLink = false;
                continue;
            }
            if (attempt == Attempt::Again || Clear_If_Left_Behind()) continue;
            if (deadline.hasExpired())
                Raise_File_Error(err::PermissionDenied, file,
                                 QCoreApplication::translate("ini", "in use by another copy of the program"));
            QThread::msleep(static_cast<unsigned long>(std::clamp<qint64>(deadline.remainingTime(), 1, 20)));
        }
    }
    ~LockFile() { Release(); }
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

  private:
    QByteArray path_;
    QByteArray stem_; // the settings file's own name
    QString file_;
    int fd_ = -1;

    enum class Attempt {
        Taken,   // the lock is ours
        Held,    // a lock file stands at the name
        Again,   // the lock's new file was cleared away before it was linked: made anew at once
        NoLinks, // the file system makes no hard links
    };

    // Creates the file at name, which must not exist yet, takes its flock and writes the owner into it;
    // the file descriptor, or -1 with errno EEXIST when something stands at that name. Any other
    // failure removes what was made and is raised.
    int Make_Owned(const QByteArray& name, const QByteArray& owner) const {
        const int made = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (made < 0) {
            if (errno == EEXIST) return -1;
            Raise_System_Error(errno, file_);
        }
        ::flock(made, LOCK_EX | LOCK_NB); // where the file system has no such locks, the content decides
        if (!Write_All(made, owner.constData(), owner.size())) {
            const int error = errno;
            ::unlink(name.constData());
            ::close(made);
            Raise_System_Error(error, file_);
        }
        return made;
    }

    // The lock made whole under a new name and then linked to the lock's name. The new name is one of
    // those that a write clears when a copy was killed before it removed it.
    Attempt Take_By_Link(const QByteArray& owner) {
        QByteArray temporary;
        int made = -1;
        for (int attempt = 0; made < 0; ++attempt) {
            temporary = stem_ + ".tmp" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
            made = Make_Owned(temporary, owner);
            if (made < 0 && attempt == 16) Raise_System_Error(EEXIST, file_);
        }
        const int linked = ::link(temporary.constData(), path_.constData());
        const int error = errno;
        ::unlink(temporary.constData());
        if (linked == 0) {
            fd_ = made;
            return Attempt::Taken;
        }
        ::close(made);
        switch (error) {
        case EEXIST:
            return Attempt::Held;
        case ENOENT:
            return Attempt::Again;
        case EPERM:
        case EOPNOTSUPP:
        case ENOSYS:
            return Attempt::NoLinks;
        default:
            Raise_System_Error(error, file_);
        }
    }

    // Where the file system makes no hard links, the lock file is created at its name at once; there a
    // copy that finds it a moment before its owner has locked it judges it by its content.
    Attempt Take_By_Creation(const QByteArray& owner) {
        fd_ = Make_Owned(path_, owner);
        return fd_ < 0 ? Attempt::Held : Attempt::Taken;
    }

    // Whether the name still stands for the open file (and not for one that took its place).
    bool Names(int open) const {
        struct stat opened {};
        struct stat named {};
        return ::fstat(open, &opened) == 0 && ::lstat(path_.constData(), &named) == 0 &&
               opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
    }

    // The lock's name is removed only while it stands for this lock: a lock file that another copy put
    // in its place stays. The flock is held until the name is gone.
    void Release() {
        if (fd_ < 0) return;
        if (Names(fd_)) ::unlink(path_.constData());
        ::close(fd_);
        fd_ = -1;
    }

    // Whether the process named in the lock's content still runs on this machine; a lock that names
    // none (empty, or cut short by a kill while it was written) has no owner.
    static bool Owner_Lives(const QByteArray& content) {
        const QList<QByteArray> lines = content.split('\n');
        bool ok = false;
        const qlonglong pid = lines.value(0).trimmed().toLongLong(&ok);
        if (!ok || pid <= 0) return false;
        if (lines.size() > 2 && lines.at(2).trimmed() != QSysInfo::machineHostName().toUtf8())
            return true; // another machine's process cannot be asked
        return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
    }

    // Removes the lock file when its owner is gone; true when it is gone now (removed here or by its
    // owner meanwhile), so that taking it can be tried again at once.
    bool Clear_If_Left_Behind() const {
        const int other = ::open(path_.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
        if (other < 0) return errno == ENOENT;
        struct stat held {};
        bool leftBehind = false;
        if (::fstat(other, &held) == 0 && S_ISREG(held.st_mode)) {
            if (::flock(other, LOCK_EX | LOCK_NB) == 0) {
                leftBehind = true; // its owner would hold this lock for as long as it lived
            } else if (errno != EWOULDBLOCK) {
                char buffer[512];
                const ssize_t got = ::read(other, buffer, sizeof buffer);
                leftBehind = got >= 0 && !Owner_Lives(QByteArray(buffer, static_cast<qsizetype>(got)));
            }
        }
        // Remove it only while the name still stands for the file that was judged (else it is judged
        // again). The flock taken here stays until then, so that no other copy judges the same file at
        // the same time and removes a live lock that took its place. One that cannot be removed is
        // reported, rather than waited for.
        if (leftBehind && Names(other) && ::unlink(path_.constData()) != 0 && errno != ENOENT) {
            const int error = errno;
            ::close(other);
            Raise_System_Error(error, file_);
        }
        ::close(other);
        return leftBehind;
    }
};

// What stands at the lock's name when it is no lock file ("a folder"), or "" when nothing does or a
// regular file does.
QString Not_A_Lock(const QString& file) {
    struct stat st {};
    if (::lstat(Native(file + LockSuffix).constData(), &st) != 0 || S_ISREG(st.st_mode)) return QString();
    if (S_ISDIR(st.st_mode)) return QCoreApplication::translate("ini", "a folder");
    if (S_ISFIFO(st.st_mode)) return QCoreApplication::translate("ini", "a named pipe");
    if (S_ISLNK(st.st_mode)) return QCoreApplication::translate("ini", "a link");
    if (S_ISSOCK(st.st_mode)) return QCoreApplication::translate("ini", "a socket");
    return QCoreApplication::translate("ini", "a device");
}

// Makes the folder at path, first the missing folders above it; raises naming the part that cannot be
// made and why. A path too long for the system fails before any part of it is made.
void Make_Folder_At(const QByteArray& path) {
    if (::mkdir(path.constData(), 0777) == 0) return;
    int error = errno;
    const qsizetype slash = path.lastIndexOf('/');
    if (error == ENOENT && slash > 0) {
        Make_Folder_At(path.first(slash));
        if (::mkdir(path.constData(), 0777) == 0) return;
        error = errno;
    }
    struct stat st {};
    if (error == EEXIST && ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode)) return;
    if (error == EEXIST)
        Raise_File_Error(err::PathFileAccess, QFile::decodeName(path),
                         QCoreApplication::translate("ini", "not a folder"));
    Raise_System_Error(error, QFile::decodeName(path));
}

// The new files that writes killed before their end left beside the file. Every write of the file
// happens under its lock, so while the lock is held none of them belongs to a write still going on;
// one may be the lock that a second copy is making, and that copy, finding it gone, makes another.
void Remove_Left_Behind(const QString& path) {
    const QFileInfo info(path);
    const QString prefix = info.fileName() + QStringLiteral(".tmp");
    QDir folder = info.absoluteDir();
    const QStringList names = folder.entryList(
        {prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
    for (const QString& name : names) {
        const QString tail = name.mid(prefix.size());
        const bool ours = !tail.isEmpty() && std::all_of(tail.begin(), tail.end(), [](QChar c) {
            return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z');
        });
        if (ours) folder.remove(name);
    }
}

// Stores the content as the file at path: written whole to a new file in the same folder, flushed to
// the disk, then renamed over the old one (a link standing at path is replaced, not followed). The new
// file keeps the old one's permissions. A failure at any step removes the new file and leaves the old
// one as it was.
void Replace_Whole(const QString& path, const QByteArray& content) {
    Remove_Left_Behind(path);
    const QByteArray target = Native(path);
    struct stat old {};
    const bool exists = ::lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode);
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = target + ".tmp" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 16)) Raise_System_Error(errno, path);
    }
    bool written = (!exists || ::fchmod(fd, old.st_mode & 07777) == 0) &&
                   Write_All(fd, content.constData(), content.size());
    // A disk that cannot take the data may say so only when it is flushed, or closed.
    if (written && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) written = false;
    if (!written) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.constData());
        Raise_System_Error(error, path);
    }
    if (::close(fd) != 0 || ::rename(temporary.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        Raise_System_Error(error, path);
    }
}

// How many backups a file keeps: backup, backup.1, backup.2.
constexpr int KeptBackups = 3;

// Moves the backups kept so far one place on, the oldest out, to make room for a new one. Only
// regular files move; a move onto anything else fails, as the new backup does, and the file then stays
// as it is.
void Shift_Backups(const QString& backup) {
    for (int place = KeptBackups - 1; place >= 1; --place) {
        const QString from = place == 1 ? backup : backup + QLatin1Char('.') + QString::number(place - 1);
        const QString to = backup + QLatin1Char('.') + QString::number(place);
        struct stat st {};
        if (::lstat(Native(from).constData(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (::rename(Native(from).constData(), Native(to).constData()) != 0) Raise_System_Error(errno, to);
    }
}

// The name of the first section of the content, or "" when it has none.
QString First_Section(const QByteArray& content) {
    QString name;
    For_Each_Line(content, [&](const Line& line) {
        const auto header =
            Section_Name(QByteArrayView(content.constData() + line.start, line.end - line.start));
        if (header) name = QString::fromLatin1(*header);
        return !header;
    });
    return name;
}

// Where a write of the section to the file goes: the file itself, or, when it is a link, the file the
// link points to, which must be a settings file already holding that section. Anything else a link
// points to (another program's file, a device, nothing at all) is not written through.
QString Write_Target(const QString& file, const QString& section) {
    const QFileInfo info(file);
    if (!info.isSymLink()) return file;
    const QString target = info.canonicalFilePath();
    const auto refuse = [&] {
        Raise_File_Error(err::PathFileAccess, file,
                         QCoreApplication::translate("ini", "a link to a file that is not a settings file"));
    };
    if (target.isEmpty() || !QFileInfo(target).isFile() || section.isEmpty()) refuse();
    const std::optional<QByteArray> content = Read_File(target);
    if (!content || !Locate(*content, section.trimmed(), QString()).sectionFound) refuse();
    return target;
}

using Update = std::function<QByteArray(const std::optional<QByteArray>&)>;

// Runs the update of the file's content under the lock and stores the result safely: the new content
// goes to a file of its own that is then renamed over the old one, so that a failure at any moment
// leaves either the old file or the new one, never half of one. The section names what a linked file
// must hold to be written through; backup, when given, receives the old bytes first.
void Update_File(const QString& file, const QString& section, bool readOld, const Update& update,
                 const QString& backup = QString()) {
    if (file.isEmpty()) Raise_Error(err::BadFileName);
    // No copy of the program leaves anything but a regular file at the lock's name: something else
    // there would be waited for in vain.
    if (const QString what = Not_A_Lock(file); !what.isEmpty())
        Raise_File_Error(err::PathFileAccess, file + LockSuffix,
                         what + QCoreApplication::translate("ini", ", not a lock file"));
    const LockFile lock(file);

    std::optional<QByteArray> old;
    if (readOld) {
        old = Read_File(file);
    } else {
        const QFileInfo info(file);
        // An empty folder standing where the file belongs is taken away; anything in it is kept.
        if (info.isDir() && !info.isSymLink() && !QDir().rmdir(file))
            Raise_File_Error(err::PathFileAccess, file,
                             QCoreApplication::translate("ini", "a folder of that name is in the way"));
    }
    const QFileInfo info(file);
    if (info.exists() && !info.isFile())
        Raise_File_Error(err::PathFileAccess, file, QCoreApplication::translate("ini", "not a file"));
    const QString target = Write_Target(file, section);
    // A file that its owner made read-only stays as it is.
    if (info.exists() && !QFileInfo(target).isWritable()) Raise_File_Error(err::PermissionDenied, file);
    const QByteArray content = update(old);

    if (!backup.isEmpty()) {
        const std::optional<QByteArray> kept = readOld ? old : Read_File(file);
        if (kept && !kept->isEmpty()) {
            Shift_Backups(backup);
            Replace_Whole(backup, *kept);
        }
    }
    Replace_Whole(target, content);
}

} // namespace

std::optional<QByteArray> Read_File(const QString& file) {
    if (file.isEmpty()) return std::nullopt;
    // A folder, a pipe or a device of that name is no settings file; nor is an enormous file.
    RegularFile source;
    const auto raise = [&]() -> std::optional<QByteArray> {
        switch (source.Why()) {
        case RegularFile::Failure::Missing:
            return std::nullopt;
        case RegularFile::Failure::TooLarge:
            Raise_File_Error(err::PathFileAccess, file, QCoreApplication::translate("ini", "file too large"));
        case RegularFile::Failure::NotOpened:
        case RegularFile::Failure::NotRead:
            Raise_System_Error(source.System_Error(), file);
        default:
            Raise_File_Error(err::PathFileAccess, file, QCoreApplication::translate("ini", "not a file"));
        }
    };
    if (!source.Open(file, MaxFileSize)) return raise();
    if (source.Size() > MaxFileSize) {
        source.Close();
        Raise_File_Error(err::PathFileAccess, file, QCoreApplication::translate("ini", "file too large"));
    }
    // Read whole, but never more than the limit: a file that grew since then is refused.
    QByteArray content;
    content.reserve(static_cast<qsizetype>(source.Size()));
    char buffer[65536];
    for (;;) {
        const qint64 got = source.Read(buffer, sizeof buffer);
        if (got < 0) return raise();
        if (got == 0) break;
        content.append(buffer, static_cast<qsizetype>(got));
    }
    return content;
}

QString Find_Value(const QByteArray& content, const QString& section, const QString& key) {
    const Place place = Locate(content, section.trimmed(), key.trimmed());
    if (!place.keyFound) return QString();
    QByteArrayView value = Trimmed(
        QByteArrayView(content.constData() + place.equalsAt + 1, place.keyLine.end - place.equalsAt - 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.sliced(1, value.size() - 2);
    return QString::fromLatin1(value.first(std::min(value.size(), MaxValue)));
}

QByteArray With_Value(const QByteArray& content, const QString& section, const QString& key,
                      const QString& value) {
    const QByteArray sectionBytes = Name_Bytes(section, "]");
    const QByteArray keyBytes = Name_Bytes(key, "=");
    const QByteArray valueBytes = To_Bytes(value, "");
    const Place place = Locate(content, section.trimmed(), key.trimmed());

    QByteArray result;
    if (place.keyFound) {
        result.reserve(content.size() + valueBytes.size());
        result.append(content.constData(), place.equalsAt + 1);
        result.append(valueBytes);
        result.append(content.constData() + place.keyLine.end, content.size() - place.keyLine.end);
        return result;
    }
    const QByteArray keyLine = keyBytes + '=' + valueBytes + CrLf;
    if (place.sectionFound) {
        const qsizetype at = place.sectionEnd;
        result.reserve(content.size() + keyLine.size() + 2);
        result.append(content.constData(), at);
        if (!Ends_Line(content, at)) result.append(CrLf);
        result.append(keyLine);
        result.append(content.constData() + at, content.size() - at);
        return result;
    }
    result = content;
    if (!Ends_Line(result, result.size())) result.append(CrLf);
    result.append('[' + sectionBytes + ']' + CrLf);
    result.append(keyLine);
    return result;
}

QString Read_Value(const QString& section, const QString& key, const QString& file) {
    const std::optional<QByteArray> content = Read_File(file);
    if (!content) return QString();
    return Find_Value(*content, section, key);
}

void Write_Value(const QString& section, const QString& key, const QString& value, const QString& file) {
    Update_File(file, section, true, [&](const std::optional<QByteArray>& old) {
        return With_Value(old.value_or(QByteArray()), section, key, value);
    });
}

void Write_Values(const QString& section, const QList<std::pair<QString, QString>>& values,
                  const QString& file, const QString& backup) {
    Update_File(
        file, section, true,
        [&](const std::optional<QByteArray>& old) {
            QByteArray content = old.value_or(QByteArray());
            for (const auto& [key, value] : values)
                content = With_Value(content, section, key, value);
            return content;
        },
        backup);
}

void Write_File(const QString& file, const QByteArray& content, const QString& backup) {
    Update_File(
        file, First_Section(content), false, [&](const std::optional<QByteArray>&) { return content; },
        backup);
}

bool Lock_Blocked(const QString& file) {
    return !file.isEmpty() && !Not_A_Lock(file).isEmpty();
}

void Make_Folder(const QString& folder) {
    if (folder.isEmpty()) Raise_Error(err::BadFileName);
    if (QFileInfo(folder).isDir()) return;
    Make_Folder_At(Native(QDir::cleanPath(folder)));
}

void Set_Write_Call(WriteCall call) {
    Test_Write_Call() = std::move(call);
}

void Set_Lock_Timeout(int milliseconds) {
    Lock_Timeout = milliseconds < 0 ? LockTimeoutMs : milliseconds;
}

} // namespace ini
