#pragma once

#include <QLabel>
#include <QPainterPath>
#include <QWidget>

// The card table's pictures, drawn in code so that they stay sharp at any screen scale: every shape
// is a vector path painted at the device's own resolution.

// The outline of a suit symbol (1 spades, 2 hearts, 3 clubs, 4 diamonds) in the unit square.
const QPainterPath& Suit_Path(int suit);
// Fills the suit symbol into the largest square centred in box; red hearts and diamonds, black
// spades and clubs.
class QPainter;
void Paint_Suit(QPainter& painter, int suit, const QRectF& box);

class QMouseEvent;

// A left click: the left button pressed and released over the same widget.
struct LeftClick {
    bool pressed_ = false;
    void Press(QMouseEvent* e);
    bool Release(QMouseEvent* e, const QWidget* widget); // true when the release completes a click
};

// One card face: the rank character above the suit symbol. Clicking it emits clicked().
class CardFace : public QWidget {
    Q_OBJECT
  public:
    CardFace(int suit, QChar rankLetter, QWidget* parent);
    int Suit() const { return suit_; }
    QChar Rank_Letter() const { return letter_; }
  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    int suit_;
    QChar letter_;
    LeftClick click_;
};

// A suit icon at the end of a card row; no behaviour.
class SuitIcon : public QWidget {
    Q_OBJECT
  public:
    SuitIcon(int suit, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    int suit_;
};

// A label that reports a left click: the coloured frame behind a card.
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    LeftClick click_;
};
