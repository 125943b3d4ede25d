#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

// A small reader and writer of INI-format files: sections "[NAME]", key lines "KEY=value", lines ended
// by CR LF, bytes read and written as single-byte (Latin-1) codes. Section and key names match
// without regard to letter case; the first section and the first key of a name win. A value read back
// loses its surrounding blanks and one surrounding pair of double quotes, and is cut to MaxValue
// characters. Every failure raises AppError (shell/errorreport.h).
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
// missing. The whole file is written anew and renamed over the old one, under a lock file that keeps
// a second running copy out for the moment of the read and the write.
void Write_Value(const QString& section, const QString& key, const QString& value, const QString& file);

// Stores several values of one section in one such write, in the order given.
void Write_Values(const QString& section, const QList<std::pair<QString, QString>>& values,
                  const QString& file);

// Replaces the whole file with the content, in the same safe way.
void Write_File(const QString& file, const QByteArray& content);

} // namespace ini
