#include "advice/preflopstats.h"
#include "advice/strategy.h"
#include "base/messages.h"
#include "cards/mododds.h"
#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "mainwindow/frmmain.h"
#include "tests/support/mainwindowtest.h"
#include "version.h"
#include "widgets/uihelpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QTableWidget>
#include <QTest>

namespace {

int Card(const char* name) {
    return testsupport::Card(QLatin1String(name));
}

// The grid as "text|text|text, text|text|text", hidden columns included.
QString Grid(const QTableWidget* grid) {
    QStringList rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c)
            cells << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
        rows << cells.join(QLatin1Char('|'));
    }
    return rows.join(QLatin1String(", "));
}

uint Back(const QWidget* w) {
    return w->property("BackColor").toUInt();
}

const QString FourBets = QStringLiteral("$1.00|BET, $2.00|BET, $3.00|BET, $4.00|BET");
const QString OneBet = QStringLiteral("$1.00|BET, $2.00|FOLD, $3.00|FOLD, $4.00|FOLD");
const QString FourFolds = QStringLiteral("$1.00|FOLD, $2.00|FOLD, $3.00|FOLD, $4.00|FOLD");

} // namespace

class TestMainWindow : public testsupport::MainWindowTest {
    Q_OBJECT
    uint Frame(int i) const { return Back(Get(QStringLiteral("lblValue_%1").arg(i))); }
    QString Odds() const { return Text("lblOuts") + QLatin1Char('|') + Text("lblHitPct"); }
    QLineEdit* Pot() const { return Get<QLineEdit>("txtPot"); }
    QTableWidget* Hands() const { return Get<QTableWidget>("grdHands"); }
    QTableWidget* Results() const { return Get<QTableWidget>("grdResults"); }

    void Click_Hand_Row(int row) {
        const QRect r = Hands()->visualRect(Hands()->model()->index(row, 0));
        QTest::mouseClick(Hands()->viewport(), Qt::LeftButton, {}, r.center());
    }
    void Type_Pot(const QString& text) {
        Pot()->selectAll();
        Pot()->del();
        QTest::keyClicks(Pot(), text);
    }
    QString Stored_Options() const {
        const QString raw =
            modGlobal::GetIniValue(modGlobal::Section, QStringLiteral("OPTIONS"), modGlobal::Settings_File());
        return raw.isEmpty() ? QString() : modEncrypt::Decrypt(raw);
    }

  private slots:
    void initTestCase() {
        Start_Test_Case({{"AK s", "1", "Best", "3", "2", "1"},
                         {"AK", "2", "Better", "5", "4", "2"},
                         {"77", "3", "Good", "12", "1", "3"},
                         {"T9", "4", "Bad", "60", "2", "6"},
                         {"QJ", "5", "best", "30", "3", "4"},
                         {"77", "6", "Fold", "99", "9", "9"},
                         {"98 s", "7", "Marginal", "40.5", "2.5", "5"}});
    }

