#include "shell/onlinehelp.h"

#include "shell/busycursor.h"
#include "shell/errorreport.h"

#include <QDesktopServices>
#include <QUrl>

namespace onlinehelp {

QString Site_Address(const char* path) {
    return QStringLiteral("http://") + QLatin1String(SiteHost) + QLatin1String(path);
}

void Open_Help_Page(const char* procedure, const char* path) {
    Trap(procedure, [path] {
        Busy_Cursor busy; // back to normal when the block ends, before a failure is reported
        QDesktopServices::openUrl(QUrl(Site_Address(path), QUrl::StrictMode));
    });
}

} // namespace onlinehelp
