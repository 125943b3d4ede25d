#pragma once

#include "cards/long.h"

#include <QString>
#include <cstdint>

// The settings of the table and the display, kept enciphered in an INI file in the user's own
// configuration folder (on Linux ~/.config/Quorvane/QVNSTATE.qvs, or $XDG_CONFIG_HOME/Quorvane).
namespace modGlobal {

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

// One value of an INI file: "" when the file, section or key is missing; one surrounding pair of
// double quotes dropped; cut to 254 characters. A file that cannot be read is reported under
// "GetIniValue" and reads as "".
QString GetIniValue(const QString& section, const QString& key, const QString& file);
// Stores one value, creating the file, section or key when missing; every other line stays as it was.
// A failure is reported under "PutIniValue".
// Reports a failed write under "PutIniValue" and returns false.
bool PutIniValue(const QString& section, const QString& key, const QString& value, const QString& file);

// Enciphers the value and writes it under its key in the settings file. False when the write failed
// (reported under "PutIniValue").
bool Put_Setting(const QString& key, const QString& plainText);

// A setting that came after the first five, under a key of its own (a display choice such as the zoom):
// its whole number, or the fallback when the key is missing, damaged or outside low..high. Reading it
// never repairs the file and never shows a message.
Long Get_Optional_Setting(const QString& key, Long fallback, Long low, Long high);
// Enciphers the whole number and writes it under its key; false when the write failed (reported under
// "PutIniValue").
bool Put_Optional_Setting(const QString& key, Long value);

// Fills the five settings from the file, creating or repairing it. Throws AppError when even the
// repair fails (a folder or file that cannot be created); the caller reports it under its own name.
void Load_Settings();
// Writes OPTIONS, MINBET, MAXBET and NUMRAISES, then loads again. When a write fails it is reported
// under "PutIniValue" and the settings in memory stay as they are (no load).
void Store_Settings();

} // namespace modGlobal
