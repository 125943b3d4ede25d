#include "advice/potodds.h"
#include "base/messages.h"
#include "base/numbers.h"
#include "config/frmsettings.h"
#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/frmrange.h"
#include "shell/frmsplash.h"
#include "shell/startup.h"
#include "shell/urllink.h"
#include "tests/support/testsupport.h"
#include "version.h"
#include "widgets/uihelpers.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <memory>

// The start-up form, the About box, the settings dialog and the ways the program ends, as the player
// meets them, with the settings file that each leaves behind; the online help and the hyperlink control.
using namespace advice;

namespace {

const char* const Keys[] = {"OPTIONS", "MINBET", "MAXBET", "NUMRAISES", "POTSIZEAVG"};

QString Raw(const char* key) {
    return modGlobal::GetIniValue(modGlobal::Section, QLatin1String(key), modGlobal::Settings_File());
}

QByteArray File_Bytes() {
    return testsupport::Read_File(modGlobal::Settings_File());
}

void Write_File(const QByteArray& content) {
    QVERIFY(testsupport::Write_File(modGlobal::Settings_File(), content));
}

// A settings file of the five values (in the order of Keys, apart by blanks), every key drawn as k.
QByteArray File_With(const QString& values, int k) {
    const QStringList plain = values.split(QLatin1Char(' '));
    QByteArray file = "[REGISTRATION]\r\n";
    for (int i = 0; i < 5; ++i)
        file += QByteArray(Keys[i]) + "=\"" + modEncrypt::Encrypt_With_Keys(plain[i], k, k, k, k).toLatin1() +
                "\"\r\n";
    return file;
}

QList<double> Memory() {
    return {double(modGlobal::OPTIONS), modGlobal::MINBET, modGlobal::MAXBET, double(modGlobal::NUMRAISES),
            double(modGlobal::POTSIZEAVG)};
}

// Empty when every key deciphers to a number and memory holds the same values; otherwise the first key
// that does not.
QString Unsound_Key() {
    for (int i = 0; i < 5; ++i) {
        const std::optional<double> value = Parse_Number(modEncrypt::Decrypt(Raw(Keys[i])));
        if (!value || *value != Memory()[i])
            return QLatin1String(Keys[i]) + QStringLiteral(": ") + Raw(Keys[i]);
    }
    return {};
}

// The main window as the player has it: the open one, or a new one shown.
frmMain* Open_Main() {
    return Main_Form() ? Main_Form() : Show_Main_Form();
}

QAction* Menu(const char* name) {
    QAction* action = Open_Main()->findChild<QAction*>(QLatin1String(name));
    if (!action) qFatal("no menu entry %s", name);
    return action;
}

QString Summary_Label() {
    return Main_Form()->findChild<QLabel*>("lblSettings")->text();
}

void Tick_Through() {
    Splash_Form()->timCountdown_Timer();
    Splash_Form()->timCountdown_Timer();
}

// Types into the box the way the player does: the box takes the focus, then the text is replaced.
void Type(QLineEdit* box, const QString& text) {
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClicks(box, text);
    if (text.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
}

frmSettings* Open_Settings() {
    Menu("mnuFileSettings")->trigger();
    frmSettings* form = Settings_Form();
    if (!form) return nullptr;
    QApplication::setActiveWindow(form);
    return QTest::qWaitForWindowActive(form) ? form : nullptr;
}

// Shows the main window, loads the settings, opens the dialog and types the entries (min, max, raises,
// pot; a null entry is left alone).
frmSettings* Fill(const QStringList& entries = {}) {
    Show_Main_Form();
    modGlobal::Load_Settings();
    frmSettings* form = Open_Settings();
    if (!form) return nullptr;
    QLineEdit* boxes[] = {form->txtMinBet, form->txtMaxBet, form->txtNumRaises, form->txtPotSizeAvg};
    for (int i = 0; i < entries.size(); ++i)
        if (!entries[i].isNull()) Type(boxes[i], entries[i]);
    return form;
}

QStringList Shown(const frmSettings* form) {
    return {form->txtMinBet->text(), form->txtMaxBet->text(), form->txtNumRaises->text(),
            form->txtPotSizeAvg->text()};
}

// Runs the steps inside the application's own event loop and returns its exit code. A loop that falls
// idle after the last step, with nothing left to handle, has not ended: it is stopped with -1, so that a
// fault fails the test instead of hanging it (no clock decides).
int Run(const QList<std::function<void()>>& steps) {
    QObject context; // what is still queued or connected when the loop ends goes with it
    for (qsizetype i = 0; i < steps.size(); ++i)
        QTimer::singleShot(0, &context, [&, i] {
            steps[i]();
            if (i + 1 == steps.size())
                QObject::connect(QAbstractEventDispatcher::instance(),
                                 &QAbstractEventDispatcher::aboutToBlock, &context,
                                 [] { QCoreApplication::exit(-1); });
        });
    return QApplication::exec();
}

} // namespace

QString Page(const QUrl& url) { // "index.html#maker" for a page of the program's own, beside it
    if (!QFileInfo::exists(url.toLocalFile())) return url.toString();
    return url.fileName() + (url.hasFragment() ? u'#' + url.fragment() : QString());
}

// Stands in for the system's browser: records every address handed over and the pointer shape at
// that moment.
class Browser : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
    QList<Qt::CursorShape> pointer;
  public slots:
    void open(const QUrl& url) {
        opened << url;
        const QCursor* c = QApplication::overrideCursor();
        pointer << (c ? c->shape() : Qt::ArrowCursor);
    }
};

