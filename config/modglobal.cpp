#include "config/modglobal.h"

// Placeholder: the settings file lands in its own commit.
namespace modGlobal {
Long OPTIONS = 0;
double MINBET = 0;
double MAXBET = 0;
Long NUMRAISES = 0;
Long POTSIZEAVG = 0;
QString Settings_Folder() { return {}; }
QString Settings_File() { return {}; }
void Reset_Settings() {}
QString GetIniValue(const QString&, const QString&, const QString&) { return {}; }
void PutIniValue(const QString&, const QString&, const QString&, const QString&) {}
void Put_Setting(const QString&, const QString&) {}
void Load_Settings() {}
void Store_Settings() {}
} // namespace modGlobal
