#include "config/inifile.h"

#include "shell/errorreport.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <QDir>

#include <cstring>
#include <functional>

namespace ini {

namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");

[[noreturn]] void Raise_File_Error(Long number, const QString& what, const QString& file,
                                   const QString& detail = QString()) {
    QString description = what + QStringLiteral(": ") + file;
    if (!detail.isEmpty()) description += QStringLiteral(" (") + detail + QLatin1Char(')');
    Raise_Error(number, description);
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

// Calls visit for every line in order; visit returns false to stop.
void For_Each_Line(const QByteArray& content, const std::function<bool(const Line&)>& visit) {
    qsizetype start = 0;
    const qsizetype size = content.size();
    while (start < size) {
        qsizetype newline = content.indexOf('\n', start);
        Line line;
        line.start = start;
        if (newline < 0) {
            line.end = size;
            line.next = size;
        } else {
            line.end = newline > start && content.at(newline - 1) == '\r' ? newline - 1 : newline;
            line.next = newline + 1;
        }
        if (!visit(line)) return;
        start = line.next;
    }
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
            Raise_Error(err::InvalidCall, QStringLiteral("Invalid procedure call or argument"));
    }
    return text.toLatin1();
}

QByteArray Name_Bytes(const QString& name, const char* forbidden) {
    const QByteArray bytes = To_Bytes(name.trimmed(), forbidden);
    if (bytes.isEmpty() || bytes.at(0) == '[' || bytes.at(0) == ';')
        Raise_Error(err::InvalidCall, QStringLiteral("Invalid procedure call or argument"));
    return bytes;
}

using Update = std::function<QByteArray(const std::optional<QByteArray>&)>;

// Runs the update of the file's content under the lock and stores the result safely: the new content
// goes to a file of its own that is then renamed over the old one, so that a failure at any moment
// leaves either the old file or the new one, never half of one.
void Update_File(const QString& file, bool readOld, const Update& update) {
    if (file.isEmpty()) Raise_Error(52, QStringLiteral("Bad file name or number"));
    QLockFile lock(file + QStringLiteral(".lock"));
    if (!lock.tryLock(LockTimeoutMs)) {
        if (lock.error() == QLockFile::LockFailedError)
            Raise_File_Error(err::PermissionDenied, QStringLiteral("Permission denied"), file,
                             QStringLiteral("in use by another copy of the program"));
        Raise_File_Error(err::PermissionDenied, QStringLiteral("Permission denied"), file);
    }

    std::optional<QByteArray> old;
    if (readOld) {
        old = Read_File(file);
    } else {
        const QFileInfo info(file);
        // An empty folder standing where the file belongs is taken away; anything in it is kept.
        if (info.isDir() && !info.isSymLink() && !QDir().rmdir(file))
            Raise_File_Error(err::PathFileAccess, QStringLiteral("Path/File access error"), file,
                             QStringLiteral("a folder of that name is in the way"));
    }
    const QFileInfo info(file);
    if (info.exists() && !info.isFile())
        Raise_File_Error(err::PathFileAccess, QStringLiteral("Path/File access error"), file,
                         QStringLiteral("not a file"));
    // A file that its owner made read-only stays as it is.
    if (info.exists() && !info.isWritable())
        Raise_File_Error(err::PermissionDenied, QStringLiteral("Permission denied"), file);
    const QByteArray content = update(old);

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        Raise_File_Error(err::PathFileAccess, QStringLiteral("Path/File access error"), file,
                         out.errorString());
    if (out.write(content) != content.size() || !out.commit())
        Raise_File_Error(err::PathFileAccess, QStringLiteral("Path/File access error"), file,
                         out.errorString());
}

} // namespace

std::optional<QByteArray> Read_File(const QString& file) {
    if (file.isEmpty()) return std::nullopt;
    const QFileInfo info(file);
    if (!info.exists()) return std::nullopt;
    // A folder, a pipe or a device of that name is no settings file; nor is an enormous file.
    if (!info.isFile())
        Raise_File_Error(err::PathFileAccess, QStringLiteral("Path/File access error"), file,
                         QStringLiteral("not a file"));
    if (info.size() > MaxFileSize)
        Raise_File_Error(err::PathFileAccess, QStringLiteral("Path/File access error"), file,
                         QStringLiteral("file too large"));
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        if (in.error() == QFileDevice::OpenError && !in.exists()) return std::nullopt;
        Raise_File_Error(
            in.error() == QFileDevice::PermissionsError ? err::PermissionDenied : err::PathFileAccess,
            in.error() == QFileDevice::PermissionsError ? QStringLiteral("Permission denied")
                                                        : QStringLiteral("Path/File access error"),
            file, in.errorString());
    }
    // Read whole: the size was checked above; a file that grew since then is refused below.
    QByteArray content = in.readAll();
    if (in.error() != QFileDevice::NoError || content.size() > MaxFileSize)
        Raise_File_Error(err::PathFileAccess, QStringLiteral("Path/File access error"), file,
                         in.errorString());
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
        if (at > 0 && content.at(at - 1) != '\n') result.append(CrLf);
        result.append(keyLine);
        result.append(content.constData() + at, content.size() - at);
        return result;
    }
    result = content;
    if (!result.isEmpty() && !result.endsWith('\n')) result.append(CrLf);
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
    Update_File(file, true, [&](const std::optional<QByteArray>& old) {
        return With_Value(old.value_or(QByteArray()), section, key, value);
    });
}

void Write_Values(const QString& section, const QList<std::pair<QString, QString>>& values,
                  const QString& file) {
    Update_File(file, true, [&](const std::optional<QByteArray>& old) {
        QByteArray content = old.value_or(QByteArray());
        for (const auto& [key, value] : values)
            content = With_Value(content, section, key, value);
        return content;
    });
}

void Write_File(const QString& file, const QByteArray& content) {
    Update_File(file, false, [&](const std::optional<QByteArray>&) { return content; });
}

} // namespace ini
