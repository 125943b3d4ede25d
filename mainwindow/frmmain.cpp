#include "mainwindow/frmmain.h"

#include "advice/potodds.h"
#include "advice/preflopstats.h"
#include "advice/strategy.h"
#include "cards/mododds.h"
#include "config/modglobal.h"
#include "config/numbers.h"
#include "mainwindow/cardface.h"
#include "mainwindow/uihelpers.h"
#include "shell/errorreport.h"
#include "shell/shellmenus.h"
#include "version.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

using namespace modOdds;

namespace {

const QString HandCaptions[7] = {QStringLiteral("St.Fl/4 of Kind"), QStringLiteral("Full House"),
                                 QStringLiteral("Flush"),           QStringLiteral("Straight"),
                                 QStringLiteral("3 of a Kind"),     QStringLiteral("2 Pair"),
                                 QStringLiteral("1 Pair")};

const QString PromptPreFlop = QStringLiteral("Enter Pre-Flop Cards");

// Gives a control a background colour (BGR value, or the neutral button face) and records the value in
// its "BackColor" property, so that what the player sees can be read back.
void Set_Back_Colour(QWidget* w, BgrColour colour) {
    const QVariant now = w->property("BackColor");
    if (now.isValid() && now.toUInt() == colour && w->autoFillBackground()) return;
    QPalette p = w->palette();
    p.setColor(QPalette::Window, To_QColor(colour, QPalette()));
    w->setPalette(p);
    w->setAutoFillBackground(true);
    w->setProperty("BackColor", QVariant::fromValue<uint>(colour));
}

QLabel* make_label(QWidget* parent, const char* name, const QString& caption, QRect rect) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(rect);
    return l;
}

QFont bold_font(const QFont& base, double points) {
    QFont f = base;
    f.setBold(true);
    f.setPointSizeF(points);
    return f;
}

// A grid with its caption bar above the columns.
QTableWidget* make_grid(QWidget* parent, const char* name, const QString& caption, QRect rect,
                        const QStringList& columns, std::initializer_list<int> widthsTwips) {
    auto* box = new QWidget(parent);
    box->setObjectName(QString::fromLatin1(name) + QStringLiteral("_Box"));
    box->setGeometry(rect);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* title = new QLabel(caption, box);
    title->setObjectName(QString::fromLatin1(name) + QStringLiteral("_Caption"));
    title->setAlignment(Qt::AlignCenter);
    title->setFrameShape(QFrame::Panel);
    title->setFrameShadow(QFrame::Raised);
    title->setFixedHeight(Twips(255));
    layout->addWidget(title);

    auto* grid = new QTableWidget(0, static_cast<int>(columns.size()), box);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setHorizontalHeaderLabels(columns);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(Twips(240));
    grid->verticalHeader()->setDefaultSectionSize(Twips(255));
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setFixedHeight(Twips(285));
    grid->setWordWrap(false);
    int column = 0;
    for (const int w : widthsTwips)
        grid->setColumnWidth(column++, Twips(w));
    layout->addWidget(grid);
    return grid;
}

QTableWidgetItem* cell(const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    return item;
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    Build_Controls();
    Build_Menus();
    Form_Load();
}

// ---------------------------------------------------------------------------------------------------
// Building the window

