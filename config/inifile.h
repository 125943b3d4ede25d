#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

// A small reader and writer of INI-format files: sections "[NAME]", key lines "KEY=value", lines ended
// by CR LF (a CR alone or a LF alone also ends a line, and a UTF-8 byte-order mark at the start is
// skipped), bytes read and written as single-byte (Latin-1) codes. Section and key names match
// without regard to letter case; the first section and the first key of a name win. A value read back
// loses its surrounding blanks and one surrounding pair of double quotes, and is cut to MaxValue
// characters. Every failure raises AppError (base/errorreport.h).
namespace ini {

inline constexpr qsizetype MaxValue = 254;
// A settings file larger than this is not read at all.
inline constexpr qint64 MaxFileSize = 64LL * 1024 * 1024;
// How long a write waits for a second running copy to finish its own.
inline constexpr int LockTimeoutMs = 2000;

// The bytes of the file; nothing when there is no file.
std::optional<QByteArray> Read_File(const QString& file);

// The value of the key in the section of the content, or "" when the section or the key is missing.
QString Find_Value(const QByteArray& content, const QString& section, const QString& key);

// The content with the key's value replaced in place (its line keeps everything up to the "=" and its
// line break), or with the key added at the end of its section, or with the section added at the end
// of the content. Every other line stays byte for byte as it was.
QByteArray With_Value(const QByteArray& content, const QString& section, const QString& key,
                      const QString& value);

// The value of the key in the section of the file; "" when the file, section or key is missing.
QString Read_Value(const QString& section, const QString& key, const QString& file);

// Stores the value under the key in the section of the file, creating the file, section or key when
// missing. The whole file is written to a new file beside it that then takes the old one's place, so
// that a write that does not complete (a full disk) leaves the old file whole; this happens under a
// lock file that keeps a second running copy out for the moment of the read and the write. A lock
// left behind by a copy that has ended (killed while it wrote) is cleared at once. When the file is a
// link, the write goes to the file it points to only when that one holds the section; a link to
// anything else is never written through.
void Write_Value(const QString& section, const QString& key, const QString& value, const QString& file);

// Stores several values of one section in one such write, in the order given; when backup is given,
// the old bytes are first kept there as Write_File keeps them.
void Write_Values(const QString& section, const QList<std::pair<QString, QString>>& values,
                  const QString& file, const QString& backup = QString());

// Replaces the whole file with the content, in the same safe way (a link is followed only to a file that
// holds the content's first section). When backup is given and the file holds anything, its old bytes are
// first kept there, replacing whatever stood at that name (a link there is replaced, not followed); the
// two backups before move on to backup.1 and backup.2 (regular files only; the oldest goes). When they
// cannot be kept, the file stays untouched.
void Write_File(const QString& file, const QByteArray& content, const QString& backup = QString());

// Whether something other than a lock file (a folder, a pipe, a link) stands at the name of the file's
// lock. A write then fails at once, naming the lock's path and what stands there, rather than wait.
bool Lock_Blocked(const QString& file);

// Makes the folder, and the folders above it that are missing. Raises naming the part that cannot be made
// and the cause (the system's words, or "not a folder" where a file stands in its place).
void Make_Folder(const QString& folder);

// Tests only. The call that puts bytes into a file (the lock file and the new settings file): it
// returns the count written or -1 with errno set, as write(2) does. An empty function restores the
// system's own; a test makes it fail with ENOSPC to stand for a full disk.
using WriteCall = std::function<qint64(int fd, const char* data, qint64 size)>;
void Set_Write_Call(WriteCall call);
// How long a write waits for a lock held by a running copy; a negative value restores LockTimeoutMs.
void Set_Lock_Timeout(int milliseconds);

} // namespace ini
