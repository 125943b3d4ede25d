#include "advice/preflopstats.h"
#include "base/messages.h"
#include "cards/mododds.h"
#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "flow/modzoom.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/showdownpanel.h"
#include "showdown/figures.h"
#include "showdown/odds.h"
#include "tests/support/testsupport.h"
#include "tests/support/widgets.h"
#include "widgets/uihelpers.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The showdown odds panel as the player meets it: shown and hidden beside the legend and the key in
// every order without covering anything, its two settings, and its figures as the cards come.
class TestShowdownPanel : public QObject {
    Q_OBJECT
    QTemporaryDir statsDir;
    QList<msg::Message> shown;
    std::unique_ptr<frmMain> window;

    template <class T = QWidget> T* Get(const QString& name) const {
        return testsupport::Child<T>(window.get(), name);
    }
    QAction* Action(const char* name) const { return Get<QAction>(QString::fromLatin1(name)); }
    QString Text(const char* name) const { return Get<QLabel>(QString::fromLatin1(name))->text(); }
    QString Figures() const {
        return QStringList{Text("lblWinPct"), Text("lblTiePct"), Text("lblEquityPct"),
                           Text("lblShowdownPrecision")}
            .join(QLatin1Char('|'));
    }
    QString River() const {
        const auto* grid = Get<QTableWidget>("grdRiver");
        QStringList rows;
        for (int r = 0; r < grid->rowCount(); ++r)
            rows << grid->item(r, 0)->text() + QLatin1Char(' ') + grid->item(r, 1)->text();
        return rows.join(QLatin1String(", "));
    }
    QString Stored(const char* key) const {
        const QString raw =
            modGlobal::GetIniValue(modGlobal::Section, QLatin1String(key), modGlobal::Settings_File());
        return raw.isEmpty() ? QString() : modEncrypt::Decrypt(raw);
    }

    void Open_Window(Long options = 0) {
        window.reset();
        testsupport::Reset_Program_State();
        modGlobal::Load_Settings();
        modGlobal::OPTIONS = options;
        window = std::make_unique<frmMain>();
        QVERIFY(testsupport::Show_Active(window.get()));
    }
    void Play(const QString& cards) {
        for (const Long card : testsupport::Cards(cards))
            QTest::mouseClick(Get(QStringLiteral("imgCard_%1").arg(card)), Qt::LeftButton);
    }
    // The figures the engine gives for the spot, worked out here on this thread.
    QString Expected(const QString& hole, const QString& board, int opponents) {
        showdown::Spot spot;
        const QList<Long> h = testsupport::Cards(hole), b = testsupport::Cards(board);
        spot.hole[0] = h[0];
        spot.hole[1] = h[1];
        for (const Long c : b)
            spot.board[spot.boardCount++] = c;
        spot.opponents = opponents;
        showdown::Result last;
        showdown::Compute(spot, {}, [&](const showdown::Result& r) { last = r; });
        return QStringList{showdown::Percent_Text(last.winPct), showdown::Percent_Text(last.tiePct),
                           showdown::Percent_Text(last.equityPct), showdown::Precision_Text(last)}
            .join(QLatin1Char('|'));
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        msg::Set_Message_Handler([this](const msg::Message& m) { shown << m; });
        QVERIFY(testsupport::Write_Stats_File(statsDir.filePath(StatsFileName),
                                              {{"AK", "2", "Better", "5", "4", "2"}}));
        Set_Stats_Folder(statsDir.path());
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QFile::remove(modGlobal::Settings_File());
        shown.clear();
    }
    void cleanup() {
        window.reset();
        modZoom::Reset_Zoom();
    }
    void cleanupTestCase() { Set_Stats_Folder(QString()); }

    // L the legend, K the key, W the panel, toggled in that order from a window with none of them.
    void toggles_data() {
        QTest::addColumn<QString>("toggles");
        QTest::addColumn<int>("zoomSteps"); // Zoom In this many times first
        for (const char* t : {"", "W", "WW", "LW", "WL", "KW", "WK", "LKW", "WLK", "KWL", "WLKW", "LWLKW"})
            QTest::newRow(*t ? t : "none") << QString::fromLatin1(t) << 0;
        for (const char* t : {"W", "LKW", "WLK"})
            QTest::addRow("%s at 200%%", t) << QString::fromLatin1(t) << 4;
    }
    void toggles() {
        QFETCH(QString, toggles);
        QFETCH(int, zoomSteps);
        Open_Window();
        for (int i = 0; i < zoomSteps; ++i)
            Action("mnuFileZoomIn")->trigger();
        QList<QWidget*> today; // every control the window shows without the panel
        for (QWidget* w : window->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->objectName() != QLatin1String("fraShowdown")) today << w;
        for (const QChar t : toggles)
            Action(t == 'L' ? "mnuFileLegend" : t == 'K' ? "mnuFileShortcuts" : "mnuFileShowdown")->trigger();
        const bool legend = toggles.count('L') % 2, key = toggles.count('K') % 2,
                   panel = toggles.count('W') % 2;
        const int width = legend ? frmMain::WidthLegendShown : frmMain::WidthLegendHidden;
        const int height = key ? frmMain::HeightKeyShown : frmMain::HeightKeyHidden;
        QCOMPARE(window->Outer_Height_Twips(), height);
        QCOMPARE(Action("mnuFileShowdown")->isChecked(), panel);
        QWidget* fra = Get("fraShowdown");
        const QRect client = window->centralWidget()->rect();
        QCOMPARE(fra->isVisible(), panel);
        if (!panel) {
            // Hidden, the window is exactly what it is without the panel.
            QCOMPARE(window->Outer_Width_Twips(), width);
            QCOMPARE(client.size(), QSize(Zoomed(width - frmMain::FrameWidthTwips),
                                          Zoomed(height - frmMain::FrameHeightTwips)));
            return;
        }
        QVERIFY(window->Outer_Width_Twips() > width);
        QCOMPARE(client.width(), Zoomed(window->Outer_Width_Twips() - frmMain::FrameWidthTwips));
        QVERIFY(client.contains(fra->geometry()));
        for (const QWidget* w : today)
            if (w->isVisible())
                QVERIFY2(!w->geometry().intersects(fra->geometry()), qPrintable(w->objectName()));
        QCOMPARE(QApplication::focusWidget(), Get("txtPot")); // the panel takes no focus
    }

