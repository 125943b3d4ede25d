#pragma once

// Shared by the shell's tests: reading, writing and checking the settings file.

#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "config/numbers.h"
#include "shell/messages.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace kit {

inline QString Raw(const char* key) {
    return modGlobal::GetIniValue(modGlobal::Section, QLatin1String(key), modGlobal::Settings_File());
}

inline QByteArray File_Bytes() {
    QFile f(modGlobal::Settings_File());
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

inline void Write_File(const QByteArray& content) {
    QDir().mkpath(modGlobal::Settings_Folder());
    QFile f(modGlobal::Settings_File());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

inline void Remove_Settings() {
    QFile::remove(modGlobal::Settings_File());
    const QFileInfo folder(modGlobal::Settings_Folder());
    if (folder.isFile()) QFile::remove(folder.filePath());
}

// A settings file line with every key drawn as the same character.
inline QByteArray Line(const char* key, const QString& plain, int k) {
    return QByteArray(key) + "=\"" + modEncrypt::Encrypt_With_Keys(plain, k, k, k, k).toLatin1() + "\"\r\n";
}

inline QByteArray File_With(const QString& options, const QString& minBet, const QString& maxBet,
                            const QString& numRaises, const QString& potSizeAvg, int k) {
    return "[REGISTRATION]\r\n" + Line("OPTIONS", options, k) + Line("MINBET", minBet, k) +
           Line("MAXBET", maxBet, k) + Line("NUMRAISES", numRaises, k) + Line("POTSIZEAVG", potSizeAvg, k);
}

// Every key deciphers to a number of its kind, and memory holds the same values.
inline bool Sound_File(QString* why) {
    const char* keys[] = {"OPTIONS", "MINBET", "MAXBET", "NUMRAISES", "POTSIZEAVG"};
    const double memory[] = {double(modGlobal::OPTIONS), modGlobal::MINBET, modGlobal::MAXBET,
                             double(modGlobal::NUMRAISES), double(modGlobal::POTSIZEAVG)};
    for (int i = 0; i < 5; ++i) {
        const QString raw = Raw(keys[i]);
        const QString plain = modEncrypt::Decrypt(raw);
        const std::optional<double> value = Parse_Number(plain);
        if (!value || *value != memory[i]) {
            *why = QStringLiteral("%1: '%2' -> '%3'").arg(QLatin1String(keys[i]), raw, plain);
            return false;
        }
    }
    return true;
}

} // namespace kit
