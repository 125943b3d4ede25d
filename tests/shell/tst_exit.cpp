#include "config/frmsettings.h"
#include "mainwindow/frmmain.h"
#include "shell/frmsplash.h"
#include "shell/startup.h"
#include "shelltestkit.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTimer>

// How the program ends, with the application's own event loop running: File > Exit at once and
// without writing, whatever is open; otherwise when the last window closes.
class TestExit : public QObject {
    Q_OBJECT
    QList<msg::Message> messages;
    int lastWindowClosed = 0;

    static QAction* Menu(const char* name) { return Main_Window()->findChild<QAction*>(QLatin1String(name)); }

    // Runs the steps one after the other inside the event loop and returns the loop's exit code. A loop
    // that has not ended long after the last step is stopped with -1, so that a fault fails the test
    // instead of hanging it.
    static int Run(const QList<std::function<void()>>& steps) {
        for (const std::function<void()>& step : steps)
            QTimer::singleShot(0, qApp, step);
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(-1); });
        guard.start(30000);
        return QApplication::exec();
    }

    static void Start_To_Main_Window() {
        Main();
        frmSplash* splash = Splash_Form();
        QVERIFY(splash);
        splash->timCountdown_Timer();
        splash->timCountdown_Timer();
        QVERIFY(Main_Window()->isVisible());
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        msg::Set_Message_Handler([this](const msg::Message& m) { messages << m; });
        connect(qApp, &QGuiApplication::lastWindowClosed, this, [this] { ++lastWindowClosed; });
        QVERIFY(QApplication::quitOnLastWindowClosed());
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        kit::Remove_Settings();
        modGlobal::Reset_Settings();
        messages.clear();
        lastWindowClosed = 0;
    }
    void cleanup() {
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parentWidget()) windows << w;
        for (const QPointer<QWidget>& w : windows)
            delete w.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void exitWritesNothing_data() {
        QTest::addColumn<bool>("settingsOpen");
        QTest::addColumn<bool>("aboutOpen");
        QTest::newRow("main window only") << false << false;
        QTest::newRow("settings dialog open") << true << false;
        QTest::newRow("About box open") << false << true;
        QTest::newRow("both open") << true << true;
    }
    void exitWritesNothing() {
        QFETCH(bool, settingsOpen);
        QFETCH(bool, aboutOpen);
        Start_To_Main_Window();
        if (aboutOpen) Menu("mnuHelpAbout")->trigger();
        if (settingsOpen) {
            Menu("mnuFileSettings")->trigger();
            QVERIFY(Settings_Form());
            Settings_Form()->txtMinBet->setText(QStringLiteral("25"));   // unsaved, and lost
            Settings_Form()->txtNumRaises->setText(QStringLiteral("x")); // failing, yet no message
        }
        const QByteArray before = kit::File_Bytes();
        const int rc = Run({[] { Menu("mnuFileExit")->trigger(); }});
        QCOMPARE(rc, 0);
        QCOMPARE(kit::File_Bytes(), before);
        QCOMPARE(modGlobal::MINBET, 1.0);
        QString why;
        QVERIFY2(kit::Sound_File(&why), qPrintable(why));
        QVERIFY(messages.isEmpty());
    }

    // The main window closed while the dialog or the About box is open: the program runs on until
    // that one is closed too.
    void lastWindowEnds_data() {
        QTest::addColumn<QString>("other");
        QTest::newRow("settings dialog") << "settings";
        QTest::newRow("About box") << "about";
    }
    void lastWindowEnds() {
        QFETCH(QString, other);
        Start_To_Main_Window();
        const bool about = other == QLatin1String("about");
        Menu(about ? "mnuHelpAbout" : "mnuFileSettings")->trigger();
        QWidget* window =
            about ? static_cast<QWidget*>(Splash_Form()) : static_cast<QWidget*>(Settings_Form());
        QVERIFY(window);
        int afterMain = -1;
        bool stillOpen = false;
        const int rc = Run({[] { Main_Window()->close(); },
                            [&] {
                                afterMain = lastWindowClosed;
                                stillOpen = window->isVisible();
                                window->close();
                            }});
        QCOMPARE(rc, 0);
        QCOMPARE(afterMain, 0);
        QVERIFY(stillOpen);
        QCOMPARE(lastWindowClosed, 1);
        QString why;
        QVERIFY2(kit::Sound_File(&why), qPrintable(why));
    }
};

QTEST_MAIN(TestExit)
#include "tst_exit.moc"
