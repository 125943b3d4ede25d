#include "advice/preflopstats.h"
#include "base/messages.h"
#include "cards/mododds.h"
#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "flow/modzoom.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/showdownfigures.h"
#include "mainwindow/showdownpanel.h"
#include "showdown/odds.h"
#include "tests/support/mainwindowtest.h"
#include "widgets/uihelpers.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <limits>

// The showdown odds panel as the player meets it: shown and hidden beside the legend and the key in
// every order without covering anything, its two settings, and its figures as the cards come.
class TestShowdownPanel : public testsupport::MainWindowTest {
    Q_OBJECT
    const ShowdownPanel* Panel() const { return window->findChild<ShowdownPanel*>(); }
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
    bool Dimmed() const { // the figures drawn in the colour of disabled text
        return Get("lblWinPct")->palette().color(QPalette::WindowText) ==
               Panel()->palette().color(QPalette::Disabled, QPalette::WindowText);
    }
    QString Stored(const char* key) const {
        const QString raw =
            modGlobal::GetIniValue(modGlobal::Section, QLatin1String(key), modGlobal::Settings_File());
        return raw.isEmpty() ? QString() : modEncrypt::Decrypt(raw);
    }

    // Runs the event loop until the panel's figures for the spot now shown have come, the final ones when
    // asked: the worker's progress ends the wait, not a clock (CTest's time-out ends a hang).
    void Wait_For_Figures(bool final) { testsupport::Wait_For_Figures(Panel()->Calculator(), final); }
    // The figures the engine gives for the spot after as many hands as the panel's last figures counted,
    // worked out here on this thread with no time limit: a run deals the same batches whatever the clock
    // says, so it stops where the panel's stopped.
    QString Expected(const QString& hole, const QString& board, int opponents) {
        using namespace showdowntexts;
        showdown::Spot spot;
        const QList<Long> h = testsupport::Cards(hole), b = testsupport::Cards(board);
        spot.hole[0] = h[0];
        spot.hole[1] = h[1];
        for (const Long c : b)
            spot.board[spot.boardCount++] = c;
        spot.opponents = opponents;
        const std::int64_t hands = Panel()->Calculator().Latest().odds.hands;
        showdown::Result last;
        showdown::Workers workers(1);
        showdown::Compute(
            spot, workers, [&](const showdown::Result& r) { last = r.odds.hands <= hands ? r : last; },
            [&] { return last.odds.hands == hands; }, std::numeric_limits<double>::infinity());
        return QStringList{Percent_Text(last.odds.winPct), Percent_Text(last.odds.tiePct),
                           Percent_Text(last.odds.equityPct), Precision_Text(last.odds)}
            .join(QLatin1Char('|'));
    }

  private slots:
    void initTestCase() { Start_Test_Case({{"AK", "2", "Better", "5", "4", "2"}}); }

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
    // opponents refine by Monte Carlo (the last figures dimmed till then); Clear blanks it; hidden, it
    // computes nothing.
    void figures() {
        Open_Window();
        Play("As Kd");
        QVERIFY(!Panel()->Calculator().Busy());
        QCOMPARE(Figures(), QStringLiteral("|||")); // hidden: nothing computed
        Action("mnuFileShowdown")->trigger();
        Wait_For_Figures(false);
        QVERIFY(!Text("lblWinPct").isEmpty());
        Play("-As"); // one card left: blank
        QCOMPARE(Figures(), QStringLiteral("|||"));
        QCOMPARE(Get<QTableWidget>("grdRiver")->rowCount(), 0);
        Play("As 2c 3c 9d");
        Wait_For_Figures(true);
        QCOMPARE(Text("lblShowdownPrecision"), QStringLiteral("exact"));
        QCOMPARE(Figures(), Expected("Kd As", "2c 3c 9d", 1));
        QVERIFY(River().startsWith(QStringLiteral("High Card ")));
        QVERIFY(River().contains(QStringLiteral("Straight ")));
        QCOMPARE(QApplication::focusWidget(), Get("txtPot"));

        const QString exact = Figures() + River();
        Get<QSpinBox>("spnOpponents")->setValue(3);
        QVERIFY(Dimmed() && Figures() + River() == exact);
        Wait_For_Figures(false);
        QVERIFY(!Dimmed());
        QVERIFY(Text("lblShowdownPrecision").startsWith(QStringLiteral("\u00B1 ")));
        Wait_For_Figures(true);
        QVERIFY(Panel()->Calculator().Latest().final);
        QCOMPARE(Figures(), Expected("Kd As", "2c 3c 9d", 3)); // seeded: the same figures every time

        QTest::mouseClick(Get("cmdClear"), Qt::LeftButton);
        QCOMPARE(Figures(), QStringLiteral("|||"));
        QCOMPARE(Get<QTableWidget>("grdRiver")->rowCount(), 0);
        QVERIFY(shown.isEmpty());
    }

