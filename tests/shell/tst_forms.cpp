#include "advice/potodds.h"
#include "config/frmsettings.h"
#include "mainwindow/frmmain.h"
#include "shell/frmsplash.h"
#include "shell/shellmenus.h"
#include "shell/startup.h"
#include "shell/urllink.h"
#include "shelltestkit.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

class Browser : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestForms : public QObject {
    Q_OBJECT
    QList<msg::Message> messages;
    Browser browser;

    QList<msg::Message> Titled(const QString& title) const {
        QList<msg::Message> found;
        for (const msg::Message& m : messages)
            if (m.title == title) found << m;
        return found;
    }

    static QAction* Menu(const char* name) {
        QAction* action = Main_Window()->findChild<QAction*>(QLatin1String(name));
        if (!action) qFatal("no menu entry %s", name);
        return action;
    }

    // Runs the start-up form's two ticks; the main window stands in its place afterwards.
    static void Tick_Through(frmSplash* splash) {
        splash->timCountdown_Timer();
        splash->timCountdown_Timer();
    }

    static frmSettings* Open_Settings() {
        Menu("mnuFileSettings")->trigger();
        frmSettings* form = Settings_Form();
        if (form) {
            form->activateWindow();
            QApplication::setActiveWindow(form);
        }
        return form;
    }

