#include "advice/potodds.h"

// Placeholder: the pot-odds rule lands in its own commit.
int Wager_Actions(double, double, double, bool, WagerRow (&)[MaxWagerRows]) { return 0; }
bool Wager_List_Fits(double, double, Long) { return true; }
QString Settings_Summary() { return {}; }
