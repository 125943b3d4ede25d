#include "shell/shellmenus.h"

// Placeholder: the settings dialog, the About box and the online help land in their own commits.
void mnuFileSettings_Click() {}
void mnuHelpAbout_Click() {}
void mnuOnlineHome_Click() {}
void mnuOnlineDownload_Click() {}
void mnuOnlineTroubleshooting_Click() {}
void mnuOnlineGroupings_Click() {}
void mnuOnlineManual_Click() {}
void mnuOnlineHomeMain_Click() {}
QString Maker_Home_Caption() { return QStringLiteral("Vanecroft Home Page"); }
