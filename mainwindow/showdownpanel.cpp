#include "mainwindow/showdownpanel.h"

#include "base/errorreport.h"
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
        spot_ = spot;
        hasSpot_ = true;
        Dim(Figures(), true); // the last spot's figures stand, dimmed, until the new spot's come
        calculator_.Start(spot);
    });
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
    for (QLabel* label : {lblWinPct, lblTiePct, lblEquityPct, lblShowdownPrecision})
        label->clear();
    grdRiver->setRowCount(0);
    Dim(Figures(), false);
}

std::array<QWidget*, 5> ShowdownPanel::Figures() const {
    return {lblWinPct, lblTiePct, lblEquityPct, lblShowdownPrecision, grdRiver};
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
        const std::array<QWidget*, 5> figures = Figures();
        if (result.hasOdds) {
            lblWinPct->setText(Percent_Text(result.odds.winPct));
            lblTiePct->setText(Percent_Text(result.odds.tiePct));
            lblEquityPct->setText(Percent_Text(result.odds.equityPct));
            lblShowdownPrecision->setText(result.odds.exact ? tr("exact") : Precision_Text(result.odds));
            Dim(std::span(figures).first(4), false);
        }
        // The odds come first; the last spot's hands by the river stay, dimmed, until the new ones come.
        if (!result.hasRiver) return;
        Dim(std::span(figures).last(1), false);
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
