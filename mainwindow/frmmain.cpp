#include "mainwindow/frmmain.h"

#include "advice/potodds.h"
#include "advice/preflopstats.h"
#include "advice/strategy.h"
#include "base/errorreport.h"
#include "base/numbers.h"
#include "cards/mododds.h"
#include "config/modglobal.h"
#include "flow/cardnotation.h"
#include "flow/modboard.h"
#include "flow/modzoom.h"
#include "mainwindow/showdownpanel.h"
#include "shell/onlinehelp.h"
#include "version.h"
#include "widgets/accessible.h"
#include "widgets/cardface.h"
#include "widgets/controls.h"
#include "widgets/uihelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <cmath>

using namespace modOdds;

namespace {

const char* const HandCaptions[ScaleSize] = {
    QT_TRANSLATE_NOOP("frmMain", "St.Fl/4 of Kind"), QT_TRANSLATE_NOOP("frmMain", "Full House"),
    QT_TRANSLATE_NOOP("frmMain", "Flush"),           QT_TRANSLATE_NOOP("frmMain", "Straight"),
    QT_TRANSLATE_NOOP("frmMain", "3 of a Kind"),     QT_TRANSLATE_NOOP("frmMain", "2 Pair"),
    QT_TRANSLATE_NOOP("frmMain", "1 Pair")};

// The marks of the colours, for the players who cannot tell some of them apart (HACKING.md says why
// these): the hand's initial or its count and initial, so that no two look alike.
const char* const HandMarks[ScaleSize] = {
    QT_TRANSLATE_NOOP("frmMain", "4K"), QT_TRANSLATE_NOOP("frmMain", "FH"),
    QT_TRANSLATE_NOOP("frmMain", "F"),  QT_TRANSLATE_NOOP("frmMain", "S"),
    QT_TRANSLATE_NOOP("frmMain", "3K"), QT_TRANSLATE_NOOP("frmMain", "2P"),
    QT_TRANSLATE_NOOP("frmMain", "P")};

// The names of the colours, for the accessibility tools.
const char* const ColourNames[ScaleSize] = {
    QT_TRANSLATE_NOOP("frmMain", "magenta"),    QT_TRANSLATE_NOOP("frmMain", "cyan"),
    QT_TRANSLATE_NOOP("frmMain", "light blue"), QT_TRANSLATE_NOOP("frmMain", "green"),
    QT_TRANSLATE_NOOP("frmMain", "yellow"),     QT_TRANSLATE_NOOP("frmMain", "orange"),
    QT_TRANSLATE_NOOP("frmMain", "red")};

// The legend's caption font, in points.
constexpr double LegendPoints = 8.25;

// A mark's height: clear of the rank below it at every zoom.
constexpr int MarkHeightTwips = 135;

// What Describe_Card says of a card: nothing (before the flop), chosen (its frame black), seen (chosen
// with its frame as it was), no better hand, then what each colour of the scale makes.
enum CardState : signed char { Unsaid, Chosen, Seen, NoBetter, Makes };

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

QFont Bold_Font(const QFont& base, double points) {
    QFont f = base;
    f.setBold(true);
    f.setPointSizeF(points);
    return f;
}

// An entry at fault is told in the red of the hearts.
const QColor ProblemColour(204, 0, 0);

// "spades" .. "diamonds" for suits 1..4.
QString Suit_Text(Long suit) {
    static const char* const names[4] = {
        QT_TRANSLATE_NOOP("frmMain", "spades"), QT_TRANSLATE_NOOP("frmMain", "hearts"),
        QT_TRANSLATE_NOOP("frmMain", "clubs"), QT_TRANSLATE_NOOP("frmMain", "diamonds")};
    return QCoreApplication::translate("frmMain", names[std::clamp<Long>(suit, 1, 4) - 1]);
}

// "Ace of spades": the card as the accessibility tools name it (rank 1 the deuce .. 13 the ace).
QString Card_Text(Long suit, Long rank) {
    static const char* const names[13] = {
        QT_TRANSLATE_NOOP("frmMain", "Two"),   QT_TRANSLATE_NOOP("frmMain", "Three"),
        QT_TRANSLATE_NOOP("frmMain", "Four"),  QT_TRANSLATE_NOOP("frmMain", "Five"),
        QT_TRANSLATE_NOOP("frmMain", "Six"),   QT_TRANSLATE_NOOP("frmMain", "Seven"),
        QT_TRANSLATE_NOOP("frmMain", "Eight"), QT_TRANSLATE_NOOP("frmMain", "Nine"),
        QT_TRANSLATE_NOOP("frmMain", "Ten"),   QT_TRANSLATE_NOOP("frmMain", "Jack"),
        QT_TRANSLATE_NOOP("frmMain", "Queen"), QT_TRANSLATE_NOOP("frmMain", "King"),
        QT_TRANSLATE_NOOP("frmMain", "Ace")};
    return QCoreApplication::translate("frmMain", "%1 of %2")
        .arg(QCoreApplication::translate("frmMain", names[std::clamp<Long>(rank, 1, 13) - 1]),
             Suit_Text(suit));
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    modZoom::Load_Zoom(); // built at the zoom the player chose last
    Build_Controls();
    Build_Menus();
    Apply_Zoom(this);
    Form_Load();
}

// ---------------------------------------------------------------------------------------------------
// Building the window

void frmMain::Build_Controls() {
    for (int i = 0; i < ScaleSize; ++i) {
        legendWords_[i] = advice::Word_Text(advice::AdviceWords[i]);
        legendHands_[i] = tr(HandCaptions[i]);
        markTexts_[i] = tr(HandMarks[i]);
        QStringList names; // the categories the colour stands for, the better first
        for (Long code = StraightFlush; code >= Pair; --code)
            if (Category_Scale_Index(code) == i) names << Category_Text(code);
        cardStates_[Makes + i] = names.size() > 1 ? tr("makes a %1 or a %2").arg(names[0], names[1])
                                                  : tr("makes a %1").arg(names.value(0));
    }
    cardStates_[Chosen] = tr("chosen");
    cardStates_[Seen] = tr("seen");
    cardStates_[NoBetter] = tr("no better hand");

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
        Place(lblValue[i], QRect(480 + x, 360 + y, 255, 615));
        lblValue[i]->setCursor(Qt::PointingHandCursor);
        Set_Back_Colour(lblValue[i], NeutralColour);
        connect(lblValue[i], &ClickLabel::clicked, this, [this, i] { lblValue_Click(i); });

        imgCard[i] = new CardFace(suit, Rank_Letter(rank), client);
        imgCard[i]->setObjectName(QStringLiteral("imgCard_%1").arg(i));
        Place(imgCard[i], QRect(540 + x, 420 + y, 150, 495));
        connect(imgCard[i], &CardFace::clicked, this, [this, i] { imgCard_Click(i); });
        connect(imgCard[i], &CardFace::activated, this, [this, i] { imgCard_KeyPress(i); });
        connect(imgCard[i], &CardFace::stepped, this,
                [this, i](int columns, int rows) { imgCard_Step(i, columns, rows); });
        connect(imgCard[i], &CardFace::focusShown, lblValue[i], &ClickLabel::Show_Focus_Frame);
        imgCard[i]->setAccessibleName(Card_Text(suit, rank));
        lblValue[i]->setAccessibleName(imgCard[i]->accessibleName());

        chkCard[i] = new QCheckBox(client);
        chkCard[i]->setObjectName(QStringLiteral("chkCard_%1").arg(i));
        chkCard[i]->setVisible(false);
        chkCard[i]->setFocusPolicy(Qt::NoFocus);
        connect(chkCard[i], &QCheckBox::toggled, this, [this, i] { chkCard_Click(i); });
    }

