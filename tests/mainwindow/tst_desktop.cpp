#include "advice/preflopstats.h"
#include "base/messages.h"
#include "cards/mododds.h"
#include "config/frmsettings.h"
#include "config/modglobal.h"
#include "flow/modzoom.h"
#include "mainwindow/frmmain.h"
#include "shell/frmsplash.h"
#include "shell/urllink.h"
#include "tests/support/mainwindowtest.h"
#include "widgets/uihelpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QTest>

#include <memory>

// The main window on today's desktops: the zoom of every window and its setting, cards typed on the
// keyboard, Tab through the window, and grids whose texts show whole in every locale.
namespace {

// A length in twips as pixels at a zoom, worked out apart from the program's own helpers.
int Pixels(int twips, int percent) {
    return qRound(twips * percent / 1500.0);
}
QRect Pixels(const QRect& twips, int percent) {
    return QRect(Pixels(twips.x(), percent), Pixels(twips.y(), percent), Pixels(twips.width(), percent),
                 Pixels(twips.height(), percent));
}

// What a cell's text may take of its column: the column less the margins the grid's style draws.
int Text_Room(const QTableWidget* grid, int column) {
    return grid->columnWidth(column) -
           2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
}

} // namespace

class TestDesktop : public testsupport::MainWindowTest {
    Q_OBJECT
    QLineEdit* Pot() const { return Get<QLineEdit>("txtPot"); }
    QLineEdit* Entry() const { return Get<QLineEdit>("txtEnterCards"); }
    QLabel* Problem() const { return Get<QLabel>("lblEnterCardsProblem"); }
    QString Chosen() const { // the chosen cards, by their check boxes, in card order (spades first)
        QStringList names;
        for (int i = 0; i < modOdds::CardCount; ++i)
            if (Check(i)->isChecked()) names << testsupport::Card_Name(i);
        return names.join(QLatin1Char(' '));
    }
    uint Frame(const char* card) const {
        return Get(QStringLiteral("lblValue_%1").arg(testsupport::Card(QLatin1String(card))))
            ->property("BackColor")
            .toUInt();
    }