void frmMain::Build_Controls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmMainClient"));
    QFont base = client->font();
    base.setPointSizeF(8.25);
    client->setFont(base);
    setCentralWidget(client);

    // The frames first, so that the card pictures lie on top of them.
    for (int i = 0; i < CardCount; ++i) {
        const int suit = Card_Suit(i);
        const int rank = Card_Rank(i);
        const int x = 240 * (rank - 1);
        const int y = 600 * (suit - 1);

        lblValue[i] = new ClickLabel(client);
        lblValue[i]->setObjectName(QStringLiteral("lblValue_%1").arg(i));
        lblValue[i]->setGeometry(Twips_Rect(480 + x, 360 + y, 255, 615));
        lblValue[i]->setCursor(Qt::PointingHandCursor);
        Set_Back_Colour(lblValue[i], NeutralColour);
        connect(lblValue[i], &ClickLabel::clicked, this, [this, i] { lblValue_Click(i); });

        imgCard[i] = new CardFace(suit, QStringLiteral("AKQJT98765432").at(13 - rank), client);
        imgCard[i]->setObjectName(QStringLiteral("imgCard_%1").arg(i));
        imgCard[i]->setGeometry(Twips_Rect(540 + x, 420 + y, 150, 495));
        connect(imgCard[i], &CardFace::clicked, this, [this, i] { imgCard_Click(i); });

        chkCard[i] = new QCheckBox(client);
        chkCard[i]->setObjectName(QStringLiteral("chkCard_%1").arg(i));
        chkCard[i]->setVisible(false);
        chkCard[i]->setFocusPolicy(Qt::NoFocus);
        connect(chkCard[i], &QCheckBox::toggled, this, [this, i] { chkCard_Click(i); });
    }

    // Suit icons at both ends of every row: Image1..4 on the left, Image8..5 on the right.
    for (int row = 0; row < 4; ++row) {
        const int top = 435 + 600 * row;
        const int suit = row + 1;
        Image[row] = new SuitIcon(suit, client);
        Image[row]->setObjectName(QStringLiteral("Image%1").arg(row + 1));
        Image[row]->setGeometry(Twips_Rect(30, top, 360, 480));
        Image[7 - row] = new SuitIcon(suit, client);
        Image[7 - row]->setObjectName(QStringLiteral("Image%1").arg(8 - row));
        Image[7 - row]->setGeometry(Twips_Rect(3720, top, 360, 480));
    }

    const QFont prompt = bold_font(base, 12);
    lblCurrent =
        make_label(client, "lblCurrent", QStringLiteral("Preflop Cards"), Twips_Rect(4080, 0, 4575, 375));
    lblCurrent->setFont(prompt);
    lblCurrent->setAlignment(Qt::AlignCenter);
    lblSuited = make_label(client, "lblSuited", QString(), Twips_Rect(4200, 360, 4455, 375));
    lblSuited->setFont(prompt);
    lblSuited->setAlignment(Qt::AlignCenter);
    for (QLabel* l : {lblCurrent, lblSuited}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(p);
        Set_Back_Colour(l, NeutralColour);
    }

    lblSettings = make_label(client, "lblSettings", QStringLiteral("Settings: $X/$Y, Max Z Raises"),
                             Twips_Rect(120, 0, 3735, 255));
    lblPot = make_label(client, "lblPot", QStringLiteral("Est Pot:"), Twips_Rect(120, 3360, 855, 255));
    txtPot = new QLineEdit(client);
    txtPot->setObjectName(QStringLiteral("txtPot"));
    txtPot->setGeometry(Twips_Rect(960, 3360, 615, 285));
    txtPot->installEventFilter(this);
    connect(txtPot, &QLineEdit::textChanged, this, [this] { txtPot_Change(); });
    lblPot->setBuddy(txtPot);

    sldPot = new QSlider(Qt::Horizontal, client);
    sldPot->setObjectName(QStringLiteral("sldPot"));
    sldPot->setGeometry(Twips_Rect(1680, 3240, 2175, 495));
    sldPot->setRange(0, 0);
    sldPot->setTickPosition(QSlider::TicksBelow);
    connect(sldPot, &QSlider::valueChanged, this, [this] { sldPot_Change(); });

    cmdClear = new QPushButton(QStringLiteral("&Clear"), client);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setGeometry(Twips_Rect(2880, 2880, 855, 375));
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });

    // The chosen ranks, shown in the legend column. Only the card table writes it.
    txtCards = new QLineEdit(client);
    txtCards->setObjectName(QStringLiteral("txtCards"));
    txtCards->setGeometry(Twips_Rect(9000, 120, 1335, 285));
    txtCards->setReadOnly(true);

    lblOutsLbl = make_label(client, "lblOutsLbl", QStringLiteral("# Outs:"), Twips_Rect(360, 3000, 735, 255));
    lblOuts = make_label(client, "lblOuts", QString(), Twips_Rect(1080, 3000, 375, 255));
    lblHitPctLbl =
        make_label(client, "lblHitPctLbl", QStringLiteral("Hit %:"), Twips_Rect(1440, 3000, 615, 255));
    lblHitPct = make_label(client, "lblHitPct", QString(), Twips_Rect(2040, 3000, 615, 255));

    grdResults =
        make_grid(client, "grdResults", QStringLiteral("Action To Take"), Twips_Rect(4200, 840, 1935, 2895),
                  {QStringLiteral("Wager"), QStringLiteral("Action")}, {705, 1005});
    grdResults->setSelectionMode(QAbstractItemView::NoSelection);
    grdHands =
        make_grid(client, "grdHands", QStringLiteral("Hand Possibilities"), Twips_Rect(6240, 840, 2415, 2895),
                  {QStringLiteral("Hand"), QStringLiteral("%Odds"), QStringLiteral("Outs")}, {1350, 705});
    grdHands->setColumnHidden(2, true);
    grdHands->setSelectionMode(QAbstractItemView::MultiSelection);
    connect(grdHands->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!fillingHands_) grdHands_SelChange();
    });

    const QFont legend = bold_font(base, 8.25);
    lblLegendTitle =
        make_label(client, "lblLegendTitle", QStringLiteral("Legend"), Twips_Rect(8880, 840, 1500, 255));
    lblLegendTitle->setFont(legend);
    lblLegendTitle->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < ScaleSize; ++i) {
        lblLegend[i] = make_label(client, "", AdviceWords[i], Twips_Rect(8880, 1080 + 240 * i, 1500, 255));
        lblLegend[i]->setObjectName(QStringLiteral("lblLegend_%1").arg(i));
        lblLegend[i]->setFont(legend);
        lblLegend[i]->setAlignment(Qt::AlignCenter);
        QPalette p = lblLegend[i]->palette();
        p.setColor(QPalette::WindowText, Qt::black);
        lblLegend[i]->setPalette(p);
    }

    lblDecipher =
        make_label(client, "lblDecipher",
                   QStringLiteral("Pre-Flop Info: Hand ('s'=SUITED): Betting Advice (Hand Rank/Total Hand "
                                  "Combos) [# Hands at that Rank] G=Grouping"),
                   Twips_Rect(120, 3960, 8655, 255));
    lblDecipher->setFont(base);
    Fit_Label_Text(lblDecipher); // one long line
}