    // The marks lie over the head of each frame, above the rank, as wide as the frame shows (the next
    // frame covers the last pixel); hidden until File > Category Marks.
    for (int i = 0; i < CardCount; ++i) {
        const int rank = Card_Rank(i);
        mrkCard[i] = new CategoryMark(client);
        mrkCard[i]->setObjectName(QStringLiteral("mrkCard_%1").arg(i));
        Place(mrkCard[i], QRect(480 + 240 * (rank - 1), 360 + 600 * (Card_Suit(i) - 1),
                                rank == 13 ? 255 : 240, MarkHeightTwips));
        mrkCard[i]->hide();
    }

    // Suit icons at both ends of every row: Image1..4 on the left, Image8..5 on the right.
    for (int row = 0; row < 4; ++row) {
        const int top = 435 + 600 * row;
        const int suit = row + 1;
        Image[row] = new SuitIcon(suit, client);
        Image[row]->setObjectName(QStringLiteral("Image%1").arg(row + 1));
        Place(Image[row], QRect(30, top, 360, 480));
        Image[7 - row] = new SuitIcon(suit, client);
        Image[7 - row]->setObjectName(QStringLiteral("Image%1").arg(8 - row));
        Place(Image[7 - row], QRect(3720, top, 360, 480));
        Image[row]->setAccessibleName(Suit_Text(suit));
        Image[7 - row]->setAccessibleName(Suit_Text(suit));
    }