    // --- the window as it opens ---
    void controls_stand_in_place_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("deuce of spades frame") << "lblValue_0" << QRect(480, 360, 255, 615);
        QTest::newRow("deuce of spades picture") << "imgCard_0" << QRect(540, 420, 150, 495);
        QTest::newRow("ace of diamonds frame") << "lblValue_51" << QRect(480 + 2880, 360 + 1800, 255, 615);
        QTest::newRow("ace of clubs picture") << "imgCard_38" << QRect(540 + 2880, 420 + 1200, 150, 495);
        QTest::newRow("txtPot") << "txtPot" << QRect(960, 3360, 615, 285);
        QTest::newRow("lblDecipher") << "lblDecipher" << QRect(120, 3960, 8655, 255);
        QTest::newRow("grdHands") << "grdHands_Box" << QRect(6240, 840, 2415, 2895);
    }
    void controls_stand_in_place() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        Open_Window(3);
        QCOMPARE(Get(name)->geometry(), Twips_Rect(twips.x(), twips.y(), twips.width(), twips.height()));
    }

    void captions_and_fonts() {
        Open_Window(3);
        QCOMPARE(window->windowTitle(), QStringLiteral("Quorvane v" QUORVANE_VERSION_TEXT));
        // clang-format off
        const char* captions[][2] = {
            {"lblSettings", "Settings: $1.00/$2.00, Max 3 Raises"}, {"lblPot", "Est Pot:"}, {"lblOutsLbl", "# Outs:"},
            {"lblHitPctLbl", "Hit %:"}, {"lblLegendTitle", "Legend"}, {"cmdClear", "&Clear"},
            {"grdHands_Caption", "Hand Possibilities"}, {"grdResults_Caption", "Action To Take"}};
        // clang-format on
        for (const auto& c : captions)
            QCOMPARE(Text(c[0]), QString::fromLatin1(c[1]));
        QVERIFY(Text("lblDecipher").startsWith(QStringLiteral("Pre-Flop Info: Hand ('s'=SUITED)")));
        for (const char* name : {"lblCurrent", "lblSuited", "lblLegendTitle", "lblLegend_0", "lblLegend_6"}) {
            const QFont f = Get(name)->font();
            QVERIFY(f.bold());
            QCOMPARE(f.pointSizeF(), name[3] == 'L' ? 8.25 : 12.0); // the legend is smaller
        }
        QStringList headers;
        for (const QTableWidget* grid : {Hands(), Results()})
            for (int c = 0; c < grid->columnCount(); ++c)
                headers << grid->horizontalHeaderItem(c)->text();
        QCOMPARE(headers, (QStringList{"Hand", "%Odds", "Outs", "Wager", "Action"}));
        QVERIFY(Hands()->isColumnHidden(2));
        QCOMPARE(Get<QSlider>("sldPot")->maximum(), 40);
    }

    void menus_in_order() {
        Open_Window();
        auto names = [this](const char* menu) {
            QStringList list{Get<QMenu>(QString::fromLatin1(menu))->title()};
            for (QAction* a : Get<QMenu>(QString::fromLatin1(menu))->actions())
                list << a->objectName() + QLatin1Char('=') + a->text();
            return list;
        };
        QCOMPARE(names("mnuFile"),
                 (QStringList{"&File", "mnuFileLegend=&Legend", "mnuFileShortcuts=&PreFlop Strategy Key",
                              "mnuFileShowdown=Sho&wdown Odds", "mnuFileRange=Opponents' &Range...",
                              "mnuFileMarks=Category &Marks", "mnuFileRiver=Play to the &River",
                              "mnuFileSettings=Change &Settings", "mnuFileSepCards=",
                              "mnuFileEnterCards=&Enter Cards\u2026", "mnuFileUndoCard=&Undo Last Card",
                              "mnuFileSepZoom=", "mnuFileZoomIn=Zoom &In", "mnuFileZoomOut=Zoom &Out",
                              "mnuFileZoomReset=&Actual Size", "mnuFileSep=", "mnuFileExit=E&xit"}));
        QCOMPARE(names("mnuHelp"),
                 (QStringList{"&Help", "mnuHelpOnline=&Online Help", "mnuHelpSep=", "mnuHelpAbout=&About"}));
        const QStringList online = names("mnuHelpOnline");
        QCOMPARE(online.mid(0, 6),
                 (QStringList{"&Online Help", "mnuOnlineHome=Quorvane Home Page",
                              "mnuOnlineDownload=Download Latest Version",
                              "mnuOnlineTroubleshooting=Troubleshooting", "mnuOnlineGroupings=Groupings Help",
                              "mnuOnlineManual=Online Manual"}));
        QCOMPARE(online.size(), 7);
        QVERIFY(online[6].startsWith(QStringLiteral("mnuOnlineHomeMain=")));
        QVERIFY(online[6].endsWith(QStringLiteral(" Home Page")));
    }

    // --- clearing the board: at load, on a seventh card and with the Clear button ---
    void board_starts_empty_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("at load") << "load";
        QTest::newRow("a seventh card clears") << "seventh";
        QTest::newRow("Clear button") << "button";
    }
    void board_starts_empty() {
        QFETCH(QString, how);
        Open_Window();
        if (how != QLatin1String("load")) {
            Play("8s 9s 2s 3s Kh Ad");
            Type_Pot(QStringLiteral("20"));
            QVERIFY(Results()->rowCount() > 0);
            if (how == QLatin1String("seventh"))
                Click_Frame("Qc");
            else
                QTest::mouseClick(Get("cmdClear"), Qt::LeftButton);
        }
        for (int i = 0; i < 52; ++i) {
            QVERIFY(!Check(i)->isChecked());
            QVERIFY(!Check(i)->isVisible());
            QCOMPARE(Frame(i), NeutralColour);
        }
        QCOMPARE(Text("lblCurrent"), QStringLiteral("Enter Pre-Flop Cards"));
        for (const char* name : {"lblSuited", "txtCards", "lblOuts", "lblHitPct", "txtPot"})
            QCOMPARE(Text(name), QString());
        QCOMPARE(Hands()->rowCount(), 0);
        QCOMPARE(Results()->rowCount(), 0);
        QCOMPARE(modOdds::CardsUnseen, 52);
        QCOMPARE(modOdds::CardsChosen, 0);
        QVERIFY(modOdds::SmallBetRound);
        QCOMPARE(Text("lblLegend_0"), QStringLiteral("Best"));
        Play("Kh Ah"); // and a new hand starts from here
        QCOMPARE(Text("lblSuited"), QStringLiteral("AK s - Best (3/7) [2] G1"));
    }

    // --- pre-flop advice ---
    void preflop_advice_data() {
        QTest::addColumn<QString>("cards");
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QString>("shown"); // the letters of the cards and the info line
        QTest::newRow("king then ace of hearts") << "Kh Ah" << 0xFF00FFu << "KA|AK s - Best (3/7) [2] G1";
        QTest::newRow("ace of spades then king of hearts")
            << "As Kh" << 0xFFFF00u << "AK|AK - Better (5/7) [4] G2";
        QTest::newRow("king of hearts then ace of spades")
            << "Kh As" << 0xFFFF00u << "KA|AK - Better (5/7) [4] G2";
        QTest::newRow("ten written T") << "9c Th" << 0x00FFFFu << "9T|T9 - Bad (60/7) [2] G6";
        QTest::newRow("lower-case word, neutral") << "Qd Js" << NeutralColour << "QJ|QJ - best (30/7) [3] G4";
        QTest::newRow("unknown hand")
            << "2s 3h" << NeutralColour << "23|32 - Unknown Combination (0/7) [0] G0";
    }
    void preflop_advice() {
        QFETCH(QString, cards);
        QFETCH(uint, colour);
        QFETCH(QString, shown);
        Open_Window();
        Play(cards);
        QCOMPARE(Text("txtCards") + QLatin1Char('|') + Text("lblSuited"), shown);
        QCOMPARE(Text("lblCurrent"), QStringLiteral("Pre-Flop Strategy"));
        QCOMPARE(Back(Get("lblSuited")), colour);
        QVERIFY(this->shown.isEmpty());
    }

    // Every toggle puts the focus in the pot box with its text selected; a second click releases a card.
    void releasing_a_hole_card_empties_the_line() {
        Open_Window();
        Type_Pot(QStringLiteral("25"));
        for (const char* c : {"As", "Ah", "-Ah"}) {
            Get("cmdClear")->setFocus(Qt::TabFocusReason);
            Play(c);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Pot()));
            QCOMPARE(Pot()->selectedText(), QStringLiteral("25"));
        }
        QVERIFY(!Check(Card("Ah"))->isChecked());
        QCOMPARE(Frame(Card("Ah")), NeutralColour);
        QCOMPARE(Text("txtCards"), QStringLiteral("A"));
        QCOMPARE(Text("lblSuited"), QString());
        QCOMPARE(Back(Get("lblSuited")), NeutralColour);
        QCOMPARE(Text("lblCurrent"), QStringLiteral("Enter Pre-Flop Cards"));
        Play("Kh");
        QCOMPARE(Text("lblSuited"), QStringLiteral("AK - Better (5/7) [4] G2"));
    }

    // --- the analysis ---
    void analysis_shown_data() {
        QTest::addColumn<QString>("cards");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("odds");
        // clang-format off
        QTest::newRow("ace low straight draw") << "As 9d 2c 3h 4d" << "Flop - Enter Pot for Strategy"
            << "High Card|59.6%|28, Pair|31.9%|15, Straight|8.5%|4" << "19|40.4%";
        QTest::newRow("flush draw") << "8s 9s 2s 3s Kh" << "Flop - Enter Pot for Strategy"
            << "High Card|51.1%|24, Pair|29.8%|14, Flush|19.1%|9" << "23|48.9%";
        QTest::newRow("turn") << "As Kd Qs Js 2h 7c" << "Turn - Enter Pot for Strategy"
            << "High Card|52.2%|24, Pair|39.1%|18, Straight|8.7%|4" << "22|47.8%";
        // clang-format on
    }
    void analysis_shown() {
        QFETCH(QString, cards);
        QFETCH(QString, prompt);
        QFETCH(QString, rows);
        QFETCH(QString, odds);
        Open_Window();
        Play(cards);
        QCOMPARE(Text("lblCurrent"), prompt);
        QCOMPARE(Grid(Hands()), rows);
        QCOMPARE(Odds(), odds);
        for (const QString& c : cards.split(QLatin1Char(' ')))
            QCOMPARE(Frame(Card(qPrintable(c))), BlackColour);
    }

    // The flush draw on the flop: frames, the pot and the selection of hands.
    void flop_selection_and_pot() {
        Open_Window();
        Type_Pot(QStringLiteral("40"));
        QCOMPARE(Results()->rowCount(), 0); // before the flop the outs are blank
        Play("8s 9s 2s 3s Kh");
        QCOMPARE(Frame(Card("Ks")), 0xFF8080u); // flush, not pair
        QCOMPARE(Frame(Card("8h")), 0x0000FFu); // pair
        QCOMPARE(Frame(Card("Qd")), NeutralColour);
        Type_Pot(QStringLiteral("10"));
        QCOMPARE(Grid(Results()), FourBets);
        Click_Hand_Row(2);
        QCOMPARE(Odds(), QStringLiteral("9|19.1%"));
        QCOMPARE(Grid(Results()), OneBet);
        Type_Pot(QStringLiteral("$1,000"));
        QCOMPARE(Grid(Results()), FourBets);
        Type_Pot(QString()); // deleting the pot leaves the rows
        QCOMPARE(Grid(Results()), FourBets);
        Type_Pot(QStringLiteral("-5"));
        QCOMPARE(Grid(Results()), FourFolds);
        Get<QSlider>("sldPot")->setValue(10);
        QCOMPARE(Pot()->text(), QStringLiteral("10"));
        QCOMPARE(Grid(Results()), OneBet);
        Click_Hand_Row(2); // selection removed
        QCOMPARE(Odds(), QStringLiteral("23|48.9%"));
        QCOMPARE(Grid(Results()), FourBets);
        for (int r = 0; r < 3; ++r)
            Click_Hand_Row(r);
        QCOMPARE(Odds(), QStringLiteral("47|100.0%"));
        modGlobal::MINBET = 3; // new limits saved (the dialog calls Show_Settings): new wagers at once
        window->Show_Settings();
        QCOMPARE(Grid(Results()), QStringLiteral("$3.00|BET, $6.00|BET, $9.00|BET, $12.00|FOLD"));
    }

    // The turn: its wager list, then a middle card released takes the window back to the flop.
    void turn_and_back_to_the_flop() {
        Open_Window();
        Play("8s 9s 2s 3s Kh Ad");
        QCOMPARE(Grid(Hands()), QStringLiteral("High Card|45.7%|21, Pair|34.8%|16, Flush|19.6%|9"));
        Click_Hand_Row(2);
        Type_Pot(QStringLiteral("20"));
        QCOMPARE(Odds(), QStringLiteral("9|19.6%"));
        QCOMPARE(Grid(Results()), QStringLiteral("$2.00|BET, $4.00|FOLD, $6.00|FOLD, $8.00|FOLD"));
        Click_Frame("Ad");
        QCOMPARE(Text("lblCurrent"), QStringLiteral("Flop - Enter Pot for Strategy"));
        const QString flop = QStringLiteral("High Card|51.1%|24, Pair|29.8%|14, Flush|19.1%|9");
        QCOMPARE(Grid(Hands()), flop);
        Play("-Kh"); // four cards: no analysis, no wagers
        QCOMPARE(Grid(Hands()) + Grid(Results()) + Odds(), QStringLiteral("|"));
        QCOMPARE(Text("txtCards"), QStringLiteral("8923"));
    }

    // Each analysis rebuilds the action list from the pot box, in the round's unit; back below three
    // cards the analysis goes from the window (frames, grids, outs, hit) and the pre-flop line stays.
    void advice_follows_the_cards() {
        Open_Window();
        Play("8s 9s 2s 3s Kh");
        Type_Pot(QStringLiteral("10"));
        QCOMPARE(Grid(Results()), FourBets);
        Play("Ad"); // the turn, the pot not typed again
        QCOMPARE(Odds(), QStringLiteral("25|54.3%"));
        QCOMPARE(Grid(Results()), QStringLiteral("$2.00|BET, $4.00|BET, $6.00|FOLD, $8.00|FOLD"));
        Play("-Ad -Kh -3s -2s");
        QCOMPARE(Odds(), QStringLiteral("|"));
        QCOMPARE(Hands()->rowCount(), 0);
        QCOMPARE(Results()->rowCount(), 0);
        for (int i = 0; i < 52; ++i)
            QCOMPARE(Frame(i), Check(i)->isChecked() ? BlackColour : NeutralColour);
        QCOMPARE(Text("lblSuited"), QStringLiteral("98 s - Marginal (40/7) [2] G5"));
        QCOMPARE(Pot()->text(), QStringLiteral("10"));
        QCOMPARE(Text("lblLegend_0"), QStringLiteral("Best"));
    }

    // Back at two cards, the two left are the hole cards: the line and the flop that follows agree.
    void hole_cards_follow_the_line() {
        Open_Window();
        Play("As Kd 2c -As Qh 7h 8s"); // the ace of spades released again
        QCOMPARE(Text("txtCards"), QStringLiteral("K2Q78"));
        const QString corrected = Grid(Hands());
        Play("! Kd 2c Qh 7h 8s");
        QCOMPARE(Grid(Hands()), corrected);
        Play("-Qh -7h -8s");
        QCOMPARE(Text("lblSuited"), QStringLiteral("K2 - Unknown Combination (0/7) [0] G0"));
    }

    void unit_of_two_and_a_half() {
        Open_Window(0, 2.5, 5);
        Play("8s 9s 2s 3s Kh");
        Type_Pot(QStringLiteral("0"));
        QCOMPARE(Grid(Results()), QStringLiteral("$2.50|FOLD, $5.00|FOLD, $7.50|FOLD, $10.00|FOLD"));
    }

    // Leaving the pot box for another control checks it; reaching for the menus leaves it as it is.
    void pot_validation_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("leave");
        QTest::newRow("letters") << "abc" << true << "tab";
        QTest::newRow("negative") << "-5" << true << "tab";
        QTest::newRow("zero") << "0" << false << "tab";
        QTest::newRow("grouping and currency") << "$1,000" << false << "tab";
        QTest::newRow("empty") << "" << false << "tab";
        QTest::newRow("menu bar from the keyboard") << "abc" << false << "bar";
        QTest::newRow("File menu open") << "abc" << false << "popup";
    }
    void pot_validation() {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QFETCH(QString, leave);
        Open_Window();
        Pot()->setFocus();
        Type_Pot(typed);
        QWidget* next = leave == QLatin1String("tab") ? Get("cmdClear") : window->menuBar();
        if (leave == QLatin1String("popup")) {
            QMenu* file = Get<QMenu>("mnuFile");
            file->popup(window->mapToGlobal(QPoint(0, 0)));
            QVERIFY(file->isVisible());
            file->close();
            next = nullptr; // where the focus goes once a menu closes is the platform's affair
        } else {
            next->setFocus(leave == QLatin1String("tab") ? Qt::TabFocusReason : Qt::MenuBarFocusReason);
        }
        QCOMPARE(Pot()->text(), refused ? QString() : typed);
        QCoreApplication::processEvents(); // no queued move of the focus either
        if (next) QCOMPARE(QApplication::focusWidget(), refused ? Pot() : next);
    }

    // --- legend and display options ---
    void legend_follows_the_card_count() {
        Open_Window(1);
        const QStringList words{"Best", "Better", "Good", "Marginal", "Bad", "Worse", "Fold"};
        const QStringList hands{"St.Fl/4 of Kind", "Full House", "Flush", "Straight",
                                "3 of a Kind",     "2 Pair",     "1 Pair"};
        auto captions = [this] {
            QStringList list;
            for (int i = 0; i < 7; ++i)
                list << Text(QStringLiteral("lblLegend_%1").arg(i));
            return list;
        };
        Play("As Kh");
        QCOMPARE(captions(), words);
        Play("2c");
        QCOMPARE(captions(), hands);
        Play("-2c");
        QCOMPARE(captions(), words);
        for (int i = 0; i < 7; ++i)
            QCOMPARE(Back(Get(QStringLiteral("lblLegend_%1").arg(i))), ColourScale[i]);
    }

    // OPTIONS bit 1 shows the legend column, bit 2 the key strip; each toggle resizes the window and
    // writes OPTIONS at once, dropping the bits it does not know.
    void display_options_data() {
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("toggles");
        QTest::addColumn<int>("result");
        QTest::newRow("0 nothing") << 0 << "" << 0;
        QTest::newRow("1 legend") << 1 << "" << 1;
        QTest::newRow("2 key") << 2 << "" << 2;
        QTest::newRow("3 both") << 3 << "" << 3;
        QTest::newRow("4 high bit only") << 4 << "" << 0;
        QTest::newRow("7 high bit with both") << 7 << "" << 3;
        QTest::newRow("legend and key toggled on") << 0 << "LS" << 3;
        QTest::newRow("legend, key, legend off") << 0 << "LSL" << 2;
        QTest::newRow("toggle drops the high bit") << 4 << "S" << 2;
    }
    void display_options() {
        QFETCH(int, options);
        QFETCH(QString, toggles);
        QFETCH(int, result);
        Open_Window(options);
        for (const QChar t : toggles)
            Action(t == QLatin1Char('L') ? "mnuFileLegend" : "mnuFileShortcuts")->trigger();
        const bool legend = result & 1;
        const bool key = result & 2;
        // The outer sizes in twips, as the window has always had them.
        QCOMPARE((QList<int>{frmMain::WidthLegendHidden, frmMain::WidthLegendShown, frmMain::HeightKeyHidden,
                             frmMain::HeightKeyShown}),
                 (QList<int>{8850, 10650, 4455, 4995}));
        const int width = legend ? frmMain::WidthLegendShown : frmMain::WidthLegendHidden;
        const int height = key ? frmMain::HeightKeyShown : frmMain::HeightKeyHidden;
        QCOMPARE(window->Outer_Width_Twips(), width);
        QCOMPARE(window->Outer_Height_Twips(), height);
        QCOMPARE(Stored_Options(), QString::number(result));
        QCOMPARE(modGlobal::OPTIONS & 3, result);
        QVERIFY(shown.isEmpty());
        const QRect client = window->centralWidget()->rect();
        QCOMPARE(client.size(),
                 QSize(Twips(width - frmMain::FrameWidthTwips), Twips(height - frmMain::FrameHeightTwips)));
        QCOMPARE(Action("mnuFileLegend")->isChecked(), legend);
        QCOMPARE(Action("mnuFileShortcuts")->isChecked(), key);
        // What lies beyond the client area is out of reach; what the window shows lies wholly inside.
        for (const char* name : {"lblLegendTitle", "lblLegend_0", "lblLegend_6", "txtCards"}) {
            QCOMPARE(Get(name)->isVisible(), legend);
            QCOMPARE(client.contains(Get(name)->geometry()), legend);
        }
        QCOMPARE(Get("lblDecipher")->isVisible(), key);
        QCOMPARE(client.intersects(Get("lblDecipher")->geometry()), key);
        for (const char* name :
             {"txtPot", "sldPot", "grdHands_Box", "grdResults_Box", "lblValue_51", "lblCurrent"})
            QVERIFY2(client.contains(Get(name)->geometry()), name);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"