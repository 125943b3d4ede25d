#include "shell/startup.h"

#include "shell/errorreport.h"
#include "shell/frmsplash.h"

#include <QApplication>
#include <QIcon>

void Main() {
    Trap("Main", [] {
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/quorvane/quorvane-128.png")));
        QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));
        ShowingAbout = false;
        Show_Splash();
    });
}
