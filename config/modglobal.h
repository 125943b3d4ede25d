#pragma once

#include "base/long.h"

#include <QString>
#include <cstdint>
#include <optional>

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
// Where a repair keeps the file it changes: a copy beside it; the copies of the two repairs before stay as
// ".bak.1" and ".bak.2".
inline const QString BackupSuffix = QStringLiteral(".bak");

// The bound on the table limits, the same for the values the settings dialog stores and for those read
// from the file. The advice lists the bet and at most MaxRaises raises: a larger NUMRAISES is used as
// MaxRaises (and shown so in the settings summary); a negative one lists no wager at all, as the rule
// "wagers from N(unit) to N((NUMRAISES + 1) x unit)" gives.
inline constexpr Long MaxRaises = 15;
Long Raises_Used(Long numRaises);
// Whether the unit and every wager of it up to the bet plus Raises_Used(numRaises) raises are 32-bit
// whole numbers once rounded. A file whose MINBET or MAXBET fails this counts as damaged; the dialog
// refuses such limits.
bool Unit_Fits(double unit, Long numRaises);
// Whether the wager list of these limits can be shown whole (NUMRAISES within 0..MaxRaises, every
// wager within the 32-bit range); the settings dialog refuses limits that fail this. Units of 0 or
// below are accepted: their list is empty.
bool Wager_List_Fits(double minBet, double maxBet, Long numRaises);

// The folder and the full path of the settings file: "Quorvane" in $XDG_CONFIG_HOME when that is an
// absolute path, else in $HOME/.config; both empty when neither gives a folder whose name the file
// system takes back byte for byte (Load_Settings then says why).
QString Settings_Folder();
QString Settings_File();

// All five back to 0, as before the first load, and counted as not loaded (tests).
void Reset_Settings();

// One value of an INI file: "" when the file, section or key is missing; one surrounding pair of
// double quotes dropped; cut to 254 characters. A file that cannot be read is reported under
// "GetIniValue" and reads as "".
QString GetIniValue(const QString& section, const QString& key, const QString& file);
// Stores one value, creating the file, section or key when missing; every other line stays as it was.
// Reports a failed write under "PutIniValue" (a full disk as "Disk full") and returns false; a write
// that does not complete leaves the old file whole.
bool PutIniValue(const QString& section, const QString& key, const QString& value, const QString& file);

// Enciphers the value and writes it under its key in the settings file. False when the write failed
// (reported under "PutIniValue"), and, without a word, when the settings are not kept (see Load_Settings).
bool Put_Setting(const QString& key, const QString& plainText);

// A setting that came after the first five, under a key of its own (a display choice such as the zoom):
// its whole number, or the fallback when the key is missing, damaged or outside low..high. Reading it
// never repairs the file and never shows a message.
Long Get_Optional_Setting(const QString& key, Long fallback, Long low, Long high);
// A text setting of the same kind: the deciphered text, or nothing when the key is missing or damaged.
std::optional<QString> Get_Optional_Text(const QString& key);
// Enciphers the whole number and writes it under its key; false when the write failed (reported under
// "PutIniValue").
bool Put_Optional_Setting(const QString& key, Long value);

// Sets the four table limits in memory and writes back, in one write, those that differ from what this
// copy last read from the file or wrote to it (in the order MINBET, MAXBET, NUMRAISES, POTSIZEAVG: the
// bytes single writes would leave); a limit that another copy stored meanwhile and this one did not
// change stays as the file holds it, and the values in memory then follow the file. False when the write
// failed (reported under "PutIniValue"); the values in memory are set either way. When the settings are
// not kept (see Load_Settings) nothing is written and it returns true: the values hold for this run.
bool Store_Table_Limits(double minBet, double maxBet, Long numRaises, Long potSizeAvg);

// Fills the five settings from the file, creating or repairing it; a repair first keeps the damaged file
// as QVNSTATE.qvs.bak. A value that is a number out of bounds is replaced by its default alone; any other
// damage has the whole file written anew with the five defaults. Throws AppError when even the repair
// fails (a folder or file that cannot be created, a damaged file that cannot be kept, a link to a file
// that is not a settings file); the caller reports it under its own name. After a load that succeeded
// the settings then keep the values they held. When no load has succeeded yet, the settings take their
// defaults and are not kept: the error says so (once; later loads that fail stay quiet and leave the
// values as they are), and no setting is written until a load succeeds, so that a file that could not
// be read is never written over.
void Load_Settings();
// Writes back OPTIONS, MINBET, MAXBET and NUMRAISES as Store_Table_Limits does (only those this copy
// changed, in one write), then loads again, so that the values in memory follow the file. When the
// write fails it is reported under "PutIniValue" and the settings in memory stay as they are (no load).
// Until a Load_Settings has succeeded it writes nothing at all: the values in memory were never read
// from the file and would replace what it holds.
void Store_Settings();

} // namespace modGlobal
