#include "shell/onlinehelp.h"

#include "base/datafolder.h"
#include "base/errorreport.h"
#include "shell/busycursor.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace onlinehelp {

QString Help_Folder() {
    return Data_Folder(QCoreApplication::applicationDirPath(), QLatin1String(HomePath),
                       QStringLiteral("share/doc/quorvane"));
}

QString Site_Address(const char* path) {
    if (HomeAddress[0] != '\0') return QLatin1String(HomeAddress) + QLatin1String(path);
    const QString page = QLatin1String(path);
    const qsizetype section = page.indexOf(QLatin1Char('#'));
    QUrl address = QUrl::fromLocalFile(QDir(Help_Folder()).filePath(page.left(section)));
    if (section >= 0) address.setFragment(page.mid(section + 1));
    return address.toString();
}

void Open_Help_Page(const char* procedure, const char* path) {
    Trap(procedure, [path] {
        BusyCursor busy; // back to normal when the block ends, before a failure is reported
        QDesktopServices::openUrl(QUrl(Site_Address(path)));
    });
}

void mnuOnlineHome_Click() {
    Open_Help_Page("mnuOnlineHome_Click", HomePath);
}
void mnuOnlineDownload_Click() {
    Open_Help_Page("mnuOnlineDownload_Click", DownloadPath);
}
void mnuOnlineTroubleshooting_Click() {
    Open_Help_Page("mnuOnlineTroubleshooting_Click", TroubleshootingPath);
}
void mnuOnlineGroupings_Click() {
    Open_Help_Page("mnuOnlineGroupings_Click", GroupingsPath);
}
void mnuOnlineManual_Click() {
    Open_Help_Page("mnuOnlineManual_Click", ManualPath);
}
void mnuOnlineHomeMain_Click() {
    Open_Help_Page("mnuOnlineHomeMain_Click", MakerHomePath);
}

QString Maker_Home_Caption() {
    return QCoreApplication::translate("onlinehelp", "%1 Home Page").arg(QLatin1String(MakerName));
}

} // namespace onlinehelp
