#include "advice/preflopstats.h"
#include "advice/strategy.h"
#include "cards/mododds.h"
#include "config/modencrypt.h"
#include "config/modglobal.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/uihelpers.h"
#include "shell/errorreport.h"
#include "shell/messages.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// "As" -> the ace of spades' index; suits s, h, c, d; ranks 2..9, T, J, Q, K, A.
int Card(const char* name) {
    const int rank = 13 - static_cast<int>(QStringLiteral("AKQJT98765432").indexOf(QLatin1Char(name[0])));
    const int suit = 1 + static_cast<int>(QStringLiteral("shcd").indexOf(QLatin1Char(name[1])));
    return modOdds::Card_Index(suit, rank);
}

QString Cipher(const QString& plain) {
    return modEncrypt::Encrypt_With_Keys(plain, 47, 50, 53, 46);
}

// Rows of the grid as "text|text|text" lines, hidden columns included.
QStringList Grid_Rows(const QTableWidget* grid) {
    QStringList rows;
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c) {
            const QTableWidgetItem* item = grid->item(r, c);
            cells << (item ? item->text() : QString());
        }
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

uint Back(const QWidget* w) {
    return w->property("BackColor").toUInt();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    QTemporaryDir statsDir;
    QTemporaryDir homeDir;
    QList<msg::Message> shown;
    std::unique_ptr<frmMain> window;

    template <class T = QWidget> T* Get(const QString& name) const {
        T* w = window->findChild<T*>(name);
        if (!w) qFatal("no control %s", qPrintable(name));
        return w;
    }
    QLabel* Label(const QString& name) const { return Get<QLabel>(name); }
    QLineEdit* Pot() const { return Get<QLineEdit>(QStringLiteral("txtPot")); }
    QTableWidget* Hands() const { return Get<QTableWidget>(QStringLiteral("grdHands")); }
    QTableWidget* Results() const { return Get<QTableWidget>(QStringLiteral("grdResults")); }
    QAction* Action(const char* name) const { return Get<QAction>(QString::fromLatin1(name)); }

    void Open_Window(Long options = 0, double minBet = 1, double maxBet = 2) {
        window.reset();
        try {
            modGlobal::Load_Settings(); // creates the settings file, as start-up does
        } catch (const AppError& e) {
            QFAIL(qPrintable(e.description));
        }
        modOdds::Reset_State();
        Reset_Strategy();
        modGlobal::OPTIONS = options;
        modGlobal::MINBET = minBet;
        modGlobal::MAXBET = maxBet;
        modGlobal::NUMRAISES = 3;
        modGlobal::POTSIZEAVG = 40;
        window = std::make_unique<frmMain>();
        window->show();
        QApplication::setActiveWindow(window.get());
        // Without a window manager (a bare X server) a window may never become active.
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
        else
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void Click_Picture(const char* card) {
        QTest::mouseClick(Get(QStringLiteral("imgCard_%1").arg(Card(card))), Qt::LeftButton);
    }
    void Click_Frame(const char* card) {
        QTest::mouseClick(Get(QStringLiteral("lblValue_%1").arg(Card(card))), Qt::LeftButton);
    }
    void Play(const QStringList& cards) {
        for (const QString& c : cards)
            Click_Picture(qPrintable(c));
    }
    void Click_Hand_Row(int row) {
        QTableWidget* grid = Hands();
        const QRect r = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
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
        // A home of its own, so that no other test program running beside this one shares its settings file.
        QVERIFY(homeDir.isValid());
        qputenv("HOME", QFile::encodeName(homeDir.path()));
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        msg::Set_Message_Handler([this](const msg::Message& m) { shown << m; });
        QVERIFY(statsDir.isValid());
        const char* rows[][6] = {
            {"AK s", "1", "Best", "3", "2", "1"},         {"AK", "2", "Better", "5", "4", "2"},
            {"77", "3", "Good", "12", "1", "3"},          {"T9", "4", "Bad", "60", "2", "6"},
            {"QJ", "5", "best", "30", "3", "4"},          {"77", "6", "Fold", "99", "9", "9"},
            {"98 s", "7", "Marginal", "40.5", "2.5", "5"}};
        QFile file(statsDir.filePath(StatsFileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (const auto& row : rows) {
            QStringList fields;
            for (const char* f : row)
                fields << Cipher(QString::fromLatin1(f));
            file.write(fields.join(QLatin1Char(',')).toLatin1() + "\r\n");
        }
        file.close();
        Set_Stats_Folder(statsDir.path());
    }
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QFile::remove(modGlobal::Settings_File());
        shown.clear();
    }
    void cleanup() { window.reset(); }
    void cleanupTestCase() { Set_Stats_Folder(QString()); }

    // --- load ---
    void load_shows_an_empty_board() {
        Open_Window();
        QCOMPARE(window->windowTitle(), QStringLiteral("Quorvane v2.2.15"));
        QCOMPARE(StatCount, 7);
        QVERIFY(shown.isEmpty());
        QCOMPARE(Label(QStringLiteral("lblCurrent"))->text(), QStringLiteral("Enter Pre-Flop Cards"));
        QCOMPARE(Label(QStringLiteral("lblSuited"))->text(), QString());
        QCOMPARE(Label(QStringLiteral("lblSettings"))->text(),
                 QStringLiteral("Settings: $1.00/$2.00, Max 3 Raises"));
        QCOMPARE(Get<QSlider>(QStringLiteral("sldPot"))->maximum(), 40);
        QCOMPARE(Get<QSlider>(QStringLiteral("sldPot"))->value(), 0);
        QCOMPARE(Get<QPushButton>(QStringLiteral("cmdClear"))->text(), QStringLiteral("&Clear"));
        QCOMPARE(Hands()->rowCount(), 0);
        QCOMPARE(Results()->rowCount(), 0);
        QCOMPARE(modOdds::CardsUnseen, 52);
        for (int i = 0; i < 52; ++i) {
            QVERIFY(!Get<QCheckBox>(QStringLiteral("chkCard_%1").arg(i))->isChecked());
            QVERIFY(!Get<QCheckBox>(QStringLiteral("chkCard_%1").arg(i))->isVisible());
            QCOMPARE(Back(Get(QStringLiteral("lblValue_%1").arg(i))), NeutralColour);
        }
    }

    void controls_stand_in_place_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("deuce of spades frame") << "lblValue_0" << QRect(480, 360, 255, 615);
        QTest::newRow("deuce of spades picture") << "imgCard_0" << QRect(540, 420, 150, 495);
        QTest::newRow("ace of diamonds frame") << "lblValue_51" << QRect(480 + 2880, 360 + 1800, 255, 615);
        QTest::newRow("ace of clubs picture") << "imgCard_38" << QRect(540 + 2880, 420 + 1200, 150, 495);
        QTest::newRow("Image1") << "Image1" << QRect(30, 435, 360, 480);
        QTest::newRow("Image5") << "Image5" << QRect(3720, 2235, 360, 480);
        QTest::newRow("Image8") << "Image8" << QRect(3720, 435, 360, 480);
        QTest::newRow("lblCurrent") << "lblCurrent" << QRect(4080, 0, 4575, 375);
        QTest::newRow("lblSuited") << "lblSuited" << QRect(4200, 360, 4455, 375);
        QTest::newRow("lblSettings") << "lblSettings" << QRect(120, 0, 3735, 255);
        QTest::newRow("lblPot") << "lblPot" << QRect(120, 3360, 855, 255);
        QTest::newRow("txtPot") << "txtPot" << QRect(960, 3360, 615, 285);
        QTest::newRow("sldPot") << "sldPot" << QRect(1680, 3240, 2175, 495);
        QTest::newRow("cmdClear") << "cmdClear" << QRect(2880, 2880, 855, 375);
        QTest::newRow("txtCards") << "txtCards" << QRect(9000, 120, 1335, 285);
        QTest::newRow("lblOutsLbl") << "lblOutsLbl" << QRect(360, 3000, 735, 255);
        QTest::newRow("lblOuts") << "lblOuts" << QRect(1080, 3000, 375, 255);
        QTest::newRow("lblHitPctLbl") << "lblHitPctLbl" << QRect(1440, 3000, 615, 255);
        QTest::newRow("lblHitPct") << "lblHitPct" << QRect(2040, 3000, 615, 255);
        QTest::newRow("lblLegendTitle") << "lblLegendTitle" << QRect(8880, 840, 1500, 255);
        QTest::newRow("lblLegend_6") << "lblLegend_6" << QRect(8880, 2520, 1500, 255);
        QTest::newRow("lblDecipher") << "lblDecipher" << QRect(120, 3960, 8655, 255);
        QTest::newRow("grdResults") << "grdResults_Box" << QRect(4200, 840, 1935, 2895);
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
        QCOMPARE(Label(QStringLiteral("lblPot"))->text(), QStringLiteral("Est Pot:"));
        QCOMPARE(Label(QStringLiteral("lblOutsLbl"))->text(), QStringLiteral("# Outs:"));
        QCOMPARE(Label(QStringLiteral("lblHitPctLbl"))->text(), QStringLiteral("Hit %:"));
        QCOMPARE(Label(QStringLiteral("lblLegendTitle"))->text(), QStringLiteral("Legend"));
        QVERIFY(Label(QStringLiteral("lblDecipher"))
                    ->text()
                    .startsWith(QStringLiteral("Pre-Flop Info: Hand ('s'=SUITED)")));
        for (const char* name : {"lblCurrent", "lblSuited"}) {
            const QFont f = Label(QString::fromLatin1(name))->font();
            QVERIFY(f.bold());
            QCOMPARE(f.pointSizeF(), 12.0);
        }
        for (const char* name : {"lblLegendTitle", "lblLegend_0", "lblLegend_6"}) {
            const QFont f = Label(QString::fromLatin1(name))->font();
            QVERIFY(f.bold());
            QCOMPARE(f.pointSizeF(), 8.25);
        }
        QCOMPARE(Get<QWidget>(QStringLiteral("grdHands_Caption"))->property("text").toString(),
                 QStringLiteral("Hand Possibilities"));
        QCOMPARE(Get<QWidget>(QStringLiteral("grdResults_Caption"))->property("text").toString(),
                 QStringLiteral("Action To Take"));
        QCOMPARE(Hands()->horizontalHeaderItem(0)->text(), QStringLiteral("Hand"));
        QCOMPARE(Hands()->horizontalHeaderItem(1)->text(), QStringLiteral("%Odds"));
        QCOMPARE(Hands()->horizontalHeaderItem(2)->text(), QStringLiteral("Outs"));
        QVERIFY(Hands()->isColumnHidden(2));
        QCOMPARE(Results()->horizontalHeaderItem(0)->text(), QStringLiteral("Wager"));
        QCOMPARE(Results()->horizontalHeaderItem(1)->text(), QStringLiteral("Action"));
    }

    void menus_in_order() {
        Open_Window();
        QMenu* file = Get<QMenu>(QStringLiteral("mnuFile"));
        QMenu* help = Get<QMenu>(QStringLiteral("mnuHelp"));
        QMenu* online = Get<QMenu>(QStringLiteral("mnuHelpOnline"));
        QCOMPARE(file->title(), QStringLiteral("&File"));
        QCOMPARE(help->title(), QStringLiteral("&Help"));
        QCOMPARE(online->title(), QStringLiteral("&Online Help"));
        auto names = [](QMenu* m) {
            QStringList list;
            for (QAction* a : m->actions())
                list << a->objectName() + QLatin1Char('=') + a->text();
            return list;
        };
        QCOMPARE(names(file),
                 (QStringList{"mnuFileLegend=&Legend", "mnuFileShortcuts=&PreFlop Strategy Key",
                              "mnuFileSettings=Change &Settings", "mnuFileSep=", "mnuFileExit=E&xit"}));
        QCOMPARE(names(help),
                 (QStringList{"mnuHelpOnline=&Online Help", "mnuHelpSep=", "mnuHelpAbout=&About"}));
        const QStringList entries = names(online);
        QCOMPARE(entries.size(), 6);
        QCOMPARE(entries.mid(0, 5),
                 (QStringList{"mnuOnlineHome=Quorvane Home Page", "mnuOnlineDownload=Download Latest Version",
                              "mnuOnlineTroubleshooting=Troubleshooting", "mnuOnlineGroupings=Groupings Help",
                              "mnuOnlineManual=Online Manual"}));
        QVERIFY(entries[5].startsWith(QStringLiteral("mnuOnlineHomeMain=")));
        QVERIFY(entries[5].endsWith(QStringLiteral(" Home Page")));
        QVERIFY(Action("mnuFileLegend")->isCheckable());
        QVERIFY(!Action("mnuFileLegend")->isChecked());
        QVERIFY(!Action("mnuFileShortcuts")->isChecked());
    }

    // --- pre-flop advice ---
    void preflop_advice_data() {
        QTest::addColumn<QStringList>("cards");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("line");
        QTest::addColumn<uint>("colour");
        QTest::newRow("king then ace of hearts") << QStringList{"Kh", "Ah"} << "KA"
                                                 << "AK s - Best (3/7) [2] G1" << 0xFF00FFu;
        QTest::newRow("ace of spades then king of hearts") << QStringList{"As", "Kh"} << "AK"
                                                           << "AK - Better (5/7) [4] G2" << 0xFFFF00u;
        QTest::newRow("king of hearts then ace of spades") << QStringList{"Kh", "As"} << "KA"
                                                           << "AK - Better (5/7) [4] G2" << 0xFFFF00u;
        QTest::newRow("pair, first row wins") << QStringList{"7s", "7d"} << "77"
                                              << "77 - Good (12/7) [1] G3" << 0xFF8080u;
        QTest::newRow("ten written T") << QStringList{"9c", "Th"} << "9T"
                                       << "T9 - Bad (60/7) [2] G6" << 0x00FFFFu;
        QTest::newRow("figures halves to even") << QStringList{"8c", "9c"} << "89"
                                                << "98 s - Marginal (40/7) [2] G5" << 0x00FF00u;
        QTest::newRow("lower-case word, neutral") << QStringList{"Qd", "Js"} << "QJ"
                                                  << "QJ - best (30/7) [3] G4" << NeutralColour;
        QTest::newRow("unknown hand") << QStringList{"2s", "3h"} << "23"
                                      << "32 - Unknown Combination (0/7) [0] G0" << NeutralColour;
    }
    void preflop_advice() {
        QFETCH(QStringList, cards);
        QFETCH(QString, letters);
        QFETCH(QString, line);
        QFETCH(uint, colour);
        Open_Window();
        Play(cards);
        QCOMPARE(Get<QLineEdit>(QStringLiteral("txtCards"))->text(), letters);
        QCOMPARE(Label(QStringLiteral("lblCurrent"))->text(), QStringLiteral("Pre-Flop Strategy"));
        QCOMPARE(Label(QStringLiteral("lblSuited"))->text(), line);
        QCOMPARE(Back(Label(QStringLiteral("lblSuited"))), colour);
        QVERIFY(shown.isEmpty());
    }

    void releasing_a_hole_card_empties_the_line() {
        Open_Window();
        Play({"As", "Ah"});
        QVERIFY(!Label(QStringLiteral("lblSuited"))->text().isEmpty());
        Click_Frame("Ah");
        QCOMPARE(Get<QLineEdit>(QStringLiteral("txtCards"))->text(), QStringLiteral("A"));
        QCOMPARE(Label(QStringLiteral("lblSuited"))->text(), QString());
        QCOMPARE(Back(Label(QStringLiteral("lblSuited"))), NeutralColour);
        QCOMPARE(Label(QStringLiteral("lblCurrent"))->text(), QStringLiteral("Enter Pre-Flop Cards"));
        Click_Picture("Kh");
        QCOMPARE(Label(QStringLiteral("lblSuited"))->text(), QStringLiteral("AK - Better (5/7) [4] G2"));
    }

    // --- the analysis ---
    void analysis_shown_data() {
        QTest::addColumn<QStringList>("cards");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("outs");
        QTest::addColumn<QString>("hit");
        QTest::newRow("ace low straight draw")
            << QStringList{"As", "9d", "2c", "3h", "4d"} << "Flop - Enter Pot for Strategy"
            << QStringList{"High Card|59.6%|28", "Pair|31.9%|15", "Straight|8.5%|4"} << "19"
            << "40.4%";
        QTest::newRow("flush draw") << QStringList{"8s", "9s", "2s", "3s", "Kh"}
                                    << "Flop - Enter Pot for Strategy"
                                    << QStringList{"High Card|51.1%|24", "Pair|29.8%|14", "Flush|19.1%|9"}
                                    << "23"
                                    << "48.9%";
        QTest::newRow("turn") << QStringList{"As", "Kd", "Qs", "Js", "2h", "7c"}
                              << "Turn - Enter Pot for Strategy"
                              << QStringList{"High Card|52.2%|24", "Pair|39.1%|18", "Straight|8.7%|4"} << "22"
                              << "47.8%";
    }
    void analysis_shown() {
        QFETCH(QStringList, cards);
        QFETCH(QString, prompt);
        QFETCH(QStringList, rows);
        QFETCH(QString, outs);
        QFETCH(QString, hit);
        Open_Window();
        Play(cards);
        QCOMPARE(Label(QStringLiteral("lblCurrent"))->text(), prompt);
        QCOMPARE(Grid_Rows(Hands()), rows);
        QCOMPARE(Label(QStringLiteral("lblOuts"))->text(), outs);
        QCOMPARE(Label(QStringLiteral("lblHitPct"))->text(), hit);
        for (const QString& c : cards)
            QCOMPARE(Back(Get(QStringLiteral("lblValue_%1").arg(Card(qPrintable(c))))), BlackColour);
    }

    void frames_show_what_a_card_makes() {
        Open_Window();
        Play({"8s", "9s", "2s", "3s", "Kh"});
        QCOMPARE(Back(Get(QStringLiteral("lblValue_%1").arg(Card("Ks")))), 0xFF8080u); // flush, not pair
        QCOMPARE(Back(Get(QStringLiteral("lblValue_%1").arg(Card("8h")))), 0x0000FFu); // pair
        QCOMPARE(Back(Get(QStringLiteral("lblValue_%1").arg(Card("Qd")))), NeutralColour);
    }

    void middle_cards_keep_the_analysis() {
        Open_Window();
        Play({"8s", "9s", "2s", "3s", "Kh", "Ad"});
        const QStringList turn = Grid_Rows(Hands());
        Click_Frame("Ad"); // back to the flop
        QCOMPARE(Label(QStringLiteral("lblCurrent"))->text(),
                 QStringLiteral("Flop - Enter Pot for Strategy"));
        QCOMPARE(Grid_Rows(Hands()), (QStringList{"High Card|51.1%|24", "Pair|29.8%|14", "Flush|19.1%|9"}));
        QVERIFY(turn != Grid_Rows(Hands()));
        Click_Picture("Kh"); // four cards: nothing changes but the letters
        QCOMPARE(Grid_Rows(Hands()).size(), 3);
        QCOMPARE(Label(QStringLiteral("lblOuts"))->text(), QStringLiteral("23"));
        QCOMPARE(Get<QLineEdit>(QStringLiteral("txtCards"))->text(), QStringLiteral("8923"));
    }

    void seventh_card_clears() {
        Open_Window();
        Play({"8s", "9s", "2s", "3s", "Kh", "Ad"});
        Type_Pot(QStringLiteral("20"));
        QVERIFY(Results()->rowCount() > 0);
        Click_Frame("Qc");
        for (int i = 0; i < 52; ++i) {
            QVERIFY(!Get<QCheckBox>(QStringLiteral("chkCard_%1").arg(i))->isChecked());
            QCOMPARE(Back(Get(QStringLiteral("lblValue_%1").arg(i))), NeutralColour);
        }
        QCOMPARE(Get<QLineEdit>(QStringLiteral("txtCards"))->text(), QString());
        QCOMPARE(Label(QStringLiteral("lblCurrent"))->text(), QStringLiteral("Enter Pre-Flop Cards"));
        QCOMPARE(Label(QStringLiteral("lblSuited"))->text(), QString());
        QCOMPARE(Label(QStringLiteral("lblOuts"))->text(), QString());
        QCOMPARE(Label(QStringLiteral("lblHitPct"))->text(), QString());
        QCOMPARE(Pot()->text(), QString());
        QCOMPARE(Hands()->rowCount(), 0);
        QCOMPARE(Results()->rowCount(), 0);
        QCOMPARE(modOdds::CardsUnseen, 52);
        QCOMPARE(modOdds::CardsChosen, 0);
        QVERIFY(modOdds::SmallBetRound);
        QCOMPARE(Label(QStringLiteral("lblLegend_0"))->text(), QStringLiteral("Best"));
    }

    void clear_button_starts_a_new_hand() {
        Open_Window();
        Play({"As", "Kh", "2c"});
        QTest::mouseClick(Get<QPushButton>(QStringLiteral("cmdClear")), Qt::LeftButton);
        QCOMPARE(modOdds::CardsChosen, 0);
        QCOMPARE(Get<QLineEdit>(QStringLiteral("txtCards"))->text(), QString());
        Play({"Kh", "Ah"});
        QCOMPARE(Label(QStringLiteral("lblSuited"))->text(), QStringLiteral("AK s - Best (3/7) [2] G1"));
    }

    void picture_twice_chooses_then_releases() {
        Open_Window();
        Click_Picture("Td");
        QVERIFY(Get<QCheckBox>(QStringLiteral("chkCard_%1").arg(Card("Td")))->isChecked());
        QCOMPARE(Back(Get(QStringLiteral("lblValue_%1").arg(Card("Td")))), BlackColour);
        Click_Picture("Td");
        QVERIFY(!Get<QCheckBox>(QStringLiteral("chkCard_%1").arg(Card("Td")))->isChecked());
        QCOMPARE(Back(Get(QStringLiteral("lblValue_%1").arg(Card("Td")))), NeutralColour);
        QCOMPARE(modOdds::CardsChosen, 0);
    }

    // --- the hands grid selection ---
    void flush_row_selection() {
        Open_Window();
        Play({"8s", "9s", "2s", "3s", "Kh"});
        Type_Pot(QStringLiteral("10"));
        QCOMPARE(Grid_Rows(Results()), (QStringList{"$1.00|BET", "$2.00|BET", "$3.00|BET", "$4.00|BET"}));
        Click_Hand_Row(2);
        QCOMPARE(Label(QStringLiteral("lblOuts"))->text(), QStringLiteral("9"));
        QCOMPARE(Label(QStringLiteral("lblHitPct"))->text(), QStringLiteral("19.1%"));
        QCOMPARE(Grid_Rows(Results()), (QStringList{"$1.00|BET", "$2.00|FOLD", "$3.00|FOLD", "$4.00|FOLD"}));
        Click_Hand_Row(2); // selection removed
        QCOMPARE(Label(QStringLiteral("lblOuts"))->text(), QStringLiteral("23"));
        QCOMPARE(Label(QStringLiteral("lblHitPct"))->text(), QStringLiteral("48.9%"));
        QCOMPARE(Grid_Rows(Results()), (QStringList{"$1.00|BET", "$2.00|BET", "$3.00|BET", "$4.00|BET"}));
    }

    void every_row_selected_reaches_all() {
        Open_Window();
        Play({"8s", "9s", "2s", "3s", "Kh"});
        for (int r = 0; r < 3; ++r)
            Click_Hand_Row(r);
        QCOMPARE(Label(QStringLiteral("lblOuts"))->text(), QStringLiteral("47"));
        QCOMPARE(Label(QStringLiteral("lblHitPct"))->text(), QStringLiteral("100.0%"));
        QCOMPARE(Results()->rowCount(), 0); // no pot yet: the labels only
    }

    void turn_nine_outs_pot_twenty() {
        Open_Window();
        Play({"8s", "9s", "2s", "3s", "Kh", "Ad"});
        const QStringList rows = Grid_Rows(Hands());
        const int flush = static_cast<int>(rows.indexOf(QRegularExpression(QStringLiteral("Flush\\|.*"))));
        QVERIFY2(flush >= 0, qPrintable(rows.join(QLatin1Char(' '))));
        QVERIFY(rows[flush].endsWith(QStringLiteral("|9")));
        Click_Hand_Row(flush);
        Type_Pot(QStringLiteral("20"));
        QCOMPARE(Label(QStringLiteral("lblHitPct"))->text(), QStringLiteral("19.6%"));
        QCOMPARE(Grid_Rows(Results()), (QStringList{"$2.00|BET", "$4.00|FOLD", "$6.00|FOLD", "$8.00|FOLD"}));
    }

    void unit_of_two_and_a_half() {
        Open_Window(0, 2.5, 5);
        Play({"8s", "9s", "2s", "3s", "Kh"});
        Type_Pot(QStringLiteral("0"));
        QCOMPARE(Grid_Rows(Results()),
                 (QStringList{"$2.00|FOLD", "$4.00|FOLD", "$6.00|FOLD", "$8.00|FOLD", "$10.00|FOLD"}));
    }

    void pot_rules() {
        Open_Window();
        Type_Pot(QStringLiteral("40"));
        QCOMPARE(Results()->rowCount(), 0); // before the flop the outs are blank
        Play({"8s", "9s", "2s", "3s", "Kh"});
        Type_Pot(QStringLiteral("$1,000"));
        QCOMPARE(Results()->rowCount(), 4);
        Type_Pot(QString()); // deleting the pot leaves the rows
        QCOMPARE(Results()->rowCount(), 4);
        Type_Pot(QStringLiteral("-5"));
        QCOMPARE(Grid_Rows(Results()), (QStringList{"$1.00|FOLD", "$2.00|FOLD", "$3.00|FOLD", "$4.00|FOLD"}));
        Get<QSlider>(QStringLiteral("sldPot"))->setValue(25);
        QCOMPARE(Pot()->text(), QStringLiteral("25"));
        QCOMPARE(Grid_Rows(Results()), (QStringList{"$1.00|BET", "$2.00|BET", "$3.00|BET", "$4.00|BET"}));
    }

    void pot_validation_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("letters") << "abc"
                                 << "";
        QTest::newRow("negative") << "-5"
                                  << "";
        QTest::newRow("zero") << "0"
                              << "0";
        QTest::newRow("number") << "20"
                                << "20";
        QTest::newRow("grouping and currency") << "$1,000"
                                               << "$1,000";
        QTest::newRow("empty") << ""
                               << "";
    }
    void pot_validation() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Open_Window();
        Pot()->setFocus();
        Type_Pot(typed);
        Get<QPushButton>(QStringLiteral("cmdClear"))->setFocus(Qt::TabFocusReason);
        QCOMPARE(Pot()->text(), kept);
        const bool refused = !typed.isEmpty() && kept.isEmpty();
        if (refused)
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Pot()));
        else
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Get(QStringLiteral("cmdClear"))));
    }

    // Reaching for the menus leaves the pot box as it is: only a move to another control checks it.
    void pot_kept_while_menus_are_used_data() {
        QTest::addColumn<QString>("menu");
        QTest::newRow("menu bar from the keyboard") << "bar";
        QTest::newRow("File menu open") << "popup";
    }
    void pot_kept_while_menus_are_used() {
        QFETCH(QString, menu);
        Open_Window();
        Pot()->setFocus();
        Type_Pot(QStringLiteral("abc"));
        if (menu == QLatin1String("bar")) {
            window->menuBar()->setFocus(Qt::MenuBarFocusReason);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window->menuBar()));
        } else {
            QMenu* file = Get<QMenu>(QStringLiteral("mnuFile"));
            file->popup(window->mapToGlobal(QPoint(0, 0)));
            QTRY_VERIFY(file->isVisible());
            file->close();
        }
        QCOMPARE(Pot()->text(), QStringLiteral("abc"));
        QCoreApplication::processEvents(); // no queued move of the focus back into the box either
        if (menu == QLatin1String("bar"))
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window->menuBar()));
    }

    void focus_and_selection_after_every_toggle() {
        Open_Window();
        Type_Pot(QStringLiteral("25"));
        Get<QPushButton>(QStringLiteral("cmdClear"))->setFocus(Qt::TabFocusReason);
        for (const char* c : {"As", "Kh", "2c", "As"}) {
            Click_Picture(c);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Pot()));
            QCOMPARE(Pot()->selectedText(), QStringLiteral("25"));
        }
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
                list << Label(QStringLiteral("lblLegend_%1").arg(i))->text();
            return list;
        };
        QCOMPARE(captions(), words);
        Play({"As", "Kh"});
        QCOMPARE(captions(), words);
        Click_Picture("2c");
        QCOMPARE(captions(), hands);
        Click_Picture("2c");
        QCOMPARE(captions(), words);
        for (int i = 0; i < 7; ++i)
            QCOMPARE(Back(Label(QStringLiteral("lblLegend_%1").arg(i))), ColourScale[i]);
    }

    void options_at_start_data() {
        QTest::addColumn<int>("options");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("stored");
        QTest::newRow("0 nothing") << 0 << 8850 << 4455 << "0";
        QTest::newRow("1 legend") << 1 << 10650 << 4455 << "1";
        QTest::newRow("2 key") << 2 << 8850 << 4995 << "2";
        QTest::newRow("3 both") << 3 << 10650 << 4995 << "3";
        QTest::newRow("4 high bit only") << 4 << 8850 << 4455 << "0"; // nothing written
        QTest::newRow("7 high bit with both") << 7 << 10650 << 4995 << "3";
    }
    void options_at_start() {
        QFETCH(int, options);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, stored);
        Open_Window(options);
        QCOMPARE(window->Outer_Width_Twips(), width);
        QCOMPARE(window->Outer_Height_Twips(), height);
        QCOMPARE(Stored_Options(), stored);
        QVERIFY(shown.isEmpty());
        QWidget* client = window->centralWidget();
        QCOMPARE(client->width(), Twips(width - frmMain::FrameWidthTwips));
        QCOMPARE(client->height(), Twips(height - frmMain::FrameHeightTwips));
        const bool legend = width == 10650;
        const bool key = height == 4995;
        QCOMPARE(Action("mnuFileLegend")->isChecked(), legend);
        QCOMPARE(Action("mnuFileShortcuts")->isChecked(), key);
        // What lies beyond the client area is out of reach; what the window shows lies wholly inside.
        for (const char* name : {"lblLegendTitle", "lblLegend_0", "lblLegend_6", "txtCards"}) {
            QCOMPARE(Get(QString::fromLatin1(name))->isVisible(), legend);
            QCOMPARE(client->rect().contains(Get(QString::fromLatin1(name))->geometry()), legend);
        }
        QCOMPARE(Get(QStringLiteral("lblDecipher"))->isVisible(), key);
        QCOMPARE(client->rect().intersects(Get(QStringLiteral("lblDecipher"))->geometry()), key);
        for (const char* name :
             {"txtPot", "sldPot", "grdHands_Box", "grdResults_Box", "lblValue_51", "lblCurrent"})
            QVERIFY2(client->rect().contains(Get(QString::fromLatin1(name))->geometry()), name);
    }

    void toggles_store_options_at_once() {
        Open_Window(0);
        Action("mnuFileLegend")->trigger();
        QCOMPARE(window->Outer_Width_Twips(), 10650);
        QCOMPARE(Stored_Options(), QStringLiteral("1"));
        Action("mnuFileShortcuts")->trigger();
        QCOMPARE(window->Outer_Height_Twips(), 4995);
        QCOMPARE(Stored_Options(), QStringLiteral("3"));
        Action("mnuFileLegend")->trigger();
        QCOMPARE(window->Outer_Width_Twips(), 8850);
        QCOMPARE(window->Outer_Height_Twips(), 4995);
        QCOMPARE(Stored_Options(), QStringLiteral("2"));
        QCOMPARE(modGlobal::OPTIONS, 2);
        QVERIFY(!Action("mnuFileLegend")->isChecked());
        QVERIFY(Action("mnuFileShortcuts")->isChecked());
    }

    void first_toggle_drops_unknown_bits() {
        Open_Window(4);
        QCOMPARE(modGlobal::OPTIONS, 4);
        Action("mnuFileShortcuts")->trigger();
        QCOMPARE(Stored_Options(), QStringLiteral("2"));
    }

    void screenshot() {
        const QByteArray path = qgetenv("QUORVANE_SCREENSHOT");
        if (path.isEmpty()) QSKIP("set QUORVANE_SCREENSHOT to a file name to save a picture of a turn");
        Open_Window(3);
        Play({"8s", "9s", "2s", "3s", "Kh", "Ad"});
        Type_Pot(QStringLiteral("10"));
        QTest::qWait(200);
        QVERIFY(window->grab().save(QString::fromLocal8Bit(path)));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