    const QFont prompt = Bold_Font(base, 12);
    lblCurrent = Make_Label(client, "lblCurrent", tr("Preflop Cards"), QRect(4080, 0, 4575, 375));
    lblCurrent->setFont(prompt);
    lblCurrent->setAlignment(Qt::AlignCenter);
    lblSuited = Make_Label(client, "lblSuited", QString(), QRect(4200, 360, 4455, 375));
    lblSuited->setFont(prompt);
    lblSuited->setAlignment(Qt::AlignCenter);
    for (QLabel* l : {lblCurrent, lblSuited}) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::black);
        l->setPalette(p);
        Set_Back_Colour(l, NeutralColour);
    }

    Name_Figure(lblSuited, tr("Pre-Flop Info:"));

    lblSettings =
        Make_Label(client, "lblSettings", tr("Settings: $X/$Y, Max Z Raises"), QRect(120, 0, 3735, 255));
    lblPot = Make_Label(client, "lblPot", tr("Est Pot:"), QRect(120, 3360, 855, 255));
    txtPot = new QLineEdit(client);
    txtPot->setObjectName(QStringLiteral("txtPot"));
    Place(txtPot, QRect(960, 3360, PotBoxWidth, 285));
    txtPot->installEventFilter(this);
    connect(txtPot, &QLineEdit::textChanged, this, [this] { txtPot_Change(); });
    lblPot->setBuddy(txtPot);

    sldPot = new QSlider(Qt::Horizontal, client);
    sldPot->setObjectName(QStringLiteral("sldPot"));
    Place(sldPot, QRect(1680, 3240, 2175, 495));
    sldPot->setRange(0, 0);
    sldPot->setTickPosition(QSlider::TicksBelow);
    sldPot->setAccessibleName(tr("Pot"));
    connect(sldPot, &QSlider::valueChanged, this, [this] { sldPot_Change(); });

    cmdClear = new QPushButton(tr("&Clear"), client);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    Place(cmdClear, QRect(2880, 2880, 855, 375));
    connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });

    // The chosen ranks, shown in the legend column. Only the card table writes it.
    txtCards = new QLineEdit(client);
    txtCards->setObjectName(QStringLiteral("txtCards"));
    Place(txtCards, QRect(9000, 120, 1335, 285));
    txtCards->setReadOnly(true);
    txtCards->setAccessibleName(tr("Chosen Ranks"));

    lblOutsLbl = Make_Label(client, "lblOutsLbl", tr("# Outs:"), QRect(360, 3000, 735, 255));
    lblOuts = Make_Label(client, "lblOuts", QString(), QRect(1080, 3000, 375, 255));
    lblHitPctLbl = Make_Label(client, "lblHitPctLbl", tr("Hit %:"), QRect(1440, 3000, 615, 255));
    lblHitPct = Make_Label(client, "lblHitPct", QString(), QRect(2040, 3000, 615, 255));
    Name_Figure(lblOuts, lblOutsLbl->text());
    Name_Figure(lblHitPct, lblHitPctLbl->text());

    grdResults = Make_Grid(client, "grdResults", tr("Action To Take"), QRect(4200, 840, 1935, 2895),
                           {tr("Wager"), tr("Action")}, {705, 1005});
    grdResults->setSelectionMode(QAbstractItemView::NoSelection);
    grdHands = Make_Grid(client, "grdHands", tr("Hand Possibilities"), QRect(6240, 840, 2415, 2895),
                         {tr("Hand"), tr("%Odds"), tr("Outs")}, {1350, 705});
    grdHands->setColumnHidden(2, true);
    grdHands->setSelectionMode(QAbstractItemView::MultiSelection);
    connect(grdHands->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!fillingHands_) grdHands_SelChange();
    });

    const QFont legend = Bold_Font(base, LegendPoints);
    lblLegendTitle =
        Make_Label(client, "lblLegendTitle", tr("Legend"), QRect(LegendLeftTwips, 840, 1500, 255));
    lblLegendTitle->setFont(legend);
    lblLegendTitle->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < ScaleSize; ++i) {
        lblLegend[i] =
            Make_Label(client, "", legendWords_[i], QRect(LegendLeftTwips, 1080 + 240 * i, 1500, 255));
        lblLegend[i]->setObjectName(QStringLiteral("lblLegend_%1").arg(i));
        lblLegend[i]->setFont(legend);
        lblLegend[i]->setAlignment(Qt::AlignCenter);
        QPalette p = lblLegend[i]->palette();
        p.setColor(QPalette::WindowText, Qt::black);
        lblLegend[i]->setPalette(p);
        lblLegend[i]->setAccessibleDescription(tr(ColourNames[i]));
        // The mark stands at the swatch's left, as large as on a card's frame.
        mrkLegend[i] = new CategoryMark(lblLegend[i]);
        mrkLegend[i]->setObjectName(QStringLiteral("mrkLegend_%1").arg(i));
        Place(mrkLegend[i], QRect(60, (240 - MarkHeightTwips) / 2, 240, MarkHeightTwips));
        mrkLegend[i]->Set_Mark(markTexts_[i], To_QColor(ColourScale[i]));
        mrkLegend[i]->hide();
    }

    lblDecipher = Make_Label(
        client, "lblDecipher",
        tr("Pre-Flop Info: Hand ('s'=SUITED): Betting Advice (Hand Rank/Total Hand Combos) [# Hands "
           "at that Rank] G=Grouping"),
        QRect(120, 3960, 8655, 255));
    lblDecipher->setFont(base);
    Fit_Label_Text(lblDecipher); // one long line

    fraShowdown = new ShowdownPanel(client);
    fraShowdown->hide();

    Build_Enter_Cards(client);

    // Tab runs from the pot box through the controls beside it, the two grids and, when shown, the chosen
    // ranks and the card entry, then back to the pot box.
    QWidget* order[] = {txtPot, sldPot, cmdClear, grdResults, grdHands, txtCards, txtEnterCards};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    // The card table is one stop after them, just before the pot box comes round again: the card walked
    // to last takes Tab (the deuce of spades at first), and the arrows walk the table. The cards stand in
    // the sequence together; only that one takes Tab.
    setTabOrder(txtEnterCards, imgCard[0]);
    for (int i = 0; i < CardCount; ++i) {
        imgCard[i]->setFocusPolicy(Qt::TabFocus);
        if (i > 0) setTabOrder(imgCard[i - 1], imgCard[i]);
    }
    for (int i = 0; i < CardCount; ++i)
        if (i != focusCard_) imgCard[i]->setFocusPolicy(Qt::NoFocus);
    txtPot->setFocus(); // where the window opens
}

