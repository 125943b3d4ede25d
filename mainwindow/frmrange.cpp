#include "mainwindow/frmrange.h"

#include "base/errorreport.h"
#include "base/messages.h"
#include "flow/modrange.h"
#include "shell/onlinehelp.h"
#include "showdown/rangenotation.h"
#include "widgets/controls.h"
#include "widgets/uihelpers.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include <cstdlib>

namespace {

constexpr int Side = cards::RankCount;
constexpr int CellTwips = 420;

} // namespace

RangeGrid::RangeGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("grdRange"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QCoreApplication::translate("frmRange", "Starting hands"));
    Describe_Focus();
}

// The accessibility tools read the focus cell: its class and whether it is in the range.
void RangeGrid::Describe_Focus() {
    const HandClass c = Cell_Class(focus_ / Side, focus_ % Side);
    setAccessibleDescription(
        Cell_In(focus_) ? QCoreApplication::translate("frmRange", "%1: in the range").arg(Cell_Name(c))
                        : QCoreApplication::translate("frmRange", "%1: not in the range").arg(Cell_Name(c)));
}

QString RangeGrid::Cell_Name(const HandClass& c) {
    QString name = c.Key().remove(QLatin1Char(' '));
    if (!c.Pair() && !c.Suited()) name += QLatin1Char('o');
    return name;
}

HandClass RangeGrid::Cell_Class(int row, int column) {
    const int a = Side - 1 - row, b = Side - 1 - column;
    // Above the diagonal the suited classes, below it the offsuit ones.
    return HandClass::Of_Ranks(a, b, column > row);
}

void RangeGrid::Set_Range(const showdown::Range& range) {
    range_ = range;
    Describe_Focus();
    update();
}

int RangeGrid::Cell_At(QPoint at) const {
    if (width() <= 0 || height() <= 0) return -1;
    const int column = at.x() * Side / width(), row = at.y() * Side / height();
    if (at.x() < 0 || at.y() < 0 || column >= Side || row >= Side) return -1;
    return row * Side + column;
}

bool RangeGrid::Cell_In(int cell) const {
    int hands[HandClass::MaxMembers];
    const int n = Cell_Class(cell / Side, cell % Side).Members(hands);
    for (int i = 0; i < n; ++i)
        if (range_.Weight(hands[i]) <= 0) return false;
    return true;
}

bool RangeGrid::Set_Cell(int cell, bool in) {
    if (cell < 0 || Cell_In(cell) == in) return false;
    range_.Set_Class(Cell_Class(cell / Side, cell % Side), in ? showdown::Range::MaxWeight : 0);
    Describe_Focus();
    update();
    return true;
}

void RangeGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = palette();
    for (int cell = 0; cell < Side * Side; ++cell) {
        const int row = cell / Side, column = cell % Side;
        // The last pixel row and column are left for the outer lines.
        const double w = (width() - 1) / double(Side), h = (height() - 1) / double(Side);
        const QRectF box(w * column, h * row, w, h);
        const HandClass c = Cell_Class(row, column);
        int hands[HandClass::MaxMembers];
        const int n = c.Members(hands);
        int in = 0;
        for (int i = 0; i < n; ++i)
            in += range_.Weight(hands[i]) > 0;
        painter.fillRect(box, colours.color(row == column ? QPalette::AlternateBase : QPalette::Base));
        if (in == n)
            painter.fillRect(box, colours.color(QPalette::Highlight));
        else if (in > 0) // only some of its hands: the lower half
            painter.fillRect(QRectF(box.left(), box.center().y(), box.width(), box.height() / 2),
                             colours.color(QPalette::Highlight));
        painter.setPen(colours.color(QPalette::Mid));
        painter.drawRect(box);
        painter.setPen(colours.color(in == n ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(box, Qt::AlignCenter, Cell_Name(c));
        if (cell == focus_ && hasFocus()) {
            painter.setPen(QPen(colours.color(QPalette::Text), 2));
            painter.drawRect(box.adjusted(2, 2, -2, -2));
        }
    }
}

void RangeGrid::mousePressEvent(QMouseEvent* event) {
    const int cell = Cell_At(event->position().toPoint());
    if (event->button() != Qt::LeftButton || cell < 0) return QWidget::mousePressEvent(event);
    focus_ = cell;
    dragValue_ = !Cell_In(cell);
    lastDragCell_ = cell;
    Set_Cell(cell, dragValue_);
    if (changed) changed();
}

void RangeGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || lastDragCell_ < 0) return;
    const int cell = Cell_At(event->position().toPoint());
    if (cell < 0 || cell == lastDragCell_) return;
    // Every cell on the way from the last one, however fast the pointer moved.
    const int r0 = lastDragCell_ / Side, c0 = lastDragCell_ % Side, r1 = cell / Side, c1 = cell % Side;
    const int steps = std::max(std::abs(r1 - r0), std::abs(c1 - c0));
    bool moved = false;
    for (int i = 1; i <= steps; ++i) {
        const int r = r0 + (r1 - r0) * i / steps, c = c0 + (c1 - c0) * i / steps;
        moved = Set_Cell(r * Side + c, dragValue_) || moved;
    }
    lastDragCell_ = focus_ = cell;
    Describe_Focus();
    update(); // the focus frame moves even when no cell changed
    if (moved && changed) changed();
}