class TestShell : public QObject {
    Q_OBJECT
    QList<msg::Message> messages;
    Browser browser;
    int lastWindowClosed = 0;

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
        msg::Set_Message_Handler([this](const msg::Message& m) { messages << m; });
        connect(qApp, &QGuiApplication::lastWindowClosed, this, [this] { ++lastWindowClosed; });
    }
    void cleanupTestCase() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        msg::Set_Message_Handler({});
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        modEncrypt::Set_Test_Keys({});
        QFile::remove(modGlobal::Settings_File());
        modGlobal::Reset_Settings();
        ShowingAbout = false;
        messages.clear();
        browser.opened.clear();
        browser.pointer.clear();
        lastWindowClosed = 0;
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
        QFile::remove(modGlobal::Settings_File());
        QFile::remove(modGlobal::Settings_Folder()); // where a test put a file in its place
    }

    // Whatever the file held, the start-up form loads it (making it sound), waits two ticks without
    // writing, writes all but the pot size back and gives way to the main window; its close box skips
    // the wait.
    void start_up_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<double>>("expected"); // in the order of Keys
        QTest::addColumn<bool>("closeBox");
        const QList<double> defaults{0, 1, 2, 3, 40}, read{3, 5, 10, 4, 150};
        static const char garbage[] = "\x01\x02 not an ini file \xff\r\n[[[";
        QTest::newRow("no file") << QByteArray() << defaults << false;
        QTest::newRow("sound") << File_With("3 5 10 4 150", 50) << read << false;
        QTest::newRow("sound, close box") << File_With("3 5 10 4 150", 50) << read << true;
        QTest::newRow("garbage") << QByteArray(garbage, sizeof garbage - 1) << defaults << false;
    }
    void start_up() {
        QFETCH(QByteArray, content);
        QFETCH(QList<double>, expected);
        QFETCH(bool, closeBox);
        if (!content.isNull()) Write_File(content);
        Main();
        const QPointer<frmSplash> splash = Splash_Form();
        QVERIFY(splash && splash->isVisible() && !splash->Is_About_Box());
        QCOMPARE(splash->windowTitle(), QStringLiteral("Quorvane v" QUORVANE_VERSION_TEXT));
        QCOMPARE(splash->lblVersion->text(), QStringLiteral("Version # " QUORVANE_VERSION_TEXT));
        QCOMPARE(splash->lblName->text(), QStringLiteral("Quorvane"));
        QCOMPARE(splash->URLLink1->Text(), QStringLiteral("Quorvane Home Page"));
        QVERIFY(!splash->imgLogo->pixmap().isNull());
        QVERIFY(splash->cmdOK->isHidden());
        QCOMPARE(splash->timCountdown->interval(), 1000);
        QVERIFY(splash->timCountdown->isActive());
        QCOMPARE(Memory(), expected);
        QCOMPARE(Unsound_Key(), QString());

        const QString minBet = Raw("MINBET"), pot = Raw("POTSIZEAVG");
        if (closeBox) {
            splash->close();
        } else {
            splash->timCountdown_Timer();
            QCOMPARE(Splash_Form(), splash.data());
            QVERIFY(!Main_Form() || !Main_Form()->isVisible());
            QCOMPARE(Raw("MINBET"), minBet); // not yet written back
            splash->timCountdown_Timer();
        }
        QVERIFY(!Splash_Form());
        QVERIFY(!splash || (!splash->isVisible() && !splash->timCountdown->isActive()));
        QVERIFY(Main_Form() && Main_Form()->isVisible());
        QCOMPARE(Raw("POTSIZEAVG"), pot);
        QCOMPARE(Memory(), expected);
        QCOMPARE(Unsound_Key(), QString());
        QCOMPARE(Summary_Label(), Settings_Summary());
        QCOMPARE(Main_Form()->findChild<QSlider*>("sldPot")->maximum(), int(expected[4]));
        QVERIFY(messages.isEmpty());
    }

    // A settings folder that cannot be made: the load is reported under "Form_Load" and the start-up
    // still leads to the main window.
    void load_failure_still_leads_to_main_window() {
        QDir(modGlobal::Settings_Folder()).removeRecursively();
        QDir().mkpath(QFileInfo(modGlobal::Settings_Folder()).path());
        QFile blocker(modGlobal::Settings_Folder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        Main();
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().title, QStringLiteral("Form_Load"));
        QCOMPARE(messages.first().icon, msg::Icon::Exclamation);
        QVERIFY(messages.first().text.endsWith(QStringLiteral("\r\n\r\nForm_Load")));
        QVERIFY(Splash_Form() && Splash_Form()->timCountdown->isActive());
        Tick_Through();
        QVERIFY(!Splash_Form());
        QVERIFY(Main_Form() && Main_Form()->isVisible());
        QCOMPARE(Summary_Label(), QStringLiteral("Settings: $1.00/$2.00, Max 3 Raises"));
    }

    void about_box_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Continue") << false;
        QTest::newRow("close box") << true;
    }
    void about_box() {
        QFETCH(bool, closeBox);
        Write_File(File_With("1 5 10 4 150", 50));
        Show_Main_Form();
        Menu("mnuHelpAbout")->trigger();
        frmSplash* about = Splash_Form();
        QVERIFY(about && about->Is_About_Box());
        QCOMPARE(Memory(), (QList<double>{1, 5, 10, 4, 150})); // read anew from the file
        QCOMPARE(about->windowTitle(), QStringLiteral("Quorvane v" QUORVANE_VERSION_TEXT));
        QVERIFY(about->cmdOK->isVisible() && about->cmdOK->isEnabled());
        QCOMPARE(about->cmdOK->text(), QStringLiteral("Continue"));
        QVERIFY(!about->timCountdown->isActive());

        QTest::mouseClick(about->URLLink1->lblURL, Qt::LeftButton);
        QTest::mouseClick(about->URLLink3->lblURL, Qt::LeftButton);
        QCOMPARE(browser.opened.size(), 2);
        QCOMPARE(Page(browser.opened[0]) + u' ' + Page(browser.opened[1]), "index.html index.html#maker");

        // A second About while it is open only brings it to the front: no new form, no new load.
        modGlobal::MINBET = 99;
        Menu("mnuHelpAbout")->trigger();
        QCOMPARE(Splash_Form(), about);
        QCOMPARE(modGlobal::MINBET, 99.0);
        modGlobal::MINBET = 5;

        const QString potBefore = Raw("POTSIZEAVG");
        modEncrypt::Set_Test_Keys({47, 48, 49, 51});
        if (closeBox)
            about->close();
        else
            QTest::mouseClick(about->cmdOK, Qt::LeftButton);
        QVERIFY(!Splash_Form());
        QVERIFY(Main_Form() && Main_Form()->isVisible());
        const char* fresh[] = {"1", "5", "10", "4"};
        for (int i = 0; i < 4; ++i) // nothing changed in the end, so nothing was written back
            QCOMPARE(Raw(Keys[i]), modEncrypt::Encrypt_With_Keys(fresh[i], 50, 50, 50, 50));
        QCOMPARE(Raw("POTSIZEAVG"), potBefore);
        QCOMPARE(Unsound_Key(), QString());

        // A later About is a new form, loaded anew.
        Menu("mnuHelpAbout")->trigger();
        QVERIFY(Splash_Form() && Splash_Form()->Is_About_Box());
    }

    // A main window closed while the About box is open comes back from "Continue" loaded anew, as at a
    // first start: no old hand, the caption, the summary and the saved display options.
    void continue_after_the_main_window_closed() {
        Write_File(File_With("1 5 10 4 150", 50));
        Main();
        Tick_Through();
        const QPointer<frmMain> first = Main_Form();
        QVERIFY(first);
        for (const char* card : {"As", "Kh"})
            QTest::mouseClick(
                first->findChild<QWidget*>(QStringLiteral("imgCard_%1").arg(testsupport::Card(card))),
                Qt::LeftButton);
        QCOMPARE(first->findChild<QLineEdit*>("txtCards")->text(), QStringLiteral("AK"));
        Menu("mnuHelpAbout")->trigger();
        first->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!first && !Main_Form());
        QVERIFY(Splash_Form());
        QTest::mouseClick(Splash_Form()->cmdOK, Qt::LeftButton);
        frmMain* again = Main_Form();
        QVERIFY(again && again->isVisible());
        QCOMPARE(again->findChild<QLineEdit*>("txtCards")->text(), QString());
        QCOMPARE(again->findChild<QLabel*>("lblCurrent")->text(), QStringLiteral("Enter Pre-Flop Cards"));
        QCOMPARE(again->windowTitle(), QStringLiteral("Quorvane v" QUORVANE_VERSION_TEXT));
        QCOMPARE(Summary_Label(), QStringLiteral("Settings: $5.00/$10.00, Max 4 Raises"));
        QCOMPARE(again->Outer_Width_Twips(), frmMain::WidthLegendShown);
        QVERIFY(messages.isEmpty());
    }

    // The About box opens with "Continue" focused, and Enter presses it; Tab goes round the two links, which
    // show a focus frame and open with Enter or Space. At start-up nothing on the form takes the focus.
    void about_box_keys() {
        Main();
        frmSplash* splash = Splash_Form();
        QApplication::setActiveWindow(splash);
        QVERIFY(QTest::qWaitForWindowActive(splash));
        QTest::keyClick(splash, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), nullptr);
        Tick_Through();

        Menu("mnuHelpAbout")->trigger();
        frmSplash* about = Splash_Form();
        QApplication::setActiveWindow(about);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(QApplication::focusWidget(), about->cmdOK);
        const QImage unfocused = about->URLLink3->grab().toImage();
        QTest::keyClick(about->cmdOK, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), about->URLLink3);
        QVERIFY(about->URLLink3->grab().toImage() != unfocused); // the focus frame
        QTest::keyClick(about->URLLink3, Qt::Key_Return);
        QTest::keyClick(about->URLLink3, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), about->URLLink1);
        QTest::keyClick(about->URLLink1, Qt::Key_Space);
        QCOMPARE(browser.opened.size(), 2);
        QCOMPARE(Page(browser.opened[0]) + u' ' + Page(browser.opened[1]), "index.html#maker index.html");
        QTest::keyClick(about->URLLink1, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), about->cmdOK);
        QVERIFY(Splash_Form());
        QTest::keyClick(about->cmdOK, Qt::Key_Return);
        QVERIFY(!Splash_Form());
        QVERIFY(Main_Form() && Main_Form()->isVisible());
        QVERIFY(messages.isEmpty());
    }

    // Texts, no default button, not modal, the tab order; a second opening only raises it.
    void settings_dialog() {
        frmSettings* form = Fill();
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(Shown(form), (QStringList{"1", "2", "3", "40"}));
        QCOMPARE(form->cmdSave->text(), QStringLiteral("Save Settings"));
        QCOMPARE(form->Label5->text(), QStringLiteral("Max Avg Pot SIze:"));
        QCOMPARE(form->txtNumRaises->toolTip(),
                 QStringLiteral("Enter the maximum number of raises the table allows here(usually 3)."));
        QVERIFY(!form->cmdSave->isDefault() && !form->cmdSave->autoDefault());
        QVERIFY(!form->cmdCancel->isDefault() && !form->cmdCancel->autoDefault());
        QVERIFY(Main_Form()->isEnabled() && !form->isModal());

        form->txtMinBet->setFocus();
        const QList<QWidget*> order{form->txtMaxBet, form->txtNumRaises, form->txtPotSizeAvg,
                                    form->cmdSave,   form->cmdCancel,    form->txtMinBet};
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->cmdCancel));
        QVERIFY(messages.isEmpty());

        form->txtMinBet->setText(QStringLiteral("7"));
        QCOMPARE(Open_Settings(), form);
        QCOMPARE(form->txtMinBet->text(), QStringLiteral("7")); // not loaded again
    }

    // File > Opponents' Range opens the dialog once, over the main window, and the panel follows its
    // range as it is edited.
    void range_dialog_from_the_menu() {
        Show_Main_Form();
        Menu("mnuFileShowdown")->trigger();
        Menu("mnuFileRange")->trigger();
        frmRange* form = Range_Form();
        QVERIFY(form && form->isVisible() && !form->isModal());
        Menu("mnuFileRange")->trigger();
        QCOMPARE(Range_Form(), form);
        form->txtRange->setText(QString());
        QTest::keyClicks(form->txtRange, QStringLiteral("AA"));
        QCOMPARE(Main_Form()->findChild<QLabel*>("lblRange")->toolTip(), QStringLiteral("vs AA"));
    }

    // The four right-aligned captions are drawn in one size, the largest at which all four fit their
    // labels (whatever the system font), in their places and with their texts.
    void settings_labels_share_one_size_data() {
        QTest::addColumn<qreal>("systemPoints");
        for (const qreal points : {7.0, 9.0, 12.0, 15.0})
            QTest::newRow(qPrintable(QString::number(points) + QStringLiteral(" pt"))) << points;
    }
    void settings_labels_share_one_size() {
        QFETCH(qreal, systemPoints);
        const QFont systemFont = QApplication::font();
        QFont font = systemFont;
        font.setPointSizeF(systemPoints);
        QApplication::setFont(font);
        const std::unique_ptr<frmSettings> form(new frmSettings);
        QApplication::setFont(systemFont);
        const QLabel* labels[] = {form->Label2, form->Label3, form->Label4, form->Label5};
        const char* captions[] = {
            "Table Minimum:", "Table Maximum:", "Maximum # Raises:", "Max Avg Pot SIze:"};
        const qreal points = labels[0]->font().pointSizeF();
        const auto fits = [](const QLabel* label, qreal size) {
            QFont f = label->font();
            f.setPointSizeF(size);
            return QFontMetricsF(f).horizontalAdvance(label->text()) <= label->width();
        };
        bool oneMoreStepFits = points < systemPoints;
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(labels[i]->text(), QLatin1String(captions[i]));
            QCOMPARE(labels[i]->geometry(), Twips_Rect(240, 1200 + 360 * i, 1575, 255));
            QCOMPARE(labels[i]->font().pointSizeF(), points);
            QVERIFY2(fits(labels[i], points), captions[i]);
            oneMoreStepFits = oneMoreStepFits && fits(labels[i], points + 0.25);
        }
        QVERIFY(!oneMoreStepFits); // the size is the largest that fits all four
    }

    // Each box is checked as the focus is about to leave it, whatever moves it: Tab, Shift+Tab, a click
    // elsewhere, a button pressed by program. A failing check shows its message, keeps the focus and the
    // entry, and swallows the action.
    void settings_validation_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("action"); // a key, "click" or "press" and a control's name
        QTest::addColumn<QString>("message");
        const QString number = QStringLiteral("Please enter a number.");
        const QString whole = QStringLiteral("Please enter a whole number.");
        const QString above = QStringLiteral("Please enter a number greater than 0.");
        const auto row = [](const char* name, const char* box, const char* text, const char* action,
                            const QString& message) {
            QTest::newRow(name) << QString(box) << QString(text) << QString(action) << message;
        };
        row("min abc", "txtMinBet", "abc", "Tab", number);
        row("min empty", "txtMinBet", "", "Tab", number);
        row("max letters, shift+tab", "txtMaxBet", "2x", "Backtab", number);
        row("raises 0", "txtNumRaises", "0", "Tab", above);
        row("raises 0.5", "txtNumRaises", "0.5", "Tab", above);
        row("raises x", "txtNumRaises", "x", "Tab", whole);
        row("raises empty", "txtNumRaises", "", "Tab", whole);
        row("pot 0, shift+tab", "txtPotSizeAvg", "0", "Backtab", above);
        row("pot x", "txtPotSizeAvg", "x", "Tab", whole);
        row("pot 1e400", "txtPotSizeAvg", "1e400", "Tab", whole);
        row("click Save", "txtMinBet", "abc", "click cmdSave", number);
        row("click Cancel", "txtMinBet", "abc", "click cmdCancel", number);
        row("click another box", "txtMinBet", "abc", "click txtMaxBet", number);
        row("Save pressed by program", "txtNumRaises", "x", "press cmdSave", whole);
        row("Cancel pressed by program", "txtMinBet", "abc", "press cmdCancel", number);
        row("min 0 passes", "txtMinBet", "0", "Tab", {});
        row("min -5 passes", "txtMinBet", "-5", "Tab", {});
        row("min 1,000.5 passes", "txtMinBet", " 1,000.5 ", "Tab", {});
        row("raises 2.5 passes", "txtNumRaises", "2.5", "Tab", {});
        row("pot huge passes the box check", "txtPotSizeAvg", "9999999999", "Tab", {});
    }
    void settings_validation() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, action);
        QFETCH(QString, message);
        frmSettings* form = Fill();
        QVERIFY(form);
        const QByteArray before = File_Bytes();
        auto* edit = form->findChild<QLineEdit*>(box);
        Type(edit, text);
        QCOMPARE(edit->text(), text);
        if (action == QLatin1String("Tab"))
            QTest::keyClick(edit, Qt::Key_Tab);
        else if (action == QLatin1String("Backtab"))
            QTest::keyClick(edit, Qt::Key_Backtab, Qt::ShiftModifier);
        else if (action.startsWith(QLatin1String("click ")))
            QTest::mouseClick(form->findChild<QWidget*>(action.mid(6)), Qt::LeftButton);
        else
            form->findChild<QPushButton*>(action.mid(6))->click();
        if (message.isEmpty()) {
            QVERIFY(messages.isEmpty());
            QVERIFY(QApplication::focusWidget() != edit);
            return;
        }
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().text, message);
        QCOMPARE(messages.first().title, QStringLiteral("Quorvane"));
        QCOMPARE(messages.first().icon, msg::Icon::None);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit));
        QCOMPARE(edit->text(), text);                          // kept for the player to correct
        QVERIFY(Settings_Form() == form && form->isVisible()); // neither saved nor cancelled
        QCOMPARE(File_Bytes(), before);
        QCOMPARE(Memory(), (QList<double>{0, 1, 2, 3, 40}));
    }

    // Save converts the entries, writes the four values with fresh keys, and refreshes the main window.
    void settings_save_data() {
        QTest::addColumn<QString>("entries"); // min, max, raises, pot
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("summary");
        const auto row = [](const char* name, const char* entries, const char* stored, const char* summary) {
            QTest::newRow(name) << QString(entries) << QString(stored) << QString(summary);
        };
        row("10/20", "10 20 4 300", "10 20 4 300", "Settings: $10.00/$20.00, Max 4 Raises");
        row("2.5 raises to 2", "1 2 2.5 40", "1 2 2 40", "Settings: $1.00/$2.00, Max 2 Raises");
        row("3.5 raises to 4", "1 2 3.5 40", "1 2 4 40", "Settings: $1.00/$2.00, Max 4 Raises");
        row("pot 99.5 to 100", "0.5 1 3 99.5", "0.5 1 3 100", "Settings: $0.50/$1.00, Max 3 Raises");
        row("no checks between fields", "30 5 1 1", "30 5 1 1", "Settings: $30.00/$5.00, Max 1 Raises");
        row("most raises", "1 2 15 40", "1 2 15 40", "Settings: $1.00/$2.00, Max 15 Raises");
        row("pot 100000 in plain digits", "1 2 3 100000", "1 2 3 100000",
            "Settings: $1.00/$2.00, Max 3 Raises");
        row("bets 100000/200000", "100000 200000 3 40", "100000 200000 3 40",
            "Settings: $100,000.00/$200,000.00, Max 3 Raises");
    }
    void settings_save() {
        QFETCH(QString, entries);
        QFETCH(QString, stored);
        QFETCH(QString, summary);
        Write_File(File_With("2 1 2 3 40", 54));
        frmSettings* form = Fill(entries.split(QLatin1Char(' ')));
        QVERIFY(form);
        // The entries that the player changed are written back, and only those.
        modEncrypt::Set_Test_Keys({46});
        QTest::mouseClick(form->cmdSave, Qt::LeftButton);
        QVERIFY2(messages.isEmpty(), messages.isEmpty() ? "" : qPrintable(messages.first().text));
        QVERIFY(!Settings_Form());
        const QStringList plain = stored.split(QLatin1Char(' '));
        QList<double> expected{2};
        for (int i = 0; i < 4; ++i) {
            expected << plain[i].toDouble();
            const int key = entries.section(u' ', i, i) == QStringList{"1", "2", "3", "40"}[i] ? 54 : 46;
            QCOMPARE(Raw(Keys[i + 1]), modEncrypt::Encrypt_With_Keys(plain[i], key, key, key, key));
        }
        QCOMPARE(Memory(), expected);
        QCOMPARE(Raw("OPTIONS"), modEncrypt::Encrypt_With_Keys("2", 54, 54, 54, 54)); // untouched
        QCOMPARE(Summary_Label(), summary);
        QCOMPARE(Main_Form()->findChild<QSlider*>("sldPot")->maximum(), int(expected[4]));

        // The next load reads the same values back, and the next opening shows them in plain digits.
        modGlobal::Reset_Settings();
        form = Fill();
        QVERIFY(form);
        QCOMPARE(Shown(form), plain);
    }

    // Limits that another copy stored while the dialog was open (read by an About box meanwhile) stay
    // when the player saves without touching their entries.
    void settings_save_keeps_untouched_entries() {
        frmSettings* form = Fill({QString(), QString(), QString(), "50"});
        QVERIFY(form);
        Write_File(File_With("0 5 10 2 222", 50));
        modGlobal::Load_Settings();
        QTest::mouseClick(form->cmdSave, Qt::LeftButton);
        QCOMPARE(Memory(), (QList<double>{0, 5, 10, 2, 50}));
        QCOMPARE(Unsound_Key(), QString());
    }

    // Nothing is stored by Cancel, by the close box even with a failing entry, nor by a Save of limits
    // that cannot be stored or shown (refused with a message of its own).
    void settings_stores_nothing_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("action");
        const QString refuse = QStringLiteral("Save");
        QTest::newRow("Cancel") << QStringList{"25", "20", "5", "500"} << "Cancel";
        QTest::newRow("close box, failing entry") << QStringList{"25", "20", "5", "x"} << "close box";
        QTest::newRow("pot beyond 32 bits") << QStringList{"1", "2", "3", "3000000000"} << refuse;
        QTest::newRow("raises beyond 32 bits") << QStringList{"1", "2", "2147483648", "40"} << refuse;
        QTest::newRow("more raises than the list shows")
            << QStringList{"1", "2", QString::number(MaxRaises + 1), "40"} << refuse;
        QTest::newRow("wagers beyond 32 bits") << QStringList{"1", "1e9", "3", "40"} << refuse;
        QTest::newRow("small bet beyond 32 bits") << QStringList{"3e9", "2", "3", "40"} << refuse;
    }
    void settings_stores_nothing() {
        QFETCH(QStringList, entries);
        QFETCH(QString, action);
        frmSettings* form = Fill(entries);
        QVERIFY(form);
        const QByteArray before = File_Bytes();
        const QString summaryBefore = Summary_Label();
        if (action == QLatin1String("close box"))
            QVERIFY(form->close());
        else
            QTest::mouseClick(action == QLatin1String("Save") ? form->cmdSave : form->cmdCancel,
                              Qt::LeftButton);
        QCOMPARE(File_Bytes(), before);
        QCOMPARE(Memory(), (QList<double>{0, 1, 2, 3, 40}));
        QCOMPARE(Summary_Label(), summaryBefore);
        if (action != QLatin1String("Save")) {
            QVERIFY(messages.isEmpty());
            QVERIFY(!Settings_Form());
            form = Open_Settings();
            QVERIFY(form);
            QCOMPARE(Shown(form), (QStringList{"1", "2", "3", "40"}));
            return;
        }
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages.first().title, QStringLiteral("Quorvane"));
        QCOMPARE(messages.first().icon, msg::Icon::None);
        QVERIFY(!messages.first().text.startsWith(QStringLiteral("Please enter a number"))); // its own words
        QCOMPARE(Settings_Form(), form);
    }

    // The dialog shows and reads numbers in the player's locale, a minus sign of its own included;
    // the file keeps them in a form that the next load reads back under any locale (the C form).
    void settings_follow_locale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("minBet");
        QTest::newRow("German decimal comma") << QLocale(QLocale::German, QLocale::Germany) << "2.5" << 2.5;
        QTest::newRow("Swedish minus sign") << QLocale(QLocale::Swedish, QLocale::Sweden) << "-2.5" << -2.5;
    }
    void settings_follow_locale() {
        QFETCH(QLocale, locale);
        QFETCH(QString, stored);
        QFETCH(double, minBet);
        QLocale::setDefault(locale);
        Write_File(File_With("0 " + stored + " 5 3 40", 50));
        frmSettings* form = Fill({QString(), QString(), locale.toString(3.5)});
        QVERIFY(form);
        QCOMPARE(form->txtMinBet->text(), locale.toString(minBet));
        QTest::mouseClick(form->cmdSave, Qt::LeftButton);
        QVERIFY2(messages.isEmpty(), messages.isEmpty() ? "" : qPrintable(messages.first().text));
        QVERIFY(!Settings_Form());
        QCOMPARE(modEncrypt::Decrypt(Raw("MINBET")), stored);
        modGlobal::Reset_Settings();
        modGlobal::Load_Settings();
        QVERIFY(messages.isEmpty());
        QCOMPARE(Memory(), (QList<double>{0, minBet, 5, 4, 40}));
    }

    // File > Exit ends the program at once and writes nothing, whatever is open. Otherwise it ends with
    // the last window: closing the main window leaves the dialog or the About box running.
    void program_ends_data() {
        QTest::addColumn<bool>("settingsOpen");
        QTest::addColumn<bool>("aboutOpen");
        QTest::addColumn<bool>("byExit");
        QTest::newRow("Exit, main window only") << false << false << true;
        QTest::newRow("Exit, settings dialog open") << true << false << true;
        QTest::newRow("Exit, About box open") << false << true << true;
        QTest::newRow("Exit, both open") << true << true << true;
        QTest::newRow("last window the settings dialog") << true << false << false;
        QTest::newRow("last window the About box") << false << true << false;
    }
    void program_ends() {
        QFETCH(bool, settingsOpen);
        QFETCH(bool, aboutOpen);
        QFETCH(bool, byExit);
        Main();
        Tick_Through();
        if (aboutOpen) Menu("mnuHelpAbout")->trigger();
        if (settingsOpen) {
            Menu("mnuFileSettings")->trigger();
            QVERIFY(Settings_Form());
            Settings_Form()->txtMinBet->setText(QStringLiteral("25"));   // unsaved, and lost
            Settings_Form()->txtNumRaises->setText(QStringLiteral("x")); // failing, yet no message
        }
        QWidget* other = aboutOpen ? static_cast<QWidget*>(Splash_Form()) : Settings_Form();
        const QByteArray before = File_Bytes();
        bool runsOn = false; // after the main window has closed
        if (byExit) {
            QCOMPARE(Run({[] { Menu("mnuFileExit")->trigger(); }}), 0);
            QCOMPARE(File_Bytes(), before);
        } else {
            QCOMPARE(Run({[] { Main_Form()->close(); },
                          [&] {
                              runsOn = lastWindowClosed == 0 && other->isVisible();
                              other->close();
                          }}),
                     0);
            QVERIFY(runsOn);
            QCOMPARE(lastWindowClosed, 1);
        }
        QCOMPARE(modGlobal::MINBET, 1.0);
        QCOMPARE(Unsound_Key(), QString());
        QVERIFY(messages.isEmpty());
    }

    void online_help_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("path");
        const char* const pages[][3] = {
            {"home", "mnuOnlineHome", "index.html"},
            {"download", "mnuOnlineDownload", "index.html#download"},
            {"troubleshooting", "mnuOnlineTroubleshooting", "troubleshooting.html"},
            {"groupings", "mnuOnlineGroupings", "groupings.html"},
            {"manual", "mnuOnlineManual", "manual.html"},
            {"maker home", "mnuOnlineHomeMain", "index.html#maker"}};
        for (const auto& page : pages)
            QTest::newRow(page[0]) << QString(page[1]) << QString(page[2]);
    }
    void online_help() {
        QFETCH(QString, entry);
        QFETCH(QString, path);
        Menu(qPrintable(entry))->trigger();
        QCOMPARE(browser.opened.size(), 1);
        QCOMPARE(Page(browser.opened.first()), path);      // the program's own page, beside it
        QCOMPARE(browser.pointer.first(), Qt::WaitCursor); // busy while the address is handed over
        QVERIFY(!QApplication::overrideCursor());          // and back to normal afterwards
        QVERIFY(messages.isEmpty());
    }

    // A page that nothing opens gives no message and still leaves the normal pointer.
    void online_help_without_browser() {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        Menu("mnuOnlineManual")->trigger();
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(messages.isEmpty());
    }

    // The properties and their defaults; the caption underlined in the highlight colour under a hand
    // pointer, the label as wide as the caption; the address in the tool tip only while ShowToolTip is on.
    void properties() {
        URLLink link;
        QCOMPARE(link.property("Text").toString(), URLLink::Default_Text());
        QCOMPARE(link.property("URL").toString(), URLLink::Default_URL());
        QCOMPARE(link.property("ShowToolTip").toBool(), false);
        QVERIFY(link.lblURL->font().underline());
        QCOMPARE(link.lblURL->palette().color(QPalette::WindowText),
                 link.palette().color(QPalette::Highlight));
        QCOMPARE(link.lblURL->cursor().shape(), Qt::PointingHandCursor);

        QVERIFY(link.setProperty("Text", QStringLiteral("Short")));
        const QSize small = link.lblURL->size();
        link.setText(QStringLiteral("A much longer caption than before"));
        QCOMPARE(link.lblURL->text(), link.Text());
        QCOMPARE(link.lblURL->width(), QFontMetrics(link.lblURL->font()).horizontalAdvance(link.Text()));
        QVERIFY(link.lblURL->width() > small.width());
        QCOMPARE(link.lblURL->height(), small.height());
        QCOMPARE(link.lblURL->pos(), QPoint(0, 0));

        QVERIFY(link.setProperty("URL", QStringLiteral("http://example.org/one")));
        QCOMPARE(link.lblURL->toolTip(), QString());
        QVERIFY(link.setProperty("ShowToolTip", true));
        QCOMPARE(link.lblURL->toolTip(), QStringLiteral("http://example.org/one"));
        link.setURL(QStringLiteral("http://example.org/two"));
        QCOMPARE(link.lblURL->toolTip(), QStringLiteral("http://example.org/two"));
        link.setShowToolTip(false);
        QCOMPARE(link.lblURL->toolTip(), QString());
    }

    // With the focus, Enter (either key) and Space open the address, once however long the key is held, and
    // through GoToURL as a click does; other keys and modified ones open nothing.
    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("autoRepeat");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("opens");
        const auto row = [](const char* name, int key, Qt::KeyboardModifiers modifiers, bool autoRepeat,
                            bool cancel, bool opens) {
            QTest::newRow(name) << key << modifiers << autoRepeat << cancel << opens;
        };
        row("Return", Qt::Key_Return, Qt::NoModifier, false, false, true);
        row("keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, false, false, true);
        row("Space", Qt::Key_Space, Qt::NoModifier, false, false, true);
        row("Return held down", Qt::Key_Return, Qt::NoModifier, true, false, false);
        row("Ctrl+Return", Qt::Key_Return, Qt::ControlModifier, false, false, false);
        row("a letter", Qt::Key_O, Qt::NoModifier, false, false, false);
        row("cancelled", Qt::Key_Return, Qt::NoModifier, false, true, false);
    }
    void keys() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, autoRepeat);
        QFETCH(bool, cancel);
        QFETCH(bool, opens);
        URLLink link;
        link.setURL(QStringLiteral("http://example.org/keys"));
        int asked = 0;
        connect(&link, &URLLink::GoToURL, this, [&](QString&, bool& cancelIt) {
            ++asked;
            cancelIt = cancel;
        });
        QKeyEvent press(QEvent::KeyPress, key, modifiers, QString(), autoRepeat);
        QApplication::sendEvent(&link, &press);
        QCOMPARE(browser.opened, opens ? QList<QUrl>{QUrl(link.URL())} : QList<QUrl>());
        QCOMPARE(asked, opens || cancel ? 1 : 0);
        QVERIFY(messages.isEmpty());
    }

    // Only the left button opens; the container sees the address first and may change or cancel it. An
    // address that cannot be opened gives a message that names it, with the reason and a number.
    void click_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("opened");
        const QString url = QStringLiteral("http://example.org/old"), none;
        QTest::newRow("left") << url << Qt::LeftButton << none << false << url;
        QTest::newRow("right") << url << Qt::RightButton << none << false << none;
        QTest::newRow("middle") << url << Qt::MiddleButton << none << false << none;
        QTest::newRow("cancelled") << url << Qt::LeftButton << none << true << none;
        QTest::newRow("changed address")
            << url << Qt::LeftButton << "http://example.org/new" << false << "http://example.org/new";
        QTest::newRow("empty address") << none << Qt::LeftButton << none << false << none;
        QTest::newRow("blank address") << "   " << Qt::LeftButton << none << false << none;
        QTest::newRow("no handler") << QString("quorvane-test-scheme://nowhere") << Qt::LeftButton << none
                                    << false << none;
    }
    void click() {
        QFETCH(QString, address);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, replacement);
        QFETCH(bool, cancel);
        QFETCH(QString, opened);
        URLLink link;
        link.setURL(address);
        link.setShowToolTip(true);
        QStringList seen; // by the container, which may change the address or cancel
        connect(&link, &URLLink::GoToURL, this, [&](QString& url, bool& cancelIt) {
            seen << url;
            if (!replacement.isEmpty()) url = replacement;
            cancelIt = cancel;
        });
        link.show();
        QTest::mouseClick(link.lblURL, button);
        QCOMPARE(seen, button == Qt::LeftButton ? QStringList{address} : QStringList());
        QCOMPARE(browser.opened, opened.isEmpty() ? QList<QUrl>() : QList<QUrl>{QUrl(opened)});
        if (!opened.isEmpty()) QCOMPARE(browser.pointer.first(), Qt::WaitCursor);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(link.URL(), address); // the property stays, whatever the container did
        QCOMPARE(link.lblURL->toolTip(), address);
        const bool unopenable = button == Qt::LeftButton && !cancel && opened.isEmpty();
        QCOMPARE(messages.size(), unopenable ? 1 : 0);
        if (!unopenable) return;
        const msg::Message& m = messages.first();
        QCOMPARE(m.title, QStringLiteral("Quorvane"));
        QCOMPARE(m.icon, msg::Icon::None);
        QVERIFY2(m.text.startsWith("Unable to load '" + address + "' : "), qPrintable(m.text));
        QVERIFY2(QRegularExpression(QStringLiteral(" \\(Error [0-9]+\\)$")).match(m.text).hasMatch(),
                 qPrintable(m.text));
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