// The card entry: a bar over the controls below the card table, hidden until File > Enter Cards opens
// it, so the window looks as it always does until then.
void frmMain::Build_Enter_Cards(QWidget* client) {
    fraEnterCards = new QFrame(client);
    fraEnterCards->setObjectName(QStringLiteral("fraEnterCards"));
    fraEnterCards->setFrameShape(QFrame::Panel);
    fraEnterCards->setFrameShadow(QFrame::Raised);
    fraEnterCards->setAutoFillBackground(true);
    Place(fraEnterCards, QRect(120, HeightKeyHidden - FrameHeightTwips, 3735, EnterCardsHeight));
    lblEnterCards = Make_Label(fraEnterCards, "lblEnterCards", tr("Car&ds:"), QRect(90, 105, 735, 255));
    txtEnterCards = new QLineEdit(fraEnterCards);
    txtEnterCards->setObjectName(QStringLiteral("txtEnterCards"));
    txtEnterCards->setToolTip(
        tr("Rank and suit of each card, e.g. As Kh 10d 9c; Enter chooses them, Escape closes"));
    txtEnterCards->setPlaceholderText(QStringLiteral("As Kh 10d"));
    Place(txtEnterCards, QRect(840, 75, 2790, 315));
    txtEnterCards->installEventFilter(this);
    lblEnterCards->setBuddy(txtEnterCards);
    connect(txtEnterCards, &QLineEdit::returnPressed, this, [this] { txtEnterCards_Enter(); });
    connect(txtEnterCards, &QLineEdit::textEdited, this, [this] { lblEnterCardsProblem->clear(); });
    lblEnterCardsProblem =
        Make_Label(fraEnterCards, "lblEnterCardsProblem", QString(), QRect(90, 480, 3540, 315));
    QPalette red = lblEnterCardsProblem->palette();
    red.setColor(QPalette::WindowText, ProblemColour);
    lblEnterCardsProblem->setPalette(red);
    fraEnterCards->hide();
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

    mnuFile = bar->addMenu(tr("&File"));
    name(mnuFile, "mnuFile");
    name(mnuFile->menuAction(), "mnuFile");
    mnuFileLegend = item(mnuFile, "mnuFileLegend", tr("&Legend"), [this] { mnuFileLegend_Click(); });
    mnuFileLegend->setCheckable(true);
    mnuFileShortcuts =
        item(mnuFile, "mnuFileShortcuts", tr("&PreFlop Strategy Key"), [this] { mnuFileShortcuts_Click(); });
    mnuFileShortcuts->setCheckable(true);
    mnuFileShowdown =
        item(mnuFile, "mnuFileShowdown", tr("Sho&wdown Odds"), [this] { mnuFileShowdown_Click(); });
    mnuFileShowdown->setCheckable(true);
    item(mnuFile, "mnuFileRange", tr("Opponents' &Range..."), [this] { mnuFileRange_Click(); });
    mnuFileMarks = item(mnuFile, "mnuFileMarks", tr("Category &Marks"), [this] { mnuFileMarks_Click(); });
    mnuFileMarks->setCheckable(true);
    mnuFileRiver = item(mnuFile, "mnuFileRiver", tr("Play to the &River"), [this] { mnuFileRiver_Click(); });
    mnuFileRiver->setCheckable(true);
    item(mnuFile, "mnuFileSettings", tr("Change &Settings"), [this] { mnuFileSettings_Click(); });
    name(mnuFile->addSeparator(), "mnuFileSepCards");
    QAction* enter =
        item(mnuFile, "mnuFileEnterCards", tr("&Enter Cards\u2026"), [this] { mnuFileEnterCards_Click(); });
    enter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    QAction* undo =
        item(mnuFile, "mnuFileUndoCard", tr("&Undo Last Card"), [this] { mnuFileUndoCard_Click(); });
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    name(mnuFile->addSeparator(), "mnuFileSepZoom");
    QAction* in = item(mnuFile, "mnuFileZoomIn", tr("Zoom &In"), [this] { mnuFileZoomIn_Click(); });
    in->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    mnuFileZoomIn = in;
    QAction* out = item(mnuFile, "mnuFileZoomOut", tr("Zoom &Out"), [this] { mnuFileZoomOut_Click(); });
    out->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QAction* reset =
        item(mnuFile, "mnuFileZoomReset", tr("&Actual Size"), [this] { mnuFileZoomReset_Click(); });
    reset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    keyActions_ = {enter, undo, in, out, reset};
    name(mnuFile->addSeparator(), "mnuFileSep");
    item(mnuFile, "mnuFileExit", tr("E&xit"), [this] { mnuFileExit_Click(); });

    mnuHelp = bar->addMenu(tr("&Help"));
    name(mnuHelp, "mnuHelp");
    name(mnuHelp->menuAction(), "mnuHelp");
    QMenu* online = mnuHelp->addMenu(tr("&Online Help"));
    name(online, "mnuHelpOnline");
    name(online->menuAction(), "mnuHelpOnline");
    using namespace onlinehelp;
    item(online, "mnuOnlineHome", tr("Quorvane Home Page"), [] { mnuOnlineHome_Click(); });
    item(online, "mnuOnlineDownload", tr("Download Latest Version"), [] { mnuOnlineDownload_Click(); });
    item(online, "mnuOnlineTroubleshooting", tr("Troubleshooting"), [] { mnuOnlineTroubleshooting_Click(); });
    item(online, "mnuOnlineGroupings", tr("Groupings Help"), [] { mnuOnlineGroupings_Click(); });
    item(online, "mnuOnlineManual", tr("Online Manual"), [] { mnuOnlineManual_Click(); });
    item(online, "mnuOnlineHomeMain", Maker_Home_Caption(), [] { mnuOnlineHomeMain_Click(); });
    name(mnuHelp->addSeparator(), "mnuHelpSep");
    item(mnuHelp, "mnuHelpAbout", tr("&About"), [this] { mnuHelpAbout_Click(); });
}

