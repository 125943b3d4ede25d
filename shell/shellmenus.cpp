#include "shell/shellmenus.h"

#include "config/frmsettings.h"
#include "shell/errorreport.h"
#include "shell/frmsplash.h"
#include "shell/onlinehelp.h"

void mnuFileSettings_Click() {
    Trap("mnuFileSettings_Click", [] { Show_Settings_Form(); });
}

void mnuHelpAbout_Click() {
    Trap("mnuHelpAbout_Click", [] {
        if (frmSplash* open = Splash_Form()) {
            // Already open: only brought to the front, not loaded again.
            open->raise();
            open->activateWindow();
            return;
        }
        ShowingAbout = true;
        Show_Splash();
    });
}

void mnuOnlineHome_Click() {
    onlinehelp::Open_Help_Page("mnuOnlineHome_Click", onlinehelp::HomePath);
}
void mnuOnlineDownload_Click() {
    onlinehelp::Open_Help_Page("mnuOnlineDownload_Click", onlinehelp::DownloadPath);
}
void mnuOnlineTroubleshooting_Click() {
    onlinehelp::Open_Help_Page("mnuOnlineTroubleshooting_Click", onlinehelp::TroubleshootingPath);
}
void mnuOnlineGroupings_Click() {
    onlinehelp::Open_Help_Page("mnuOnlineGroupings_Click", onlinehelp::GroupingsPath);
}
void mnuOnlineManual_Click() {
    onlinehelp::Open_Help_Page("mnuOnlineManual_Click", onlinehelp::ManualPath);
}
void mnuOnlineHomeMain_Click() {
    onlinehelp::Open_Help_Page("mnuOnlineHomeMain_Click", onlinehelp::MakerHomePath);
}

QString Maker_Home_Caption() {
    return QLatin1String(onlinehelp::MakerName) + QStringLiteral(" Home Page");
}