void frmMain::Build_Menus() {
    QMenuBar* bar = menuBar();
    auto name = [](QObject* o, const char* n) { o->setObjectName(QString::fromLatin1(n)); };
    auto item = [&](QMenu* menu, const char* n, const QString& caption, auto handler) {
        QAction* a = menu->addAction(caption);
        name(a, n);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };

    mnuFile = bar->addMenu(QStringLiteral("&File"));
    name(mnuFile, "mnuFile");
    name(mnuFile->menuAction(), "mnuFile");
    mnuFileLegend =
        item(mnuFile, "mnuFileLegend", QStringLiteral("&Legend"), [this] { mnuFileLegend_Click(); });
    mnuFileLegend->setCheckable(true);
    mnuFileShortcuts = item(mnuFile, "mnuFileShortcuts", QStringLiteral("&PreFlop Strategy Key"),
                            [this] { mnuFileShortcuts_Click(); });
    mnuFileShortcuts->setCheckable(true);
    item(mnuFile, "mnuFileSettings", QStringLiteral("Change &Settings"), [] { mnuFileSettings_Click(); });
    name(mnuFile->addSeparator(), "mnuFileSep");
    item(mnuFile, "mnuFileExit", QStringLiteral("E&xit"), [this] { mnuFileExit_Click(); });

    mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    name(mnuHelp, "mnuHelp");
    name(mnuHelp->menuAction(), "mnuHelp");
    QMenu* online = mnuHelp->addMenu(QStringLiteral("&Online Help"));
    name(online, "mnuHelpOnline");
    name(online->menuAction(), "mnuHelpOnline");
    item(online, "mnuOnlineHome", QStringLiteral("Quorvane Home Page"), [] { mnuOnlineHome_Click(); });
    item(online, "mnuOnlineDownload", QStringLiteral("Download Latest Version"),
         [] { mnuOnlineDownload_Click(); });
    item(online, "mnuOnlineTroubleshooting", QStringLiteral("Troubleshooting"),
         [] { mnuOnlineTroubleshooting_Click(); });
    item(online, "mnuOnlineGroupings", QStringLiteral("Groupings Help"), [] { mnuOnlineGroupings_Click(); });
    item(online, "mnuOnlineManual", QStringLiteral("Online Manual"), [] { mnuOnlineManual_Click(); });
    item(online, "mnuOnlineHomeMain", Maker_Home_Caption(), [] { mnuOnlineHomeMain_Click(); });
    name(mnuHelp->addSeparator(), "mnuHelpSep");
    item(mnuHelp, "mnuHelpAbout", QStringLiteral("&About"), [] { mnuHelpAbout_Click(); });
}