// The outer size includes the frame and the menu bar. Qt sizes the window without its frame, so the
// client area is the outer size less a fixed allowance for the frame, the caption and the menu; the
// window is then the client area plus the menu bar that Qt really draws. The window cannot be resized
// by hand, so what lies beyond the client area stays out of sight; the controls that lie wholly
// beyond it are also hidden, so that neither the keyboard nor the mouse can reach them.
void frmMain::Set_Outer_Size(int widthTwips, int heightTwips) {
    outerWidth_ = widthTwips;
    outerHeight_ = heightTwips;
    // The showdown panel stands to the right of the client area, or in the legend column's place when
    // the legend is hidden (the key strip reaches a little beyond the narrow client area).
    const int panelLeft = std::max(widthTwips - FrameWidthTwips, LegendLeftTwips);
    if (fraShowdown) {
        Place(fraShowdown, QRect(panelLeft, 0, ShowdownPanel::WidthTwips, ShowdownPanel::HeightTwips));
        fraShowdown->setVisible(showdownShown_);
    }
    const int clientWidth = Zoomed(Client_Twips().width());
    const int clientHeight = Zoomed(heightTwips - FrameHeightTwips);
    // The card entry, while open, stands below everything else: the window grows by it.
    const int entryHeight = Zoomed(Client_Twips().height()) - clientHeight;
    if (fraEnterCards)
        Place(fraEnterCards, QRect(120, heightTwips - FrameHeightTwips, 3735, EnterCardsHeight));
    QWidget* client = centralWidget();
    client->setFixedSize(clientWidth, clientHeight + entryHeight);
    setFixedSize(clientWidth, clientHeight + entryHeight + menuBar()->sizeHint().height());
    // What lies beyond the client area of the window without the panel stays hidden (the panel stands
    // in the legend column's place while the legend is hidden).
    const QRect area(0, 0, Zoomed(widthTwips - FrameWidthTwips), clientHeight);
    QWidget* beyond[] = {txtCards,     lblLegendTitle, lblDecipher,  lblLegend[0], lblLegend[1],
                         lblLegend[2], lblLegend[3],   lblLegend[4], lblLegend[5], lblLegend[6]};
    for (QWidget* w : beyond)
        w->setVisible(area.intersects(w->geometry()));
    Update_Zoom_In();
}

QSize frmMain::Client_Twips() const {
    const int panelLeft = std::max(outerWidth_ - FrameWidthTwips, LegendLeftTwips);
    const int width = showdownShown_ ? panelLeft + ShowdownPanel::WidthTwips : outerWidth_ - FrameWidthTwips;
    const bool entry = fraEnterCards && !fraEnterCards->isHidden();
    return QSize(width, outerHeight_ - FrameHeightTwips + (entry ? EnterCardsHeight : 0));
}

// ---------------------------------------------------------------------------------------------------
// Load

void frmMain::Form_Load() {
    setWindowTitle(tr("Quorvane v%1.%2.%3")
                       .arg(QUORVANE_VERSION_MAJOR)
                       .arg(QUORVANE_VERSION_MINOR)
                       .arg(QUORVANE_VERSION_PATCH));
    Set_Outer_Size(WidthLegendHidden, HeightKeyHidden);
    RankLetters = QLatin1String(RankLetterText);
    advice::Grab_Stats();
    Show_Settings();
    Apply_Options();
    // The showdown panel as the player left it; reading its setting writes nothing.
    if (modGlobal::Get_Optional_Setting(ShowdownPanel::KeyShown, 0, 0, 1) == 1) Show_Showdown(true);
    if (modGlobal::Get_Optional_Setting(KeyMarks, 0, 0, 1) == 1) Show_Marks(true);
    modBoard::Set_Play_To_River(modGlobal::Get_Optional_Setting(KeyRiver, 0, 0, 1) == 1);
    mnuFileRiver->setChecked(modBoard::PlayToRiver);
    cmdClear_Click();
}

void frmMain::Show_Settings() {
    Trap("Show_Settings", [&] {
        lblSettings->setText(advice::Settings_Summary());
        sldPot->setMaximum(std::max<Long>(0, modGlobal::POTSIZEAVG));
        Fit_Pot_Box();
    });
    // New limits give new wagers for the pot that stands in the box.
    txtPot_Change();
}

// The pot box holds the longest pot the slider can set, written in the user's locale with a decimal
// (as a player may type it: "1.234,5"), whole. When its own width is too narrow for that, it widens
// into the slider's room, whose right end stays.
void frmMain::Fit_Pot_Box() {
    const QString longest =
        QLocale().toString(static_cast<double>(std::max<Long>(0, modGlobal::POTSIZEAVG)), 'f', 1);
    const int frame = txtPot->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, txtPot);
    const QMargins margins = txtPot->textMargins();
    // The box's frame, the text's own margin of 2 pixels a side and the cursor beside the text.
    const int pixels = QFontMetrics(txtPot->font()).horizontalAdvance(longest) + 2 * frame + 2 * 2 + 1 +
                       margins.left() + margins.right();
    const int twips =
        static_cast<int>(std::ceil(pixels * 1500.0 / static_cast<double>(modZoom::ZoomPercent)));
    const int wider = std::max(0, twips - PotBoxWidth);
    Place(txtPot, QRect(960, 3360, PotBoxWidth + wider, 285));
    Place(sldPot, QRect(1680 + wider, 3240, 2175 - wider, 495));
}

// ---------------------------------------------------------------------------------------------------
// Card entry

void frmMain::chkCard_Click(int index) {
    Trap("chkCard_Click", [&] {
        if (!BoardResetting && index >= 0 && index < CardCount) {
            if (chkCard[index]->isChecked())
                modBoard::Card_Chosen(index, modBoard::Via::CheckBox);
            else
                modBoard::Card_Released(index, modBoard::Via::CheckBox);
            Paint_Board();
        }
        Select_Pot_Text();
    });
}

void frmMain::Select_Pot_Text() {
    if (keyToggle_) return;
    txtPot->setFocus(Qt::OtherFocusReason);
    txtPot->setSelection(0, static_cast<int>(txtPot->text().size()));
}

void frmMain::imgCard_Click(int index) {
    lblValue_Click(index);
}

void frmMain::lblValue_Click(int index) {
    Trap("lblValue_Click", [&] {
        if (Toggle_Card(index)) Select_Pot_Text();
    });
}

