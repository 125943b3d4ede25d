#pragma once

#include <QString>
#include <cstdint>

// The settings of the table and the display, kept enciphered in an INI file in the user's own
// configuration folder.
namespace modGlobal {

using Long = std::int32_t;

extern Long OPTIONS;    // bit 0: legend shown; bit 1: pre-flop strategy key shown
extern double MINBET;   // small bet
extern double MAXBET;   // big bet
extern Long NUMRAISES;  // raises the table allows
extern Long POTSIZEAVG; // the pot slider's maximum

inline const QString Section = QStringLiteral("REGISTRATION");
inline const QString SettingsFileName = QStringLiteral("QVNSTATE.qvs");

// The folder and the full path of the settings file.
QString Settings_Folder();
QString Settings_File();

// All five back to 0, as before the first load (tests).
void Reset_Settings();

QString GetIniValue(const QString& section, const QString& key, const QString& file);
void PutIniValue(const QString& section, const QString& key, const QString& value, const QString& file);

// Enciphers the value and writes it under its key in the settings file.
void Put_Setting(const QString& key, const QString& plainText);

// Fills the five settings from the file, creating or repairing it. Throws AppError when even the
// repair fails (a folder or file that cannot be created); the caller reports it under its own name.
void Load_Settings();
// Writes OPTIONS, MINBET, MAXBET and NUMRAISES, then loads again.
void Store_Settings();

} // namespace modGlobal