// The outer size includes the frame and the menu bar. Qt sizes the window without its frame, so the
// client area is the outer size less a fixed allowance for the frame, the caption and the menu; the
// window is then the client area plus the menu bar that Qt really draws. The window cannot be resized
// by hand, so what lies beyond the client area stays out of sight; the controls that lie wholly
// beyond it are also hidden, so that neither the keyboard nor the mouse can reach them.
void frmMain::Set_Outer_Size(int widthTwips, int heightTwips) {
    outerWidth_ = widthTwips;
    outerHeight_ = heightTwips;
    const int clientWidth = Twips(widthTwips - FrameWidthTwips);
    const int clientHeight = Twips(heightTwips - FrameHeightTwips);
    QWidget* client = centralWidget();
    client->setFixedSize(clientWidth, clientHeight);
    setFixedSize(clientWidth, clientHeight + menuBar()->sizeHint().height());
    const QRect area(0, 0, clientWidth, clientHeight);
    QWidget* beyond[] = {txtCards,     lblLegendTitle, lblDecipher,  lblLegend[0], lblLegend[1],
                         lblLegend[2], lblLegend[3],   lblLegend[4], lblLegend[5], lblLegend[6]};
    for (QWidget* w : beyond)
        w->setVisible(area.intersects(w->geometry()));
}

// ---------------------------------------------------------------------------------------------------
// Load

void frmMain::Form_Load() {
    setWindowTitle(QStringLiteral("Quorvane v%1.%2.%3")
                       .arg(QUORVANE_VERSION_MAJOR)
                       .arg(QUORVANE_VERSION_MINOR)
                       .arg(QUORVANE_VERSION_PATCH));
    Set_Outer_Size(8850, 4455);
    RankLetters = QStringLiteral("AKQJT98765432");
    Grab_Stats();
    Show_Settings();
    Apply_Options();
    cmdClear_Click();
}

void frmMain::Show_Settings() {
    Trap("Show_Settings", [&] {
        lblSettings->setText(Settings_Summary());
        sldPot->setMaximum(std::max<Long>(0, modGlobal::POTSIZEAVG));
    });
}

// ---------------------------------------------------------------------------------------------------
// Card entry

void frmMain::chkCard_Click(int index) {
    Trap("chkCard_Click", [&] {
        if (!BoardResetting && index >= 0 && index < CardCount) {
            const Long suit = Card_Suit(index);
            const Long rank = Card_Rank(index);
            const QChar letter = RankLetters.at(13 - rank);
            if (chkCard[index]->isChecked()) {
                Mark_Card(suit, rank);
                txtCards->setText(txtCards->text() + letter);
            } else {
                Unmark_Card(suit, rank);
                QString text = txtCards->text();
                const qsizetype at = text.indexOf(letter);
                if (at >= 0) text.remove(at, 1);
                txtCards->setText(text);
            }
            Copy_Board();
            Legend_Colors();

            switch (CardsChosen) {
            case 0:
            case 1:
                lblCurrent->setText(PromptPreFlop);
                Set_Back_Colour(lblCurrent, NeutralColour);
                Set_Back_Colour(lblSuited, NeutralColour);
                lblSuited->setText(QString());
                SmallBetRound = true;
                break;
            case 2:
                lblCurrent->setText(QStringLiteral("Pre-Flop Strategy"));
                Set_Back_Colour(lblSuited, NeutralColour);
                SmallBetRound = true;
                IsSuited = Suited_Test();
                cmdNewStrategy_Click();
                break;
            case 5:
                lblCurrent->setText(QStringLiteral("Flop - Enter Pot for Strategy"));
                Set_Back_Colour(lblCurrent, NeutralColour);
                SmallBetRound = true;
                MadeHand = 0;
                MadeHand = Evaluate_Hand(MadeHand);
                Analyse_Outs();
                Show_Analysis();
                break;
            case 6:
                lblCurrent->setText(QStringLiteral("Turn - Enter Pot for Strategy"));
                Set_Back_Colour(lblCurrent, NeutralColour);
                SmallBetRound = false;
                MadeHand = 0;
                MadeHand = Best_Made_Hand(MadeHand);
                Analyse_Outs();
                Show_Analysis();
                break;
            case 7:
                SmallBetRound = false;
                cmdClear_Click();
                break;
            default: // 3 and 4: the prompt, the info line and the last analysis stay
                break;
            }
        }
        Select_Pot_Text();
    });
}

void frmMain::Select_Pot_Text() {
    txtPot->setFocus(Qt::OtherFocusReason);
    txtPot->setSelection(0, static_cast<int>(txtPot->text().size()));
}

