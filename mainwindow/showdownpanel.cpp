#include "mainwindow/showdownpanel.h"

#include "advice/potodds.h"
#include "base/errorreport.h"
#include "base/numbers.h"
#include "cards/mododds.h"
#include "config/modglobal.h"
#include "flow/modboard.h"
#include "flow/modrange.h"
#include "mainwindow/showdownfigures.h"
#include "widgets/accessible.h"
#include "widgets/controls.h"
#include "widgets/uihelpers.h"

#include <QEvent>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>

ShowdownPanel::ShowdownPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("fraShowdown"));
    Place(this, QRect(0, 0, WidthTwips, HeightTwips));

    QLabel* opponents = Make_Label(this, "lblOpponents", tr("Opponents:"), QRect(120, 120, 1020, 255));
    spnOpponents = new QSpinBox(this);
    spnOpponents->setObjectName(QStringLiteral("spnOpponents"));
    Place(spnOpponents, QRect(1140, 90, 660, 285));
    spnOpponents->setRange(1, showdown::MaxOpponents);
    // The arrows and the wheel change it without taking the keyboard away from the pot box; Tab reaches it.
    spnOpponents->setFocusPolicy(Qt::TabFocus);
    spnOpponents->setValue(modGlobal::Get_Optional_Setting(KeyOpponents, 1, 1, showdown::MaxOpponents));
    opponents->setBuddy(spnOpponents);
    lblRange = Make_Label(this, "lblRange", QString(), QRect(1920, 120, 2175, 255));
    lblRange->installEventFilter(this);
    modRange::Load_Range();
    rangeText_ = modRange::Description(describedRange_);

    const struct {
        const char* caption;
        const char* name;
        QLabel** value;
    } figures[] = {{"lblWin", "lblWinPct", &lblWinPct},
                   {"lblTie", "lblTiePct", &lblTiePct},
                   {"lblEquity", "lblEquityPct", &lblEquityPct}};
    const QString captions[] = {tr("Win:"), tr("Tie:"), tr("Equity:")};
    for (int i = 0; i < 3; ++i) {
        const int top = 540 + 300 * i;
        Make_Label(this, figures[i].caption, captions[i], QRect(120, top, 780, 255));
        *figures[i].value = Make_Label(this, figures[i].name, QString(), QRect(900, top, 900, 255));
        (*figures[i].value)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Name_Figure(*figures[i].value, captions[i]);
    }
    lblShowdownPrecision = Make_Label(this, "lblShowdownPrecision", QString(), QRect(120, 1440, 1680, 255));
    lblShowdownPrecision->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Name_Figure(lblShowdownPrecision, tr("Precision:"));

    grdRiver = Make_Grid(this, "grdRiver", tr("By the River"), QRect(1980, 840, 2115, 2895),
                         {tr("Hand"), tr("%Odds")}, {1350, 705});
    grdRiver->setSelectionMode(QAbstractItemView::NoSelection);

    // A third column: the strength and potential from the flop on, and under them the price of each wager.
    const struct {
        const char* caption;
        const char* name;
        QLabel** value;
        const char* text;
    } strength[] = {{"lblStrengthLbl", "lblStrength", &lblStrength, QT_TR_NOOP("Strength:")},
                    {"lblPotentialLbl", "lblPotential", &lblPotential, QT_TR_NOOP("Potential:")},
                    {nullptr, "lblNegPotential", &lblNegPotential, QT_TR_NOOP("Negative potential:")},
                    {"lblEffStrengthLbl", "lblEffStrength", &lblEffStrength, QT_TR_NOOP("Effective:")},
                    {"lblCleanOutsLbl", "lblCleanOuts", &lblCleanOuts, QT_TR_NOOP("Clean outs:")}};
    for (int i = 0; i < 5; ++i) {
        const int top = 120 + 300 * i;
        const QString caption = tr(strength[i].text);
        if (strength[i].caption)
            Fit_Label_Text(Make_Label(this, strength[i].caption, caption, QRect(4215, top, 1020, 255)));
        *strength[i].value = Make_Label(this, strength[i].name, QString(), QRect(5235, top, 1230, 255));
        (*strength[i].value)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Name_Figure(*strength[i].value, caption);
    }
    grdShowdownAdvice =
        Make_Grid(this, "grdShowdownAdvice", tr("Showdown Advice"), QRect(4215, 1740, 2250, 1995),
                  {tr("Wager"), tr("Needs"), tr("Action")}, {750, 630, 810});
    grdShowdownAdvice->setSelectionMode(QAbstractItemView::NoSelection);

    connect(spnOpponents, &QSpinBox::valueChanged, this, [this] { spnOpponents_Change(); });
    connect(&calculator_, &showdown::Calculator::resultReady, this,
            [this](const showdown::Result& result) { Show_Figures(result); });
}