bool frmMain::Toggle_Card(int index) {
    if (index < 0 || index >= CardCount) return false;
    if (modBoard::Is_Chosen(index))
        modBoard::Card_Released(index, modBoard::Via::Frame);
    else
        modBoard::Card_Chosen(index, modBoard::Via::Frame);
    Paint_Board();
    return true;
}

void frmMain::imgCard_KeyPress(int index) {
    Trap("imgCard_KeyPress", [&] {
        keyToggle_ = true; // the check boxes' handler leaves the focus on the card
        Toggle_Card(index);
    });
    keyToggle_ = false;
}

// The arrows stop at the table's edges.
void frmMain::imgCard_Step(int index, int columns, int rows) {
    Trap("imgCard_Step", [&] {
        if (index < 0 || index >= CardCount) return;
        const Long suit = std::clamp<Long>(Card_Suit(index) + rows, 1, 4);
        const Long rank = std::clamp<Long>(Card_Rank(index) + columns, 1, 13);
        Focus_Card(static_cast<int>(Card_Index(suit, rank)));
    });
}

// The card takes Tab from now on, and the focus.
void frmMain::Focus_Card(int index) {
    imgCard[index]->setFocusPolicy(Qt::TabFocus);
    imgCard[index]->setFocus(Qt::OtherFocusReason);
    if (index != focusCard_) imgCard[focusCard_]->setFocusPolicy(Qt::NoFocus);
    focusCard_ = index;
}

void frmMain::cmdClear_Click() {
    Trap("cmdClear_Click", [&] {
        modBoard::Clear();
        Paint_Board();
    });
}

void frmMain::Paint_Frame(int index) {
    Set_Back_Colour(lblValue[index], FrameColour[index]);
    Describe_Card(index);
}

void frmMain::Describe_Card(int index) {
    const BgrColour frame = FrameColour[index];
    const int scale = Colour_Scale_Index(frame);
    const bool chosen = modBoard::Is_Chosen(index);
    if (marksShown_ && scale >= 0) mrkCard[index]->Set_Mark(markTexts_[scale], To_QColor(frame));
    mrkCard[index]->setVisible(marksShown_ && scale >= 0);

    int state = Unsaid;
    if (chosen)
        state = frame == BlackColour ? Chosen : Seen;
    else if (scale >= 0)
        state = Makes + scale;
    else if (HandsRowCount > 0)
        state = NoBetter;
    imgCard[index]->Set_Chosen(chosen);
    if (state == describedState_[index]) return;
    describedState_[index] = static_cast<signed char>(state);
    imgCard[index]->setAccessibleDescription(cardStates_[state]);
}

void frmMain::Paint_Board() {
    const modBoard::BoardState& board = modBoard::Board;
    if (board.Clears != paintedClears_) {
        paintedClears_ = board.Clears;
        paintedAnalysis_ =
            board.Analysis; // a clear leaves no analysis, and Clear_Results empties its display
        Uncheck_Cards();
        Clear_Results();
    }
    // The hidden check boxes follow the board; their handler, raised by each change, only moves the focus.
    BoardResetting = true;
    for (int i = 0; i < CardCount; ++i) {
        const bool chosen = modBoard::Is_Chosen(i);
        if (chkCard[i]->isChecked() != chosen) chkCard[i]->setChecked(chosen);
        Paint_Frame(i);
    }
    BoardResetting = false;
    if (txtCards->text() != board.CardsText) txtCards->setText(board.CardsText);
    lblCurrent->setText(board.Prompt);
    Set_Back_Colour(lblCurrent, NeutralColour);
    lblSuited->setText(board.InfoLine);
    Set_Back_Colour(lblSuited, board.InfoColour);
    Legend_Colors();
    if (board.Analysis != paintedAnalysis_) {
        paintedAnalysis_ = board.Analysis;
        Show_Analysis();
    }
    fraShowdown->Follow_Board();
}

// The analysis as the card model left it: the hands grid and the two labels; the action list then
// follows the new outs and unit (or empties when there is no analysis).
void frmMain::Show_Analysis() {
    fillingHands_ = true;
    grdHands->clearSelection();
    grdHands->setRowCount(0);
    const int rows = std::clamp<Long>(HandsRowCount, 0, CategorySlots);
    grdHands->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        grdHands->setItem(r, 0, Cell(HandsRows[r].hand));
        grdHands->setItem(r, 1, Cell(HandsRows[r].odds, Qt::AlignRight | Qt::AlignVCenter));
        grdHands->setItem(r, 2, Cell(QString::number(HandsRows[r].count)));
    }
    fillingHands_ = false;
    Fit_Columns(grdHands);
    lblOuts->setText(OutsText);
    lblHitPct->setText(HitPctText);
    grdResults->setRowCount(0);
    Trap("txtPot_Change", [&] { Show_Actions(false); });
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
    Fit_Columns(grdResults);
    Fit_Columns(grdHands);
}

// ---------------------------------------------------------------------------------------------------
// Pot odds

void frmMain::txtPot_Change() {
    Trap("txtPot_Change", [&] {
        Show_Actions(true);
        fraShowdown->Follow_Pot(txtPot->text());
    });
}