    void Zoom_To(int percent) {
        Action("mnuFileZoomReset")->trigger();
        while (modZoom::ZoomPercent < percent)
            Action("mnuFileZoomIn")->trigger();
        QCOMPARE(modZoom::ZoomPercent, percent);
    }
    void Headers_And_Menus_At(int percent) { // they hold no font of the window's own, yet follow the zoom
        for (const QWidget* w : window->findChildren<QHeaderView*>())
            QCOMPARE(w->font().pointSizeF(), 8.25 * percent / 100);
        QCOMPARE(Get("mnuHelpOnline")->font().pointSizeF(),
                 QApplication::font().pointSizeF() * percent / 100);
    }
    void Type_Cards(const QString& text) {
        QTest::keyClick(Pot(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Entry()));
        const QWidget* bar = Get("fraEnterCards"); // covering nothing the player may need meanwhile
        for (const QWidget* w : window->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(w == bar || !w->isVisible() || !w->geometry().intersects(bar->geometry()),
                     qPrintable(w->objectName()));
        QTest::keyClicks(Entry(), text);
        QTest::keyClick(Entry(), Qt::Key_Return);
    }

  private slots:
    void initTestCase() { Start_Test_Case({{"AK s", "1", "Best", "3", "2", "1"}}); }

    // --- zoom ---
    void zoom_steps_data() {
        QTest::addColumn<int>("percent");
        for (const Long step : modZoom::Steps)
            QTest::addRow("%d%%", step) << static_cast<int>(step);
    }
    // Every step sizes the window, the card faces, the frames, the icons and the fonts by the same
    // factor; back at 100% every control stands exactly where it was laid out.
    void zoom_steps() {
        QFETCH(int, percent);
        Open_Window(3);
        const QWidget* slider = Get("sldPot");
        const int handle = slider->style()->pixelMetric(QStyle::PM_SliderLength, nullptr, slider);
        Zoom_To(percent);
        Headers_And_Menus_At(percent);
        // The style's own sizes too: the slider's handle.
        QCOMPARE(slider->style()->pixelMetric(QStyle::PM_SliderLength, nullptr, slider),
                 qRound(handle * percent / 100.0));
        QCOMPARE(window->centralWidget()->size(),
                 QSize(Pixels(frmMain::WidthLegendShown - frmMain::FrameWidthTwips, percent),
                       Pixels(frmMain::HeightKeyShown - frmMain::FrameHeightTwips, percent)));
        QCOMPARE(Get("imgCard_0")->geometry(), Pixels(QRect(540, 420, 150, 495), percent));
        QCOMPARE(Get("lblValue_51")->geometry(), Pixels(QRect(3360, 2160, 255, 615), percent));
        QCOMPARE(Get("Image5")->geometry(), Pixels(QRect(3720, 2235, 360, 480), percent));
        QCOMPARE(Get("grdHands_Box")->geometry(), Pixels(QRect(6240, 840, 2415, 2895), percent));
        QCOMPARE(Get("lblLegend_0")->font().pointSizeF(), 8.25 * percent / 100);
        QCOMPARE(Get("lblCurrent")->font().pointSizeF(), 12.0 * percent / 100);
        QCOMPARE(Get<QTableWidget>("grdResults")->columnWidth(1), Pixels(1005, percent));
        QCOMPARE(Get<QTableWidget>("grdHands")->horizontalHeader()->height(), Pixels(285, percent));
        const QRect client = window->centralWidget()->rect();
        for (const char* name : {"lblLegend_6", "lblDecipher", "txtCards", "grdResults_Box", "sldPot"})
            QVERIFY2(client.contains(Get(name)->geometry()), name);
        QVERIFY(shown.isEmpty());

        Action("mnuFileZoomReset")->trigger();
        for (const char* name : {"imgCard_0", "lblValue_51", "txtPot", "lblDecipher", "grdHands_Box"}) {
            const QRect twips = Get(name)->property("ZoomTwips").toRect();
            QCOMPARE(Get(name)->geometry(), Twips_Rect(twips.x(), twips.y(), twips.width(), twips.height()));
        }
        QCOMPARE(Get("lblLegend_0")->font().pointSizeF(), 8.25);
    }

    // The two display toggles at 200%: the window grows by the zoomed column and strip, and what it
    // shows lies inside it.
    void toggles_at_200() {
        Open_Window(0);
        Zoom_To(200);
        const QRect hidden(0, 0, Pixels(8850 - 120, 200), Pixels(4455 - 690, 200));
        QCOMPARE(window->centralWidget()->rect(), hidden);
        QVERIFY(!Get("lblLegend_0")->isVisible());
        Action("mnuFileLegend")->trigger();
        Action("mnuFileShortcuts")->trigger();
        const QRect client = window->centralWidget()->rect();
        QCOMPARE(client.size(), QSize(Pixels(10650 - 120, 200), Pixels(4995 - 690, 200)));
        for (const char* name : {"lblLegendTitle", "lblLegend_6", "lblDecipher", "txtCards"}) {
            QVERIFY2(Get(name)->isVisible(), name);
            QVERIFY2(client.contains(Get(name)->geometry()), name);
        }
        Action("mnuFileLegend")->trigger();
        QCOMPARE(window->centralWidget()->width(), hidden.width());
        QVERIFY(!Get("lblLegend_0")->isVisible());
        QCOMPARE(modGlobal::OPTIONS, 2);
    }

    // The zoom is stored when it changes and the next main window opens at it.
    void zoom_persists() {
        Open_Window();
        QTest::keyClick(Pot(), Qt::Key_Equal, Qt::ControlModifier); // from the pot box
        QTest::keyClick(Pot(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(modZoom::ZoomPercent, 150);
        QCOMPARE(modGlobal::Get_Optional_Setting(modZoom::ZoomKey, 0, 0, 1000), 150);
        QTest::keyClick(Pot(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(modGlobal::Get_Optional_Setting(modZoom::ZoomKey, 0, 0, 1000), 125);
        window.reset();
        modZoom::Load_Zoom(); // as at the next start, where the start-up form comes first at that zoom
        Apply_Zoom_To_All_Forms();
        Open_Window();
        QCOMPARE(modZoom::ZoomPercent, 125);
        Headers_And_Menus_At(125);
        QCOMPARE(Get("imgCard_0")->size(), QSize(Pixels(150, 125), Pixels(495, 125)));
        QTest::keyClick(Pot(), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(Get("imgCard_0")->geometry(), Twips_Rect(540, 420, 150, 495));
        QCOMPARE(modGlobal::Get_Optional_Setting(modZoom::ZoomKey, 0, 0, 1000), 100);
        QVERIFY(shown.isEmpty());
    }

    // A stored 300% opens at the largest step that fits the screen, the file unchanged; Zoom In stops there.
    void zoom_fits_the_screen() {
        Open_Window(3);
        Action("mnuFileShowdown")->trigger();
        QVERIFY(modGlobal::Put_Optional_Setting(modZoom::ZoomKey, 300));
        window = std::make_unique<frmMain>();
        window->move(3840,
                     0); // with legend, key and panel onto the 1920 x 1080 screen (support/screens.json)
        QVERIFY(testsupport::Show_Active(window.get()));
        QCOMPARE(modZoom::ZoomPercent, 150); // the panel's third column: 175% would be 1,979 pixels wide
        QCOMPARE(modGlobal::Get_Optional_Setting(modZoom::ZoomKey, 0, 0, 1000), 300);
        QVERIFY(!Action("mnuFileZoomIn")->isEnabled());
    }

    // The other windows: built at the current zoom, and an open one follows a change.
    void other_windows_follow() {
        Open_Window();
        ShowingAbout = true; // no countdown
        std::unique_ptr<frmSplash> about(new frmSplash);
        std::unique_ptr<frmSettings> settings(new frmSettings);
        about->setAttribute(Qt::WA_DeleteOnClose, false);
        settings->setAttribute(Qt::WA_DeleteOnClose, false);
        about->show();
        settings->show();
        const int linkAt100 = about->URLLink1->lblURL->width();
        const double nameAt100 = about->lblName->font().pointSizeF();
        Zoom_To(200);
        QCOMPARE(about->size(), QSize(Pixels(4800, 200), Pixels(3990, 200)));
        QCOMPARE(about->cmdOK->geometry(), Pixels(QRect(1680, 3480, 1335, 375), 200));
        QCOMPARE(about->lblName->font().pointSizeF(), 2 * nameAt100);
        QVERIFY(std::abs(about->URLLink1->lblURL->width() - 2 * linkAt100) <= 4);
        QCOMPARE(settings->size(), QSize(Pixels(3750, 200), Pixels(2670, 200)));
        QCOMPARE(settings->txtPotSizeAvg->geometry(), Pixels(QRect(1920, 2280, 1695, 285), 200));
        std::unique_ptr<frmSettings> later(new frmSettings); // built at 200%
        later->setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(later->size(), settings->size());
        for (const frmSettings* f : {settings.get(), later.get()})
            for (const QLabel* label : {f->Label2, f->Label3, f->Label4, f->Label5}) {
                QVERIFY(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width());
                QCOMPARE(label->font().pointSizeF(), f->Label2->font().pointSizeF()); // one size still
            }
        QCOMPARE(later->cmdSave->font().pointSizeF(), settings->cmdSave->font().pointSizeF());
        QCOMPARE(later->cmdSave->font().pointSizeF(), 2 * QApplication::font().pointSizeF());
        ShowingAbout = false;
    }

    // --- keyboard ---
    void typed_cards_data() {
        QTest::addColumn<QString>("before"); // cards clicked first
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen"); // afterwards, in card order
        QTest::addColumn<QString>("problem");
        // clang-format off
        QTest::newRow("run together") << "" << "AsKh" << "As Kh" << "";
        QTest::newRow("a flop") << "As Kh" << "ah kd 2c" << "As Kh Ah 2c Kd" << "";
        QTest::newRow("a new hand after the turn") << "8s 9s 2s 3s Kh Ad" << "Qc 8s 9s" << "8s 9s Qc" << "";
        QTest::newRow("run together at the turn") << "8s 9s 2s 3s Kh Qc" << "AhAd" << "Ah Ad" << "";
        QTest::newRow("no card") << "As" << "Kh Zz" << "As" << "\u201CZz\u201D is not a card";
        QTest::newRow("already chosen") << "As" << "Kh as" << "As" << "\u201Cas\u201D is already chosen";
        QTest::newRow("typed twice") << "" << "Kh 2c KH" << "" << "\u201CKH\u201D is typed twice";
        // clang-format on
    }
    void typed_cards() {
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QFETCH(QString, problem);
        Open_Window();
        if (!before.isEmpty()) Play(before);
        QTest::keyClicks(Pot(), QStringLiteral("25"));
        Type_Cards(typed);
        QCOMPARE(Chosen(), chosen);
        QCOMPARE(Problem()->text(), problem);
        if (problem.isEmpty()) {
            QVERIFY(!Entry()->isVisible());
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Pot()));
            QCOMPARE(Pot()->selectedText(), Pot()->text()); // the pot a seventh card has emptied
            QCOMPARE(Pot()->text(), before.count(QLatin1Char(' ')) == 5 ? QString() : QStringLiteral("25"));
            for (const QString& c : chosen.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                QCOMPARE(Frame(qPrintable(c)), BlackColour); // as a click on the card would
        } else {
            QVERIFY(Entry()->isVisible());
            QCOMPARE(Problem()->palette().color(QPalette::WindowText), QColor(204, 0, 0));
            QVERIFY(problem.contains(Entry()->selectedText()));
            QTest::keyClick(Entry(), Qt::Key_Escape);
            QVERIFY(!Entry()->isVisible());
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Pot()));
            QCOMPARE(Chosen(), chosen);
        }
    }

    // Played to the river, in every order of clicks, typed entries, Undo and Clear at seven and eight
    // cards: the river stands until the eighth card or Clear, and the action list stays empty there.
    void river_entries_data() {
        QTest::addColumn<QString>(
            "steps"); // "|" between: "t" typed, "u" Undo, "c" Clear, "r" River off, clicks
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("prompt");
        const QString river = QStringLiteral("River - Enter Pot for Strategy");
        const QString preFlop = QStringLiteral("Pre-Flop Strategy");
        // clang-format off
        QTest::newRow("typed to the river") << "t As Kh 2c 3c 9d Td Kd" << "As Kh 2c 3c 9d Td Kd" << river;
        QTest::newRow("typed past the river") << "t As Kh 2c 3c 9d Td Kd 5s 6s" << "5s 6s" << preFlop;
        QTest::newRow("the eighth clicked") << "As Kh 2c 3c 9d Td Kd 5s" << "" << "Enter Pre-Flop Cards";
        QTest::newRow("typed after the river") << "As Kh 2c 3c 9d Td Kd|t Qh Qd" << "Qh Qd" << preFlop;
        QTest::newRow("Undo the river") << "t As Kh 2c 3c 9d Td Kd|u" << "As Kh 2c 3c 9d Td" << "Turn - Enter Pot for Strategy";
        QTest::newRow("Undo the river, then again") << "As Kh 2c 3c 9d Td Kd|u|Kc" << "As Kh 2c 3c Kc 9d Td" << river;
        QTest::newRow("Undo after Clear") << "As Kh 2c 3c 9d Td Kd|c|u" << "" << "Enter Pre-Flop Cards";
        QTest::newRow("Clear, then typed") << "t As Kh 2c 3c 9d Td Kd|c|t Ah Ad" << "Ah Ad" << preFlop;
        QTest::newRow("turned off at the river") << "As Kh 2c 3c 9d Td Kd|r" << "" << "Enter Pre-Flop Cards";
        QTest::newRow("turned off at the turn") << "As Kh 2c 3c 9d Td|r|Kd" << "" << "Enter Pre-Flop Cards";
        // clang-format on
    }
    void river_entries() {
        QFETCH(QString, steps);
        QFETCH(QString, chosen);
        QFETCH(QString, prompt);
        Open_Window();
        Action("mnuFileRiver")->trigger();
        for (const QString& step : steps.split(QLatin1Char('|'))) {
            QTest::keyClicks(Pot(), QStringLiteral("25"));
            if (step.startsWith(QLatin1String("t ")))
                Type_Cards(step.mid(2));
            else if (step == QLatin1String("u"))
                QTest::keyClick(Pot(), Qt::Key_Z, Qt::ControlModifier);
            else if (step == QLatin1String("c"))
                QTest::mouseClick(Get("cmdClear"), Qt::LeftButton);
            else if (step == QLatin1String("r"))
                Action("mnuFileRiver")->trigger();
            else
                Play(step);
        }
        QCOMPARE(Chosen(), chosen);
        QCOMPARE(Text("lblCurrent"), prompt);
        // At the river no card is to come: no outs, no hands rows, no action, every unseen frame neutral.
        const bool atRiver = prompt.startsWith(QLatin1String("River"));
        const int rows =
            Get<QTableWidget>("grdResults")->rowCount() + Get<QTableWidget>("grdHands")->rowCount();
        QCOMPARE(Text("lblOuts").isEmpty() && rows == 0, atRiver || !prompt.contains(QLatin1String(" - ")));
        for (int i = 0; i < modOdds::CardCount && atRiver; ++i)
            QVERIFY(Check(i)->isChecked() || Frame(qPrintable(testsupport::Card_Name(i))) == NeutralColour);
    }

    // Ctrl+Z from the pot box takes back the latest card still chosen, as a click on it would.
    void undo_last_card() {
        Open_Window();
        Play("As Kh 2c 3c 4c");
        QVERIFY(Get<QTableWidget>("grdHands")->rowCount() > 0);
        Play("-Kh"); // released by hand: the latest still chosen is 4c
        QTest::keyClick(Pot(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Chosen(), QStringLiteral("As 2c 3c"));
        QCOMPARE(Frame("4c"), NeutralColour);
        QTest::keyClick(Pot(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(Pot(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Chosen(), QStringLiteral("As"));
        QCOMPARE(Get("lblCurrent")->property("text").toString(), QStringLiteral("Enter Pre-Flop Cards"));
        Action("mnuFileUndoCard")->trigger();
        Action("mnuFileUndoCard")->trigger(); // nothing left: nothing happens
        QCOMPARE(Chosen(), QString());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Pot()));
        QVERIFY(shown.isEmpty());
    }

    // Tab leaves both grids, with rows in them, reaches the card table and comes back round; Shift+Tab
    // goes the other way.
    void tab_order_data() {
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("order");
        QTest::newRow("legend hidden") << 0 << "sldPot cmdClear grdResults grdHands imgCard_0 txtPot";
        QTest::newRow("legend shown") << 1 << "sldPot cmdClear grdResults grdHands txtCards imgCard_0 txtPot";
    }
    void tab_order() {
        QFETCH(int, options);
        QFETCH(QString, order);
        Open_Window(options);
        Play("8s 9s 2s 3s Kh");
        QTest::keyClicks(Pot(), QStringLiteral("10"));
        QVERIFY(Get<QTableWidget>("grdResults")->rowCount() > 0);
        const QStringList forward = order.split(QLatin1Char(' '));
        for (const QString& name : forward) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
        QStringList backward = forward;
        std::reverse(backward.begin(), backward.end());
        backward.removeFirst();
        backward << QStringLiteral("txtPot");
        for (const QString& name : backward) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    // --- grids in every locale ---
    void grid_texts_fit_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("minBet");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QString>("first");
        QTest::newRow("de_DE tens") << "de_DE" << 10.0 << 100 << "10,00\u00A0\u20AC";
        QTest::newRow("de_DE thousands") << "de_DE" << 1234.0 << 100 << "1.234,00\u00A0\u20AC";
        QTest::newRow("de_DE thousands at 150%") << "de_DE" << 1234.0 << 150 << "1.234,00\u00A0\u20AC";
        QTest::newRow("en_US") << "en_US" << 1.0 << 100 << "$1.00";
    }
    // Every text of both grids within its column's room, and the last column whole in the grid.
    void grid_texts_fit() {
        QFETCH(QString, locale);
        QFETCH(double, minBet);
        QFETCH(int, zoom);
        QFETCH(QString, first);
        QLocale::setDefault(QLocale(locale));
        Open_Window(0, minBet, 2 * minBet);
        Zoom_To(zoom);
        Play("9h Th Jh Qh 2c"); // a straight flush draw: "Straight Flush" among the hands
        QTest::keyClicks(Pot(), QStringLiteral("10"));
        auto* grid = Get<QTableWidget>("grdResults");
        QCOMPARE(grid->item(0, 0)->text(), first);
        auto* hands = Get<QTableWidget>("grdHands");
        QCOMPARE(hands->item(hands->rowCount() - 1, 0)->text(), QStringLiteral("Straight Flush"));
        for (const QTableWidget* g : {grid, hands}) {
            const QFontMetrics metrics(g->font());
            for (int r = 0; r < g->rowCount(); ++r)
                for (int c = 0; c < 2; ++c)
                    QVERIFY2(metrics.horizontalAdvance(g->item(r, c)->text()) <= Text_Room(g, c),
                             qPrintable(g->item(r, c)->text()));
            QVERIFY(g->columnViewportPosition(1) + g->columnWidth(1) <= g->viewport()->width());
        }
        QVERIFY(grid->columnWidth(0) >= Pixels(705, zoom));
        if (locale == QLatin1String("en_US")) // what fits stays at its width
            QCOMPARE(grid->columnWidth(0), Pixels(705, zoom));
        modGlobal::POTSIZEAVG = static_cast<Long>(minBet) * 1000; // the pot box shows the longest pot whole
        window->Show_Settings();
        Pot()->setText(QLocale().toString(static_cast<double>(modGlobal::POTSIZEAVG), 'f', 1));
        Pot()->grab(); // drawn: a text too long for the box scrolls its start away
        QCOMPARE(Pot()->cursorPositionAt(QPoint(3, Pot()->height() / 2)), 0);
        QVERIFY(Pot()->geometry().right() < Get("sldPot")->geometry().left());
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