int ShowdownPanel::Opponents() const {
    return spnOpponents->value();
}

void ShowdownPanel::Set_Running(bool running) {
    running_ = running;
    hasSpot_ = false;
    if (running) {
        calculator_.Prepare();
        Follow_Board();
    } else
        calculator_.Cancel();
}

void ShowdownPanel::Follow_Board() {
    Trap("Follow_Board", [this] {
        if (!running_) return;
        showdown::Spot spot;
        const bool valid = modBoard::Showdown_Spot(Opponents(), spot);
        // The cards stand with any two cards but not with the range: the range has nothing left.
        showdown::Spot anyTwo;
        Show_Range(valid || !modBoard::Showdown_Spot(Opponents(), anyTwo, showdown::Range()));
        if (!valid) {
            hasSpot_ = false;
            calculator_.Cancel();
            Blank();
            return;
        }
        if (hasSpot_ && spot == spot_) return;
        Show_Advice(); // the round's wagers may have changed with the board
        spot_ = spot;
        hasSpot_ = true;
        // The last spot's figures stand, dimmed, until the new spot's come; before the flop there is no
        // strength.
        const auto odds = Odds();
        Dim(odds, true);
        Dim(std::array<QWidget*, 1>{grdRiver}, true);
        if (spot.boardCount >= 3)
            Dim(Strength(), true);
        else
            for (QWidget* figure : Strength())
                static_cast<QLabel*>(figure)->clear();
        calculator_.Start(spot);
    });
}

void ShowdownPanel::Follow_Pot(const QString& potText) {
    Trap("Follow_Pot", [&] {
        potText_ = potText;
        Show_Advice();
    });
}

void ShowdownPanel::Show_Advice() {
    const auto pot = Parse_Number(potText_);
    advice::AdviceRow rows[advice::MaxWagerRows];
    const int count = running_ && hasEquity_ && pot
                          ? advice::Showdown_Advice(equityPct_, *pot, modOdds::SmallBetRound, rows)
                          : 0;
    grdShowdownAdvice->setRowCount(count);
    for (int r = 0; r < count; ++r) {
        grdShowdownAdvice->setItem(r, 0,
                                   Cell(Format_Currency(rows[r].wager), Qt::AlignRight | Qt::AlignVCenter));
        grdShowdownAdvice->setItem(r, 1,
                                   Cell(Format_Ratio(rows[r].needs), Qt::AlignRight | Qt::AlignVCenter));
        grdShowdownAdvice->setItem(r, 2,
                                   Cell(rows[r].bet ? QCoreApplication::translate("frmMain", "BET")
                                                    : QCoreApplication::translate("frmMain", "FOLD")));
    }
    Fit_Columns(grdShowdownAdvice);
}

// The range's line: its description, or that no hand of it is left; cut with an ellipsis to the label's
// width, the whole text in the tooltip.
void ShowdownPanel::Show_Range(bool handLeft) {
    if (!(describedRange_ == modRange::Current()) || describedTop_ != modRange::Current_Top()) {
        describedRange_ = modRange::Current();
        describedTop_ = modRange::Current_Top();
        rangeText_ = modRange::Description(describedRange_);
    }
    const QString text = handLeft ? rangeText_ : tr("No hand of the range is left");
    lblRange->setToolTip(text);
    lblRange->setProperty("FullText", text);
    lblRange->setText(lblRange->fontMetrics().elidedText(text, Qt::ElideRight, lblRange->width()));
}