    // Types into the box the way the player does: the box takes the focus, then the text is replaced.
    static void Type(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        box->selectAll();
        QTest::keyClicks(box, text);
        if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
        msg::Set_Message_Handler([this](const msg::Message& m) { messages << m; });
    }
    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        msg::Set_Message_Handler({});
    }

    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        modEncrypt::Set_Test_Keys({});
        kit::Remove_Settings();
        modGlobal::Reset_Settings();
        ShowingAbout = false;
        messages.clear();
        browser.opened.clear();
    }

    // Every window goes between tests, the main window included, so that each flow starts afresh.
    void cleanup() {
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parentWidget()) windows << w;
        for (const QPointer<QWidget>& w : windows)
            delete w.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        modEncrypt::Set_Test_Keys({});
        kit::Remove_Settings();
    }

    // --- start-up ---

    void startUpSequence() {
        modEncrypt::Set_Test_Keys({46}); // the file as first created
        Main();
        frmSplash* splash = Splash_Form();
        QVERIFY(splash);
        QPointer<frmSplash> watch = splash;
        QVERIFY(splash->isVisible());
        QVERIFY(!splash->Is_About_Box());
        QCOMPARE(splash->windowTitle(), QStringLiteral("Quorvane v2.2.15"));
        QCOMPARE(splash->lblVersion->text(), QStringLiteral("Version # 2.2.15"));
        QCOMPARE(splash->lblName->text(), QStringLiteral("Quorvane"));
        QVERIFY(splash->lblName->font().bold());
        QCOMPARE(splash->lblName->font().pointSizeF(), 14.25);
        QVERIFY(!splash->imgLogo->pixmap().isNull());
        QCOMPARE(splash->URLLink1->Text(), QStringLiteral("Quorvane Home Page"));
        QCOMPARE(QUrl(splash->URLLink1->URL()).path(), QStringLiteral("/quorvane/index.htm"));
        QCOMPARE(QUrl(splash->URLLink3->URL()).path(), QStringLiteral("/"));
        QCOMPARE(QUrl(splash->URLLink3->URL()).host(), QUrl(splash->URLLink1->URL()).host());
        QVERIFY(!splash->URLLink1->ShowToolTip());
        QCOMPARE(splash->size(), QSize(320, 266));
        QVERIFY(splash->cmdOK->isHidden());
        QCOMPARE(splash->timCountdown->interval(), 1000);
        QVERIFY(splash->timCountdown->isActive());
        QCOMPARE(splash->Countdown(), 1);

        // The load has created the file and read the defaults.
        QCOMPARE(kit::Raw("OPTIONS"), modEncrypt::Encrypt_With_Keys("0", 46, 46, 46, 46));
        QCOMPARE(modGlobal::POTSIZEAVG, 40);

        modEncrypt::Set_Test_Keys({53}); // the write-back on the way out
        splash->timCountdown_Timer();
        QCOMPARE(splash->Countdown(), 0);
        QCOMPARE(Splash_Form(), splash);
        QVERIFY(!Main_Window()->isVisible());
        QCOMPARE(kit::Raw("OPTIONS"), modEncrypt::Encrypt_With_Keys("0", 46, 46, 46, 46));

        splash->timCountdown_Timer();
        QVERIFY(!Splash_Form());
        QVERIFY(Main_Window()->isVisible());
        QVERIFY(!watch || !watch->isVisible());
        QVERIFY(!watch || !watch->timCountdown->isActive());
        for (const char* key : {"OPTIONS", "MINBET", "MAXBET", "NUMRAISES"})
            QVERIFY2(kit::Raw(key).startsWith(QStringLiteral("555")), key);                    // written back
        QCOMPARE(kit::Raw("POTSIZEAVG"), modEncrypt::Encrypt_With_Keys("40", 46, 46, 46, 46)); // not written
        QString why;
        QVERIFY2(kit::Sound_File(&why), qPrintable(why));
        QCOMPARE(Main_Window()->findChild<QLabel*>("lblSettings")->text(), Settings_Summary());
        QCOMPARE(Settings_Summary(), QStringLiteral("Settings: $1.00/$2.00, Max 3 Raises"));
        QVERIFY(Titled(QStringLiteral("Form_Load")).isEmpty());
        QVERIFY(Titled(QStringLiteral("Form_Unload")).isEmpty());
    }

    // The close box of the start-up form skips the wait: the settings are written back and the main
    // window opens.
    void startUpCloseBox() {
        Main();
        frmSplash* splash = Splash_Form();
        QVERIFY(splash);
        modEncrypt::Set_Test_Keys({53});
        splash->close();
        QVERIFY(!Splash_Form());
        QVERIFY(Main_Window()->isVisible());
        QVERIFY(kit::Raw("MINBET").startsWith(QStringLiteral("555")));
    }

    void startsWithSettingsFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<double>>("expected"); // OPTIONS, MINBET, MAXBET, NUMRAISES, POTSIZEAVG
        const QList<double> defaults{0, 1, 2, 3, 40};
        QTest::newRow("none") << QByteArray() << defaults;
        QTest::newRow("sound") << kit::File_With("3", "5", "10", "4", "150", 50)
                               << QList<double>{3, 5, 10, 4, 150};
        QTest::newRow("MINBET letters") << kit::File_With("3", "five", "10", "4", "150", 50) << defaults;
        QTest::newRow("NUMRAISES undecipherable")
            << "[REGISTRATION]\r\nOPTIONS=\"" +
                   modEncrypt::Encrypt_With_Keys("1", 50, 50, 50, 50).toLatin1() +
                   "\"\r\nMINBET=1\r\nMAXBET=2\r\nNUMRAISES=x\r\nPOTSIZEAVG=40\r\n"
            << defaults;
        QTest::newRow("OPTIONS missing")
            << kit::File_With("3", "5", "10", "4", "150", 50).replace("OPTIONS", "OTHER") << defaults;
        static const char garbage[] = "\x01\x02 not an ini file \xff\r\n[[[";
        QTest::newRow("garbage") << QByteArray(garbage, sizeof garbage - 1) << defaults;
    }
    void startsWithSettingsFile() {
        QFETCH(QByteArray, content);
        QFETCH(QList<double>, expected);
        if (!content.isNull()) kit::Write_File(content);
        Main();
        frmSplash* splash = Splash_Form();
        QVERIFY(splash);
        Tick_Through(splash);
        QVERIFY(Main_Window()->isVisible());
        QCOMPARE(double(modGlobal::OPTIONS), expected[0]);
        QCOMPARE(modGlobal::MINBET, expected[1]);
        QCOMPARE(modGlobal::MAXBET, expected[2]);
        QCOMPARE(double(modGlobal::NUMRAISES), expected[3]);
        QCOMPARE(double(modGlobal::POTSIZEAVG), expected[4]);
        QString why;
        QVERIFY2(kit::Sound_File(&why), qPrintable(why));
        QCOMPARE(Main_Window()->findChild<QLabel*>("lblSettings")->text(), Settings_Summary());
        QCOMPARE(Main_Window()->findChild<QSlider*>("sldPot")->maximum(), int(expected[4]));
        QVERIFY(Titled(QStringLiteral("Form_Load")).isEmpty());
    }

    // A settings folder that cannot be made: the load is reported under "Form_Load" and the start-up
    // still leads to the main window.
    void loadFailureStillLeadsToMainWindow() {
        QDir(modGlobal::Settings_Folder()).removeRecursively();
        QDir().mkpath(QFileInfo(modGlobal::Settings_Folder()).path());
        {
            QFile blocker(modGlobal::Settings_Folder());
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        Main();
        const QList<msg::Message> reports = Titled(QStringLiteral("Form_Load"));
        QCOMPARE(reports.size(), 1);
        QCOMPARE(reports.first().icon, msg::Icon::Exclamation);
        QVERIFY(reports.first().text.endsWith(QStringLiteral("\r\n\r\nForm_Load")));
        frmSplash* splash = Splash_Form();
        QVERIFY(splash);
        QVERIFY(splash->timCountdown->isActive());
        Tick_Through(splash);
        QVERIFY(!Splash_Form());
        QVERIFY(Main_Window()->isVisible());
    }

    // --- the About box ---

    void aboutBox_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Continue") << false;
        QTest::newRow("close box") << true;
    }
    void aboutBox() {
        QFETCH(bool, closeBox);
        kit::Write_File(kit::File_With("1", "5", "10", "4", "150", 50));
        modGlobal::Load_Settings();
        Main_Window()->show();
        Menu("mnuHelpAbout")->trigger();
        frmSplash* about = Splash_Form();
        QVERIFY(about);
        QVERIFY(about->Is_About_Box());
        QVERIFY(ShowingAbout);
        QCOMPARE(about->windowTitle(), QStringLiteral("Quorvane v2.2.15"));
        QVERIFY(about->cmdOK->isVisible());
        QVERIFY(about->cmdOK->isEnabled());
        QCOMPARE(about->cmdOK->text(), QStringLiteral("Continue"));
        QVERIFY(!about->timCountdown->isActive());

        // The load read the file again: a value changed in memory since is back.
        modGlobal::MINBET = 99;
        // A second About while it is open only brings it to the front: no new form, no new load.
        Menu("mnuHelpAbout")->trigger();
        QCOMPARE(Splash_Form(), about);
        QCOMPARE(modGlobal::MINBET, 99.0);
        modGlobal::MINBET = 5;

        const QString potBefore = kit::Raw("POTSIZEAVG");
        const QString optionsBefore = kit::Raw("OPTIONS");
        modEncrypt::Set_Test_Keys({47, 48, 49, 51});
        if (closeBox)
            about->close();
        else
            QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        QVERIFY(!Splash_Form());
        QVERIFY(Main_Window()->isVisible());
        const QString fresh[] = {QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("10"),
                                 QStringLiteral("4")};
        const char* keys[] = {"OPTIONS", "MINBET", "MAXBET", "NUMRAISES"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(kit::Raw(keys[i]), modEncrypt::Encrypt_With_Keys(fresh[i], 47, 49, 48, 51));
        QVERIFY(kit::Raw("OPTIONS") != optionsBefore);
        QCOMPARE(kit::Raw("POTSIZEAVG"), potBefore);
        QString why;
        QVERIFY2(kit::Sound_File(&why), qPrintable(why));

        // A later About is a new form, loaded anew.
        Menu("mnuHelpAbout")->trigger();
        QVERIFY(Splash_Form());
        QVERIFY(Splash_Form()->Is_About_Box());
    }

    void aboutLinksOpenTheirPages() {
        Main_Window()->show();
        Menu("mnuHelpAbout")->trigger();
        frmSplash* about = Splash_Form();
        QVERIFY(about);
        QTest::mouseClick(about->URLLink1->lblURL, Qt::LeftButton);
        QTest::mouseClick(about->URLLink3->lblURL, Qt::LeftButton);
        QCOMPARE(browser.opened.size(), 2);
        QCOMPARE(browser.opened[0].path(), QStringLiteral("/quorvane/index.htm"));
        QCOMPARE(browser.opened[1].path(), QStringLiteral("/"));
    }

    // --- the settings dialog ---

    void settingsLayout() {
        modGlobal::Load_Settings();
        frmSettings* form = Open_Settings();
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(form->size(), QSize(250, 178));
        QCOMPARE(form->txtMinBet->text(), QStringLiteral("1"));
        QCOMPARE(form->txtMaxBet->text(), QStringLiteral("2"));
        QCOMPARE(form->txtNumRaises->text(), QStringLiteral("3"));
        QCOMPARE(form->txtPotSizeAvg->text(), QStringLiteral("40"));
        QCOMPARE(form->cmdSave->text(), QStringLiteral("Save Settings"));
        QCOMPARE(form->cmdCancel->text(), QStringLiteral("Cancel"));
        QCOMPARE(form->Label5->text(), QStringLiteral("Max Avg Pot SIze:"));
        QVERIFY(form->Label2->alignment() & Qt::AlignRight);
        QCOMPARE(form->txtNumRaises->toolTip(),
                 QStringLiteral("Enter the maximum number of raises the table allows here(usually 3)."));
        QVERIFY(!form->cmdSave->isDefault() && !form->cmdSave->autoDefault());
        QVERIFY(!form->cmdCancel->isDefault() && !form->cmdCancel->autoDefault());
        QVERIFY(Main_Window()->isEnabled()); // not modal
        QVERIFY(!form->isModal());
    }

    void settingsTabOrder() {
        modGlobal::Load_Settings();
        frmSettings* form = Open_Settings();
        QVERIFY(QTest::qWaitForWindowActive(form));
        form->txtMinBet->setFocus();
        const QList<QWidget*> expected{form->txtMaxBet, form->txtNumRaises,  form->cmdSave,
                                       form->cmdCancel, form->txtPotSizeAvg, form->txtMinBet};
        for (QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->txtPotSizeAvg));
        QVERIFY(messages.isEmpty());
    }

    void settingsSecondOpeningOnlyRaises() {
        modGlobal::Load_Settings();
        frmSettings* form = Open_Settings();
        form->txtMinBet->setText(QStringLiteral("7"));
        QCOMPARE(Open_Settings(), form);
        QCOMPARE(form->txtMinBet->text(), QStringLiteral("7")); // not loaded again
    }

    void settingsValidation_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("message");
        const QString number = QStringLiteral("Please enter a number.");
        const QString whole = QStringLiteral("Please enter a whole number.");
        const QString above = QStringLiteral("Please enter a number greater than 0.");
        const int tab = Qt::Key_Tab, back = Qt::Key_Backtab;
        QTest::newRow("min abc") << "txtMinBet"
                                 << "abc" << tab << number;
        QTest::newRow("min empty") << "txtMinBet"
                                   << "" << tab << number;
        QTest::newRow("max letters, shift+tab") << "txtMaxBet"
                                                << "2x" << back << number;
        QTest::newRow("raises 0") << "txtNumRaises"
                                  << "0" << tab << above;
        QTest::newRow("raises 0.5") << "txtNumRaises"
                                    << "0.5" << tab << above;
        QTest::newRow("raises -3") << "txtNumRaises"
                                   << "-3" << tab << above;
        QTest::newRow("raises x") << "txtNumRaises"
                                  << "x" << tab << whole;
        QTest::newRow("raises empty") << "txtNumRaises"
                                      << "" << tab << whole;
        QTest::newRow("pot 0, shift+tab") << "txtPotSizeAvg"
                                          << "0" << back << above;
        QTest::newRow("pot x") << "txtPotSizeAvg"
                               << "x" << tab << whole;
        QTest::newRow("pot 1e400") << "txtPotSizeAvg"
                                   << "1e400" << tab << whole;
        QTest::newRow("min 0 passes") << "txtMinBet"
                                      << "0" << tab << "";
        QTest::newRow("min -5 passes") << "txtMinBet"
                                       << "-5" << tab << "";
        QTest::newRow("min 1,000.5 passes") << "txtMinBet"
                                            << " 1,000.5 " << tab << "";
        QTest::newRow("raises 2.5 passes") << "txtNumRaises"
                                           << "2.5" << tab << "";
        QTest::newRow("raises 1e1 passes") << "txtNumRaises"
                                           << "1e1" << tab << "";
        QTest::newRow("pot huge passes the box check") << "txtPotSizeAvg"
                                                       << "9999999999" << tab << "";
    }
    void settingsValidation() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(int, key);
        QFETCH(QString, message);
        modGlobal::Load_Settings();
        frmSettings* form = Open_Settings();
        QVERIFY(QTest::qWaitForWindowActive(form));
        auto* edit = form->findChild<QLineEdit*>(box);
        QVERIFY(edit);
        Type(edit, text);
        QCOMPARE(edit->text(), text);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
        QTest::keyClick(edit, Qt::Key(key), key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        if (message.isEmpty()) {
            QVERIFY(messages.isEmpty());
            QVERIFY(QApplication::focusWidget() != edit);
        } else {
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages.first().text, message);
            QCOMPARE(messages.first().title, QStringLiteral("Quorvane"));
            QCOMPARE(messages.first().icon, msg::Icon::None);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
            QCOMPARE(edit->text(), text); // kept for the player to correct
        }
    }

    // A click elsewhere in the dialog runs the check of the box being left; a failing check swallows
    // the click.
    void settingsClickChecksBox_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Save") << "cmdSave" << false;
        QTest::newRow("Cancel") << "cmdCancel" << false;
        QTest::newRow("another box") << "txtMaxBet" << false;
    }
    void settingsClickChecksBox() {
        QFETCH(QString, target);
        modGlobal::Load_Settings();
        const QByteArray before = kit::File_Bytes();
        frmSettings* form = Open_Settings();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Type(form->txtMinBet, QStringLiteral("abc"));
        QTest::mouseClick(form->findChild<QWidget*>(target), Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().text, QStringLiteral("Please enter a number."));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->txtMinBet));
        QCOMPARE(Settings_Form(), form); // neither saved nor cancelled
        QVERIFY(form->isVisible());
        QCOMPARE(kit::File_Bytes(), before);
        QCOMPARE(modGlobal::MINBET, 1.0);
    }

    // Buttons pressed by program meet the same checks.
    void settingsButtonsCheckBoxes() {
        modGlobal::Load_Settings();
        const QByteArray before = kit::File_Bytes();
        frmSettings* form = Open_Settings();
        form->txtNumRaises->setText(QStringLiteral("x"));
        form->txtNumRaises->setFocus();
        form->cmdCancel->click();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(Settings_Form(), form);
        form->txtMinBet->setFocus();
        form->cmdSave->click();
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages.last().text, QStringLiteral("Please enter a whole number."));
        QCOMPARE(Settings_Form(), form);
        QCOMPARE(kit::File_Bytes(), before);
    }

    void settingsCloseBoxStoresNothing() {
        modGlobal::Load_Settings();
        const QByteArray before = kit::File_Bytes();
        frmSettings* form = Open_Settings();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Type(form->txtNumRaises, QStringLiteral("x")); // even with a failing entry
        QVERIFY(form->close());
        QVERIFY(!Settings_Form());
        QVERIFY(messages.isEmpty());
        QCOMPARE(kit::File_Bytes(), before);
        QCOMPARE(modGlobal::NUMRAISES, 3);
    }

    void settingsCancel() {
        modGlobal::Load_Settings();
        const QByteArray before = kit::File_Bytes();
        frmSettings* form = Open_Settings();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Type(form->txtMinBet, QStringLiteral("25"));
        Type(form->txtPotSizeAvg, QStringLiteral("500"));
        QTest::mouseClick(form->cmdCancel, Qt::LeftButton);
        QVERIFY(!Settings_Form());
        QVERIFY(messages.isEmpty());
        QCOMPARE(kit::File_Bytes(), before);
        QCOMPARE(modGlobal::MINBET, 1.0);
        QCOMPARE(modGlobal::POTSIZEAVG, 40);
        frmSettings* again = Open_Settings();
        QCOMPARE(again->txtMinBet->text(), QStringLiteral("1"));
        QCOMPARE(again->txtPotSizeAvg->text(), QStringLiteral("40"));
    }

    void settingsSave_data() {
        QTest::addColumn<QStringList>("entries"); // min, max, raises, pot
        QTest::addColumn<double>("minBet");
        QTest::addColumn<double>("maxBet");
        QTest::addColumn<int>("numRaises");
        QTest::addColumn<int>("potSizeAvg");
        QTest::addColumn<QString>("summary");
        QTest::newRow("10/20") << QStringList{"10", "20", "4", "300"} << 10.0 << 20.0 << 4 << 300
                               << "Settings: $10.00/$20.00, Max 4 Raises";
        QTest::newRow("2.5 raises to 2") << QStringList{"1", "2", "2.5", "40"} << 1.0 << 2.0 << 2 << 40
                                         << "Settings: $1.00/$2.00, Max 2 Raises";
        QTest::newRow("3.5 raises to 4") << QStringList{"1", "2", "3.5", "40"} << 1.0 << 2.0 << 4 << 40
                                         << "Settings: $1.00/$2.00, Max 4 Raises";
        QTest::newRow("pot 99.5 to 100") << QStringList{"0.5", "1", "3", "99.5"} << 0.5 << 1.0 << 3 << 100
                                         << "Settings: $0.50/$1.00, Max 3 Raises";
        QTest::newRow("no checks between fields") << QStringList{"30", "5", "1", "1"} << 30.0 << 5.0 << 1 << 1
                                                  << "Settings: $30.00/$5.00, Max 1 Raises";
        QTest::newRow("most raises") << QStringList{"1", "2", "15", "40"} << 1.0 << 2.0 << 15 << 40
                                     << "Settings: $1.00/$2.00, Max 15 Raises";
        QTest::newRow("pot 100000 in plain digits") << QStringList{"1", "2", "3", "100000"} << 1.0 << 2.0 << 3
                                                    << 100000 << "Settings: $1.00/$2.00, Max 3 Raises";
        QTest::newRow("bets 100000/200000")
            << QStringList{"100000", "200000", "3", "40"} << 100000.0 << 200000.0 << 3 << 40
            << "Settings: $100,000.00/$200,000.00, Max 3 Raises";
    }
    void settingsSave() {
        QFETCH(QStringList, entries);
        QFETCH(double, minBet);
        QFETCH(double, maxBet);
        QFETCH(int, numRaises);
        QFETCH(int, potSizeAvg);
        QFETCH(QString, summary);
        Main_Window()->show();
        kit::Write_File(kit::File_With("2", "1", "2", "3", "40", 54));
        modGlobal::Load_Settings();
        frmSettings* form = Open_Settings();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Type(form->txtMinBet, entries[0]);
        Type(form->txtMaxBet, entries[1]);
        Type(form->txtNumRaises, entries[2]);
        Type(form->txtPotSizeAvg, entries[3]);
        // Each value gets its own keys, in the order the values are written.
        modEncrypt::Set_Test_Keys({46, 46, 46, 46, 47, 47, 47, 47, 48, 48, 48, 48, 49, 49, 49, 49});
        QTest::mouseClick(form->cmdSave, Qt::LeftButton);
        QVERIFY2(messages.isEmpty(), messages.isEmpty() ? "" : qPrintable(messages.first().text));
        QVERIFY(!Settings_Form());
        QCOMPARE(modGlobal::MINBET, minBet);
        QCOMPARE(modGlobal::MAXBET, maxBet);
        QCOMPARE(modGlobal::NUMRAISES, numRaises);
        QCOMPARE(modGlobal::POTSIZEAVG, potSizeAvg);
        QCOMPARE(kit::Raw("MINBET"), modEncrypt::Encrypt_With_Keys(Number_Text(minBet), 46, 46, 46, 46));
        QCOMPARE(kit::Raw("MAXBET"), modEncrypt::Encrypt_With_Keys(Number_Text(maxBet), 47, 47, 47, 47));
        QCOMPARE(kit::Raw("NUMRAISES"),
                 modEncrypt::Encrypt_With_Keys(QString::number(numRaises), 48, 48, 48, 48));
        QCOMPARE(kit::Raw("POTSIZEAVG"),
                 modEncrypt::Encrypt_With_Keys(QString::number(potSizeAvg), 49, 49, 49, 49));
        QCOMPARE(kit::Raw("OPTIONS"), modEncrypt::Encrypt_With_Keys("2", 54, 54, 54, 54)); // untouched
        QCOMPARE(Main_Window()->findChild<QLabel*>("lblSettings")->text(), summary);
        QCOMPARE(Main_Window()->findChild<QSlider*>("sldPot")->maximum(), potSizeAvg);

        // The next load reads the same values back, and the next opening shows them in plain digits.
        modGlobal::Reset_Settings();
        modGlobal::Load_Settings();
        QCOMPARE(modGlobal::NUMRAISES, numRaises);
        QCOMPARE(modGlobal::POTSIZEAVG, potSizeAvg);
        form = Open_Settings();
        QVERIFY(form);
        QCOMPARE(form->txtMinBet->text(), QString::number(minBet));
        QCOMPARE(form->txtMaxBet->text(), QString::number(maxBet));
        QCOMPARE(form->txtNumRaises->text(), QString::number(numRaises));
        QCOMPARE(form->txtPotSizeAvg->text(), QString::number(potSizeAvg));
    }

    // Limits that cannot be stored or shown are refused with a message, and nothing is stored.
    void settingsRefused_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("pot beyond 32 bits") << QStringList{"1", "2", "3", "3000000000"};
        QTest::newRow("raises beyond 32 bits") << QStringList{"1", "2", "2147483648", "40"};
        QTest::newRow("more raises than the list shows")
            << QStringList{"1", "2", QString::number(MaxRaises + 1), "40"};
        QTest::newRow("wagers beyond 32 bits") << QStringList{"1", "1e9", "3", "40"};
        QTest::newRow("small bet beyond 32 bits") << QStringList{"3e9", "2", "3", "40"};
    }
    void settingsRefused() {
        QFETCH(QStringList, entries);
        modGlobal::Load_Settings();
        Main_Window()->show();
        const QByteArray before = kit::File_Bytes();
        const QString summaryBefore = Main_Window()->findChild<QLabel*>("lblSettings")->text();
        frmSettings* form = Open_Settings();
        QVERIFY(QTest::qWaitForWindowActive(form));
        Type(form->txtMinBet, entries[0]);
        Type(form->txtMaxBet, entries[1]);
        Type(form->txtNumRaises, entries[2]);
        Type(form->txtPotSizeAvg, entries[3]);
        QTest::mouseClick(form->cmdSave, Qt::LeftButton);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().title, QStringLiteral("Quorvane"));
        QCOMPARE(messages.first().icon, msg::Icon::None);
        QVERIFY(!messages.first().text.startsWith(QStringLiteral("Please enter a number"))); // its own words
        QCOMPARE(Settings_Form(), form);
        QCOMPARE(kit::File_Bytes(), before);
        QCOMPARE(modGlobal::MINBET, 1.0);
        QCOMPARE(modGlobal::MAXBET, 2.0);
        QCOMPARE(modGlobal::NUMRAISES, 3);
        QCOMPARE(modGlobal::POTSIZEAVG, 40);
        QCOMPARE(Main_Window()->findChild<QLabel*>("lblSettings")->text(), summaryBefore);
    }

    // A negative minimum in a locale with a minus sign of its own is accepted, stored and read back.
    void settingsLocaleMinusSign() {
        QLocale::setDefault(QLocale(QLocale::Swedish, QLocale::Sweden));
        modGlobal::Load_Settings();
        Main_Window()->show();
        frmSettings* form = Open_Settings();
        QVERIFY(QTest::qWaitForWindowActive(form));
        // The locale's own minus sign (U+2212) cannot be typed as a key click.
        form->txtMinBet->setFocus(Qt::MouseFocusReason);
        form->txtMinBet->setText(Number_Text(-2.5));
        QVERIFY(form->txtMinBet->text().contains(QChar(0x2212)));
        QTest::mouseClick(form->cmdSave, Qt::LeftButton);
        QVERIFY2(messages.isEmpty(), messages.isEmpty() ? "" : qPrintable(messages.first().text));
        QVERIFY(!Settings_Form());
        QCOMPARE(modGlobal::MINBET, -2.5);
        modGlobal::Reset_Settings();
        modGlobal::Load_Settings();
        QVERIFY(messages.isEmpty());
        QCOMPARE(modGlobal::MINBET, -2.5);
        QCOMPARE(modGlobal::MAXBET, 2.0);
        QCOMPARE(modGlobal::POTSIZEAVG, 40);
    }

    void settingsFollowLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        kit::Write_File(kit::File_With("0", "2,5", "5", "3", "40", 50));
        modGlobal::Load_Settings();
        frmSettings* form = Open_Settings();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->txtMinBet->text(), QStringLiteral("2,5"));
        Type(form->txtNumRaises, QStringLiteral("3,5"));
        QTest::mouseClick(form->cmdSave, Qt::LeftButton);
        QVERIFY(messages.isEmpty());
        QCOMPARE(modGlobal::NUMRAISES, 4);
        QCOMPARE(modGlobal::MINBET, 2.5);
        QCOMPARE(modEncrypt::Decrypt(kit::Raw("MINBET")), QStringLiteral("2,5"));
    }
};

QTEST_MAIN(TestForms)
#include "tst_forms.moc"
