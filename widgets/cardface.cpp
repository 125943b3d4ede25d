#include "widgets/cardface.h"

#include "widgets/accessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

QPainterPath Circle(double cx, double cy, double r) {
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), r, r);
    return p;
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath p;
    p.addPolygon(QPolygonF(QList<QPointF>(points)));
    p.closeSubpath();
    return p;
}

QPainterPath Make_Suit(int suit) {
    switch (suit) {
    case 1: { // spade: a heart upside down on a flared stem
        QPainterPath p = Circle(0.29, 0.56, 0.21).united(Circle(0.71, 0.56, 0.21));
        p = p.united(Polygon({{0.5, 0.02}, {0.9, 0.48}, {0.5, 0.62}, {0.1, 0.48}}));
        return p.united(Polygon({{0.5, 0.55}, {0.7, 1.0}, {0.3, 1.0}}));
    }
    case 2: { // heart
        QPainterPath p = Circle(0.29, 0.32, 0.23).united(Circle(0.71, 0.32, 0.23));
        return p.united(Polygon({{0.08, 0.44}, {0.5, 0.2}, {0.92, 0.44}, {0.5, 0.98}}));
    }
    case 3: { // club: three leaves and a stem
        QPainterPath p =
            Circle(0.5, 0.26, 0.21).united(Circle(0.26, 0.6, 0.21)).united(Circle(0.74, 0.6, 0.21));
        p = p.united(Polygon({{0.4, 0.4}, {0.6, 0.4}, {0.6, 0.6}, {0.4, 0.6}}));
        return p.united(Polygon({{0.5, 0.5}, {0.7, 1.0}, {0.3, 1.0}}));
    }
    default: // diamond
        return Polygon({{0.5, 0.0}, {0.88, 0.5}, {0.5, 1.0}, {0.12, 0.5}});
    }
}

bool Is_Red(int suit) {
    return suit == 2 || suit == 4;
}

} // namespace

const QPainterPath& Suit_Path(int suit) {
    static const QPainterPath paths[4] = {Make_Suit(1), Make_Suit(2), Make_Suit(3), Make_Suit(4)};
    return paths[(suit >= 1 && suit <= 4) ? suit - 1 : 3];
}

void Paint_Suit(QPainter& painter, int suit, const QRectF& box) {
    const double side = std::min(box.width(), box.height());
    painter.save();
    painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    painter.scale(side, side);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Is_Red(suit) ? QColor(204, 0, 0) : QColor(Qt::black));
    painter.drawPath(Suit_Path(suit));
    painter.restore();
}

CardFace::CardFace(int suit, QChar rankLetter, QWidget* parent)
    : QWidget(parent), suit_(suit), letter_(rankLetter) {
    Install_Accessibility();
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void CardFace::Set_Chosen(bool chosen) {
    if (chosen == chosen_) return;
    chosen_ = chosen;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void CardFace::keyPressEvent(QKeyEvent* e) {
    if ((e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return QWidget::keyPressEvent(e);
    switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!e->isAutoRepeat()) emit activated(); // a key held down chooses once
        break;
    case Qt::Key_Left:
        emit stepped(-1, 0);
        break;
    case Qt::Key_Right:
        emit stepped(1, 0);
        break;
    case Qt::Key_Up:
        emit stepped(0, -1);
        break;
    case Qt::Key_Down:
        emit stepped(0, 1);
        break;
    default:
        return QWidget::keyPressEvent(e);
    }
    e->accept();
}

void CardFace::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    emit focusShown(true);
}

void CardFace::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    emit focusShown(false);
}

void CardFace::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect());
    // The edge and the corners grow with the face (10 pixels wide at 100%), so that a zoomed card
    // keeps its look.
    const double scale = std::max(1.0, r.width() / 10.0);
    const double edge = 0.75 * scale;
    painter.setPen(QPen(QColor(110, 110, 110), edge));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(r.adjusted(edge / 2, edge / 2, -edge / 2, -edge / 2), 1.5 * scale, 1.5 * scale);

    // The rank character fills the upper half, the suit symbol the lower.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(std::max(6, static_cast<int>(std::min(r.width() * 1.05, r.height() * 0.42))));
    painter.setFont(font);
    painter.setPen(Is_Red(suit_) ? QColor(204, 0, 0) : QColor(Qt::black));
    const QRectF top(0, 0, r.width(), r.height() * 0.5);
    painter.drawText(top, Qt::AlignHCenter | Qt::AlignBottom, QString(letter_));
    const double inset = r.width() * 0.08;
    Paint_Suit(painter, suit_, QRectF(inset, r.height() * 0.54, r.width() - 2 * inset, r.height() * 0.36));
}

void LeftClick::Press(QMouseEvent* e) {
    pressed_ = e->button() == Qt::LeftButton;
    e->accept();
}

bool LeftClick::Release(QMouseEvent* e, const QWidget* widget) {
    const bool click =
        pressed_ && e->button() == Qt::LeftButton && widget->rect().contains(e->position().toPoint());
    pressed_ = false;
    e->accept();
    return click;
}

void CardFace::mousePressEvent(QMouseEvent* e) {
    click_.Press(e);
}

void CardFace::mouseReleaseEvent(QMouseEvent* e) {
    if (click_.Release(e, this)) emit clicked();
}

SuitIcon::SuitIcon(int suit, QWidget* parent) : QWidget(parent), suit_(suit) {
    setFocusPolicy(Qt::NoFocus);
}

void SuitIcon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect());
    Paint_Suit(painter, suit_,
               r.adjusted(r.width() * 0.1, r.height() * 0.15, -r.width() * 0.1, -r.height() * 0.15));
}

void ClickLabel::Show_Focus_Frame(bool shown) {
    if (shown == focusFrame_) return;
    focusFrame_ = shown;
    update();
}

void ClickLabel::paintEvent(QPaintEvent* e) {
    QLabel::paintEvent(e);
    if (!focusFrame_) return;
    // Half the frame's width (2 pixels of 4 at 100%), white under black dashes.
    QPainter painter(this);
    const double line = std::max(1.0, width() / 8.5);
    const QRectF r = QRectF(rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2);
    painter.setPen(QPen(Qt::white, line, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(r);
    painter.setPen(QPen(Qt::black, line, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawRect(r);
}

void ClickLabel::mousePressEvent(QMouseEvent* e) {
    click_.Press(e);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* e) {
    if (click_.Release(e, this)) emit clicked();
}

CategoryMark::CategoryMark(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void CategoryMark::Set_Mark(const QString& letters, const QColor& colour) {
    if (letters == letters_ && colour == colour_) return;
    if (letters != letters_) {
        letters_ = letters;
        // The letters' own outlines, so that they fill the mark whatever the font's margins.
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(100);
        outline_ = QPainterPath();
        outline_.addText(0, 0, font, letters_);
    }
    colour_ = colour;
    update();
}

void CategoryMark::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF r = QRectF(rect());
    painter.fillRect(r, colour_);
    const QRectF box = outline_.boundingRect();
    if (box.isEmpty()) return;
    // The letters as large as fit, a tenth of the height clear above and below and at the ends.
    const double margin = r.height() * 0.1;
    const QRectF room = r.adjusted(margin, margin, -margin, -margin);
    const double scale = std::min(room.width() / box.width(), room.height() / box.height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(room.center());
    painter.scale(scale, scale);
    painter.translate(-box.center());
    painter.fillPath(outline_, Qt::black);
}
