#include "mainwindow/showdownpanel.h"

#include "base/errorreport.h"
#include "config/modglobal.h"
#include "showdown/figures.h"
#include "widgets/accessible.h"
#include "widgets/controls.h"
#include "widgets/uihelpers.h"

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
    if (running)
        Follow_Board();
    else
        calculator_.Cancel();
}

void ShowdownPanel::Follow_Board() {
    Trap("Follow_Board", [this] {
        if (!running_) return;
        showdown::Spot spot;
        if (!showdown::Spot_From_Board(Opponents(), spot)) {
            hasSpot_ = false;
            calculator_.Cancel();
            Blank();
            return;
        }
        const auto same = [](const showdown::Spot& a, const showdown::Spot& b) {
            if (a.opponents != b.opponents || a.boardCount != b.boardCount) return false;
            for (int i = 0; i < 2; ++i)
                if (a.hole[i] != b.hole[i]) return false;
            for (int i = 0; i < a.boardCount; ++i)
                if (a.board[i] != b.board[i]) return false;
            return true;
        };
        if (hasSpot_ && same(spot, spot_)) return;
        spot_ = spot;
        hasSpot_ = true;
        Dim(true); // the last spot's figures stand, dimmed, until the new spot's first arrive
        calculator_.Start(spot);
    });
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
    Dim(false);
}

// Dimmed, the figures are drawn in the colour of disabled text; otherwise in the panel's own colours.
void ShowdownPanel::Dim(bool stale) {
    if (stale == stale_) return;
    stale_ = stale;
    QPalette colours;
    if (stale)
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
            colours.setColor(role, palette().color(QPalette::Disabled, role));
    for (QWidget* figure :
         std::initializer_list<QWidget*>{lblWinPct, lblTiePct, lblEquityPct, lblShowdownPrecision, grdRiver})
        figure->setPalette(colours);
}

void ShowdownPanel::Show_Figures(const showdown::Result& result) {
    // Only the current spot's figures arrive: the calculator drops those of a spot it has left (stopped,
    // blanked or replaced).
    Trap("Show_Figures", [&] {
        Dim(false);
        lblWinPct->setText(showdown::Percent_Text(result.winPct));
        lblTiePct->setText(showdown::Percent_Text(result.tiePct));
        lblEquityPct->setText(showdown::Percent_Text(result.equityPct));
        lblShowdownPrecision->setText(result.exact ? tr("exact") : showdown::Precision_Text(result));
        showdown::RiverRow rows[showdown::RiverRowSlots];
        const Long count = showdown::River_Rows(result, rows);
        grdRiver->setRowCount(count);
        for (Long r = 0; r < count; ++r) {
            grdRiver->setItem(r, 0, Cell(rows[r].hand));
            grdRiver->setItem(r, 1, Cell(rows[r].odds, Qt::AlignRight | Qt::AlignVCenter));
        }
        Fit_Columns(grdRiver);
    });
}
