#include "shell/frmsplash.h"

#include "config/modglobal.h"
#include "shell/onlinehelp.h"
#include "shell/urllink.h"
#include "version.h"
#include "widgets/uihelpers.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

bool ShowingAbout = false;

namespace {

QString Version_Text() {
    return QStringLiteral(QUORVANE_VERSION_TEXT);
}

QFont Arial(double points, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

frmSplash::frmSplash(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Place_Fixed_Size(this, 4800, 3990);

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    Place(imgLogo, QRect(240, 240, 960, 960));
    imgLogo->setScaledContents(true);
    imgLogo->setPixmap(QPixmap(QStringLiteral(":/quorvane/quorvane-128.png")));

    lblName = new QLabel(QStringLiteral("Quorvane"), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->setFont(Arial(14.25, true));
    Place(lblName, QRect(1440, 240, 3135, 735));

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setFont(Arial(9.75, false));
    Place(lblVersion, QRect(1440, 960, 3135, 375));

    URLLink3 = new URLLink(this);
    URLLink3->setObjectName(QStringLiteral("URLLink3"));
    Place(URLLink3, QRect(840, 1440, 3135, 255));
    URLLink3->setText(tr("Copyright \u00A9 %1").arg(QLatin1String(onlinehelp::MakerName)));
    URLLink3->setURL(onlinehelp::Site_Address(onlinehelp::MakerHomePath));

    URLLink1 = new URLLink(this);
    URLLink1->setObjectName(QStringLiteral("URLLink1"));
    Place(URLLink1, QRect(840, 1800, 3255, 255));
    URLLink1->setText(tr("Quorvane Home Page"));
    URLLink1->setURL(onlinehelp::Site_Address(onlinehelp::HomePath));

    cmdOK = new QPushButton(tr("Continue"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    Place(cmdOK, QRect(1680, 3480, 1335, 375));
    connect(cmdOK, &QPushButton::clicked, this, &frmSplash::cmdOK_Click);

    timCountdown = new QTimer(this);
    timCountdown->setObjectName(QStringLiteral("timCountdown"));
    connect(timCountdown, &QTimer::timeout, this, &frmSplash::timCountdown_Timer);

    Apply_Zoom(this);
    Form_Load();
}

void frmSplash::Form_Load() {
    aboutBox_ = ShowingAbout;
    Trap("Form_Load", [this] {
        setWindowTitle(tr("Quorvane v%1").arg(Version_Text()));
        lblVersion->setText(tr("Version # %1").arg(Version_Text()));
        modGlobal::Load_Settings();
    });
    // Even when the settings could not be loaded the form goes on as usual, so that it still leads to
    // the main window.
    Trap("Form_Load", [this] {
        if (aboutBox_) {
            cmdOK->setText(tr("Continue"));
            cmdOK->setEnabled(true);
            cmdOK->show();
            // "Continue" holds the focus as the box opens, and Enter presses it; Tab goes on to the links.
            cmdOK->setAutoDefault(true);
            cmdOK->setFocus();
            timCountdown->stop();
        } else {
            countdown_ = 1;
            cmdOK->hide();
            // At start-up the form takes no keys: nothing on it holds the focus.
            URLLink1->setFocusPolicy(Qt::NoFocus);
            URLLink3->setFocusPolicy(Qt::NoFocus);
            timCountdown->setInterval(1000);
            timCountdown->start();
        }
    });
}

void frmSplash::timCountdown_Timer() {
    Trap("timCountdown_Timer", [this] {
        if (countdown_ >= 1) {
            --countdown_;
        } else {
            timCountdown->stop();
            cmdOK_Click();
        }
    });
}

void frmSplash::cmdOK_Click() {
    Trap("cmdOK_Click", [this] {
        // The main window is shown before this form goes, so that the program never finds itself
        // without a window in between.
        Unload();
        emit finished(true);
        close();
    });
}

void frmSplash::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    timCountdown->stop();
    Form_Unload();
}

// The settings are written back here, on the way out through "Continue" or the close box, and never
// when the program ends by File > Exit.
void frmSplash::Form_Unload() {
    Trap("Form_Unload", [] { modGlobal::Store_Settings(); });
}

void frmSplash::closeEvent(QCloseEvent* event) {
    if (!unloaded_) {
        // The close box: the form unloads as after "Continue". At start-up it still leads to the main
        // window; the About box brings the main window to the front when it is open, and leaves it
        // closed when the player has closed it meanwhile.
        Unload();
        Trap("Form_Unload", [this] { emit finished(!aboutBox_); });
    }
    event->accept();
}