bool ShowdownPanel::eventFilter(QObject* watched, QEvent* event) {
    // The zoom sizes the label anew: the line is cut again to its new width.
    if (watched == lblRange && (event->type() == QEvent::Resize || event->type() == QEvent::FontChange)) {
        const QString text = lblRange->property("FullText").toString();
        lblRange->setText(lblRange->fontMetrics().elidedText(text, Qt::ElideRight, lblRange->width()));
    }
    return QFrame::eventFilter(watched, event);
}

void ShowdownPanel::spnOpponents_Change() {
    Trap("spnOpponents_Change", [this] {
        modGlobal::Put_Optional_Setting(KeyOpponents, Opponents());
        Follow_Board();
    });
}

void ShowdownPanel::Blank() {
    for (QLabel* label : {lblWinPct, lblTiePct, lblEquityPct, lblShowdownPrecision, lblStrength, lblPotential,
                          lblNegPotential, lblEffStrength, lblCleanOuts})
        label->clear();
    grdRiver->setRowCount(0);
    hasEquity_ = false;
    Show_Advice();
    for (const auto& group : {Odds(), Strength()})
        Dim(group, false);
    Dim(std::array<QWidget*, 1>{grdRiver}, false);
}

std::array<QWidget*, 5> ShowdownPanel::Odds() const {
    return {lblWinPct, lblTiePct, lblEquityPct, lblShowdownPrecision, grdShowdownAdvice};
}

std::array<QWidget*, 5> ShowdownPanel::Strength() const {
    return {lblStrength, lblPotential, lblNegPotential, lblEffStrength, lblCleanOuts};
}

// Dimmed, the figures are drawn in the colour of disabled text; otherwise in the panel's own colours.
void ShowdownPanel::Dim(std::span<QWidget* const> figures, bool stale) {
    QPalette colours;
    if (stale)
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
            colours.setColor(role, palette().color(QPalette::Disabled, role));
    for (QWidget* figure : figures)
        figure->setPalette(colours);
}

void ShowdownPanel::Show_Figures(const showdown::Result& result) {
    // Only the current spot's figures arrive: the calculator drops those of a spot it has left (stopped,
    // blanked or replaced).
    Trap("Show_Figures", [&] {
        using namespace showdowntexts;
        if (result.hasOdds) {
            lblWinPct->setText(Percent_Text(result.odds.winPct));
            lblTiePct->setText(Percent_Text(result.odds.tiePct));
            lblEquityPct->setText(Percent_Text(result.odds.equityPct));
            lblShowdownPrecision->setText(result.odds.exact ? tr("exact") : Precision_Text(result.odds));
            hasEquity_ = true;
            equityPct_ = result.odds.equityPct;
            Show_Advice();
            Dim(Odds(), false);
        }
        if (result.hasStrength) Show_Strength(result.strength);
        // The odds come first; the last spot's hands by the river stay, dimmed, until the new ones come.
        if (!result.hasRiver) return;
        Dim(std::array<QWidget*, 1>{grdRiver}, false);
        RiverRow rows[RiverRowSlots];
        const Long count = River_Rows(result.river, rows);
        grdRiver->setRowCount(count);
        for (Long r = 0; r < count; ++r) {
            grdRiver->setItem(r, 0, Cell(rows[r].hand));
            grdRiver->setItem(r, 1, Cell(rows[r].odds, Qt::AlignRight | Qt::AlignVCenter));
        }
        Fit_Columns(grdRiver);
    });
}

// The strength at every board; the potentials and the clean outs only while a card is to come.
void ShowdownPanel::Show_Strength(const showdown::StrengthFigures& strength) {
    using namespace showdowntexts;
    lblStrength->setText(Percent_Text(strength.strengthPct));
    if (strength.hasPotential) {
        lblPotential->setText(Signed_Percent_Text(strength.positivePct, false));
        lblNegPotential->setText(Signed_Percent_Text(strength.negativePct, true));
        lblEffStrength->setText(Percent_Text(strength.effectivePct));
        lblCleanOuts->setText(Clean_Outs_Text(strength.cleanOuts, strength.unseen));
    } else {
        for (QLabel* label : {lblPotential, lblNegPotential, lblEffStrength, lblCleanOuts})
            label->clear();
    }
    Dim(Strength(), false);
}