void RangeGrid::keyPressEvent(QKeyEvent* event) {
    int row = focus_ / Side, column = focus_ % Side;
    switch (event->key()) {
    case Qt::Key_Left:
        column = std::max(0, column - 1);
        break;
    case Qt::Key_Right:
        column = std::min(Side - 1, column + 1);
        break;
    case Qt::Key_Up:
        row = std::max(0, row - 1);
        break;
    case Qt::Key_Down:
        row = std::min(Side - 1, row + 1);
        break;
    case Qt::Key_Space:
        Set_Cell(focus_, !Cell_In(focus_));
        if (changed) changed();
        return;
    default:
        return QWidget::keyPressEvent(event);
    }
    focus_ = row * Side + column;
    Describe_Focus();
    update();
}

frmRange::frmRange(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmRange"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Opponents' Range"));
    Place_Fixed_Size(this, 9000, 6660);

    grdRange = new RangeGrid(this);
    Place(grdRange, QRect(120, 120, Side * CellTwips, Side * CellTwips));
    const int right = 240 + Side * CellTwips, rightWidth = 9000 - 120 - right;

    lblRangePct = Make_Label(this, "lblRangePct", QString(), QRect(right, 120, rightWidth, 255));
    sldRangePct = new QSlider(Qt::Horizontal, this);
    sldRangePct->setObjectName(QStringLiteral("sldRangePct"));
    sldRangePct->setRange(1, 100);
    sldRangePct->setPageStep(5);
    Place(sldRangePct, QRect(right, 420, rightWidth, 330));
    lblRangePct->setBuddy(sldRangePct);

    spnRangeGroup = new QSpinBox(this);
    spnRangeGroup->setObjectName(QStringLiteral("spnRangeGroup"));
    spnRangeGroup->setRange(1, modRange::MaxGroup);
    spnRangeGroup->setPrefix(tr("Groups 1 to "));
    Place(spnRangeGroup, QRect(right, 960, rightWidth, 285));

    lblRangeCombos = Make_Label(this, "lblRangeCombos", QString(), QRect(right, 1440, rightWidth, 255));

    txtRange = new QLineEdit(this);
    txtRange->setObjectName(QStringLiteral("txtRange"));
    txtRange->setAccessibleName(tr("Range"));
    Place(txtRange, QRect(120, 240 + Side * CellTwips, Side * CellTwips, 285));
    lblRangeProblem =
        Make_Label(this, "lblRangeProblem", QString(), QRect(right, 240 + Side * CellTwips, rightWidth, 285));
    lblRangeProblem->setWordWrap(true);
    QPalette red = lblRangeProblem->palette();
    red.setColor(QPalette::WindowText, QColor(204, 0, 0));
    lblRangeProblem->setPalette(red);

    cmdRangeOk = new QPushButton(tr("OK"), this);
    cmdRangeOk->setObjectName(QStringLiteral("cmdRangeOk"));
    Place(cmdRangeOk, QRect(right, 4620, rightWidth, 405));
    cmdRangeOk->setDefault(true);
    cmdRangeCancel = new QPushButton(tr("Cancel"), this);
    cmdRangeCancel->setObjectName(QStringLiteral("cmdRangeCancel"));
    Place(cmdRangeCancel, QRect(right, 5100, rightWidth, 405));

    original_ = modRange::Current();
    originalTop_ = modRange::Current_Top();
    const int top = originalTop_ ? originalTop_ : modRange::Top_Percent_Of(original_);
    sldRangePct->setValue(top ? top : std::max(1, rangenotation::Combos(original_) * 100 / cards::HandCount));
    lblRangePct->setText(tr("Top %1%").arg(QLocale().toString(sldRangePct->value())));
    // Without a statistics table there are no ranks or groups to take.
    const bool table = rangenotation::Combos(modRange::Top_Percent(100)) > 0;
    sldRangePct->setEnabled(table);
    spnRangeGroup->setEnabled(table);
    for (int k = 1; k <= modRange::MaxGroup; ++k)
        if (modRange::Groups(k) == original_) spnRangeGroup->setValue(k);
    Set_Range(original_, true, modRange::Current_Top());

    setTabOrder(grdRange, txtRange);
    connect(sldRangePct, &QSlider::valueChanged, this, [this] { sldRangePct_Change(); });
    connect(spnRangeGroup, &QSpinBox::valueChanged, this, [this] { spnRangeGroup_Change(); });
    connect(txtRange, &QLineEdit::textEdited, this, [this] { txtRange_Change(); });
    grdRange->changed = [this] { grdRange_Change(); };
    connect(cmdRangeOk, &QPushButton::clicked, this, &frmRange::accept);
    connect(cmdRangeCancel, &QPushButton::clicked, this, &frmRange::reject);
    Apply_Zoom(this);
}