void frmMain::Show_Actions(bool withHit) {
    const auto outs = Parse_Number(lblOuts->text());
    const auto pot = Parse_Number(txtPot->text());
    if (!outs || !pot) return;
    grdResults->setRowCount(0);
    const double unseen = CardsUnseen;
    if (withHit) lblHitPct->setText(Format_Ratio(unseen > 0 ? *outs / unseen : 0.0));
    advice::WagerRow rows[advice::MaxWagerRows];
    const int count = advice::Wager_Actions(*outs, unseen, *pot, SmallBetRound, rows);
    grdResults->setRowCount(count);
    for (int r = 0; r < count; ++r) {
        grdResults->setItem(r, 0, Cell(Format_Currency(rows[r].wager), Qt::AlignRight | Qt::AlignVCenter));
        grdResults->setItem(r, 1, Cell(rows[r].bet ? tr("BET") : tr("FOLD")));
    }
    Fit_Columns(grdResults);
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
    // The pot box, where the focus rests, would take Ctrl+Z (and Ctrl+E, the end of the line) for its
    // own editing: the menu's keys go to the menu.
    if (watched == txtPot && event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction* action : keyActions_)
            for (const QKeySequence& shortcut : action->shortcuts())
                if (shortcut.matches(pressed) == QKeySequence::ExactMatch) return true;
    }
    if (watched == txtEnterCards && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Close_Enter_Cards();
        return true;
    }
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
// The keyboard: cards typed, the last card taken back

void frmMain::mnuFileEnterCards_Click() {
    Trap("mnuFileEnterCards_Click", [&] {
        fraEnterCards->show();
        fraEnterCards->raise();
        Set_Outer_Size(outerWidth_, outerHeight_);
        txtEnterCards->setFocus(Qt::ShortcutFocusReason);
        txtEnterCards->selectAll();
    });
}

// Enter: every card of the entry is chosen in turn as a click on its frame would choose it, except that
// a card typed after the last card of the hand starts the next hand instead of being lost with the board
// it clears (only the last hand the entry starts is chosen: those before it would be cleared again); an
// entry with a token at fault chooses nothing and says why, with the token selected.
void frmMain::txtEnterCards_Enter() {
    Trap("txtEnterCards_Enter", [&] {
        const QString text = txtEnterCards->text();
        const cardnotation::Entry entry = cardnotation::Read_Entry(text);
        if (entry.problem != cardnotation::Problem::None) {
            const QString token = text.mid(entry.errorStart, entry.errorLength);
            lblEnterCardsProblem->setText(
                tr("\u201C%1\u201D %2").arg(token, cardnotation::Problem_Text(entry.problem)));
            txtEnterCards->setSelection(static_cast<int>(entry.errorStart),
                                        static_cast<int>(entry.errorLength));
            return;
        }
        if (entry.newHand) cmdClear_Click(); // the next hand starts with the cards that did not fit
        for (int i = 0; i < entry.count; ++i)
            lblValue_Click(entry.cards[i]);
        Close_Enter_Cards();
    });
}

void frmMain::Close_Enter_Cards() {
    txtEnterCards->clear();
    lblEnterCardsProblem->clear();
    if (!fraEnterCards->isHidden()) {
        fraEnterCards->hide();
        Set_Outer_Size(outerWidth_, outerHeight_);
    }
    Select_Pot_Text();
}

void frmMain::mnuFileUndoCard_Click() {
    Trap("mnuFileUndoCard_Click", [&] {
        const Long last = Last_Chosen();
        if (last >= 0 && last < CardCount) lblValue_Click(last);
    });
}

// ---------------------------------------------------------------------------------------------------
// Zoom

void frmMain::mnuFileZoomIn_Click() {
    Trap("mnuFileZoomIn_Click", [&] {
        const Long next = modZoom::Next_Step(modZoom::ZoomPercent, 1);
        if (next <= Largest_Zoom()) Set_Zoom(next);
    });
}

void frmMain::mnuFileZoomOut_Click() {
    Trap("mnuFileZoomOut_Click", [&] { Set_Zoom(modZoom::Next_Step(modZoom::ZoomPercent, -1)); });
}

void frmMain::mnuFileZoomReset_Click() {
    Trap("mnuFileZoomReset_Click", [&] { Set_Zoom(modZoom::DefaultZoom); });
}

void frmMain::Set_Zoom(Long percent) {
    if (modZoom::Set_Zoom(percent)) Follow_Zoom();
}

// Every open window follows; this one also sizes its grids, the pot box and its outer size, which it
// lays out in code.
void frmMain::Follow_Zoom() {
    Apply_Zoom_To_All_Forms();
    for (QTableWidget* grid : {grdResults, grdHands, fraShowdown->grdRiver, fraShowdown->grdShowdownAdvice}) {
        Size_Grid(grid);
        Fit_Columns(grid);
    }
    Fit_Pot_Box();
    Set_Outer_Size(outerWidth_, outerHeight_);
    if (legendMarked_) Paint_Legend_Marks(); // the captions fitted again at the new size
}

// The largest zoom at which the window, as it now stands, fits the available area of its screen: the
// client area and the menu bar grow with the zoom, the window manager's frame does not.
Long frmMain::Largest_Zoom() const {
    const QScreen* shownOn = screen();
    if (!shownOn) return modZoom::Steps[modZoom::StepCount - 1];
    const QSize client = Client_Twips();
    const double menu = menuBar()->sizeHint().height() * 100.0 / static_cast<double>(modZoom::ZoomPercent);
    return modZoom::Largest_Fitting_Step(QSizeF(client.width() / 15.0, client.height() / 15.0 + menu),
                                         frameGeometry().size() - size(),
                                         shownOn->availableGeometry().size());
}

// Zoom In is offered only while the next step fits the screen.
void frmMain::Update_Zoom_In() {
    if (!mnuFileZoomIn) return;
    const Long next = modZoom::Next_Step(modZoom::ZoomPercent, 1);
    mnuFileZoomIn->setEnabled(next > modZoom::ZoomPercent && next <= Largest_Zoom());
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!screenFollowed_ && windowHandle()) {
        screenFollowed_ = true;
        // A zoom from the settings file at which the window would reach beyond its screen is lowered for
        // this start; the file keeps it.
        if (modZoom::Limit_Zoom(Largest_Zoom())) Follow_Zoom();
        connect(windowHandle(), &QWindow::screenChanged, this, [this] { Update_Zoom_In(); });
    }
    Update_Zoom_In();
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
        Trap("txtPot_Change", [&] { Show_Actions(false); });
    });
}

