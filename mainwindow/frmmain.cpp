#include "mainwindow/frmmain.h"

#include "version.h"

#include <QPointer>

// Placeholder: an empty window with the program's caption.
frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quorvane v" QUORVANE_VERSION_TEXT));
}

frmMain* Main_Window()
{
    static QPointer<frmMain> window;
    if (!window) window = new frmMain;
    return window;
}
