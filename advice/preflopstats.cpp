#include "advice/preflopstats.h"

// Placeholder: the loader lands in its own commit.
PreflopStat PreflopStats[MaxStatRows + 1];
Long StatCount = 0;
QString Stats_Folder() { return {}; }
void Set_Stats_Folder(const QString&) {}
void Grab_Stats() {}
void Reset_Stats() {}
