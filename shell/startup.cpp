#include "shell/startup.h"

#include "base/errorreport.h"
#include "config/frmsettings.h"
#include "flow/modzoom.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/frmrange.h"
#include "shell/frmsplash.h"
#include "widgets/uihelpers.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QScreen>

namespace {

QPointer<frmMain> MainForm;
QPointer<frmSplash> SplashForm;
QPointer<frmSettings> SettingsForm;
QPointer<frmRange> RangeForm;

void Bring_To_Front(QWidget* window) {
    window->raise();
    window->activateWindow();
}

void Help_About() {
    if (frmSplash* open = Splash_Form()) {
        // Already open: only brought to the front, not loaded again.
        Bring_To_Front(open);
        return;
    }
    ShowingAbout = true;
    Show_Splash();
}

} // namespace

void Main() {
    Trap("Main", [] {
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/quorvane/quorvane-128.png")));
        QGuiApplication::setDesktopFileName(QStringLiteral("quorvane"));
        ShowingAbout = false;
        modZoom::Load_Zoom(); // the start-up form already stands at the player's zoom
        Show_Splash();
    });
}

frmMain* Main_Form() {
    return MainForm.data();
}

frmMain* Show_Main_Form() {
    if (!MainForm) {
        // A main window closed by the player is gone: the next one loads as at a first start.
        MainForm = new frmMain;
        MainForm->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(MainForm, &frmMain::settingsRequested, MainForm, [] { Show_Settings_Form(); });
        QObject::connect(MainForm, &frmMain::aboutRequested, MainForm, [] { Help_About(); });
        QObject::connect(MainForm, &frmMain::rangeRequested, MainForm, [] { Show_Range_Form(); });
    }
    MainForm->show();
    Bring_To_Front(MainForm);
    return MainForm;
}

frmSplash* Splash_Form() {
    return Open_Form(SplashForm);
}

frmSplash* Show_Splash() {
    return Show_Form(SplashForm, [] {
        auto* form = new frmSplash;
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            form->move(screen->availableGeometry().center() - form->rect().center());
        QObject::connect(form, &frmSplash::finished, form, [](bool showMain) {
            if (showMain)
                Show_Main_Form();
            else if (frmMain* main = Main_Form(); main && main->isVisible())
                Bring_To_Front(main);
        });
        return form;
    });
}

frmSettings* Settings_Form() {
    return Open_Form(SettingsForm);
}

frmSettings* Show_Settings_Form() {
    return Show_Form(SettingsForm, [] {
        auto* form = new frmSettings;
        QObject::connect(form, &frmSettings::saved, form, [] {
            if (frmMain* main = Main_Form()) main->Show_Settings();
        });
        return form;
    });
}

frmRange* Range_Form() {
    return Open_Form(RangeForm);
}

frmRange* Show_Range_Form() {
    return Show_Form(RangeForm, [] {
        auto* form = new frmRange(Main_Form());
        QObject::connect(form, &frmRange::rangeChanged, form, [] {
            if (frmMain* main = Main_Form()) main->Follow_Range();
        });
        return form;
    });
}