void frmMain::imgCard_Click(int index) {
    lblValue_Click(index);
}

void frmMain::lblValue_Click(int index) {
    Trap("lblValue_Click", [&] {
        if (index < 0 || index >= CardCount) return;
        const bool choose = !chkCard[index]->isChecked();
        FrameColour[index] = choose ? BlackColour : NeutralColour;
        Paint_Frame(index);
        chkCard[index]->setChecked(choose); // runs the card toggle
    });
}

void frmMain::Paint_Frame(int index) {
    Set_Back_Colour(lblValue[index], FrameColour[index]);
}

// The analysis as the card model left it: frames, hands grid and the two labels.
void frmMain::Show_Analysis() {
    for (int i = 0; i < CardCount; ++i)
        Paint_Frame(i);
    fillingHands_ = true;
    grdHands->clearSelection();
    grdHands->setRowCount(0);
    const int rows = std::clamp<Long>(HandsRowCount, 0, CategorySlots);
    grdHands->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        grdHands->setItem(r, 0, cell(HandsRows[r].hand));
        grdHands->setItem(r, 1, cell(HandsRows[r].odds, Qt::AlignRight | Qt::AlignVCenter));
        grdHands->setItem(r, 2, cell(QString::number(HandsRows[r].count)));
    }
    fillingHands_ = false;
    lblOuts->setText(OutsText);
    lblHitPct->setText(HitPctText);
}

void frmMain::cmdClear_Click() {
    Trap("cmdClear_Click", [&] {
        Clear_Board();
        Uncheck_Cards();
        Clear_Results();
        CardsChosen = 0;
        CardsUnseen = 52;
        MadeHand = 0;
        HandRating = 0;
        for (int i = 0; i < CardCount; ++i) {
            FrameColour[i] = NeutralColour;
            Paint_Frame(i);
        }
        txtCards->setText(QString());
        lblCurrent->setText(PromptPreFlop);
        Set_Back_Colour(lblCurrent, NeutralColour);
        lblSuited->setText(QString());
        Set_Back_Colour(lblSuited, NeutralColour);
        Legend_Colors();
        BoardResetting = false;
        SmallBetRound = true;
    });
}

void frmMain::Uncheck_Cards() {
    BoardResetting = true;
    for (QCheckBox* box : chkCard)
        box->setChecked(false);
    BoardResetting = false;
}

void frmMain::Clear_Results() {
    lblHitPct->setText(QString());
    lblOuts->setText(QString());
    sldPot->setValue(0);
    txtPot->setText(QString());
    grdResults->setRowCount(0);
    fillingHands_ = true;
    grdHands->setRowCount(0);
    fillingHands_ = false;
}

// ---------------------------------------------------------------------------------------------------
// Pre-flop advice

void frmMain::cmdNewStrategy_Click() {
    Trap("cmdNewStrategy_Click", [&] {
        const QString cards = txtCards->text().toUpper().trimmed();
        if (cards.size() != 2) {
            cmdClear_Click();
            return;
        }
        if (RankLetters.contains(cards.at(0)) && RankLetters.contains(cards.at(1)))
            Display_Results();
        else
            cmdClear_Click();
    });
}

void frmMain::Display_Results() {
    Trap("Display_Results", [&] {
        const QString cards = txtCards->text().toUpper().trimmed();
        if (cards.size() != 2) return;
        const QString key = Hand_Key(cards.at(0), cards.at(1), IsSuited);
        if (key.isEmpty()) return;
        StrategyColor = 0;
        const QString word = Return_Strategy_Results(key);
        lblSuited->setText(Info_Line(key, word));
        // A hand the table lacks, or a row whose word has no colour, stands on the neutral face: black
        // text on the word's missing colour (black) could not be read.
        if (StrategyFound && StrategyColor != 0)
            Set_Back_Colour(lblSuited, static_cast<BgrColour>(StrategyColor));
        else
            Set_Back_Colour(lblSuited, NeutralColour);
    });
}

// ---------------------------------------------------------------------------------------------------
// Pot odds

