#include "base/translation.h"
#include "shell/messagebox.h"
#include "shell/startup.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvane"));
    QApplication::setOrganizationName(QStringLiteral("Quorvane"));
    translation::Install(QLocale()); // the user's language, where the program has a translation
    Install_Message_Boxes();
    Main();
    return QApplication::exec();
}