// ---------------------------------------------------------------------------------------------------
// Legend and display options

void frmMain::Legend_Colors() {
    Trap("Legend_Colors", [&] {
        const bool hands = CardsChosen >= 3;
        for (int i = 0; i < ScaleSize; ++i) {
            Set_Back_Colour(lblLegend[i], ColourScale[i]);
            lblLegend[i]->setText(hands ? legendHands_[i] : legendWords_[i]);
        }
        Paint_Legend_Marks();
    });
}

void frmMain::Paint_Legend_Marks() {
    const bool marked = marksShown_ && CardsChosen >= 3;
    if (!marked && !legendMarked_) return;
    legendMarked_ = marked;
    for (int i = 0; i < ScaleSize; ++i) {
        QLabel* label = lblLegend[i];
        mrkLegend[i]->setVisible(marked);
        // The caption stands centred in the room beside the mark, its font stepped down until it fits.
        const int room = marked ? mrkLegend[i]->geometry().right() + 1 : 0;
        label->setContentsMargins(room, 0, 0, 0);
        QFont font = label->font();
        font.setPointSizeF(Zoomed_Points(LegendPoints));
        while (marked && font.pointSizeF() > Zoomed_Points(6) &&
               QFontMetricsF(font).horizontalAdvance(label->text()) > label->width() - room)
            font.setPointSizeF(font.pointSizeF() - 0.25);
        if (font != label->font()) label->setFont(font);
    }
}

void frmMain::Show_Marks(bool shown) {
    marksShown_ = shown;
    mnuFileMarks->setChecked(shown);
    for (int i = 0; i < CardCount; ++i)
        Describe_Card(i);
    Paint_Legend_Marks();
}

void frmMain::mnuFileMarks_Click() {
    Trap("mnuFileMarks_Click", [&] {
        Show_Marks(!marksShown_);
        modGlobal::Put_Optional_Setting(KeyMarks, marksShown_ ? 1 : 0);
    });
}

// Played to the river, the seventh card is the river; turned off with the river on the board, the board
// clears as a seventh card would clear it.
void frmMain::mnuFileRiver_Click() {
    Trap("mnuFileRiver_Click", [&] {
        modBoard::Set_Play_To_River(!modBoard::PlayToRiver);
        mnuFileRiver->setChecked(modBoard::PlayToRiver);
        modGlobal::Put_Optional_Setting(KeyRiver, modBoard::PlayToRiver ? 1 : 0);
        Paint_Board();
    });
}

void frmMain::mnuFileLegend_Click() {
    Trap("mnuFileLegend_Click", [&] {
        legendShown_ = !legendShown_;
        mnuFileLegend->setChecked(legendShown_);
        Set_Outer_Size(legendShown_ ? WidthLegendShown : WidthLegendHidden, outerHeight_);
        modGlobal::OPTIONS = (legendShown_ ? 1 : 0) + (modGlobal::OPTIONS & 2);
        modGlobal::Put_Setting(QStringLiteral("OPTIONS"), QString::number(modGlobal::OPTIONS));
    });
}

void frmMain::mnuFileShortcuts_Click() {
    Trap("mnuFileShortcuts_Click", [&] {
        keyShown_ = !keyShown_;
        mnuFileShortcuts->setChecked(keyShown_);
        Set_Outer_Size(outerWidth_, keyShown_ ? HeightKeyShown : HeightKeyHidden);
        modGlobal::OPTIONS = (keyShown_ ? 2 : 0) + (modGlobal::OPTIONS & 1);
        modGlobal::Put_Setting(QStringLiteral("OPTIONS"), QString::number(modGlobal::OPTIONS));
    });
}

int frmMain::Outer_Width_Twips() const {
    const int panelLeft = std::max(outerWidth_ - FrameWidthTwips, LegendLeftTwips);
    return showdownShown_ ? panelLeft + ShowdownPanel::WidthTwips + FrameWidthTwips : outerWidth_;
}

void frmMain::Show_Showdown(bool shown) {
    showdownShown_ = shown;
    mnuFileShowdown->setChecked(shown);
    Set_Outer_Size(outerWidth_, outerHeight_);
    fraShowdown->Set_Running(shown);
}

void frmMain::mnuFileShowdown_Click() {
    Trap("mnuFileShowdown_Click", [&] {
        Show_Showdown(!showdownShown_);
        modGlobal::Put_Optional_Setting(ShowdownPanel::KeyShown, showdownShown_ ? 1 : 0);
    });
}

void frmMain::mnuFileRange_Click() {
    Trap("mnuFileRange_Click", [this] { emit rangeRequested(); });
}

void frmMain::Follow_Range() {
    fraShowdown->Follow_Board();
}

void frmMain::Apply_Options() {
    Trap("Apply_Options", [&] {
        if (modGlobal::OPTIONS & 2) mnuFileShortcuts_Click();
        if (modGlobal::OPTIONS & 1) mnuFileLegend_Click();
    });
}

void frmMain::mnuFileSettings_Click() {
    Trap("mnuFileSettings_Click", [this] { emit settingsRequested(); });
}

void frmMain::mnuHelpAbout_Click() {
    Trap("mnuHelpAbout_Click", [this] { emit aboutRequested(); });
}

// Ends the program at once; nothing is written on the way out.
void frmMain::mnuFileExit_Click() {
    Trap("mnuFileExit_Click", [] { QCoreApplication::exit(0); });
}