void frmMain::txtPot_Change() {
    Trap("txtPot_Change", [&] {
        const auto outs = Parse_Number(lblOuts->text());
        const auto pot = Parse_Number(txtPot->text());
        if (!outs || !pot) return;
        grdResults->setRowCount(0);
        const double unseen = CardsUnseen;
        lblHitPct->setText(Format_Ratio(unseen > 0 ? *outs / unseen : 0.0));
        WagerRow rows[MaxWagerRows];
        const int count = Wager_Actions(*outs, unseen, *pot, SmallBetRound, rows);
        grdResults->setRowCount(count);
        for (int r = 0; r < count; ++r) {
            grdResults->setItem(r, 0,
                                cell(Format_Currency(rows[r].wager), Qt::AlignRight | Qt::AlignVCenter));
            grdResults->setItem(r, 1, cell(rows[r].bet ? QStringLiteral("BET") : QStringLiteral("FOLD")));
        }
    });
}

void frmMain::txtPot_Validate(bool& cancel) {
    const QString text = txtPot->text();
    if (text.isEmpty()) return;
    const auto pot = Parse_Number(text);
    if (pot && *pot >= 0) return;
    txtPot->setText(QString());
    cancel = true;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtPot && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Switching to another window or opening a menu, from the mouse or from the keyboard, is no
        // move within the window.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            reason != Qt::MenuBarFocusReason) {
            bool cancel = false;
            txtPot_Validate(cancel);
            if (cancel)
                QTimer::singleShot(0, txtPot, [box = txtPot] { box->setFocus(Qt::OtherFocusReason); });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::sldPot_Change() {
    Trap("sldPot_Change", [&] { txtPot->setText(QString::number(sldPot->value())); });
}

// ---------------------------------------------------------------------------------------------------
// Hands grid selection

void frmMain::grdHands_SelChange() {
    Trap("grdHands_SelChange", [&] {
        const QModelIndexList rows = grdHands->selectionModel()->selectedRows();
        Long sum = 0;
        if (!rows.isEmpty()) {
            for (const QModelIndex& row : rows) {
                const QTableWidgetItem* item = grdHands->item(row.row(), 2);
                const auto value = item ? Parse_Number(item->text()) : std::nullopt;
                const auto outs = value ? Round_To_Long(*value) : std::nullopt;
                if (outs) sum += *outs;
            }
        } else {
            sum = TotalOuts;
        }
        lblOuts->setText(QString::number(sum));
        const auto shown = Parse_Number(lblOuts->text());
        lblHitPct->setText(Format_Ratio(CardsUnseen > 0 && shown ? *shown / CardsUnseen : 0.0));
        txtPot_Change();
    });
}

// ---------------------------------------------------------------------------------------------------
// Legend and display options

void frmMain::Legend_Colors() {
    Trap("Legend_Colors", [&] {
        const bool hands = CardsChosen >= 3;
        for (int i = 0; i < ScaleSize; ++i) {
            Set_Back_Colour(lblLegend[i], ColourScale[i]);
            lblLegend[i]->setText(hands ? HandCaptions[i] : AdviceWords[i]);
        }
    });
}

void frmMain::mnuFileLegend_Click() {
    Trap("mnuFileLegend_Click", [&] {
        legendShown_ = !legendShown_;
        mnuFileLegend->setChecked(legendShown_);
        Set_Outer_Size(legendShown_ ? 10650 : 8850, outerHeight_);
        modGlobal::OPTIONS = (legendShown_ ? 1 : 0) + (modGlobal::OPTIONS & 2);
        modGlobal::Put_Setting(QStringLiteral("OPTIONS"), QString::number(modGlobal::OPTIONS));
    });
}

void frmMain::mnuFileShortcuts_Click() {
    Trap("mnuFileShortcuts_Click", [&] {
        keyShown_ = !keyShown_;
        mnuFileShortcuts->setChecked(keyShown_);
        Set_Outer_Size(outerWidth_, keyShown_ ? 4995 : 4455);
        modGlobal::OPTIONS = (keyShown_ ? 2 : 0) + (modGlobal::OPTIONS & 1);
        modGlobal::Put_Setting(QStringLiteral("OPTIONS"), QString::number(modGlobal::OPTIONS));
    });
}

void frmMain::Apply_Options() {
    Trap("Apply_Options", [&] {
        if (modGlobal::OPTIONS & 2) mnuFileShortcuts_Click();
        if (modGlobal::OPTIONS & 1) mnuFileLegend_Click();
    });
}

// Ends the program at once; nothing is written on the way out.
void frmMain::mnuFileExit_Click() {
    Trap("mnuFileExit_Click", [] { QCoreApplication::exit(0); });
}

frmMain* Main_Window() {
    static QPointer<frmMain> window;
    if (!window) window = new frmMain;
    return window;
}
