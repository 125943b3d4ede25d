#include "advice/potodds.h"

// Placeholder: the pot-odds rule lands in its own commit.
int Wager_Actions(double, double, double, bool, WagerRow (&)[MaxWagerRows]) { return 0; }
QString Settings_Summary() { return {}; }