void frmRange::Set_Range(const showdown::Range& range, bool writeText, int topPercent) {
    grdRange->Set_Range(range);
    if (writeText) txtRange->setText(rangenotation::Shortest(range));
    lblRangeProblem->clear();
    lblRangeCombos->setText(modRange::Combos_Text(range));
    cmdRangeOk->setEnabled(rangenotation::Combos(range) > 0); // a range of no hand is never used
    if (modRange::Current() == range && modRange::Current_Top() == topPercent) return;
    modRange::Set_Current(range, topPercent);
    emit rangeChanged();
}

void frmRange::sldRangePct_Change() {
    Trap("sldRangePct_Change", [this] {
        lblRangePct->setText(tr("Top %1%").arg(QLocale().toString(sldRangePct->value())));
        Set_Range(modRange::Top_Percent(sldRangePct->value()), true, sldRangePct->value());
    });
}

void frmRange::spnRangeGroup_Change() {
    Trap("spnRangeGroup_Change", [this] { Set_Range(modRange::Groups(spnRangeGroup->value()), true); });
}

void frmRange::grdRange_Change() {
    Trap("grdRange_Change", [this] { Set_Range(grdRange->Range(), true); });
}

// Typing sets the range as soon as the text is a range; a token that is none is named beside the box,
// and the last range stays.
void frmRange::txtRange_Change() {
    Trap("txtRange_Change", [this] {
        const rangenotation::Parsed parsed = rangenotation::Parse(txtRange->text());
        if (!parsed.valid) {
            lblRangeProblem->setText(tr("Not a range: %1").arg(parsed.refused));
            return;
        }
        Set_Range(parsed.range, false);
    });
}

void frmRange::accept() {
    Trap("cmdRangeOk_Click", [this] {
        if (rangenotation::Combos(grdRange->Range()) == 0) return;
        if (modRange::Store_Range(grdRange->Range()) == modRange::Stored::TooLong)
            msg::Show_Message(tr("This range is too long to be kept in the settings file: it is used until "
                                 "the program ends."),
                              QLatin1String(onlinehelp::ProductTitle), msg::Icon::Information);
        emit rangeChanged();
        unloaded_ = true;
        QDialog::accept();
    });
}

void frmRange::reject() {
    Trap("cmdRangeCancel_Click", [this] {
        modRange::Set_Current(original_, originalTop_);
        emit rangeChanged();
        unloaded_ = true;
        QDialog::reject();
    });
}