    // Both settings are written when they change and read by the next window; a damaged one reads as
    // its default and leaves the file as it is.
    void settings() {
        Open_Window();
        QCOMPARE(Stored("SHOWDOWN"), QString());
        Action("mnuFileShowdown")->trigger();
        QCOMPARE(Stored("SHOWDOWN"), QStringLiteral("1"));
        Get<QSpinBox>("spnOpponents")->setValue(4);
        QCOMPARE(Stored("OPPONENTS"), QStringLiteral("4"));
        Open_Window();
        QVERIFY(Get("fraShowdown")->isVisible());
        QCOMPARE(Get<QSpinBox>("spnOpponents")->value(), 4);
        Action("mnuFileShowdown")->trigger();
        QCOMPARE(Stored("SHOWDOWN"), QStringLiteral("0"));

        QVERIFY(modGlobal::PutIniValue(modGlobal::Section, QStringLiteral("SHOWDOWN"), QStringLiteral("?!"),
                                       modGlobal::Settings_File()));
        QVERIFY(modGlobal::PutIniValue(modGlobal::Section, QStringLiteral("OPPONENTS"),
                                       modEncrypt::Encrypt_With_Keys(QStringLiteral("12"), 47, 47, 47, 47),
                                       modGlobal::Settings_File()));
        const QByteArray before = testsupport::Read_File(modGlobal::Settings_File());
        Open_Window();
        QVERIFY(!Get("fraShowdown")->isVisible());
        QCOMPARE(Get<QSpinBox>("spnOpponents")->value(), 1);
        QCOMPARE(testsupport::Read_File(modGlobal::Settings_File()), before);
        QVERIFY(shown.isEmpty());
    }

    // Blank below two hole cards; at the flop heads-up the exact figures and the river's hands; several
    // opponents refine by Monte Carlo; Clear blanks it again; hidden, it computes nothing.
    void figures() {
        Open_Window();
        Play("As Kd");
        QVERIFY(!window->findChild<ShowdownPanel*>()->Calculator().Busy());
        QCOMPARE(Figures(), QStringLiteral("|||")); // hidden: nothing computed
        Action("mnuFileShowdown")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!Text("lblWinPct").isEmpty(), 20000);
        Play("As"); // one card left: blank
        QCOMPARE(Figures(), QStringLiteral("|||"));
        QCOMPARE(Get<QTableWidget>("grdRiver")->rowCount(), 0);
        Play("As 2c 3c 9d");
        QTRY_COMPARE_WITH_TIMEOUT(Text("lblShowdownPrecision"), QStringLiteral("exact"), 20000);
        QCOMPARE(Figures(), Expected("Kd As", "2c 3c 9d", 1));
        QVERIFY(River().startsWith(QStringLiteral("High Card ")));
        QVERIFY(River().contains(QStringLiteral("Straight ")));
        QCOMPARE(QApplication::focusWidget(), Get("txtPot"));

        Get<QSpinBox>("spnOpponents")->setValue(3);
        QTRY_VERIFY_WITH_TIMEOUT(Text("lblShowdownPrecision").startsWith(QStringLiteral("\u00B1 ")), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(window->findChild<ShowdownPanel*>()->Calculator().Latest().final, 20000);
        QCOMPARE(Figures(), Expected("Kd As", "2c 3c 9d", 3)); // seeded: the same figures every time

        QTest::mouseClick(Get("cmdClear"), Qt::LeftButton);
        QCOMPARE(Figures(), QStringLiteral("|||"));
        QCOMPARE(Get<QTableWidget>("grdRiver")->rowCount(), 0);
        QVERIFY(shown.isEmpty());
    }

    void locale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Open_Window();
        Action("mnuFileShowdown")->trigger();
        Play("As Kd 2c 3c 9d Td");
        QTRY_COMPARE_WITH_TIMEOUT(Text("lblShowdownPrecision"), QStringLiteral("exact"), 20000);
        QVERIFY2(Text("lblWinPct").contains(QLatin1Char(',')), qPrintable(Text("lblWinPct")));
        QCOMPARE(Figures(), Expected("As Kd", "2c 3c 9d Td", 1));
    }
};

QTEST_MAIN(TestShowdownPanel)
#include "tst_showdownpanel.moc"