    // The panel's texts in the user's locale: two decimals for the odds, one for the by-the-river rows,
    // which list the categories with a chance above 0, lowest first.
    void figure_texts() {
        using namespace showdowntexts;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        showdown::OddsFigures exact, refined;
        exact.exact = true;
        refined.stdErrorPct = 0.1249;
        showdown::RiverFigures none, river;
        river.boards = 1000, river.count[1] = 511, river.count[2] = 298, river.count[6] = 191;
        QStringList got{Percent_Text(49.5812), Percent_Text(0), Percent_Text(100), Precision_Text(exact),
                        Precision_Text(refined)};
        RiverRow rows[RiverRowSlots];
        QCOMPARE(River_Rows(none, rows), 0);
        for (Long i = 0, n = River_Rows(river, rows); i < n; ++i)
            got << rows[i].hand << rows[i].odds;
        QCOMPARE(got.join(QLatin1Char(' ')),
                 "49,58% 0,00% 100,00% exact \u00B1 0,12% High Card 51,1% Pair 29,8% Flush 19,1%");
    }

    // The strength labels (the strength from the flop on, the potentials only while a card is to come) and
    // the price of each wager of the round for the pot typed, against the Equity shown.
    void strength_and_advice_data() {
        QTest::addColumn<QString>("clicks"); // "river:" first: played to the river
        QTest::addColumn<int>("opponents");
        QTest::addColumn<QString>("pot");
        QTest::addColumn<QString>("needs"); // wager, needs and action, row by row
        // clang-format off
        QTest::newRow("flop") << "As Kd 2c 3c 9d" << 1 << "10" << "$1.00 9.1% BET, $2.00 16.7% BET, $3.00 23.1% BET, $4.00 28.6% BET";
        QTest::newRow("turn: big bets") << "As Kd 2c 3c 9d Td" << 3 << "10" << "$2.00 16.7% FOLD, $4.00 28.6% FOLD, $6.00 37.5% FOLD, $8.00 44.4% FOLD";
        QTest::newRow("before the flop, refined") << "As Kd" << 3 << "6" << "$1.00 14.3% BET, $2.00 25.0% BET, $3.00 33.3% BET, $4.00 40.0% FOLD";
        QTest::newRow("the river, exact") << "river:As Kd 2c 3c 9d Td Kc" << 2 << "14" << "$2.00 12.5% BET, $4.00 22.2% BET, $6.00 30.0% BET, $8.00 36.4% BET";
        QTest::newRow("a pot that is no number") << "As Kd 2c 3c 9d" << 1 << "ten" << "";
        // clang-format on
    }
    void strength_and_advice() {
        QFETCH(QString, clicks);
        QFETCH(int, opponents);
        QFETCH(QString, pot);
        QFETCH(QString, needs);
        Open_Window();
        if (clicks.startsWith(QLatin1String("river:"))) Action("mnuFileRiver")->trigger();
        Action("mnuFileShowdown")->trigger();
        Get<QSpinBox>("spnOpponents")->setValue(opponents);
        Play(clicks.section(QLatin1Char(':'), -1));
        QTest::keyClicks(Get("txtPot"), pot);
        Wait_For_Figures(true);
        const showdown::Result& r = Panel()->Calculator().Latest();
        const int board = clicks.count(QLatin1Char(' ')) - 1;
        QCOMPARE(Text("lblStrength").isEmpty(), board < 3);
        QCOMPARE(Text("lblPotential").isEmpty() || Text("lblCleanOuts").isEmpty(), board < 3 || board == 5);
        if (board == 3) QCOMPARE(Text("lblCleanOuts"), QStringLiteral("6 (12.8%)")); // an ace or a king of 47
        if (board == 5) QVERIFY(Text("lblShowdownPrecision") == "exact" && River() == "Pair 100.0%");
        if (board >= 3) QCOMPARE(Text("lblStrength"), showdowntexts::Percent_Text(r.strength.strengthPct));
        const auto* grid = Get<QTableWidget>("grdShowdownAdvice");
        QStringList rows;
        for (int i = 0; i < grid->rowCount(); ++i)
            rows << grid->item(i, 0)->text() + QLatin1Char(' ') + grid->item(i, 1)->text() +
                        QLatin1Char(' ') + grid->item(i, 2)->text();
        QCOMPARE(rows.join(QLatin1String(", ")), needs);
        QTest::mouseClick(Get("cmdClear"), Qt::LeftButton);
        QVERIFY(grid->rowCount() == 0 && Text("lblStrength").isEmpty());
    }

    // The river's setting is written when it changes, and read by the next window.
    void river_setting() {
        Open_Window();
        QCOMPARE(Stored("RIVER"), QString());
        Action("mnuFileRiver")->trigger();
        QCOMPARE(Stored("RIVER"), QStringLiteral("1"));
        Open_Window();
        Play("As Kd 2c 3c 9d Td Kc");
        QVERIFY(Action("mnuFileRiver")->isChecked() && Text("lblCurrent").startsWith(QLatin1String("River")));
    }

    void locale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Open_Window();
        Action("mnuFileShowdown")->trigger();
        Play("As Kd 2c 3c 9d Td");
        Wait_For_Figures(true);
        QCOMPARE(Text("lblShowdownPrecision"), QStringLiteral("exact"));
        QVERIFY2(Text("lblWinPct").contains(QLatin1Char(',')), qPrintable(Text("lblWinPct")));
        QCOMPARE(Figures(), Expected("As Kd", "2c 3c 9d Td", 1));
    }
};

QTEST_MAIN(TestShowdownPanel)
#include "tst_showdownpanel.moc"
